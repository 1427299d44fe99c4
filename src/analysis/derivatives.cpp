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
    double State::*result;
    std::string State::*term;
    bool State::*shown;
    std::string State::*colour;
    bool State::*colourChosen;
    Rgb defaultColour;
    State::Int State::*width;
};

constexpr Order kErste{1,
                       "Form.Zahl3 =",
                       &State::Zahl3,
                       &State::ableitungsterm,
                       &State::ableitungs_test,
                       &State::Ffarbe_ableitung,
                       &State::Ffarbe_ableitung_test,
                       rgb(0, 0, 139),
                       &State::f_a1_linie_staerke};
constexpr Order kZweite{2,
                        "Form.zahl7 =",
                        &State::zahl7,
                        &State::ableitungsterm_zwei,
                        &State::zweite_ableitungs_test,
                        &State::Ffarbe_zweite_ableitung,
                        &State::Ffarbe_zweite_ableitung_test,
                        rgb(0, 139, 0),
                        &State::f_a2_linie_staerke};
constexpr Order kDritte{3,
                        "Form.zahl9 =",
                        &State::zahl9,
                        &State::ableitungsterm_drei,
                        &State::dritte_ableitungs_test,
                        &State::Ffarbe_dritte_ableitung,
                        &State::Ffarbe_dritte_ableitung_test,
                        rgb(255, 140, 0),
                        &State::f_a3_linie_staerke};

void draw(Context& c, const Order& o)
{
    State& s = c.state;
    if (!(s.*o.shown))
        return;
    if (!(s.*o.colourChosen))
        s.*o.colour = colourText(o.defaultColour);
    Range range;
    const bool usable = readRangeAndStep(c, range);
    // The terms follow f even when nothing can be drawn.
    buildDerivativeTerms(s, c.drawing.xterm, o.order);
    if (!usable || !std::isfinite(range.step))
        return;
    // A name typed into the list that matches no colour sets the chosen flag
    // without a colour: the curve keeps its default one.
    const Rgb colour = colourFromText(s.*o.colour).value_or(o.defaultColour);

    const Substitution term(s.*o.term, {.maskExp = false, .collapseStars = true});
    Curve curve(o.prefix, s.*o.result, term, Curve::OnFailure::KeepValue);
    curve.width = s.*o.width;
    curve.colour = colour;
    sampleCurve(c, curve, range.left, range.right, range.step);
}

}  // namespace

void buildDerivativeTerms(State& s, std::string_view xterm, int order)
{
    s.fx_term = maskExp(xterm);
    s.fxh_term = shift(s.fx_term);
    s.ableitungsterm = firstQuotient(s.fx_term);
    if (order >= 2)
        s.ableitungsterm_zwei = nextQuotient(s.ableitungsterm);
    if (order >= 3)
        s.ableitungsterm_drei = nextQuotient(s.ableitungsterm_zwei);
}

void erste_Ableitung(Context& c) { draw(c, kErste); }
void zweite_ableitung(Context& c) { draw(c, kZweite); }
void dritte_ableitung(Context& c) { draw(c, kDritte); }


}  // namespace kw
