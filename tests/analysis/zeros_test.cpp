#include <gtest/gtest.h>

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

TEST_F(Zeros, ReportsTheExamplesToTheDigit)
{
    const std::pair<const char*, std::string> cases[] = {
        {"(x-1)^2-2", found({"x1 = -0,41", "x2 = 2,41"})},
        {"2x-3", found({"x1 = 1,5"})},
        {"x^3", found({"x1 = 0"})},  // ±0,01 lie inside the band
        {"(x-1)^2", found({"x1 = 1", "x2 = 1,01"})},
        {"x-0.05", "keine Nullstellen gefunden"},  // inside the band
        {"x^2+1", "keine Nullstellen gefunden"},
        // The statements keep exp whole, collapse "**" and take negative x.
        {"exp(x)-2", found({"x1 = 0,69"})},
        {"2*x*x-1", found({"x1 = -0,71", "x2 = 0,71"})},
        // Undefined at 1, where the step from 0,99 lands: the left-over value is no zero.
        {"x-1+0/(x-1)", "keine Nullstellen gefunden"},
    };
    for (const auto& [term, report] : cases)
        EXPECT_EQ(press(Nullstellen_fx_Click, term), report) << term;
}

TEST_F(Zeros, SearchesTheRangeOfTheLastDrawing)
{
    press(Nullstellen_fx_Click, "x-7", "-5", "10");
    c.s.y_eingabe = "5";  // typed, not drawn
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
