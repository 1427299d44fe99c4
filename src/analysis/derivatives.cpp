#include "analysis/derivatives.h"

#include <cmath>

#include "core/colours.h"
#include "core/context.h"
#include "curves/graph.h"
#include "curves/sampling.h"
#include "terms/difference_quotient.h"

namespace kw {

namespace {

// What tells the three orders apart.
struct Order {
    int order;
    std::string_view prefix;
    double EngineResults::*result;
    std::string DerivedTerms::*term;
    bool OverlayState::*shown;
    std::string OverlayState::*colour;
    bool OverlayState::*colourChosen;
    Rgb defaultColour;
    State::Int OverlayState::*width;
};

constexpr Order kErste{1,
                       "Form.Zahl3 =",
                       &EngineResults::Zahl3,
                       &DerivedTerms::ableitungsterm,
                       &OverlayState::ableitungs_test,
                       &OverlayState::Ffarbe_ableitung,
                       &OverlayState::Ffarbe_ableitung_test,
                       rgb(0, 0, 139),
                       &OverlayState::f_a1_linie_staerke};
constexpr Order kZweite{2,
                        "Form.zahl7 =",
                        &EngineResults::zahl7,
                        &DerivedTerms::ableitungsterm_zwei,
                        &OverlayState::zweite_ableitungs_test,
                        &OverlayState::Ffarbe_zweite_ableitung,
                        &OverlayState::Ffarbe_zweite_ableitung_test,
                        rgb(0, 139, 0),
                        &OverlayState::f_a2_linie_staerke};
constexpr Order kDritte{3,
                        "Form.zahl9 =",
                        &EngineResults::zahl9,
                        &DerivedTerms::ableitungsterm_drei,
                        &OverlayState::dritte_ableitungs_test,
                        &OverlayState::Ffarbe_dritte_ableitung,
                        &OverlayState::Ffarbe_dritte_ableitung_test,
                        rgb(255, 140, 0),
                        &OverlayState::f_a3_linie_staerke};

void draw(Context& c, const DrawRequest& r, const Order& o)
{
    State& s = c.state;
    OverlayState& ov = s.overlays;
    if (!(ov.*o.shown))
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

void erste_Ableitung(Context& c, const DrawRequest& r) { draw(c, r, kErste); }
void zweite_ableitung(Context& c, const DrawRequest& r) { draw(c, r, kZweite); }
void dritte_ableitung(Context& c, const DrawRequest& r) { draw(c, r, kDritte); }


}  // namespace kw
