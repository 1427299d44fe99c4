#pragma once

#include <string_view>

#include "core/plane.h"

namespace kw {

class Context;
struct DrawRequest;

inline constexpr std::string_view kUndefinedMessage =
    "Die Funktion ist zwischen den Grenzen nicht überall definiert.";

// The shading's colour while none has been chosen.
inline constexpr Rgb kAreaDefault = rgb(255, 127, 36);

// Strips of this width, or as many as it takes to cover the interval.
inline constexpr double kStreifen = 0.01;
// Wider intervals take wider strips: no computation takes long.
inline constexpr long kMaxStreifen = 100'000;

struct Integral {
    double value = 0;
    int error = 0;  // the engine's error where the term failed at a node; then no value
};

// The signed integral of a normalized term from a to b: n equal strips that
// cover exactly [a, b] (n = the number of 0,01 strips it takes, at least 1),
// each by the two-point Gauss–Legendre rule. a > b gives the negative of the
// integral from b to a; a = b gives 0.
Integral integrate(std::string_view xterm, double a, double b);

// The area between the main panel's term and the x-axis from Untergrenze to
// Obergrenze as vertical lines 0,1 apart (0,5 beyond a range of 50), while
// Flaeche_einferben_Check is on. Lines stay strictly inside the x range and on
// the plane; none is drawn at x = 0.
void Flaeche_einfaerben(Context& c, const DrawRequest& r);

// The area between the area calculator's f and g from Untergrenze to
// Obergrenze as vertical lines 0,1 apart, while Flaeche_einferben_SP_Check is on.
void flaeche_einfaerben_sp(Context& c);

}  // namespace kw
