#include <gtest/gtest.h>

#include "analysis/extrema.h"
#include "panel/context.h"
#include "panel/main_panel.h"
#include "support/stopping_ui.h"

using namespace kw;

namespace {

class Extrema : public ::testing::Test {
protected:
    test::StoppingUi ui;
    Context c{ui};

    void SetUp() override { mainPanelLoad(c); }

    void draw(const std::string& term, const char* from = "-20", const char* to = "20")
    {
        c.s.Eingabe = term;
        c.s.x_eingabe = from;
        c.s.y_eingabe = to;
        zeichnen(c);
        ui.messages.clear();
    }

    std::string extrema(const std::string& term)
    {
        draw(term);
        Extrema_butt_Click(c);
        EXPECT_EQ(ui.messages.size(), 1u);
        return ui.messages.empty() ? "" : ui.messages.back();
    }

    std::string wendepunkte(const std::string& term, const char* from = "-20",
                            const char* to = "20")
    {
        draw(term, from, to);
        S_and_W_punkte_Click(c);
        EXPECT_EQ(ui.messages.size(), 1u);
        return ui.messages.empty() ? "" : ui.messages.back();
    }

    static std::string point(const char* where, const char* kind)
    {
        return "An der Stelle P (" + std::string(where) + ") hat f(x) ein " + kind + "\r\n";
    }
};

}  // namespace

TEST_F(Extrema, ReportsTheExamplesToTheDigit)
{
    EXPECT_EQ(extrema("(x-1)^3-3*(x-1)"), "Gefundene Lokale Extrema: \r\n" +
                                              point("0 | 2", "Hochpunkt") +
                                              point("2 | -2", "Tiefpunkt"));
    EXPECT_EQ(extrema("(x-1)^2"), "Gefundene Lokale Extrema: \r\n" + point("1 | 0", "Tiefpunkt"));
    EXPECT_EQ(extrema("0,5*x^3-2*x^2-x+4"), "Gefundene Lokale Extrema: \r\n" +
                                                point("-0,23 | 4,12", "Hochpunkt") +
                                                point("2,9 | -3,53", "Tiefpunkt"));
    EXPECT_EQ(extrema("exp(-x^2)"), "Gefundene Lokale Extrema: \r\n" + point("0 | 1", "Hochpunkt"));
}

TEST_F(Extrema, MissesFlatExtremaAndTerracePoints)
{
    EXPECT_EQ(extrema("0.01*(x-1)^2"), "keine Extrema gefunden");  // f'' = 0,02
    EXPECT_EQ(extrema("(x-1)^3"), "keine Extrema gefunden");
    EXPECT_EQ(extrema("2x-3"), "keine Extrema gefunden");
}

TEST_F(Extrema, TellsTerracePointsFromInflectionPoints)
{
    const std::string heading = "Gefundene Terassen- und Wendepunkte: \r\n";
    EXPECT_EQ(wendepunkte("(x-1)^3"), heading + point("1 | 0", "Terassenpunkt"));
    EXPECT_EQ(wendepunkte("x^3"), heading + point("0 | 0", "Terassenpunkt"));
    EXPECT_EQ(wendepunkte("(x-1)^3-3*(x-1)"), heading + point("1 | 0", "Wendepunkt"));
    EXPECT_EQ(wendepunkte("x^4-2x^2"),
              heading + point("-0,58 | -0,56", "Wendepunkt") + point("0,58 | -0,56", "Wendepunkt"));
    EXPECT_EQ(wendepunkte("exp(-x^2)"),
              heading + point("-0,71 | 0,6", "Wendepunkt") + point("0,71 | 0,6", "Wendepunkt"));
}

TEST_F(Extrema, ReportsNoInflectionPointsWhereThereAreNone)
{
    EXPECT_EQ(wendepunkte("(x-1)^2"), "keine Terassen- bzw. Wendepunkte gefunden");
    // f'' = 0 everywhere: its quotients are rounding noise, not inflection points.
    EXPECT_EQ(wendepunkte("2x-3"), "keine Terassen- bzw. Wendepunkte gefunden");
    EXPECT_EQ(wendepunkte("x-0.05"), "keine Terassen- bzw. Wendepunkte gefunden");
    // x^4 is flat at 0, but does not change its bend there.
    EXPECT_EQ(wendepunkte("x^4"), "keine Terassen- bzw. Wendepunkte gefunden");
}

TEST_F(Extrema, InflectionPointsMustLieWithinTheHeightOfTheRange)
{
    EXPECT_EQ(wendepunkte("(x-1)^3-3*(x-1)+25"), "keine Terassen- bzw. Wendepunkte gefunden");
    EXPECT_EQ(wendepunkte("(x-1)^3-3*(x-1)+25", "-30", "30"),
              "Gefundene Terassen- und Wendepunkte: \r\n" + point("1 | 25", "Wendepunkt"));
}

TEST_F(Extrema, EachButtonShowsOnlyItsOwnReport)
{
    draw("(x-1)^3-3*(x-1)");
    Extrema_butt_Click(c);
    S_and_W_punkte_Click(c);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_TRUE(ui.messages[0].starts_with("Gefundene Lokale Extrema: "));
    EXPECT_TRUE(ui.messages[1].starts_with("Gefundene Terassen- und Wendepunkte: "));
    EXPECT_FALSE(c.s.extrema_test);
    EXPECT_FALSE(c.s.s_and_w_test);

    // Both flags at once: one walk, both reports.
    c.s.extrema_test = c.s.s_and_w_test = true;
    kw::Extrema(c);
    ASSERT_EQ(ui.messages.size(), 4u);
    EXPECT_EQ(ui.messages[2], ui.messages[0]);
    EXPECT_EQ(ui.messages[3], ui.messages[1]);
}

TEST_F(Extrema, NeverReportsWhereTheTermIsUndefined)
{
    // Around 0 the statements fail; nothing may be reported from left-over values.
    EXPECT_EQ(extrema("(x-1)^2+0/(x-1)"), "keine Extrema gefunden");  // a hole at 1
    EXPECT_EQ(extrema("1/x^2"), "keine Extrema gefunden");
    EXPECT_EQ(extrema("ln(x^2)"), "keine Extrema gefunden");
    EXPECT_EQ(extrema("x*ln(x)"), "Gefundene Lokale Extrema: \r\n" +
                                      point("0,37 | -0,37", "Tiefpunkt"));
}

TEST_F(Extrema, AStoppedSearchSaysSoInItsReport)
{
    draw("(x+19.9)^2");
    ui.stopAfter = 0;
    Extrema_butt_Click(c);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Gefundene Lokale Extrema: \r\n" + point("-19,9 | 0", "Tiefpunkt") +
                                  "\r\nDie Suche wurde abgebrochen. Durchsucht wurde nur der "
                                  "Bereich von x = -20 bis x = -19,85.");
}
