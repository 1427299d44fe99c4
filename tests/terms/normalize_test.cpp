#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/examples.h"
#include "support/oracle.h"
#include "terms/compiled.h"
#include "terms/engine.h"
#include "terms/normalize.h"
#include "terms/substitution.h"

using namespace kw;
using test::typedAt;

// Every term that drew before keeps its exact text: the examples of "Zufall f(x)"
// in their order, then the worked examples and edge cases; and the statement
// a few of them hand to the engine at x = 1,5.
TEST(StringRichten, EarlierTermsKeepTheirText)
{
    const char* const beispiele[kExamples.size()] = {
        "sin(1x)+1/(1x)", "0,5*1x^3-2*1x^2-1x+4", "1/sqr(1x^2+0,1)", "exp(1x)", "-1x/2-tan(1x*2)",
        "abs(cos(1x))*4-2", "sin(1x*12)/5+cos(1x-1)*3+sin(1x*2)/4", "1,5*1x-0,75", "sqr(1x)",
        "exp(1x)/(sqr(1x))", "log(abs(1/(1x)))", "1/(1x)", "1x^2", "cos(1x)", "sin(50/(1x))*1x",
        "exp(0,003x^3)+exp(2x^1)-exp(1x)", "(exp(1x)-1)/(exp(1x)+1)", "(1x^3)/(1x-2)",
        "2,5*(exp(0.0247789x)+exp(-0.0247789x))", "0,25x^3+0,5x^2-2", "(1x^3-8)/(4x)",
    };
    for (std::size_t i = 0; i < kExamples.size(); ++i)
        EXPECT_EQ(string_richten(kExamples[i]), beispiele[i]) << kExamples[i];

    const std::pair<const char*, const char*> others[] = {
        {"3x^2 - 2x + 1", "3x^2-2x+1"}, {"*x+1", "1x+1"},
        // An x in an exponent keeps the exponent together; "^-x" before "-x".
        {"e^x", "exp(1)^(1x)"}, {"2^-x", "2^(-1x)"},
        // A leading bracket with x gets its factor, so the help text's example draws.
        {"(x-2)(4+2x)", "(1x-2)*(4+2x)"},
        // Every lone e is Euler's number, also next to exp; only lower-case x is the variable.
        {"exp(x)*e", "exp(1x)*exp(1)"}, {"e*exp(x)", "exp(1)*exp(1x)"}, {"2X", "2X"},
        {"ln(x)", "log(1x)"}, {"2^x", "2^(1x)"}, {"", ""}, {"x", "1x"}, {"3 x", "3x"}, {"xx", "1xx"},
        {"ex", "exp(1)x"}, {"Exp(x)", "exp(1x)"}, {"2(x+1)", "2*(1x+1)"}, {"(x+1)x", "(1x+1)x"},
        {"e(x+1)", "exp(1)*(1x+1)"}, {"2e^x", "2*exp(1)^(1x)"},
    };
    for (auto [typed, xterm] : others)
        EXPECT_EQ(string_richten(typed), xterm) << typed;

    for (auto [xterm, statement] : {std::pair{"3x^2-2x+1", "3*1.5^2-2*1.5+1"}, {"2X", "2X"},
                                    {"0,5*1x^3-2*1x^2-1x+4", "0.5*1*1.5^3-2*1*1.5^2-1*1.5+4"},
                                    {"-1x/2-tan(1x*2)", "-1*1.5/2-tan(1*1.5*2)"},
                                    {"exp(1)^(1x)", "exp(1)^(1*1.5)"}, {"2^(-1x)", "2^(-1*1.5)"}})
        EXPECT_EQ(Substitution(xterm).expression(1.5), statement) << xterm;
}

// Products written without a star, as the help promises them, and function
// names in any case; what cannot be read stays an error.
TEST(StringRichten, ImplicitProductsNamesInAnyCaseAndWhatCannotBeRead)
{
    // As typed, and with every product written out and every name in lower case.
    const std::pair<const char*, const char*> cases[] = {
        {"2(x+1)", "2*(x+1)"}, {"0,5(x-1)", "0,5*(x-1)"}, {"x(x-1)", "x*(x-1)"}, {"(x+1)x", "(x+1)*x"},
        {"2x(x+1)(x-1)", "2*x*(x+1)*(x-1)"}, {"(x+1)2", "(x+1)*2"}, {"(x-2)(4+2x)", "(x-2)*(4+2*x)"},
        {"2sin(x)", "2*sin(x)"}, {"xcos(x)", "x*cos(x)"}, {"(x+1)abs(x)", "(x+1)*abs(x)"}, {"2e^x", "2*e^x"},
        {"xe", "x*e"}, {"ee^x", "e*e^x"}, {"esin(x)", "e*sin(x)"}, {"e(x+1)", "e*(x+1)"},
        {"3exp(x)", "3*exp(x)"}, {"1/x(x+1)", "1/x*(x+1)"}, {"Exp(x)", "exp(x)"}, {"EXP(x)+eXp(x)", "2*exp(x)"},
        {"Sin(x)*COS(x)", "sin(x)*cos(x)"}, {"2Ln(x)+LN(x)", "3*ln(x)"}, {"SQR(x)+Log(x)", "sqr(x)+log(x)"},
        {"Abs(x)+INT(x)+Tan(x)+aTn(x)+SGN(x)", "abs(x)+int(x)+tan(x)+atn(x)+1"},
    };
    for (auto [typed, written] : cases)
        for (double x : {1.5, 3.0}) {
            const Outcome v = typedAt(typed, x), expected = typedAt(written, x);
            ASSERT_TRUE(v && expected) << typed << " at " << x << ": " << string_richten(typed);
            EXPECT_NEAR(v.value, expected.value, 1e-12 * std::fabs(expected.value)) << typed << " at " << x;
        }
    EXPECT_EQ(typedAt("x(x-1)", -2).value, 6.0);  // a negative x is one number here too

    // "x2" could mean x·2 or x²; it must not silently become the digits of x and 2.
    // Upper-case X and E are not the variable and Euler's number.
    for (const char* typed : {"x2", "2x3+1", "x 2", "sin(x2)", "x^2+x2", "X^2", "2X", "E^x",
                              "e2"})
        for (double x : {2.0, -2.0, 1e-5})
            EXPECT_FALSE(typedAt(typed, x)) << typed << " at " << x << ": " << string_richten(typed);
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

// A pasted term may hold the very characters a compiled statement marks its
// numbers with; the engine cannot read them, and compiled they must not
// become numbers either.
TEST(StringRichten, ControlCharactersStayErrorsWhenCompiled)
{
    for (const char* shape : {"x^2#", "#", "x#+1", "x^x^x#", "(x-1)#(x+1)"})
        for (char c = '\x01'; c <= '\x08'; ++c) {
            std::string typed = shape;
            std::replace(typed.begin(), typed.end(), '#', c);
            const Substitution f(string_richten(typed));
            for (double x : {0.0, 1.0, -2.5}) {
                const Outcome text = test::byText(f.expression(x));
                EXPECT_FALSE(text) << shape << " with " << int(c);
                EXPECT_EQ(test::mismatch(text, Compiled({f.pattern()}).evaluate(x)), "") << shape << " with " << int(c);
            }
        }
}
