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

// Indexed by Farbliste. Only the inverse function also offers "Magenta".
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

// Indexed by Breitenliste.
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
                        kErsteAbleitungAn, kErsteAbleitungAus};
constexpr Switch kZweite{&State::form3_click_Zaehler_Ableitung_zwei,
                         &State::zweite_ableitungs_test, kZweiteAbleitungAn,
                         kZweiteAbleitungAus};
constexpr Switch kDritte{&State::form3_click_Zaehler_Ableitung_drei,
                         &State::dritte_ableitungs_test, kDritteAbleitungAn,
                         kDritteAbleitungAus};
constexpr Switch kTangente{&State::form3_click_Zaehler_tangente, &State::tangente_test,
                           kTangenteAn, kTangenteAus};
// The inverse function lies on top in both states.
constexpr Switch kUmkehrfunktion{&State::form3_click_Zaehler_Umkehrfunktion,
                                 &State::Umkehrfunktion_test, kUmkehrfunktionFolge,
                                 kUmkehrfunktionFolge};
constexpr Switch kAbschnitt{&State::form3_click_Zaehler_AD, &State::ad_funktion_test, {}, {}};

void toggle(Context& c, const Switch& sw)
{
    const bool on = (c.s.*sw.flag) = countClick(c.s.*sw.clicks);
    if (!sw.on.empty())
        redrawAll(c, on ? sw.on : sw.off);
}

}  // namespace

void erste_Ableitung_click(Context& c) { toggle(c, kErste); }
void zweite_Ableitung_click(Context& c) { toggle(c, kZweite); }
void dritte_Ableitung_click(Context& c) { toggle(c, kDritte); }
void tangente_click(Context& c) { toggle(c, kTangente); }
void umkehrfunktion_click(Context& c) { toggle(c, kUmkehrfunktion); }
void ad_funktion_click(Context& c) { toggle(c, kAbschnitt); }

std::string& listText(State& s, Farbliste list) { return s.*kColourTargets[int(list)].text; }
std::size_t colourRows(Farbliste list) { return kColourTargets[int(list)].rows; }
std::string& listText(State& s, Breitenliste list) { return s.*kWidthTargets[int(list)].text; }

std::optional<Rgb> farbeGewaehlt(State& s, Farbliste list)
{
    const ColourTarget& t = kColourTargets[int(list)];
    return chooseColour(s.*t.text, t.rows, s.*t.chosen, s.*t.colour);
}

void breiteGewaehlt(State& s, Breitenliste list)
{
    const WidthTarget& t = kWidthTargets[int(list)];
    if (auto w = readInt16(s.*t.text))
        s.*t.width = *w;
}

void x0Geaendert(State& s) { s.x0_uebergabe = s.x0_eingabe; }
void linkerBereichGeaendert(State& s) { s.Linker_Bereich_wert = s.Linker_Bereich; }
void rechterBereichGeaendert(State& s) { s.Rechter_Bereich_wert = s.Rechter_Bereich; }

void tangentenSchritt(Context& c, double d)
{
    auto x0 = readNumber(c.s.x0_eingabe);
    if (!x0)
        return;
    c.s.x0_eingabe = text(*x0 + d);
    x0Geaendert(c.s);
    c.ui.fieldsChanged();
    tangenten_bewegung(c);
}

}  // namespace kw
