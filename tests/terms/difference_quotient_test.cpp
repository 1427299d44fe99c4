#include <gtest/gtest.h>

#include <cmath>

#include "analysis/derivatives.h"
#include "core/state.h"
#include "terms/difference_quotient.h"
#include "terms/engine.h"
#include "terms/normalize.h"
#include "terms/substitution.h"

using namespace kw;

namespace {
const Substitution::Options kMasked{.maskExp = false, .collapseStars = true};

double evaluateAt(const std::string& quotient, double x)
{
    double v = NAN;
    EXPECT_EQ(Engine::evaluate(Substitution(quotient, kMasked).expression(x), v), 0) << quotient;
    return v;
}
}  // namespace

TEST(DifferenceQuotient, IsBuiltAsTextExactlyKeepsExpAndApproximatesTheDerivatives)
{
    State s;
    buildDerivativeTerms(s, "1x^2", 2);
    EXPECT_EQ(s.terms.ableitungsterm, "(1*(1x+0,000456)^2 - (1x^2)) /0,000456");
    // Shifting a shifted term shifts it once more.
    EXPECT_EQ(shift(s.terms.ableitungsterm),
              "(1*(1*(1x+0,000456)+0,000456)^2 - (1*(1x+0,000456)^2)) /0,000456");
    // The statement a sample at x = 2 hands to the engine.
    EXPECT_EQ(Substitution(s.terms.ableitungsterm, kMasked).expression(2),
              "(1*(1*2+0.000456)^2 - (1*2^2)) /0.000456");

    buildDerivativeTerms(s, string_richten("exp(x)"), 1);
    // "exp" is masked while x is replaced, or its x would be replaced too.
    EXPECT_NEAR(evaluateAt(s.terms.ableitungsterm, 2), std::exp(2.0), 0.01);
    buildDerivativeTerms(s, string_richten("x^2"), 3);
    EXPECT_NEAR(evaluateAt(s.terms.ableitungsterm, 3), 6.000456, 1e-6);
    EXPECT_NEAR(evaluateAt(s.terms.ableitungsterm_zwei, 3), 2, 1e-3);
    EXPECT_NEAR(evaluateAt(s.terms.ableitungsterm_drei, 3), 0, 5);  // rounding is amplified
}
