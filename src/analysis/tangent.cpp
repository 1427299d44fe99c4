#include "analysis/tangent.h"

#include <cmath>

#include "core/context.h"
#include "curves/graph.h"
#include "curves/sampling.h"
#include "terms/difference_quotient.h"
#include "terms/normalize.h"
#include "terms/numtext.h"

namespace kw {

namespace {

// Puts x0 into a term once, keeping the exp mask: the tangent term still has
// its own x to be replaced per sample.
std::string atX0(std::string term, const std::string& x0, bool collapseStars)
{
    replaceAll(term, "x", x0);
    replaceAll(term, ",", ".");
    if (collapseStars)
        replaceAll(term, "**", "*");
    return term;
}

}  // namespace

std::string tangentTerm(std::string_view xterm, double x0)
{
    const std::string f = maskExp(xterm);
    const std::string x0Text = text(x0);
    const std::string times = "*" + x0Text;
    const std::string slope = atX0(firstQuotient(f), times, true);
    const std::string value = atX0(f, times, false);
    return "(" + slope + ")" + "*1x +" + "(" + value + ")-" + "(" + slope + ")" + "*" + x0Text;
}

void tangente(Context& c, const DrawRequest& r)
{
    State& s = c.state;
    if (!s.overlays.tangente_test)
        return;
    double x0 = 1;
    if (!s.overlays.x0_uebergabe.empty()) {
        auto v = readNumber(s.overlays.x0_uebergabe);
        if (!v)
            return;
        x0 = *v;
    }
    const auto range = r.range();
    if (!range || !std::isfinite(range->step))
        return;
    s.terms.fx_term = maskExp(c.drawing.xterm);
    s.terms.fxh_term = shift(s.terms.fx_term);

    const Substitution term(tangentTerm(c.drawing.xterm, x0), {.maskExp = false, .collapseStars = true});
    Curve curve("Form.zahl5 =", s.results.zahl5, term, Curve::OnFailure::Stop);
    curve.width = 2;
    sampleCurve(c, curve, range->left, range->right, range->step);
}

}  // namespace kw
