#include "curves/rootlog.h"

#include <cmath>

#include "core/colours.h"
#include "core/context.h"
#include "curves/sampling.h"

namespace kw {

std::optional<Rgb> rootLogSetup(Context& c, const DrawRequest& r, Range& range)
{
    const auto given = r.range();
    if (!given)
        return std::nullopt;
    range = *given;
    prepareGraph(c, r, range);
    c.ui.setProgressMaximum(float(std::fabs(range.left) + std::fabs(range.right)));
    auto colour = c.drawing.Graph_Farbe;
    if (!colour || !std::isfinite(range.step))
        return std::nullopt;
    return colour;
}

std::optional<SampleRun> Wurzel_log_funktion(Context& c, const DrawRequest& r)
{
    Range range;
    auto colour = rootLogSetup(c, r, range);
    if (!colour)
        return std::nullopt;

    const Substitution term(c.drawing.xterm);
    Curve curve("Form.Zahl =", c.state.results.Zahl, term, Curve::OnFailure::KeepValue);
    curve.rangeGate = true;
    curve.width = 2;
    curve.colour = *colour;
    return sampleCurve(c, curve, range.left, range.right, range.step);
}

}  // namespace kw
