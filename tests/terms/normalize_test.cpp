#include <gtest/gtest.h>

#include "panel/main_panel.h"
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

// Every term that drew before keeps its exact text: the examples of "Zufall f(x)"
// in their order, then the remaining worked examples and edge cases.
TEST(StringRichten, EarlierTermsKeepTheirText)
{
    const char* const beispiele[kBeispiele.size()] = {
        "sin(1x)+1/(1x)",
        "0,5*1x^3-2*1x^2-1x+4",
        "1/sqr(1x^2+0,1)",
        "exp(1x)",
        "-1x/2-tan(1x*2)",
        "abs(cos(1x))*4-2",
        "sin(1x*12)/5+cos(1x-1)*3+sin(1x*2)/4",
        "1,5*1x-0,75",
        "sqr(1x)",
        "exp(1x)/(sqr(1x))",
        "log(abs(1/(1x)))",
        "1/(1x)",
        "1x^2",
        "cos(1x)",
        "sin(50/(1x))*1x",
        "exp(0,003x^3)+exp(2x^1)-exp(1x)",
        "(exp(1x)-1)/(exp(1x)+1)",
        "(1x^3)/(1x-2)",
        "2,5*(exp(0.0247789x)+exp(-0.0247789x))",
        "0,25x^3+0,5x^2-2",
        "(1x^3-8)/(4x)",
    };
    for (std::size_t i = 0; i < kBeispiele.size(); ++i)
        EXPECT_EQ(string_richten(kBeispiele[i]), beispiele[i]) << kBeispiele[i];

    const std::pair<const char*, const char*> others[] = {
        {"x^2", "1x^2"},         {"ln(x)", "log(1x)"}, {"1/x", "1/(1x)"},
        {"2^x", "2^(1x)"},       {"(x^3)/(x-2)", "(1x^3)/(1x-2)"},
        {"", ""},                {"x", "1x"},          {"3 x", "3x"},
        {"(x+1)x", "(1x+1)x"},   {"xx", "1xx"},        {"ex", "exp(1)x"},
        {"e(x+1)", "exp(1)*(1x+1)"},
    };
    for (auto [typed, xterm] : others)
        EXPECT_EQ(string_richten(typed), xterm) << typed;
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
