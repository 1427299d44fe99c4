#include "analysis/zeros.h"

#include "analysis/newton.h"
#include "core/context.h"
#include "terms/difference_quotient.h"
#include "terms/numtext.h"

namespace kw {

SearchResult<double> findZeros(std::string_view xterm, double from, double to, Ui* ui,
                               GridLimits limits)
{
    NewtonStep step = NewtonStep::forZeros(xterm, limits.fromText);
    return searchGrid<double>(from, to, ui, limits, [step](const GridPoint& p) mutable {
        // Where f is undefined or f' = 0 there is no Newton step, and no
        // value left over from the previous point may stand in for it.
        auto z = step.at(p.at);
        return z && staysPut(*z, p.x) ? std::optional(p.x) : std::nullopt;
    });
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
