#include <gtest/gtest.h>

#include <cmath>

#include "analysis/derivatives.h"
#include "core/state.h"
#include "support/oracle.h"
#include "terms/difference_quotient.h"
#include "terms/normalize.h"
#include "terms/substitution.h"

using namespace kw;

// The quotients' values as drawn are checked with the overlays (analysis/curves_test).
TEST(DifferenceQuotient, IsBuiltAsTextAndKeepsExp)
{
    State s;
    buildDerivativeTerms(s, "1x^2", 2);
    EXPECT_EQ(s.terms.ableitungsterm, "(1*(1x+0,000456)^2 - (1x^2)) /0,000456");
    // Shifting a shifted term shifts it once more.
    EXPECT_EQ(shift(s.terms.ableitungsterm),
              "(1*(1*(1x+0,000456)+0,000456)^2 - (1*(1x+0,000456)^2)) /0,000456");
    // "exp" is masked while x is replaced, or its x would be replaced too.
    buildDerivativeTerms(s, string_richten("exp(x)"), 1);
    const Substitution quotient(s.terms.ableitungsterm, {.maskExp = false, .collapseStars = true});
    EXPECT_NEAR(test::byText(quotient.expression(2)).value, std::exp(2.0), 0.01);  // 0 on an error
}
