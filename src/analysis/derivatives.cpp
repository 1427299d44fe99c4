#include "analysis/derivatives.h"

#include <cmath>

#include "core/colours.h"
#include "core/context.h"
#include "core/overlays.h"
#include "curves/graph.h"
#include "curves/sampling.h"
#include "terms/difference_quotient.h"

namespace kw {

namespace {

void draw(Context& c, const DrawRequest& r, const OverlayCurve& o)
{
    State& s = c.state;
    OverlayState& ov = s.overlays;
    if (!(ov.*o.flag))
        return;
    if (!(ov.*o.colourChosen))
        ov.*o.colour = colourText(o.defaultColour);
    const auto range = r.range();
    // The terms follow f even when nothing can be drawn.
    buildDerivativeTerms(s, c.drawing.xterm, o.order);
    if (!range || !std::isfinite(range->step))
        return;
    // A name typed into the list that matches no colour sets the chosen flag
    // without a colour: the curve keeps its default one.
    const Rgb colour = colourFromText(ov.*o.colour).value_or(o.defaultColour);

    const Substitution term(s.terms.*o.term, {.maskExp = false, .collapseStars = true});
    Curve curve(o.prefix, s.results.*o.result, term, Curve::OnFailure::KeepValue);
    curve.width = ov.*o.width;
    curve.colour = colour;
    sampleCurve(c, curve, range->left, range->right, range->step);
}

}  // namespace

void buildDerivativeTerms(State& s, std::string_view xterm, int order)
{
    s.terms.fx_term = maskExp(xterm);
    s.terms.fxh_term = shift(s.terms.fx_term);
    s.terms.ableitungsterm = firstQuotient(s.terms.fx_term);
    if (order >= 2)
        s.terms.ableitungsterm_zwei = nextQuotient(s.terms.ableitungsterm);
    if (order >= 3)
        s.terms.ableitungsterm_drei = nextQuotient(s.terms.ableitungsterm_zwei);
}

void erste_Ableitung(Context& c, const DrawRequest& r) { draw(c, r, overlayCurve(Overlay::First)); }
void zweite_ableitung(Context& c, const DrawRequest& r)
{
    draw(c, r, overlayCurve(Overlay::Second));
}
void dritte_ableitung(Context& c, const DrawRequest& r) { draw(c, r, overlayCurve(Overlay::Third)); }


}  // namespace kw
