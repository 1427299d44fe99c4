#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/plane.h"

namespace kw {

class Context;
struct DrawRequest;

// The suspension-bridge calculator's fields: span s between the suspension
// points, their height h, the height t of the cable's lowest point, and the
// results.
struct BridgeFields {
    std::string Abstand_txt, Hoehe_txt, Tiefster_Punkt_txt;
    std::string a1_Ausgabe, a2_Ausgabe, c1_Ausgabe, c2_Ausgabe;
};

inline constexpr std::string_view kSpanEmptyMessage =
    "Geben sie Bitte einen Wert für den Abstand zwischen den Aufhängepunkten ein";
inline constexpr std::string_view kSpanInvalidMessage =
    "Geben sie Bitte einen gültigen Wert für den Abstand zwischen den Aufhängepunkten ein";
inline constexpr std::string_view kHeightEmptyMessage =
    "Geben sie Bitte einen Wert für die Höhe der Aufhängepunkten ein";
inline constexpr std::string_view kHeightInvalidMessage =
    "Geben sie Bitte einen gültigen Wert für die Höhe der Aufhängepunkten ein";
inline constexpr std::string_view kLowestEmptyMessage =
    "Geben sie Bitte einen Wert für den tiefsten Punkt über der Fahrbahn ein";
inline constexpr std::string_view kLowestInvalidMessage =
    "Geben sie Bitte einen gültigen Wert für den tiefsten Punkt über der Fahrbahn ein";
inline constexpr std::string_view kNoCableMessage =
    "Mit diesen Werten gibt es kein Trägerseil: Abstand und tiefster Punkt müssen größer als 0 "
    "sein, und die Aufhängepunkte müssen höher liegen als der tiefste Punkt.";

// The cable f(x) = a/(2c)·(e^{cx} + e^{−cx}) = t·cosh(c·x) with f(0) = t and
// f(±s/2) = h. Both roots of the quadratic are kept: c2 = −c1, a2 = −a1.
struct Cable {
    double a1, a2, c1, c2;
};

// Nothing when no cable exists: s ≤ 0, t ≤ 0, h ≤ t, or values too extreme
// for a finite cable.
std::optional<Cable> cableFor(double s, double h, double t);

// The cable's term as the main panel takes it.
std::string cableTerm(const Cable& cable);

// "Berechne und Zeichne" up to the drawing: checks the fields, fills the result
// boxes, writes the cable into the term field with the span as range and asks
// for the bridge to be drawn (Brueck_zeichnen). On bad input shows its message
// and changes nothing. Returns whether the main drawing is to start now.
bool Berechne_CMD_Click(Context& c, BridgeFields& r);

// Colour of the hangers.
inline constexpr Rgb kHangerColour = rgb(255, 127, 36);

// Draws towers (with their feet) at both ends of the range and hangers between
// them under the current function, once after "Berechne und Zeichne".
void Haengebruecke(Context& c, const DrawRequest& r);

}  // namespace kw
