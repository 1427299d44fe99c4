#include <gtest/gtest.h>

#include <cmath>

#include "analysis/zeros.h"
#include "panel/context.h"
#include "panel/main_panel.h"
#include "support/stopping_ui.h"
#include "terms/difference_quotient.h"
#include "terms/engine.h"
#include "terms/normalize.h"
#include "terms/numtext.h"

using namespace kw;

namespace {

class Zeros : public ::testing::Test {
protected:
    test::StoppingUi ui;
    Context c{ui};

    void SetUp() override { mainPanelLoad(c); }

    // Draws the term with the range, then presses the button.
    std::string search(const std::string& term, const char* from = "-20", const char* to = "20")
    {
        c.s.Eingabe = term;
        c.s.x_eingabe = from;
        c.s.y_eingabe = to;
        zeichnen(c);
        ui.messages.clear();
        Nullstellen_fx_Click(c);
        EXPECT_EQ(ui.messages.size(), 1u);
        return ui.messages.empty() ? "" : ui.messages.back();
    }

    static std::string found(std::initializer_list<const char*> lines)
    {
        std::string s = "Gefundene Nullstelen \r\n";
        for (const char* l : lines)
            s += std::string(l) + "\r\n";
        return s;
    }
};

// The search done the slow way, with every replacement applied to whole texts
// one after the other: the fast statements must give the same report.
std::string plainSearch(const std::string& xterm, double X, double Y)
{
    auto replaced = [](std::string s, std::string_view from, std::string_view to) {
        replaceAll(s, from, to);
        return s;
    };
    const std::string masked = replaced(xterm, "exp", "eyp");
    const std::string q = firstQuotient(masked);
    std::string result;
    int counter = 1;
    double zahl6 = 0;
    for (double x = X; x <= Y;) {
        const std::string at = "*" + text(x);
        std::string d = replaced(replaced(replaced(q, "x", at), ",", "."), "**", "*");
        std::string f = replaced(replaced(masked, "x", at), ",", ".");
        std::string n = text(x) + "-(" + "(" + f + ")" + "/" + "(" + d + "))";
        n = replaced(replaced(n, ",", "."), "eyp", "exp");
        const bool ok = Engine::evaluate(n, zahl6) == err::None;
        zahl6 = round2(zahl6);
        x = round2(x);
        if (ok && zahl6 == x && !(-0.1 <= zahl6 && zahl6 <= 0.1 && x != 0))
            result += "x" + text(counter++) + " = " + text(x) + "\r\n";
        x = x + 0.01;
    }
    return result.empty() ? "keine Nullstellen gefunden" : "Gefundene Nullstelen \r\n" + result;
}

}  // namespace

TEST_F(Zeros, ReportsTheExamplesToTheDigit)
{
    EXPECT_EQ(search("(x-1)^2-2"), found({"x1 = -0,41", "x2 = 2,41"}));
    EXPECT_EQ(ui.titles.back(), "Kurvenwerk");
    EXPECT_EQ(search("2x-3"), found({"x1 = 1,5"}));
    EXPECT_EQ(search("x^3"), found({"x1 = 0"}));  // ±0,01 lie inside the band
    EXPECT_EQ(search("(x-1)^2"), found({"x1 = 1", "x2 = 1,01"}));
}

TEST_F(Zeros, ReportsNothingFound)
{
    EXPECT_EQ(search("x-0.05"), "keine Nullstellen gefunden");  // inside the band
    EXPECT_EQ(search("x^2+1"), "keine Nullstellen gefunden");
    EXPECT_EQ(search("x-30"), "keine Nullstellen gefunden");  // outside the range
}

TEST_F(Zeros, NeverReportsAPointWhereTheNewtonStepFails)
{
    // At 0 the logarithm is undefined; the value left over from -0,01 is 0.
    EXPECT_EQ(search("ln(x)-1"), found({"x1 = 2,72"}));
}

TEST_F(Zeros, SearchesTheRangeOfTheLastDrawing)
{
    search("x-7", "-5", "10");
    c.s.y_eingabe = "5";  // typed, not drawn
    ui.messages.clear();
    Nullstellen_fx_Click(c);
    EXPECT_EQ(ui.messages.back(), found({"x1 = 7"}));

    // A start off the grid: the first step at -2,505 itself, then -2,5 + 0,01 …
    EXPECT_EQ(search("x+2.5", "-2.505", "3"), found({"x1 = -2,5"}));
}

TEST_F(Zeros, FastStatementsGiveThePlainReport)
{
    for (const char* term : {"exp(x)-2", "0,5*x^3-2*x^2-x+4", "sin(x)", "(x^3)/(x-2)",
                             "exp(0,003x^3)+exp(2x^1)-exp(x)-3", "2*x*x-1"}) {
        const std::string report = search(term, "-7.5", "6");
        EXPECT_EQ(report, plainSearch(string_richten(term), -7.5, 6)) << term;
    }
}

TEST_F(Zeros, AStoppedSearchReportsWhatItFoundSoFar)
{
    ui.stopAfter = 0;  // Esc at the first look up, after 16 points
    EXPECT_EQ(search("x+19.9"), found({"x1 = -19,9"}) +
                                    "\r\nDie Suche wurde abgebrochen. Durchsucht wurde nur der "
                                    "Bereich von x = -20 bis x = -19,85.");
    EXPECT_EQ(ui.started, 1);
    EXPECT_EQ(ui.ended, 1);
}

TEST_F(Zeros, AHugeRangeEndsBySearchingOnlyAPart)
{
    c.s.Eingabe = "x-3";
    zeichnen(c);
    c.s.X = 1e6;
    c.s.Y = 1e9;
    const std::string report = nullstellenBericht(c, {.maxPoints = 1000});
    EXPECT_EQ(report, "keine Nullstellen gefunden\r\n\r\nDie Suche wurde nach 1.000 Rasterpunkten "
                      "beendet. Durchsucht wurde nur der Bereich von x = 1000000 bis x = "
                      "1000009,99. Bitte wählen Sie einen kleineren x Bereich.");
}
