#include "analysis/refine.h"

#include <limits>

#include "analysis/grid_search.h"
#include "terms/numtext.h"

namespace kw {

double closeTo(double x) { return std::max(1e-9, 8 * std::numeric_limits<double>::epsilon() * std::fabs(x)); }

double shown(double x)
{
    // On a multiple of 0,005 (as far as the search can tell) the decimal value
    // decides, not the binary one: 2,345 is a tie, though its double lies above.
    const double halves = std::round(x * 200);
    if (std::fabs(x - halves / 200) <= 2 * closeTo(x) && std::fabs(halves) < 1e15)
        return roundHalfEven(halves / 2) / 100;
    return round2(x);
}

}  // namespace kw
