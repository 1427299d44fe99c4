#include "terms/compiled.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "support/oracle.h"

using namespace kw;

namespace {

// "#" stands for mark(0) in the patterns below.
std::string pattern(std::string s)
{
    for (char& c : s)
        if (c == '#')
            c = mark(0);
    return s;
}

}  // namespace

// A number text can run into its neighbours or lend its sign to them; such
// statements must still give what their text gives.
TEST(Compiled, NumbersThatRunIntoTheirNeighboursReadAsTheText)
{
    for (const char* p : {"1*#^2", "#^2", "(#)^2", "2*-#^2", "2-#^2", "2--#", "1*#2", "1*#.5", "2*#E3", "#*#",
                          "##", "sin#", "2^#", "2^-#", " #^ 2", "1*#,5"}) {
        Compiled compiled({pattern(p)});
        for (double x : {3.0, -3.0, 2.5, -0.25, 1e-5, 1e20}) {
            const std::string text = compiled.text(0, std::span(&x, 1));
            EXPECT_EQ(test::mismatch(test::byText(text), compiled.evaluate(x)), "") << text;
        }
    }
}

// Where several statements share operations, each still reports the error that
// comes first in its own order, and a syntax error stays its own.
TEST(Compiled, EachStatementKeepsItsOwnFirstError)
{
    Compiled both({pattern("1/#+sqr(#-5)"), pattern("sqr(#-5)+1/#"), pattern("#+"), pattern("#*2")});
    std::vector<Outcome> o(4);
    const double x = 0;
    both.evaluate(std::span(&x, 1), o);
    EXPECT_EQ(std::vector({o[0].error, o[1].error, o[2].error, o[3].error}),
              std::vector({err::DivisionByZero, err::InvalidArgument, err::Syntax, err::None}));
    EXPECT_EQ(o[3].value, 0);

    // Numbers without a text make their statements syntax errors, whatever
    // else goes wrong first.
    EXPECT_EQ(Compiled({pattern("1/0+#")}).evaluate(NAN).error, err::Syntax);
    EXPECT_EQ(Compiled({pattern("1/0+#")}).evaluate(1).error, err::DivisionByZero);
    EXPECT_EQ(Compiled({pattern("2*#")}).evaluate(1.7976931348623157e308).error, err::Overflow);
}

// A statement that holds f at the same points many times (the difference
// quotients) runs f once per point.
TEST(Compiled, SharedWorkRunsOnce)
{
    const Compiled f({pattern("1*#^3-2*#")});
    const Compiled twice({pattern("(1*#^3-2*#)/(1*#^3-2*#)")});
    EXPECT_EQ(twice.operations(), f.operations() + 1);
    // Constants are folded: only the operations on x remain.
    EXPECT_EQ(Compiled({pattern("(2+3)*4*#")}).operations(), 2u);  // the number and one product
}

// Every number a statement holds reads as the engine reads its text, also
// when kept from the evaluation before: exact ties between two texts, around
// every power of ten (where the digits move) up to 1e40, the extremes, and
// many at random.
TEST(Compiled, NumbersReadAsTheirText)
{
    std::vector<double> values = {0.0, -0.0, 0.1 + 0.2, 1e-5, 99999.99999999999, 1e15, 1e16,
                                  -123456789012345678.0, DBL_MAX, -DBL_MAX, DBL_MIN, DBL_TRUE_MIN,
                                  1e-310, 9.999999999999995e22, 1e23, 1e36, 1e-7, 9.9999999999999995e-8,
                                  NAN, INFINITY, -INFINITY,
                                  // exactly halfway between two texts
                                  100000000000000.5, 100000000000001.5, 999999999999999.5,
                                  0.10000000000000005551115123125783};
    std::mt19937_64 random(11);
    for (int i = 0; i < 20000; ++i) {
        values.push_back(std::bit_cast<double>(random()));  // any exponent
        values.push_back(std::ldexp(double(random() % 1000000) - 5e5, int(random() % 120) - 60));
        values.push_back(std::ldexp(1.0 + double(random() >> 12) / 4503599627370496.0, 45 + i % 80));
        // Sixteen digits ending in 5: halfway between two texts, up to rounding.
        const std::string tie = std::to_string(random() % 900000000000000 + 100000000000000) + "5e" +
                                std::to_string(int(random() % 40) - 25);
        double v = 0;
        std::from_chars(tie.data(), tie.data() + tie.size(), v);
        values.insert(values.end(), {v, std::nextafter(v, 0.0), std::nextafter(v, 1e300)});
    }
    for (int e = -9; e <= 40; ++e) {
        double v = std::pow(10.0, e);
        for (int i = 0; i < 4; ++i, v = std::nextafter(v, 0.0))
            values.insert(values.end(), {v, std::nextafter(v, 1e300) * (1 + 1e-16 * i), -v, v * 0.99999999999999945});
    }
    Compiled compiled({pattern("#")});
    for (double v : values)
        for (int twice = 0; twice < 2; ++twice) {
            const std::string text = compiled.text(0, std::span(&v, 1));
            ASSERT_EQ(test::mismatch(test::byText(text), compiled.evaluate(v)), "") << text;
        }
}
