#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/colours.h"
#include "core/state.h"
#include "core/steps.h"

namespace kw {

// The curves the analysis panel lays over the graph.
enum class Overlay : std::uint8_t { First, Second, Third, Tangent, Inverse, Section };
inline constexpr std::size_t kOverlayCount = 6;

// What the switches draw after the coordinate system, by the switch and its new
// state. The later a curve is drawn, the higher it lies.
inline constexpr Step kFirstDerivativeOn[] = {
    Step::berechnen,        Step::erste_Ableitung, Step::tangente,           Step::zweite_ableitung,
    Step::dritte_ableitung, Step::Umkehrfunktion,  Step::Flaeche_einfaerben, Step::Haengebruecke};
inline constexpr Step kFirstDerivativeOff[] = {
    Step::berechnen,      Step::tangente,           Step::zweite_ableitung, Step::dritte_ableitung,
    Step::Umkehrfunktion, Step::Flaeche_einfaerben, Step::Haengebruecke};
inline constexpr Step kSecondDerivativeOn[] = {
    Step::berechnen, Step::erste_Ableitung, Step::zweite_ableitung,   Step::dritte_ableitung,
    Step::tangente,  Step::Umkehrfunktion,  Step::Flaeche_einfaerben, Step::Haengebruecke};
inline constexpr Step kSecondDerivativeOff[] = {
    Step::berechnen,      Step::erste_Ableitung,    Step::dritte_ableitung, Step::tangente,
    Step::Umkehrfunktion, Step::Flaeche_einfaerben, Step::Haengebruecke};
inline constexpr Step kThirdDerivativeOn[] = {
    Step::berechnen,        Step::erste_Ableitung, Step::tangente,           Step::zweite_ableitung,
    Step::dritte_ableitung, Step::Umkehrfunktion,  Step::Flaeche_einfaerben, Step::Haengebruecke};
inline constexpr Step kThirdDerivativeOff[] = {
    Step::berechnen,      Step::tangente,           Step::erste_Ableitung, Step::zweite_ableitung,
    Step::Umkehrfunktion, Step::Flaeche_einfaerben, Step::Haengebruecke};
inline constexpr Step kTangentOn[] = {
    Step::berechnen,        Step::tangente,       Step::erste_Ableitung,    Step::zweite_ableitung,
    Step::dritte_ableitung, Step::Umkehrfunktion, Step::Flaeche_einfaerben, Step::Haengebruecke};
inline constexpr Step kTangentOff[] = {
    Step::berechnen,      Step::erste_Ableitung,    Step::zweite_ableitung, Step::dritte_ableitung,
    Step::Umkehrfunktion, Step::Flaeche_einfaerben, Step::Haengebruecke};
// The inverse function lies on top in both states.
inline constexpr Step kInverseSteps[] = {
    Step::berechnen,        Step::erste_Ableitung,    Step::tangente,      Step::zweite_ableitung,
    Step::dritte_ableitung, Step::Flaeche_einfaerben, Step::Haengebruecke, Step::Umkehrfunktion};

// One overlay curve: everything the panel, the drawing and the redraws need to
// know about it. Parts an overlay does not have are null or empty.
struct OverlayCurve {
    // The switch: its click counter, its flag and the redraw after a click that
    // turns it on or off (none for the section, which waits for "Zeichnen").
    StateInt ClickCounters::*clicks;
    bool OverlayState::*flag;
    Steps on, off;

    // The colour list's text, the colour chosen from it and whether one was; how
    // many colours the list offers and the colour until one is chosen.
    std::string OverlayState::*colourText;
    std::string OverlayState::*colour;
    bool OverlayState::*colourChosen;
    std::size_t colourRows;
    Rgb defaultColour;

    // The width list's text and the width drawn with.
    std::string OverlayState::*widthText;
    StateInt OverlayState::*width;

    // A derivative: its order, its statement and result, its difference quotient.
    int order;
    std::string_view prefix;
    double EngineResults::*result;
    std::string DerivedTerms::*term;

