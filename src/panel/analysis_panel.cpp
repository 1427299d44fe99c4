#include "panel/analysis_panel.h"

#include "core/colours.h"
#include "core/context.h"
#include "scene/redraw.h"
#include "terms/numtext.h"

namespace kw {

namespace {

void toggle(Context& c, const OverlayCurve& o)
{
    const bool on = (c.state.overlays.*o.flag) = countClick(c.state.clicks.*o.clicks);
    if (!o.on.empty())
        redrawAll(c, on ? o.on : o.off);
}

}  // namespace

void toggleOverlay(Context& c, Overlay o) { toggle(c, overlayCurve(o)); }
void erste_Ableitung_click(Context& c) { toggleOverlay(c, Overlay::First); }
void zweite_Ableitung_click(Context& c) { toggleOverlay(c, Overlay::Second); }
void dritte_Ableitung_click(Context& c) { toggleOverlay(c, Overlay::Third); }
void tangente_click(Context& c) { toggleOverlay(c, Overlay::Tangent); }
void umkehrfunktion_click(Context& c) { toggleOverlay(c, Overlay::Inverse); }
void ad_funktion_click(Context& c) { toggleOverlay(c, Overlay::Section); }

std::string& colourListText(State& s, Overlay o) { return s.overlays.*overlayCurve(o).colourText; }
std::string& widthListText(State& s, Overlay o) { return s.overlays.*overlayCurve(o).widthText; }

std::optional<Rgb> colourChosen(State& s, Overlay o)
{
    const OverlayCurve& t = overlayCurve(o);
    return chooseColour(s.overlays.*t.colourText, t.colourRows, s.overlays.*t.colourChosen,
                        s.overlays.*t.colour);
}

std::optional<Rgb> chosenColour(const State& s, Overlay o)
{
    const OverlayCurve& t = overlayCurve(o);
    if (!(s.overlays.*t.colourChosen))
        return std::nullopt;
    return colourFromText(s.overlays.*t.colour);
}

void widthChosen(State& s, Overlay o)
{
    const OverlayCurve& t = overlayCurve(o);
    if (auto w = readInt16(s.overlays.*t.widthText))
        s.overlays.*t.width = *w;
}

void x0Changed(State& s) { s.overlays.x0_uebergabe = s.overlays.x0_eingabe; }
void sectionFromChanged(State& s) { s.overlays.Linker_Bereich_wert = s.overlays.Linker_Bereich; }
void sectionToChanged(State& s) { s.overlays.Rechter_Bereich_wert = s.overlays.Rechter_Bereich; }

void stepTangent(Context& c, double d)
{
    auto x0 = readNumber(c.state.overlays.x0_eingabe);
    if (!x0)
        return;
    c.state.overlays.x0_eingabe = text(*x0 + d);
    x0Changed(c.state);
    c.ui.fieldsChanged();
    tangenten_bewegung(c);
}

}  // namespace kw
