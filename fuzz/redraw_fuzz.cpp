// The main panel's and the analysis panel's fields, one per line (term, x1, x2,
// quality, tangent x0, section from, section to, then the answers a family's
// questions get), drawn as "Zeichnen" draws them with every curve of the
// analysis panel on; a section bound switches the piecewise mode on. The UI
// wants every redraw stopped as soon as it may ask, as a user holding Esc: so
// no input may keep a redraw busy long after that (-timeout=1).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/context.h"
#include "panel/main_panel.h"

using namespace kw;

namespace {
// The next line of the input, taken off it.
std::string line(std::string_view& in)
{
    const std::size_t end = std::min(in.find('\n'), in.size());
    std::string text(in.substr(0, end));
    in.remove_prefix(std::min(end + 1, in.size()));
    return text;
}

struct HoldingEsc : Ui {
    std::string_view answers;
    bool stopRequested() override { return true; }
    std::optional<std::string> input(std::string_view, std::string_view, std::string_view) override
    {
        return line(answers);
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    HoldingEsc ui;
    Context c(ui);
    State& s = c.state;
    mainPanelLoad(c);
    std::string* const fields[] = {&s.main.Eingabe,           &s.main.x_eingabe,  &s.main.y_eingabe,
                                   &s.main.qualitaet_eingabe, &s.overlays.x0_uebergabe, &s.overlays.Linker_Bereich_wert,
                                   &s.overlays.Rechter_Bereich_wert};
    std::string_view in(reinterpret_cast<const char*>(data), size);
    for (std::string* field : fields)
        *field = line(in);
    ui.answers = in;
    s.overlays.ableitungs_test = s.overlays.zweite_ableitungs_test = s.overlays.dritte_ableitungs_test = true;
    s.overlays.tangente_test = s.overlays.Umkehrfunktion_test = true;
    s.overlays.ad_funktion_test = !s.overlays.Linker_Bereich_wert.empty() || !s.overlays.Rechter_Bereich_wert.empty();
    drawFromPanel(c);
    return 0;
}
