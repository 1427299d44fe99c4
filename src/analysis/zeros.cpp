#include "analysis/zeros.h"

#include "analysis/newton.h"
#include "core/context.h"
#include "terms/difference_quotient.h"
#include "terms/numtext.h"

namespace kw {

SearchResult<double> findZeros(std::string_view xterm, double from, double to, Ui* ui,
                               GridLimits limits)
{
    SearchResult<double> found;
    NewtonStep step = NewtonStep::forZeros(xterm);
    Grid grid(from, to, ui, limits);
    for (GridPoint p; grid.next(p);) {
        // Where f is undefined or f' = 0 there is no Newton step, and no
        // value left over from the previous point may stand in for it.
        auto z = step.at(p.at);
        if (z && staysPut(*z, p.x))
            found.points.push_back(p.x);
    }
    found.outcome = grid.outcome();
    return found;
}

std::string nullstellenText(const SearchResult<double>& zeros)
{
    if (zeros.points.empty())
        return withEndNote(std::string(kKeineNullstellen), zeros.outcome);
    std::string report = std::string(kNullstellenGefunden) + "\r\n";
    int counter = 1;
    for (double x : zeros.points)
        report += "x" + text(counter++) + " = " + text(x) + "\r\n";
    return withEndNote(report, zeros.outcome);
}

std::string nullstellenBericht(Context& c, GridLimits limits)
{
    State& s = c.s;
    s.fx_term = maskExp(c.w.xterm);
    s.fxh_term = shift(s.fx_term);
    return nullstellenText(findZeros(c.w.xterm, s.X, s.Y, &c.ui, limits));
}

void Nullstellen_fx_Click(Context& c) { c.ui.message(nullstellenBericht(c)); }

}  // namespace kw
