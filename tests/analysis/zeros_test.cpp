#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/zeros.h"
#include "support/stopping_ui.h"
#include "terms/normalize.h"

using namespace kw;

namespace {

using Zeros = test::SearchTest;

// The worked examples to the digit; each zero once, also where it lies midway
// between two grid points (then at the smaller x) and near 0; none where f only
// comes close.
TEST_F(Zeros, EachZeroOnceToTheDigitAndNoneThatIsNot)
{
    const std::tuple<const char*, double, double, std::vector<double>> cases[] = {
        {"(x-1)^2-2", -20, 20, {-0.41, 2.41}}, {"2x-3", -20, 20, {1.5}},
        {"x^3", -20, 20, {0}},  // -0,01 to 0,01 are one cluster
        {"x^2+1", -20, 20, {}}, {"0", -20, 20, {}},  // 0 everywhere: no point is one
        // The statements keep exp whole, collapse "**" and take negative x.
        {"exp(x)-2", -20, 20, {0.69}}, {"2*x*x-1", -20, 20, {-0.71, 0.71}},
        // Undefined at 1, where the step from 0,99 lands: the left-over value is no zero.
        {"x-1+0/(x-1)", -20, 20, {}},
        {"x-2,345", -20, 20, {2.34}}, {"x-8,345", -20, 20, {8.34}}, {"x-3,125", -20, 20, {3.12}},
        {"x-1,005", -20, 20, {1}}, {"x-0.05", -20, 20, {0.05}}, {"sin(x)+0,1", -1, 1, {-0.1}},
        {"(x-1)^2", -20, 20, {1}},  // a double zero
        {"x^100", -2, 2, {0}}, {"exp(300x)", -2, 2, {}},
        {"e^(-x^2)*x^2", -50, 50, {0}},  // 0 beyond 27,3 by underflow only
        // At 6,25pi = 19,63495…, where |f| is smaller at the grid point 19,64.
        {"sin(x)+cos(3x)", 19, 20, {19.63}},
        // Poles, where f jumps across 0 between two grid points.
        {"1/(x-0,005)", -20, 20, {}}, {"tan(x)", -2, 2, {0}},
    };
    for (const auto& [term, from, to, zeros] : cases)
        EXPECT_EQ(findZeros(string_richten(term), from, to, nullptr).points, zeros) << term;
}

// The report numbers the zeros or says there are none; it searches the range
// of the last drawing, not what was typed since.
TEST_F(Zeros, ReportsTheRangeOfTheLastDrawing)
{
    EXPECT_EQ(press(Nullstellen_fx_Click, "x^2+1"), "keine Nullstellen gefunden");
    EXPECT_NE(press(Nullstellen_fx_Click, "sin(x)+0,1").find("x7 = -0,1\r\nx8 = 3,24\r\n"),
              std::string::npos);
    press(Nullstellen_fx_Click, "x-7", "-5", "10");
    c.state.main.y_eingabe = "5";  // typed, not drawn
    Nullstellen_fx_Click(c);
    EXPECT_EQ(ui.messages.back(), "Gefundene Nullstelen \r\nx1 = 7\r\n");
}

TEST_F(Zeros, AStoppedSearchReportsWhatItFoundSoFar)
{
    ui.stopAfter = 0;  // Esc at the first look up, after 16 points
    EXPECT_EQ(press(Nullstellen_fx_Click, "x+19.9"),
              "Gefundene Nullstelen \r\nx1 = -19,9\r\n\r\nDie Suche wurde abgebrochen. Durchsucht "
              "wurde nur der Bereich von x = -20 bis x = -19,85.");
    EXPECT_EQ(ui.ended, 1);  // the panel leaves search mode
}

}  // namespace
