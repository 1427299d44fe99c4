#include <gtest/gtest.h>

#include <cmath>

#include "panel/state.h"
#include "terms/difference_quotient.h"
#include "terms/engine.h"
#include "terms/normalize.h"
#include "terms/substitution.h"

using namespace kw;

namespace {
std::string withPoints(std::string s)
{
    for (char& c : s)
        if (c == ',')
            c = '.';
    return s;
}

double evaluateAt(const std::string& quotient, double x)
{
    const Substitution term(quotient, {.maskExp = false, .collapseStars = true});
    double v = NAN;
    EXPECT_EQ(Engine::evaluate(term.expression(x), v), 0) << term.expression(x);
    return v;
}
}  // namespace

TEST(DifferenceQuotient, IsBuiltAsTextExactly)
{
    State s;
    buildAbleitungsterme(s, "1x^2", 3);
    EXPECT_EQ(withPoints(s.fxh_term), "1*(1x+0.000456)^2");
    EXPECT_EQ(withPoints(s.ableitungsterm), "(1*(1x+0.000456)^2 - (1x^2)) /0.000456");
    EXPECT_EQ(withPoints(shift(s.ableitungsterm)),
              "(1*(1*(1x+0.000456)+0.000456)^2 - (1*(1x+0.000456)^2)) /0.000456");
    EXPECT_EQ(s.ableitungsterm_zwei,
              "(" + shift(s.ableitungsterm) + "-" + s.ableitungsterm + ")/0,000456");
    EXPECT_EQ(s.ableitungsterm_drei,
              "(" + shift(s.ableitungsterm_zwei) + "-" + s.ableitungsterm_zwei + ")/0,000456");

    // The statement a sample at x = 2 hands to the engine.
    const Substitution first(s.ableitungsterm, {.maskExp = false, .collapseStars = true});
    EXPECT_EQ("Form.Zahl3 =" + first.expression(2),
              "Form.Zahl3 =(1*(1*2+0.000456)^2 - (1*2^2)) /0.000456");
}

TEST(DifferenceQuotient, KeepsExpAndApproximatesTheDerivatives)
{
    State s;
    buildAbleitungsterme(s, string_richten("exp(x)"), 1);
    EXPECT_EQ(s.fx_term, "eyp(1x)");
    EXPECT_NEAR(evaluateAt(s.ableitungsterm, 2), std::exp(2.0), 0.01);

    buildAbleitungsterme(s, string_richten("x^2"), 3);
    EXPECT_NEAR(evaluateAt(s.ableitungsterm, 3), 6.000456, 1e-6);
    EXPECT_NEAR(evaluateAt(s.ableitungsterm_zwei, 3), 2, 1e-3);
    EXPECT_NEAR(evaluateAt(s.ableitungsterm_drei, 3), 0, 5);  // rounding is amplified
    EXPECT_NEAR(evaluateAt(s.ableitungsterm, -3), -5.999544, 1e-6);
}
