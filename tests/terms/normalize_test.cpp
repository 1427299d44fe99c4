#include <gtest/gtest.h>

#include "terms/normalize.h"
#include "terms/substitution.h"

using namespace kw;

TEST(StringRichten, WorkedExamples)
{
    struct Example {
        const char* typed;
        const char* xterm;
        const char* atOnePointFive;  // the expression handed to the engine at x = 1,5
    } const examples[] = {
        {"3x^2 - 2x + 1", "3x^2-2x+1", "3*1.5^2-2*1.5+1"},
        {"sin(x)+1/x", "sin(1x)+1/(1x)", "sin(1*1.5)+1/(1*1.5)"},
        {"-x/2-tan(x*2)", "-1x/2-tan(1x*2)", "-1*1.5/2-tan(1*1.5*2)"},
        {"0,5*x^3-2*x^2-x+4", "0,5*1x^3-2*1x^2-1x+4", "0.5*1*1.5^3-2*1*1.5^2-1*1.5+4"},
        {"*x+1", "1x+1", "1*1.5+1"},
        // An x in an exponent keeps the exponent together; "^-x" before "-x".
        {"e^x", "exp(1)^(1x)", "exp(1)^(1*1.5)"},
        {"2^-x", "2^(-1x)", "2^(-1*1.5)"},
        // A leading bracket with x gets its factor, so the help text's example draws.
        {"(x-2)(4+2x)", "(1x-2)*(4+2x)", "(1*1.5-2)*(4+2*1.5)"},
        // Every lone e is Euler's number, also next to exp.
        {"exp(x)*e", "exp(1x)*exp(1)", "exp(1*1.5)*exp(1)"},
        {"e*exp(x)", "exp(1)*exp(1x)", "exp(1)*exp(1*1.5)"},
        // Only lower-case x is the variable: "2X" stays and fails in the engine.
        {"2X", "2X", "2X"},
    };
    for (const auto& e : examples) {
        const std::string xterm = string_richten(e.typed);
        EXPECT_EQ(xterm, e.xterm) << e.typed;
        EXPECT_EQ(Substitution(xterm).expression(1.5), e.atOnePointFive) << e.typed;
    }
}

// The split-once substitution is an optimisation: it must give exactly the
// text of the plain replacements, whatever the term, number and options.
TEST(Substitution, FastPathEqualsThePlainReplacements)
{
    const char* terms[] = {"1x^2", "", "xx", "exp(1x)*exp(1)", "(1*(1x+0,000456)^2) /0,000456",
                           "a***x", "x***x***x", "eyp(1x)", "1x,5", "exp(exp(1x))"};
    const double xs[] = {1.5, -2, -0.0, 1e-5, -3.5527136788005e-15, 1e20, 2.0 / 3};
    for (bool mask : {true, false})
        for (bool stars : {true, false})
            for (const char* t : terms) {
                const Substitution fast(t, {mask, stars});
                for (double x : xs)
                    EXPECT_EQ(fast.expression(x), substitutePlain(t, x, {mask, stars}))
                        << t << " at " << x << " mask " << mask << " stars " << stars;
            }
}
