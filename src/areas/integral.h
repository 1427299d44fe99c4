#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/plane.h"

namespace kw {

class Context;
struct DrawRequest;

inline constexpr std::string_view kUndefinedMessage =
    "Die Funktion ist zwischen den Grenzen nicht überall definiert.";

// The shading's colour while none has been chosen.
inline constexpr Rgb kAreaDefault = rgb(255, 127, 36);

inline constexpr std::string_view kIntegralTooLargeMessage =
    "Das Integral ist zu groß, um es zu berechnen.";

// "Das Integral existiert nicht: f(x) hat bei x = 0 eine Polstelle.", the
// position rounded to two decimals as the searches report it.
std::string poleMessage(std::string_view function, double x);

// Pieces of this width, or as many as it takes to cover the interval.
inline constexpr double kStreifen = 0.1;
// Wider intervals take wider pieces: no computation takes long.
inline constexpr long kMaxStreifen = 10'000;

struct Integral {
    double value = 0;
    double uncertainty = 0;      // an estimate of the value's error
    int error = 0;               // the engine's error where the term is not defined (or
                                 // overflows) between the bounds; then no value
    std::optional<double> pole;  // where the integral diverges; then no value
    explicit operator bool() const { return error == 0 && !pole; }
};

// The integral of a normalized term from a to b (of its absolute value where
// `absolute`, which is the area enclosed with the x-axis; pieces then end at
// the zeros of f, so each counts as |∫| of f between them). Adaptive
// Gauss–Kronrod (7/15 points) on pieces that start at most kStreifen wide; the
// pieces with the largest error estimate are halved until the estimate is
// small, which also settles integrable singularities at a bound such as
// 1/sqr(x) at 0. Where the sums do not settle, the point is examined: a pole
// whose integral diverges on either side gives `pole`. A point where the term
// fails while it is defined close by on both sides (a removable gap or a pole
// hit exactly) becomes the end of two pieces; a term failing there too is not
// defined between the bounds. a > b gives the negative of the integral from b
// to a (the area stays positive); a = b gives 0.
Integral integrate(std::string_view xterm, double a, double b, bool absolute = false);

// Whether the integral of the term diverges at p, on the side towards a or the
// side towards b: the contributions of ever narrower strips next to p (each a
// tenth as wide as the one before) do not shrink.
bool divergesAt(std::string_view xterm, double p, double a, double b);

// The area between the main panel's term and the x-axis from Untergrenze to
// Obergrenze as vertical lines 0,1 apart (0,5 beyond a range of 50), while
// Flaeche_einferben_Check is on. Lines stay strictly inside the x range and on
// the plane; none is drawn at x = 0.
void Flaeche_einfaerben(Context& c, const DrawRequest& r);

// The area between the area calculator's f and g from Untergrenze to
// Obergrenze as vertical lines 0,1 apart, while Flaeche_einferben_SP_Check is on.
void flaeche_einfaerben_sp(Context& c);

}  // namespace kw
