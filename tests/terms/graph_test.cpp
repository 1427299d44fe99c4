#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "panel/colours.h"
#include "panel/context.h"
#include "panel/main_panel.h"
#include "support/plane_helpers.h"
#include "support/recording_ui.h"
#include "terms/graph.h"
#include "terms/redraw.h"

using namespace kw;
using kw::test::worldLines;

namespace {

constexpr Rgb kRot = rgb(200, 0, 0);
constexpr double kTol = 2e-3;  // pixel coordinates are kept as floats

class GraphPass : public ::testing::Test {
protected:
    test::RecordingUi ui;
    Context c{ui};

    void SetUp() override { mainPanelLoad(c); }

    std::vector<test::WorldLine> draw(const std::string& term)
    {
        c.s.Eingabe = term;
        zeichnen(c);
        return worldLines(c.ebene, kRot);
    }

    // The y of the graph where a drawn segment starts or ends at x.
    static std::optional<double> valueAt(const std::vector<test::WorldLine>& lines, double x)
    {
        for (const auto& l : lines) {
            if (std::fabs(l.x1 - x) < kTol)
                return l.y1;
            if (std::fabs(l.x2 - x) < kTol)
                return l.y2;
        }
        return std::nullopt;
    }
};

TEST_F(GraphPass, DrawsTheDefaultParabolaThroughNegativeX)
{
    auto lines = draw("x^2");
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_NEAR(*valueAt(lines, 2), 4, kTol);
    EXPECT_NEAR(*valueAt(lines, -2), 4, kTol);  // -2 is one number: (-2)^2
    for (const auto& l : lines) {
        if (l.x1 == l.x2)  // an edge stroke
            continue;
        EXPECT_NEAR(l.y1, l.x1 * l.x1, 0.01) << l.x1;
    }
    EXPECT_EQ(lines.front().width, 2);
    EXPECT_EQ(c.w.xterm, "1x^2");
}

TEST_F(GraphPass, FirstSegmentJoinsTheSecondAndThirdSample)
{
    auto lines = draw("x/10");
    ASSERT_EQ(lines.size(), 1999u);  // 2001 samples, the first one never joined
    EXPECT_NEAR(lines.front().x1, -19.98, kTol);
    EXPECT_NEAR(lines.front().x2, -19.96, kTol);
    EXPECT_NEAR(lines.back().x2, 20, kTol);
    EXPECT_DOUBLE_EQ(ui.progressMaximum, 40);
    EXPECT_GE(ui.progressLow, 0);
    EXPECT_LE(ui.progressHigh, 40);
}

TEST_F(GraphPass, PolesAreNotBridgedButReachTheEdges)
{
    // Walking to the right, 1/x leaves through the bottom and -1/x through the top.
    auto stroke = [](const std::vector<test::WorldLine>& lines, double end) {
        return std::any_of(lines.begin(), lines.end(), [end](auto& l) {
            return l.x1 == l.x2 && std::fabs(l.y2 - end) < kTol;
        });
    };
    for (const char* term : {"1/x", "-1/x"}) {
        auto lines = draw(term);
        for (const auto& l : lines)
            EXPECT_FALSE(l.x1 < 0 && l.x2 > 0) << "segment across the pole";
        EXPECT_TRUE(stroke(lines, term[0] == '-' ? 21 : -21)) << term;
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(GraphPass, JumpTestJudgesTheSumOfBothValues)
{
    c.s.x_eingabe = "-5";
    c.s.y_eingabe = "5";
    // 4,9 then 5,2: both in the window [-10, 10], but 10,1 ≥ 10 keeps them apart
    // and an edge stroke marks where the curve leaves through the top.
    auto lines = draw("x*100-15");
    for (const auto& l : lines) {
        if (l.x1 == l.x2)
            continue;
        EXPECT_LT(std::fabs(l.y1) + std::fabs(l.y2), 10.0 + kTol);
    }
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](auto& l) { return l.x1 == l.x2 && std::fabs(l.y2 - 6) < kTol; }));
}

TEST_F(GraphPass, AnUnsymmetricRangeNeverJoinsNegativeValues)
{
    c.s.x_eingabe = "0";
    c.s.y_eingabe = "10";
    auto lines = draw("x-5");
    ASSERT_FALSE(lines.empty());
    for (const auto& l : lines)
        EXPECT_GE(std::min(l.y1, l.y2), -kTol);
    EXPECT_GE(c.ebene.width(), 1);  // a left end of 0 still leaves a plane
}