    // The panel's row: the switch's control name and caption, the lists' names.
    const char* check;
    const char* caption;
    const char* colourList;
    const char* widthList;
};

// In the order of Overlay.
inline constexpr OverlayCurve kOverlays[kOverlayCount] = {
    {&ClickCounters::form3_click_Zaehler_Ableitung, &OverlayState::ableitungs_test,
     kFirstDerivativeOn, kFirstDerivativeOff, &OverlayState::FarbeBox_ableitung,
     &OverlayState::Ffarbe_ableitung, &OverlayState::Ffarbe_ableitung_test, kSevenColours,
     rgb(0, 0, 139), &OverlayState::f_a1_linie_staerke_text, &OverlayState::f_a1_linie_staerke, 1,
     "Form.Zahl3 =", &EngineResults::Zahl3, &DerivedTerms::ableitungsterm, "erste_Ableitung",
     "Erste Ableitung", "FarbeBox_ableitung", "f_a1_linie_staerke"},
    {&ClickCounters::form3_click_Zaehler_Ableitung_zwei, &OverlayState::zweite_ableitungs_test,
     kSecondDerivativeOn, kSecondDerivativeOff, &OverlayState::FarbeBox_zweite_ableitung,
     &OverlayState::Ffarbe_zweite_ableitung, &OverlayState::Ffarbe_zweite_ableitung_test,
     kSevenColours, rgb(0, 139, 0), &OverlayState::f_a2_linie_staerke_text,
     &OverlayState::f_a2_linie_staerke, 2, "Form.zahl7 =", &EngineResults::zahl7,
     &DerivedTerms::ableitungsterm_zwei, "zweite_ableitung_butt", "Zweite Ableitung",
     "FarbeBox_zweite_ableitung", "f_a2_linie_staerke"},
    {&ClickCounters::form3_click_Zaehler_Ableitung_drei, &OverlayState::dritte_ableitungs_test,
     kThirdDerivativeOn, kThirdDerivativeOff, &OverlayState::FarbeBox_dritte_ableitung,
     &OverlayState::Ffarbe_dritte_ableitung, &OverlayState::Ffarbe_dritte_ableitung_test,
     kSevenColours, rgb(255, 140, 0), &OverlayState::f_a3_linie_staerke_text,
     &OverlayState::f_a3_linie_staerke, 3, "Form.zahl9 =", &EngineResults::zahl9,
     &DerivedTerms::ableitungsterm_drei, "dritte_ableitung_butt", "Dritte Ableitung",
     "FarbeBox_dritte_ableitung", "f_a3_linie_staerke"},
    {&ClickCounters::form3_click_Zaehler_tangente, &OverlayState::tangente_test, kTangentOn,
     kTangentOff, nullptr, nullptr, nullptr, 0, 0, nullptr, nullptr, 0, {}, nullptr, nullptr,
     "Check1", "Tangente", nullptr, nullptr},
    {&ClickCounters::form3_click_Zaehler_Umkehrfunktion, &OverlayState::Umkehrfunktion_test,
     kInverseSteps, kInverseSteps, &OverlayState::FarbeBox_Umkehrfunktion,
     &OverlayState::Umkehrfunktion_Farbe, &OverlayState::umkehrfunktion_Farbe_test,
     kColours.size(), rgb(199, 21, 133), &OverlayState::Umkehrfunktion_Linien_staerke,
     &OverlayState::umkehrfunktion_f_staerke, 0, {}, nullptr, nullptr, "Umkehrfunktion_butt",
     "Umkehrfunktion", "FarbeBox_Umkehrfunktion", "Umkehrfunktion_Linien_staerke"},
    {&ClickCounters::form3_click_Zaehler_AD, &OverlayState::ad_funktion_test, {}, {}, nullptr,
     nullptr, nullptr, 0, 0, nullptr, nullptr, 0, {}, nullptr, nullptr, "AD_Funktion",
     "Abschnittsweise Definierte Funktion", nullptr,
     nullptr},
};

inline constexpr const OverlayCurve& overlayCurve(Overlay o) { return kOverlays[std::size_t(o)]; }

// The overlays with a colour and a width list, in the panel's order.
inline constexpr Overlay kListedOverlays[] = {Overlay::First, Overlay::Second, Overlay::Third,
                                              Overlay::Inverse};

}  // namespace kw
