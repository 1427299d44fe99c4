#include "special/rootlog.h"

#include <cmath>

#include "panel/colours.h"
#include "panel/context.h"
#include "terms/engine.h"
#include "terms/sampling.h"

namespace kw {

std::optional<Rgb> rootLogSetup(Context& c, Range& range)
{
    if (!readRangeAndStep(c, range))
        return std::nullopt;
    prepareGraph(c, range);
    c.ui.setProgressMaximum(float(std::fabs(range.left) + std::fabs(range.right)));
    auto colour = colourFromText(c.w.Graph_Farbe);
    if (!colour || !std::isfinite(range.step))
        return std::nullopt;
    return colour;
}

void Wurzel_log_funktion(Context& c)
{
    Range range;
    auto colour = rootLogSetup(c, range);
    if (!colour)
        return;

    const Substitution term(c.w.xterm);
    Curve curve("Form.Zahl =", c.s.Zahl, term, Curve::OnFailure::KeepValue);
    curve.rangeGate = true;
    curve.width = 2;
    curve.colour = *colour;
    // A term the engine cannot read fails at every sample and draws nothing:
    // that is said, the failures of single samples are not.
    if (sampleCurve(c, curve, range.left, range.right, range.step).error == err::Syntax)
        c.ui.message(kMeldungSyntax);
}

}  // namespace kw
