#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/plane.h"
#include "core/state.h"

namespace kw {

class Context;

inline constexpr std::string_view kLowerBoundMessage =
    "Bitte geben Sie für die Untergrenze eine Zahl ein.";
inline constexpr std::string_view kUpperBoundMessage =
    "Bitte geben Sie für die Obergrenze eine Zahl ein.";
inline constexpr std::string_view kBoundsMessage = "Bitte geben Sie die Grenzen ein.";
inline constexpr std::string_view kEqualBoundsMessage =
    "Die Eingebenenen Werte für Unter- bzw. Oberzgrenze sind gleich. Die Ausrechnung der "
    "Fläche ist somit nicht möglich!";

inline constexpr std::string_view kBothFunctionsMessage = "Bitte geben Sie beide Funktionen ein.";
inline constexpr std::string_view kOneCrossingMessage =
    "Die Graphen schneiden sich nicht zweimal; bitte geben Sie die Grenzen ein.";
// What the calculators write in front of the enclosed area in a report.
inline constexpr std::string_view kAreaCaption = "Flächeninhalt: ";

// The texts of the area window "Integral_Rechner" and its click counters. The
// terms f and g of the lower calculator live in the shared state
// (f_x_Eingabe_txt, g_x_Eingabe_txt), where the drawing of f and g reads them.
struct AreaFields {
    // The area under a graph.
    std::string Funktion_eingabe;
    std::string Untergrenze_eingabe, Obergrenze_eingabe;
    std::string Flaeche_Ergebnis;
    std::string Flaecheninhalt_Ergebnis;  // the area enclosed with the x-axis
    State::Int click_Zaehler = 0;

    // The area between two graphs.
    std::string Laben_Schnitt_f_g = "Gefundene Schnittstellen:";
    std::vector<std::string> SP_Grenzen;  // what both bound lists offer
    std::string SP_Untergrenze_txt, SP_Obergrenze_txt;
    std::string Funktion_eingabe_SP;
    std::string Schnitt_Flaeche_Ergebniss;
    std::string Flaecheninhalt_SP_Ergebnis;  // the area enclosed by the graphs
    State::Int click_Zaehler_SP = 0;
};

// Loading the window: the main panel's term and the range of the last drawing
// as the upper calculator's integrand and bounds; the bound lists empty.
void loadAreaFields(const Context& c, AreaFields& r);

// "Berechnen" of the upper calculator: the integral of its term between its
// bounds and the area it encloses with the x-axis (the sum of |∫| over the
// pieces between its zeros) into the result boxes, the term into the main
// panel's term box. True when the main panel is now to draw it (the caller
// starts that drawing). Bounds that are not numbers show their message and
// compute nothing; a term undefined somewhere between them, or with a pole
// whose integral diverges, leaves the result boxes empty, is not shaded, and
// says so. Every field holds its new text before a message is shown.
bool Integral_Berechnen_Butt_Click(Context& c, AreaFields& r);

// Its "Fläche einfärben": odd clicks shade the area, even clicks take the
// shading away; then the steps of "Berechnen".
bool Flaeche_einfaerben_click(Context& c, AreaFields& r);

// "Berechnen" of the lower calculator: the crossings of f and g, a new pair's
// crossings as the bounds to choose from (fewer than two: the user is asked for
// bounds), the drawing of f and g with the area between them shaded, the
// signed integral of f - g between the bounds and the area enclosed (the sum of
// |∫(f - g)| over the pieces between the crossings). Where there is no value,
// the result boxes are empty and nothing is shaded.
void Integral_Berechnen_SP_butt_Click(Context& c, AreaFields& r);

// Its "Fläche einfärben": odd clicks shade between the graphs; then "Berechnen".
void Flaeche_einfaerben2_click(Context& c, AreaFields& r);

// A colour chosen in either shading colour list: the colour to paint the list
// with, nothing when the name is no colour (the chosen flag is set anyway).
std::optional<Rgb> FarbeBox_Flaeche_Click(State& s, std::string_view name);
std::optional<Rgb> FarbeBox_Flaeche_SP_Click(State& s, std::string_view name);

// A width chosen in either shading width list; a text that is not a number
// leaves the width as it was.
void Flaeche_Linien_staerke_Click(State& s, std::string_view width);
void Flaeche_Linien_staerke_SP_Click(State& s, std::string_view width);

}  // namespace kw
