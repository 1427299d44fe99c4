#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <tuple>

#include "terms/numtext.h"

using namespace kw;

// Qt sets the C locale from the system: a German one must change nothing.
TEST(NumberText, WritesReadsAndRoundsUnderAGermanLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");  // where installed
    const std::pair<double, const char*> cases[] = {
        {0.5, "0,5"}, {-0.0, "0"}, {1.0 / 3, "0,333333333333333"}, {2.0 / 3, "0,666666666666667"},
        {0.1 + 0.2, "0,3"},  // 15 digits hide the binary noise
        {-3.5527136788005009e-15, "-3,5527136788005E-15"},  // steps that land near zero
        {1e-5, "1E-05"}, {0.0001, "0,0001"}, {999999999999999.0, "999999999999999"},
        {1e15, "1E+15"}, {-1.23e-100, "-1,23E-100"},
        {9.9999999999999999e14, "1E+15"},  // rounding carries into the next power of ten
    };
    for (auto [v, t] : cases)
        EXPECT_EQ(text(v), t) << v;
    EXPECT_EQ(engineText(-0.02), "-0.02");
    // The largest doubles are written so that they read back.
    EXPECT_EQ(text(-std::numeric_limits<double>::max()), "-1,79769313486231E+308");
    EXPECT_TRUE(readNumber(text(1.7976931348623155e308)).has_value());

    for (auto [typed, value] : {std::pair{"0,5", 0.5}, {"  -0.5 ", -0.5}, {"2,5e+3", 2500.0}})
        EXPECT_EQ(readNumber(typed), value) << typed;
    for (const char* bad : {"", "abc", "1,2,3", "1,2.3", "- 5", "inf", "1e+", "1 000", "1e999"})
        EXPECT_FALSE(readNumber(bad).has_value()) << '"' << bad << '"';

    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(toInt<std::int16_t>(-32768.5), -32768);  // the half rounds to even and stays in range
    EXPECT_FALSE(toInt<std::int16_t>(32767.5));        // rounds to 32768: overflow, not wrap-around
    EXPECT_FALSE(toInt<std::int16_t>(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(toInt<std::int32_t>(3e9));
    EXPECT_EQ(readInt16("-20,5"), -20);
    EXPECT_FALSE(readInt16("40000"));
    std::setlocale(LC_ALL, saved.c_str());
}

// Results as a pupil writes them: digits the error could change are left off.
TEST(NumberText, ResultsShowAtMostSixTrustworthyDecimals)
{
    const std::tuple<double, double, const char*> cases[] = {
        {9, 0, "9"}, {-4.5, 1e-12, "-4,5"}, {1.0 / 3, 1e-12, "0,333333"},
        {8000.0 / 3, 1e-9, "2666,666667"}, {-1.36310776034654e-13, 2e-13, "0"},
        {2e-7, 0, "0"}, {-2e-7, 0, "0"},  // below the sixth decimal, also without a sign
        {1.9650371, 0.004, "1,97"}, {1.9650371, 0.05, "2"}, {123.4, 3, "120"}, {19.61, 0.3, "20"},
        {123456789012.3456, 1e-4, "123456789012,346"},  // no more than fifteen digits
        {4e15, 1, "4E+15"},
    };
    for (auto [value, error, shown] : cases)
        EXPECT_EQ(resultText(value, error), shown) << value << " ± " << error;
}