TEST_F(GraphPass, MendedTermsEvaluateAsWrittenOnPaper)
{
    EXPECT_NEAR(*valueAt(draw("2^x"), 3), 8, kTol);
    EXPECT_NEAR(*valueAt(draw("2^-x"), 3), 0.125, kTol);
    EXPECT_NEAR(*valueAt(draw("e^x"), 1), std::exp(1.0), kTol);
    EXPECT_NEAR(*valueAt(draw("0,25x^3+0,5x^2-2"), -2), -2, kTol);
    EXPECT_NEAR(*valueAt(draw("(x-2)(4+2x)"), 0), -8, kTol);
    EXPECT_NEAR(*valueAt(draw("exp(x)*e"), 1), std::exp(2.0), kTol);
    EXPECT_NEAR(*valueAt(draw("e*exp(x)"), 1), std::exp(2.0), kTol);
    EXPECT_TRUE(valueAt(draw("1/sqr(x^2+0,1)"), -3).has_value());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(GraphPass, EveryExampleTermDrawsWithoutAMessage)
{
    for (auto term : kBeispiele) {
        ui.messages.clear();
        EXPECT_FALSE(draw(std::string(term)).empty()) << term;
        EXPECT_TRUE(ui.messages.empty()) << term << ": " << (ui.messages.empty() ? "" : ui.messages[0]);
    }
}

TEST_F(GraphPass, ReportsBadTermsOnce)
{
    for (const char* bad : {"X^2", "2X", "a*x", "x^", "sin x"}) {
        ui.messages.clear();
        EXPECT_TRUE(draw(bad).empty()) << bad;
        EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kMeldungSyntax)}) << bad;
        EXPECT_EQ(ui.titles.back(), kTitle);
    }
    ui.messages.clear();
    draw("1/(x-x)");
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kMeldungDivision)});
}

TEST_F(GraphPass, QualityZeroNegativeOrNotANumber)
{
    c.s.qualitaet_eingabe = "0";
    EXPECT_TRUE(draw("x^2").empty());
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kMeldungDivision)});
    ui.messages.clear();
    c.s.qualitaet_eingabe = "-50";
    EXPECT_TRUE(draw("x^2").empty());
    c.s.qualitaet_eingabe = "viel";
    EXPECT_TRUE(draw("x^2").empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(GraphPass, OneInvalidSampleIsSkippedAndReportedAfterTheLoop)
{
    // Only the sample next to 1,5 has a negative base under a root.
    auto lines = draw("(abs(x-1,5)-0,001)^0,5");
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kMeldungArgument)});
    EXPECT_TRUE(valueAt(lines, 1).has_value());
    EXPECT_TRUE(valueAt(lines, 10).has_value());

    // A second invalid sample ends the pass quietly; what was drawn stays.
    ui.messages.clear();
    lines = draw("(abs(x-1,5)-0,03)^0,5");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(valueAt(lines, 1).has_value());
    EXPECT_FALSE(valueAt(lines, 10).has_value());
}

TEST_F(GraphPass, HugeQualityOrRangeEndsQuickly)
{
    c.s.qualitaet_eingabe = "1e9";
    auto lines = draw("x");
    EXPECT_LE(lines.size(), 32768u);
    EXPECT_FALSE(lines.empty());

    c.s.qualitaet_eingabe = "50";
    c.s.x_eingabe = "-1000000000";
    c.s.y_eingabe = "1000000000";
    const auto before = c.ebene.items().size();
    draw("x");
    EXPECT_EQ(c.ebene.items().size(), before);  // a range beyond 16 bits draws nothing
    c.s.x_eingabe = "-20";
    c.s.y_eingabe = "40000";
    draw("x");
    EXPECT_EQ(c.ebene.items().size(), before);
}

