#include "app/batch.h"

#include <QString>

#include <ostream>

#include "core/colours.h"
#include "core/context.h"
#include "gui/picture_file.h"
#include "panel/analysis_panel.h"
#include "panel/main_panel.h"
#include "terms/numtext.h"

namespace kw {

namespace {

// Messages go to the error stream; questions are answered with nothing.
class StreamUi : public Ui {
public:
    explicit StreamUi(std::ostream& err) : err_(err) {}
    void message(std::string_view text, std::string_view) override { err_ << text << '\n'; }
    using Ui::message;

private:
    std::ostream& err_;
};

const char* usage =
    "Aufruf: kurvenwerk --export DATEI [--term T] [--from A] [--to B] [--quality Q] "
    "[--colour NAME] [--derivative 1|2|3]... [--tangent X0] [--inverse] "
    "[--section VON BIS]\n";

std::optional<PictureFormat> formatOf(const std::string& file)
{
    return pictureFormatOf(QString::fromStdString(file));
}

}  // namespace

bool isBatch(const std::vector<std::string>& args)
{
    return !args.empty() && args.front().rfind("--", 0) == 0;
}

std::optional<BatchOptions> parseBatch(const std::vector<std::string>& args, std::ostream& err)
{
    BatchOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--inverse") {
            o.inverse = true;
            continue;
        }
        // Options that take one text, and where it goes.
        const std::pair<const char*, std::optional<std::string>*> texts[] = {
            {"--term", &o.term},       {"--from", &o.from},     {"--to", &o.to},
            {"--quality", &o.quality}, {"--colour", &o.colour}, {"--tangent", &o.tangent},
        };
        std::optional<std::string>* slot = nullptr;
        for (auto [option, target] : texts)
            if (name == option)
                slot = target;
        if (!slot && name != "--export" && name != "--derivative" && name != "--section") {
            err << "Unbekannte Option: " << name << '\n' << usage;
            return std::nullopt;
        }
        const std::size_t values = name == "--section" ? 2 : 1;
        if (args.size() - i - 1 < values) {
            err << "Zur Option " << name << " fehlt der Wert.\n" << usage;
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (slot)
            *slot = value;
        else if (name == "--export")
            o.exportFile = value;
        else if (name == "--section")
            o.section = {value, args[++i]};
        else if (value == "1" || value == "2" || value == "3")
            o.derivatives.push_back(value[0] - '0');
        else {
            err << "Ableitung " << value << " gibt es nicht (möglich: 1, 2, 3).\n";
            return std::nullopt;
        }
    }
    if (o.exportFile.empty()) {
        err << usage;
        return std::nullopt;
    }
    if (!formatOf(o.exportFile)) {
        err << "Die Datei muss auf " << kPictureEndings << " enden: " << o.exportFile << '\n';
        return std::nullopt;
    }
    if (o.colour && !colourByName(*o.colour, kSevenColours)) {
        err << "Unbekannte Farbe: " << *o.colour << " (möglich:";
        for (std::size_t i = 0; i < kSevenColours; ++i)
            err << ' ' << kColours[i].name;
        err << ")\n";
        return std::nullopt;
    }
    if (o.tangent && !readNumber(*o.tangent)) {
        err << "Die Stelle der Tangente ist keine Zahl: " << *o.tangent << '\n';
        return std::nullopt;
    }
    if (o.section) {
        for (auto [bound, unbounded] : {std::pair{o.section->first, "-u"},
                                        std::pair{o.section->second, "+u"}}) {
            if (bound != unbounded && !readNumber(bound)) {
                err << "Die Abschnittsgrenze ist weder eine Zahl noch " << unbounded << ": "
                    << bound << '\n';
                return std::nullopt;
            }
        }
    }
    return o;
}

void startWith(Context& c, const FieldTexts& f)
{
    State& s = c.s;
    if (f.from)
        s.x_eingabe = *f.from;
    if (f.to)
        s.y_eingabe = *f.to;
    if (f.quality)
        s.qualitaet_eingabe = *f.quality;
    if (f.colour)
        s.FarbeBox = *f.colour;
    mainPanelLoad(c);
    s.Eingabe = f.term.value_or("x^2");
}

int runBatch(const BatchOptions& o, std::ostream& err)
{
    StreamUi ui(err);
    Context c(ui);
    startWith(c, o);
    State& s = c.s;
    // The switches as a first click on the analysis panel leaves them.
    auto switchOn = [](State::Int& counter, bool& flag) {
        if (!flag)
            flag = countClick(counter);
    };
    for (int n : o.derivatives) {
        if (n == 1)
            switchOn(s.form3_click_Zaehler_Ableitung, s.ableitungs_test);
        else if (n == 2)
            switchOn(s.form3_click_Zaehler_Ableitung_zwei, s.zweite_ableitungs_test);
        else
            switchOn(s.form3_click_Zaehler_Ableitung_drei, s.dritte_ableitungs_test);
    }
    if (o.tangent) {
        switchOn(s.form3_click_Zaehler_tangente, s.tangente_test);
        s.x0_eingabe = *o.tangent;
        x0Geaendert(s);
    }
    if (o.inverse)
        switchOn(s.form3_click_Zaehler_Umkehrfunktion, s.Umkehrfunktion_test);
    if (o.section) {
        switchOn(s.form3_click_Zaehler_AD, s.ad_funktion_test);
        s.Linker_Bereich = o.section->first;
        s.Rechter_Bereich = o.section->second;
        linkerBereichGeaendert(s);
        rechterBereichGeaendert(s);
    }
    zeichnen(c);

    QString why;
    if (!writePicture(c.ebene, QString::fromStdString(o.exportFile), *formatOf(o.exportFile), why)) {
        err << "Die Datei konnte nicht geschrieben werden: " << o.exportFile << " ("
            << why.toStdString() << ")\n";
        return kBatchFailed;
    }
    return kBatchOk;
}

}  // namespace kw
