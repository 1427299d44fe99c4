#include "panel/analysis_panel.h"

#include "core/colours.h"
#include "core/context.h"
#include "scene/redraw.h"
#include "terms/numtext.h"

namespace kw {

namespace {

struct ColourTarget {
    std::string State::*text;
    std::string State::*colour;
    bool State::*chosen;
    std::size_t rows;
};

// Indexed by ColourList. Only the inverse function also offers "Magenta".
constexpr ColourTarget kColourTargets[] = {
    {&State::FarbeBox_ableitung, &State::Ffarbe_ableitung, &State::Ffarbe_ableitung_test,
     kSevenColours},
    {&State::FarbeBox_zweite_ableitung, &State::Ffarbe_zweite_ableitung,
     &State::Ffarbe_zweite_ableitung_test, kSevenColours},
    {&State::FarbeBox_dritte_ableitung, &State::Ffarbe_dritte_ableitung,
     &State::Ffarbe_dritte_ableitung_test, kSevenColours},
    {&State::FarbeBox_Umkehrfunktion, &State::Umkehrfunktion_Farbe,
     &State::umkehrfunktion_Farbe_test, kColours.size()},
};

struct WidthTarget {
    std::string State::*text;
    State::Int State::*width;
};

// Indexed by WidthList.
constexpr WidthTarget kWidthTargets[] = {
    {&State::f_a1_linie_staerke_text, &State::f_a1_linie_staerke},
    {&State::f_a2_linie_staerke_text, &State::f_a2_linie_staerke},
    {&State::f_a3_linie_staerke_text, &State::f_a3_linie_staerke},
    {&State::Umkehrfunktion_Linien_staerke, &State::umkehrfunktion_f_staerke},
};

// A switch: its click counter, its flag and the redraw after a click that
// switches it on or off (none for the piecewise switch).
struct Switch {
    State::Int State::*clicks;
    bool State::*flag;
    Steps on, off;
};

constexpr Switch kErste{&State::form3_click_Zaehler_Ableitung, &State::ableitungs_test,
                        kFirstDerivativeOn, kFirstDerivativeOff};
constexpr Switch kZweite{&State::form3_click_Zaehler_Ableitung_zwei,
                         &State::zweite_ableitungs_test, kSecondDerivativeOn,
                         kSecondDerivativeOff};
constexpr Switch kDritte{&State::form3_click_Zaehler_Ableitung_drei,
                         &State::dritte_ableitungs_test, kThirdDerivativeOn,
                         kThirdDerivativeOff};
constexpr Switch kTangentSwitch{&State::form3_click_Zaehler_tangente, &State::tangente_test,
                           kTangentOn, kTangentOff};
// The inverse function lies on top in both states.
constexpr Switch kInverseSwitch{&State::form3_click_Zaehler_Umkehrfunktion,
                                 &State::Umkehrfunktion_test, kInverseSteps,
                                 kInverseSteps};
constexpr Switch kSection{&State::form3_click_Zaehler_AD, &State::ad_funktion_test, {}, {}};

void toggle(Context& c, const Switch& sw)
{
    const bool on = (c.state.*sw.flag) = countClick(c.state.*sw.clicks);
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

std::string& listText(State& s, ColourList list) { return s.*kColourTargets[int(list)].text; }
std::size_t colourRows(ColourList list) { return kColourTargets[int(list)].rows; }
std::string& listText(State& s, WidthList list) { return s.*kWidthTargets[int(list)].text; }

std::optional<Rgb> colourChosen(State& s, ColourList list)
{
    const ColourTarget& t = kColourTargets[int(list)];
    return chooseColour(s.*t.text, t.rows, s.*t.chosen, s.*t.colour);
}

void widthChosen(State& s, WidthList list)
{
    const WidthTarget& t = kWidthTargets[int(list)];
    if (auto w = readInt16(s.*t.text))
        s.*t.width = *w;
}

void x0Changed(State& s) { s.x0_uebergabe = s.x0_eingabe; }
void sectionFromChanged(State& s) { s.Linker_Bereich_wert = s.Linker_Bereich; }
void sectionToChanged(State& s) { s.Rechter_Bereich_wert = s.Rechter_Bereich; }

void stepTangent(Context& c, double d)
{
    auto x0 = readNumber(c.state.x0_eingabe);
    if (!x0)
        return;
    c.state.x0_eingabe = text(*x0 + d);
    x0Changed(c.state);
    c.ui.fieldsChanged();
    tangenten_bewegung(c);
}

}  // namespace kw