TEST_F(GraphPass, RootAndLogTermsDrawOnlyWhereDefined)
{
    auto lines = draw("sqr(x)");
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(ui.messages.empty());
    for (const auto& l : lines)
        EXPECT_GE(std::min(l.x1, l.x2), -kTol);
    // One polyline whose first segment starts at the second valid sample (the
    // sample next to 0 lies a hair below it and fails).
    EXPECT_NEAR(lines.front().x1, 0.04, kTol);
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_NEAR(lines[i].x1, lines[i - 1].x2, kTol);
    EXPECT_NEAR(lines.back().x2, 20, kTol);

    lines = draw("sqr(4-x^2)");
    ASSERT_FALSE(lines.empty());
    for (const auto& l : lines)
        EXPECT_LE(std::max(std::fabs(l.x1), std::fabs(l.x2)), 2.0 + 0.03);

    lines = draw("ln(x)");
    ASSERT_FALSE(lines.empty());
    for (const auto& l : lines)
        EXPECT_GT(std::min(l.y1, l.y2), -20);
    EXPECT_NEAR(*valueAt(lines, 1), 0, kTol);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(GraphPass, KeepingTheOldDrawing)
{
    auto first = draw("x").size();
    loeschen_graph_check(c);
    EXPECT_TRUE(c.s.Graphloeschen_check);
    const auto axes = c.ebene.texts().size();
    auto both = draw("x^2").size();
    EXPECT_GT(both, first);
    EXPECT_EQ(c.ebene.texts().size(), axes);  // the axes are not drawn again
    loeschen_graph_check(c);
    EXPECT_FALSE(c.s.Graphloeschen_check);
    EXPECT_LT(draw("x^2").size(), both);
}

TEST_F(GraphPass, ColourNamesMapByTheListAndUnknownOnesKeepTheLast)
{
    Context fresh{ui};
    fresh.s.FarbeBox = "grün";  // lower case matches nothing: no colour yet, nothing drawn
    fresh.s.Eingabe = "x";
    zeichnen(fresh);
    EXPECT_TRUE(fresh.w.Graph_Farbe.empty());
    EXPECT_TRUE(worldLines(fresh.ebene, kRot).empty());
    EXPECT_TRUE(ui.messages.empty());

    fresh.s.FarbeBox = "Blau";
    zeichnen(fresh);
    EXPECT_EQ(fresh.w.Graph_Farbe, "9109504");
    fresh.s.FarbeBox = "Magenta";  // not offered for the graph
    zeichnen(fresh);
    EXPECT_EQ(fresh.w.Graph_Farbe, "9109504");
    EXPECT_FALSE(worldLines(fresh.ebene, rgb(0, 0, 139)).empty());
}

TEST_F(GraphPass, WidthComesFromTheWidthList)
{
    c.s.f_x_linie_staerke = "6";
    linienStaerke(c);
    auto lines = draw("x");
    EXPECT_EQ(lines.front().width, 6);
    c.s.f_x_linie_staerke = "dick";  // not a number: the width stays
    linienStaerke(c);
    EXPECT_EQ(c.s.f_Linie_staerke, 6);
}

TEST(PlaneSize, FollowsTheRangeWithinBounds)
{
    test::RecordingUi ui;
    Context c{ui};
    mainPanelLoad(c);
    c.s.Eingabe = "x";
    struct Case {
        const char *a, *b;
        int w, h;
    } const cases[] = {
        {"-10", "30", 600, 1800},    {"-200", "200", 2400, 2400}, {"-80", "80", 1200, 1200},
        {"-20,4", "20,4", 1200, 1200}, {"-10", "10", 600, 600},   {"-1000", "1000", 9600, 9600},
        {"0", "10", 1, 600},         {"-20", "0", 1200, 1},       {"-20", "-5", 1200, 1},
    };
    for (const auto& k : cases) {
        c.s.x_eingabe = k.a;
        c.s.y_eingabe = k.b;
        zeichnen(c);
        EXPECT_EQ(c.ebene.width(), k.w) << k.a << " " << k.b;
        EXPECT_EQ(c.ebene.height(), k.h) << k.a << " " << k.b;
    }
    // The default range keeps whatever size the plane has.
    c.s.x_eingabe = "-20";
    c.s.y_eingabe = "20";
    zeichnen(c);
    EXPECT_EQ(c.w.sizey, 1200);
    EXPECT_EQ(c.ebene.height(), 1);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(MainPanel, KeepsTheNineMostRecentTerms)
{
    test::RecordingUi ui;
    Context c{ui};
    mainPanelLoad(c);
    for (int i = 1; i <= 11; ++i) {
        c.s.Eingabe = std::to_string(i) + "x";
        zeichnen(c);
    }
    ASSERT_EQ(c.s.EingabeListe.size(), 9u);
    EXPECT_EQ(c.s.EingabeListe.front(), "3x");
    EXPECT_EQ(c.s.EingabeListe.back(), "11x");
}

TEST(MainPanel, StartsWithAnExampleAndTheEmptyPlane)
{
    test::RecordingUi ui;
    Context c{ui};
    mainPanelLoad(c);
    EXPECT_NE(std::find(kBeispiele.begin(), kBeispiele.end(), c.s.Eingabe), kBeispiele.end());
    EXPECT_EQ(ui.status[3], "Zoom: 100%");
    EXPECT_EQ(c.s.X, -20);
    EXPECT_EQ(c.s.Y, 20);
    EXPECT_FALSE(c.ebene.items().empty());
    EXPECT_TRUE(worldLines(c.ebene, kRot).empty());
}

TEST(MainPanel, ResetDrawsTheEmptyPlaneAndSetsTheProgressBar)
{
    test::RecordingUi ui;
    Context c{ui};
    mainPanelLoad(c);
    c.s.Eingabe = "x";
    zeichnen(c);
    c.s.x_eingabe = "-5";
    c.s.y_eingabe = "10";
    reset(c);
    EXPECT_EQ(ui.progressMaximum, 15);
    EXPECT_EQ(ui.progressValue, 0);
    EXPECT_TRUE(worldLines(c.ebene, kRot).empty());
    EXPECT_FALSE(c.ebene.items().empty());
}

}  // namespace
