#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

#include "terms/numtext.h"

using namespace kw;

TEST(NumberText, GeneralFormWithFifteenDigitsAndDecimalComma)
{
    EXPECT_EQ(text(0.5), "0,5");
    EXPECT_EQ(text(-19.98), "-19,98");
    EXPECT_EQ(text(2), "2");
    EXPECT_EQ(text(-0.0), "0");
    EXPECT_EQ(text(0.000456), "0,000456");
    EXPECT_EQ(text(1.0 / 3), "0,333333333333333");
    EXPECT_EQ(text(2.0 / 3), "0,666666666666667");
    EXPECT_EQ(text(123456789012345.0), "123456789012345");
    EXPECT_EQ(text(0.1 + 0.2), "0,3");            // 15 digits hide the binary noise
    EXPECT_EQ(text(-20 + 0.02 * 3), "-19,94");
    // Accumulated steps land near, not on, zero.
    EXPECT_EQ(text(-3.5527136788005009e-15), "-3,5527136788005E-15");
}

TEST(NumberText, ExponentFormAtTheGeneralFormatsThresholds)
{
    EXPECT_EQ(text(1e-5), "1E-05");
    EXPECT_EQ(text(0.0001), "0,0001");
    EXPECT_EQ(text(1.5e-5), "1,5E-05");
    EXPECT_EQ(text(1e15), "1E+15");
    EXPECT_EQ(text(999999999999999.0), "999999999999999");
    EXPECT_EQ(text(2.5e15), "2,5E+15");
    EXPECT_EQ(text(1e100), "1E+100");
    EXPECT_EQ(text(-1.23e-100), "-1,23E-100");
    // Rounding to 15 digits can carry into the next power of ten.
    EXPECT_EQ(text(9.9999999999999999e14), "1E+15");
    EXPECT_EQ(engineText(-0.02), "-0.02");
    EXPECT_EQ(engineText(1e-5), "1E-05");
}

TEST(NumberText, RoundTripsThroughTheReader)
{
    for (double v : {0.1, -19.98, 1e-5, 123.456, 2.5e15, -7.3, 1.0 / 3})
        EXPECT_NEAR(*readNumber(text(v)), v, std::fabs(v) * 1e-14) << v;
}

TEST(NumberText, ReadsCommaOrPointWithBlanksAndNothingElse)
{
    EXPECT_EQ(readNumber("0,5"), 0.5);
    EXPECT_EQ(readNumber("0.5"), 0.5);
    EXPECT_EQ(readNumber("  -20 "), -20);
    EXPECT_EQ(readNumber("+3"), 3);
    EXPECT_EQ(readNumber(",5"), 0.5);
    EXPECT_EQ(readNumber("5,"), 5);
    EXPECT_EQ(readNumber("1E-05"), 1e-5);
    EXPECT_EQ(readNumber("2,5e+3"), 2500);
    for (const char* bad : {"", " ", "abc", "1,2,3", "1.2.3", "1,2.3", "- 5", "5-", "inf", "nan",
                            "0x10", "1E", "1e+", "--1", "-u", "+u", ",", "1 000", "1e999"})
        EXPECT_FALSE(readNumber(bad).has_value()) << '"' << bad << '"';
}

TEST(NumberText, IgnoresTheCLocale)
{
    // Qt sets the C locale from the system; a German one must change nothing.
    const char* old = std::setlocale(LC_ALL, nullptr);
    std::string saved = old ? old : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE"))
        GTEST_SKIP() << "no German locale installed";
    EXPECT_EQ(text(0.5), "0,5");
    EXPECT_EQ(engineText(0.5), "0.5");
    EXPECT_EQ(readNumber("1.5"), 1.5);
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(NumberText, RoundsHalvesToEvenAndReportsOverflow)
{
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.6), 3);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(-32768.5), -32768);  // halves to even stay in range
    EXPECT_FALSE(toInt16(32767.5));        // rounds to 32768
    EXPECT_FALSE(toInt16(40000));
    EXPECT_FALSE(toInt16(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(toInt32(3e9));
    EXPECT_EQ(toInt32(1320.5), 1320);
    EXPECT_EQ(readInt16("-20,5"), -20);
    EXPECT_FALSE(readInt16("40000"));
    EXPECT_FALSE(readInt16("zwanzig"));
}
