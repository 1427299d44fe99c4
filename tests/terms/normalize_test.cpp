#include <gtest/gtest.h>

#include "terms/normalize.h"
#include "terms/substitution.h"

using namespace kw;

namespace {
struct Example {
    const char* typed;
    const char* xterm;
    const char* atOnePointFive;  // the expression handed to the engine at x = 1,5
};
}  // namespace

TEST(StringRichten, WorkedExamples)
{
    const Example examples[] = {
        {"x^2", "1x^2", "1*1.5^2"},
        {"3x^2 - 2x + 1", "3x^2-2x+1", "3*1.5^2-2*1.5+1"},
        {"ln(x)", "log(1x)", "log(1*1.5)"},
        {"1/x", "1/(1x)", "1/(1*1.5)"},
        {"sin(x)+1/x", "sin(1x)+1/(1x)", "sin(1*1.5)+1/(1*1.5)"},
        {"-x/2-tan(x*2)", "-1x/2-tan(1x*2)", "-1*1.5/2-tan(1*1.5*2)"},
        {"0,5*x^3-2*x^2-x+4", "0,5*1x^3-2*1x^2-1x+4", "0.5*1*1.5^3-2*1*1.5^2-1*1.5+4"},
        {"(x^3)/(x-2)", "(1x^3)/(1x-2)", "(1*1.5^3)/(1*1.5-2)"},
        {"*x+1", "1x+1", "1*1.5+1"},
        // An x in an exponent keeps the exponent together.
        {"e^x", "exp(1)^(1x)", "exp(1)^(1*1.5)"},
        {"2^x", "2^(1x)", "2^(1*1.5)"},
        {"2^-x", "2^(-1x)", "2^(-1*1.5)"},
        // A leading bracket with x gets its factor, so the help text's example draws.
        {"(x-2)(4+2x)", "(1x-2)*(4+2x)", "(1*1.5-2)*(4+2*1.5)"},
        // Every lone e is Euler's number, also next to exp.
        {"exp(x)*e", "exp(1x)*exp(1)", "exp(1*1.5)*exp(1)"},
        {"e*exp(x)", "exp(1)*exp(1x)", "exp(1)*exp(1*1.5)"},
    };
    for (const auto& e : examples) {
        const std::string xterm = string_richten(e.typed);
        EXPECT_EQ(xterm, e.xterm) << e.typed;
        EXPECT_EQ(Substitution(xterm).expression(1.5), e.atOnePointFive) << e.typed;
    }
}

TEST(StringRichten, LeavesWhatItDoesNotKnow)
{
    EXPECT_EQ(string_richten(""), "");
    EXPECT_EQ(string_richten("x"), "1x");
    EXPECT_EQ(string_richten("3 x"), "3x");
    EXPECT_EQ(string_richten("2X"), "2X");   // only lower-case x is the variable
    EXPECT_EQ(string_richten("X^2"), "X^2");
    EXPECT_EQ(string_richten("-x"), "-1x");
    EXPECT_EQ(string_richten("+x"), "1x");
    EXPECT_EQ(string_richten("/x"), "1x");
    EXPECT_EQ(string_richten("x^x"), "1x^(1x)");
    EXPECT_EQ(string_richten("x-x"), "1x-1x");
    EXPECT_EQ(string_richten("(x+1)*(x-1)"), "(1x+1)*(1x-1)");
    EXPECT_EQ(string_richten("ln(x)*ln(2)"), "log(1x)*log(2)");
    EXPECT_EQ(string_richten("(1)(2)(3)"), "(1)*(2)*(3)");
    EXPECT_EQ(string_richten("exp(x)"), "exp(1x)");
}

TEST(Substitution, SplittingOnceGivesTheTextOfThePlainReplacements)
{
    const char* terms[] = {
        "1x^2", "", "5", "x", "xx", "exp(1x)*exp(1)", "0,5*1x^3-2*1x^2-1x+4",
        "(1*(1x+0,000456)^2 - (1x^2)) /0,000456",
        "((1*(1*(1x+0.000456)+0.000456)^2 - (1*(1x+0.000456)^2)) /0.000456-(1*(1x+0.000456)^2 - (1x^2)) /0.000456)/0.000456",
        "a**x", "a***x", "x**x", "****", "x***x***x", "eyp(1x)", "1x,5", "exp(exp(1x))",
    };
    const double xs[] = {1.5, -2, 0, -0.0, 1e-5, -3.5527136788005e-15, 1e20, -19.98, 2.0 / 3};
    for (bool mask : {true, false})
        for (bool stars : {true, false})
            for (const char* t : terms) {
                const Substitution::Options o{mask, stars};
                const Substitution fast(t, o);
                for (double x : xs)
                    EXPECT_EQ(fast.expression(x), substitutePlain(t, x, o))
                        << t << " at " << x << " mask " << mask << " stars " << stars;
            }
}

TEST(Substitution, KeepsTheXOfExp)
{
    EXPECT_EQ(Substitution("exp(1x)").expression(2), "exp(1*2)");
    // Already masked difference-quotient terms come without the mask step.
    EXPECT_EQ(Substitution("eyp(1x)", {.maskExp = false, .collapseStars = true}).expression(-2),
              "exp(1*-2)");
    std::string out = "Form.Zahl = ";
    Substitution("1x^2").appendTo(out, -2);
    EXPECT_EQ(out, "Form.Zahl = 1*-2^2");
}
