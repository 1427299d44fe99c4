#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/zeros.h"
#include "support/stopping_ui.h"

using namespace kw;

namespace {

using Zeros = test::SearchTest;

std::string found(std::initializer_list<const char*> lines)
{
    std::string s = "Gefundene Nullstelen \r\n";
    for (const char* l : lines)
        s += std::string(l) + "\r\n";
    return s;
}

// The worked examples to the digit; each zero once, also where it lies midway
// between two grid points (then at the smaller x) and near 0; none where f only
// comes close. Each as the search finds it and as the report says it.
TEST_F(Zeros, EachZeroOnceToTheDigitAndNoneThatIsNot)
{
    struct Case {
        const char* term;
        const char *from, *to;
        std::vector<double> zeros;
        std::string report;
    };
    const std::string none = "keine Nullstellen gefunden";
    const Case cases[] = {
        {"(x-1)^2-2", "-20", "20", {-0.41, 2.41}, found({"x1 = -0,41", "x2 = 2,41"})},
        {"2x-3", "-20", "20", {1.5}, found({"x1 = 1,5"})},
        {"x^3", "-20", "20", {0}, found({"x1 = 0"})},  // -0,01 to 0,01 are one cluster
        {"x^2+1", "-20", "20", {}, none},
        {"0", "-20", "20", {}, none},  // 0 everywhere: no point is one
        // The statements keep exp whole, collapse "**" and take negative x.
        {"exp(x)-2", "-20", "20", {0.69}, found({"x1 = 0,69"})},
        {"2*x*x-1", "-20", "20", {-0.71, 0.71}, found({"x1 = -0,71", "x2 = 0,71"})},
        // Undefined at 1, where the step from 0,99 lands: the left-over value is no zero.
        {"x-1+0/(x-1)", "-20", "20", {}, none},
        {"x-2,345", "-20", "20", {2.34}, found({"x1 = 2,34"})},
        {"x-8,345", "-20", "20", {8.34}, found({"x1 = 8,34"})},
        {"x-3,125", "-20", "20", {3.12}, found({"x1 = 3,12"})},
        {"x-1,005", "-20", "20", {1}, found({"x1 = 1"})},
        {"x-0.05", "-20", "20", {0.05}, found({"x1 = 0,05"})},
        {"sin(x)+0,1", "-1", "1", {-0.1}, found({"x1 = -0,1"})},
        {"(x-1)^2", "-20", "20", {1}, found({"x1 = 1"})},  // a double zero
        {"x^100", "-2", "2", {0}, found({"x1 = 0"})},
        {"exp(300x)", "-2", "2", {}, none},
        // Poles, where f jumps across 0 between two grid points.
        {"1/(x-0,005)", "-20", "20", {}, none},
        {"tan(x)", "-2", "2", {0}, found({"x1 = 0"})},
    };
    for (const Case& z : cases) {
        EXPECT_EQ(press(Nullstellen_fx_Click, z.term, z.from, z.to), z.report) << z.term;
        EXPECT_EQ(findZeros(c.drawing.xterm, c.state.picture.X, c.state.picture.Y, nullptr).points, z.zeros) << z.term;
    }
    EXPECT_NE(press(Nullstellen_fx_Click, "sin(x)+0,1").find("x7 = -0,1\r\nx8 = 3,24\r\n"),
              std::string::npos);
}

TEST_F(Zeros, SearchesTheRangeOfTheLastDrawing)
{
    press(Nullstellen_fx_Click, "x-7", "-5", "10");
    c.state.main.y_eingabe = "5";  // typed, not drawn
    Nullstellen_fx_Click(c);
    EXPECT_EQ(ui.messages.back(), found({"x1 = 7"}));
}

TEST_F(Zeros, AStoppedSearchReportsWhatItFoundSoFar)
{
    ui.stopAfter = 0;  // Esc at the first look up, after 16 points
    EXPECT_EQ(press(Nullstellen_fx_Click, "x+19.9"),
              found({"x1 = -19,9"}) + "\r\nDie Suche wurde abgebrochen. Durchsucht wurde nur der "
                                      "Bereich von x = -20 bis x = -19,85.");
    EXPECT_EQ(ui.ended, 1);  // the panel leaves search mode
}

}  // namespace
