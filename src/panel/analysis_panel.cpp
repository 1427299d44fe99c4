#include "panel/analysis_panel.h"

#include "core/colours.h"
#include "core/context.h"
#include "scene/redraw.h"
#include "terms/numtext.h"

namespace kw {

namespace {

struct ColourTarget {
    std::string OverlayState::*text;
    std::string OverlayState::*colour;
    bool OverlayState::*chosen;
    std::size_t rows;
};

// Indexed by ColourList. Only the inverse function also offers "Magenta".
constexpr ColourTarget kColourTargets[] = {
    {&OverlayState::FarbeBox_ableitung, &OverlayState::Ffarbe_ableitung, &OverlayState::Ffarbe_ableitung_test,
     kSevenColours},
    {&OverlayState::FarbeBox_zweite_ableitung, &OverlayState::Ffarbe_zweite_ableitung,
     &OverlayState::Ffarbe_zweite_ableitung_test, kSevenColours},
    {&OverlayState::FarbeBox_dritte_ableitung, &OverlayState::Ffarbe_dritte_ableitung,
     &OverlayState::Ffarbe_dritte_ableitung_test, kSevenColours},
    {&OverlayState::FarbeBox_Umkehrfunktion, &OverlayState::Umkehrfunktion_Farbe,
     &OverlayState::umkehrfunktion_Farbe_test, kColours.size()},
};

struct WidthTarget {
    std::string OverlayState::*text;
    State::Int OverlayState::*width;
};

// Indexed by WidthList.
constexpr WidthTarget kWidthTargets[] = {
    {&OverlayState::f_a1_linie_staerke_text, &OverlayState::f_a1_linie_staerke},
    {&OverlayState::f_a2_linie_staerke_text, &OverlayState::f_a2_linie_staerke},
    {&OverlayState::f_a3_linie_staerke_text, &OverlayState::f_a3_linie_staerke},
    {&OverlayState::Umkehrfunktion_Linien_staerke, &OverlayState::umkehrfunktion_f_staerke},
};

// A switch: its click counter, its flag and the redraw after a click that
// switches it on or off (none for the piecewise switch).
struct Switch {
    State::Int ClickCounters::*clicks;
    bool OverlayState::*flag;
    Steps on, off;
};

constexpr Switch kErste{&ClickCounters::form3_click_Zaehler_Ableitung, &OverlayState::ableitungs_test,
                        kFirstDerivativeOn, kFirstDerivativeOff};
constexpr Switch kZweite{&ClickCounters::form3_click_Zaehler_Ableitung_zwei,
                         &OverlayState::zweite_ableitungs_test, kSecondDerivativeOn,
                         kSecondDerivativeOff};
constexpr Switch kDritte{&ClickCounters::form3_click_Zaehler_Ableitung_drei,
                         &OverlayState::dritte_ableitungs_test, kThirdDerivativeOn,
                         kThirdDerivativeOff};
constexpr Switch kTangentSwitch{&ClickCounters::form3_click_Zaehler_tangente, &OverlayState::tangente_test,
                           kTangentOn, kTangentOff};
// The inverse function lies on top in both states.
constexpr Switch kInverseSwitch{&ClickCounters::form3_click_Zaehler_Umkehrfunktion,
                                 &OverlayState::Umkehrfunktion_test, kInverseSteps,
                                 kInverseSteps};
constexpr Switch kSection{&ClickCounters::form3_click_Zaehler_AD, &OverlayState::ad_funktion_test, {}, {}};

void toggle(Context& c, const Switch& sw)
{
    const bool on = (c.state.overlays.*sw.flag) = countClick(c.state.clicks.*sw.clicks);
    if (!sw.on.empty())
        redrawAll(c, on ? sw.on : sw.off);
}

}  // namespace

void erste_Ableitung_click(Context& c) { toggle(c, kErste); }
void zweite_Ableitung_click(Context& c) { toggle(c, kZweite); }
void dritte_Ableitung_click(Context& c) { toggle(c, kDritte); }
void tangente_click(Context& c) { toggle(c, kTangentSwitch); }
void umkehrfunktion_click(Context& c) { toggle(c, kInverseSwitch); }
void ad_funktion_click(Context& c) { toggle(c, kSection); }

std::string& listText(State& s, ColourList list) { return s.overlays.*kColourTargets[int(list)].text; }
std::size_t colourRows(ColourList list) { return kColourTargets[int(list)].rows; }
std::string& listText(State& s, WidthList list) { return s.overlays.*kWidthTargets[int(list)].text; }

std::optional<Rgb> colourChosen(State& s, ColourList list)
{
    const ColourTarget& t = kColourTargets[int(list)];
    return chooseColour(s.overlays.*t.text, t.rows, s.overlays.*t.chosen, s.overlays.*t.colour);
}

std::optional<Rgb> chosenColour(const State& s, ColourList list)
{
    const ColourTarget& t = kColourTargets[int(list)];
    if (!(s.overlays.*t.chosen))
        return std::nullopt;
    return colourFromText(s.overlays.*t.colour);
}

void widthChosen(State& s, WidthList list)
{
    const WidthTarget& t = kWidthTargets[int(list)];
    if (auto w = readInt16(s.overlays.*t.text))
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
