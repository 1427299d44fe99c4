#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "panel/analysis_panel.h"
#include "panel/context.h"
#include "panel/main_panel.h"
#include "special/piecewise.h"
#include "support/plane_helpers.h"
#include "support/recording_ui.h"
#include "terms/graph.h"

using namespace kw;
using kw::test::worldLines;
using kw::test::worldPoints;

namespace {

constexpr Rgb kRot = rgb(200, 0, 0);

class Sections : public ::testing::Test {
protected:
    test::RecordingUi ui;
    Context c{ui};

    void SetUp() override
    {
        mainPanelLoad(c);
        ad_funktion_click(c);
    }

    std::vector<std::pair<double, double>> section(const char* term, const char* from,
                                                   const char* to)
    {
        c.s.Linker_Bereich = from;
        c.s.Rechter_Bereich = to;
        linkerBereichGeaendert(c.s);
        rechterBereichGeaendert(c.s);
        c.s.Eingabe = term;
        zeichnen(c);
        return worldPoints(c.ebene, kRot);
    }
};

TEST_F(Sections, TheSwitchCountsClicksAndDoesNotRedraw)
{
    EXPECT_EQ(c.s.form3_click_Zaehler_AD, 1);
    EXPECT_TRUE(c.s.ad_funktion_test);
    const int redraws = ui.planeChanges;
    ad_funktion_click(c);
    EXPECT_EQ(c.s.form3_click_Zaehler_AD, 2);
    EXPECT_FALSE(c.s.ad_funktion_test);
    EXPECT_EQ(ui.planeChanges, redraws);
}

TEST_F(Sections, OrdinaryTermsArePointsInsideTheSectionWhateverTheirValue)
{
    auto points = section("x^2", "-1", "2");
    // -1 to 2 in steps of 0,02, added up: the last step lands a hair beyond 2.
    ASSERT_EQ(points.size(), 150u);
    for (auto [x, y] : points) {
        EXPECT_GE(x, -1 - 1e-3);
        EXPECT_LE(x, 2 + 1e-3);
        EXPECT_NEAR(y, x * x, 2e-3);
    }
    EXPECT_TRUE(worldLines(c.ebene, kRot).empty());  // never joined
    EXPECT_EQ(c.s.X, -1);  // the overlays that follow use the section
    EXPECT_EQ(c.s.Y, 2);

    // Values far outside the window are still drawn (those the plane can hold).
    points = section("x*10", "-u", "+u");
    EXPECT_EQ(points.size(), 2001u);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Sections, EmptyBoundsUseTheWholeRange)
{
    EXPECT_EQ(section("x", "", "").size(), 2001u);
    EXPECT_EQ(c.s.X, -20);
    EXPECT_EQ(c.s.Y, 20);
}

TEST_F(Sections, PointsWhereFIsUndefinedAreLeftOut)
{
    auto points = section("(x)^0,5", "-u", "+u");
    ASSERT_FALSE(points.empty());
    for (auto [x, y] : points)
        EXPECT_GE(x, -1e-6);
    EXPECT_TRUE(ui.messages.empty());

    // A bound that is not a number ends the pass without a drawing.
    EXPECT_TRUE(section("x", "links", "+u").empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Sections, RootTermsStayInsideTheBounds)
{
    auto points = section("sqr(x)", "0", "+u");
    ASSERT_FALSE(points.empty());
    for (auto [x, y] : points) {
        EXPECT_GT(x, 0);
        EXPECT_LE(x, 20 + 1e-3);
        EXPECT_GT(y, 0);
        EXPECT_NEAR(y, std::sqrt(x), 2e-3);
    }
    EXPECT_NEAR(std::max_element(points.begin(), points.end())->first, 20, 1e-3);

    // Empty bounds: the range, and values inside it.
    points = section("sqr(x)*5", "", "");
    ASSERT_FALSE(points.empty());
    for (auto [x, y] : points)
        EXPECT_LT(y, 20);
    EXPECT_LT(std::max_element(points.begin(), points.end())->first, 16.01);

    // A bound that is not a number leaves the range's end for that side.
    points = section("log(x)", "1", "bis");
    ASSERT_FALSE(points.empty());
    EXPECT_GT(std::min_element(points.begin(), points.end())->first, 1);
    EXPECT_NEAR(std::max_element(points.begin(), points.end())->first, 20, 1e-3);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Sections, KeptDrawingsCollectTheSections)
{
    loeschen_graph_check(c);
    section("x^2", "-u", "0");
    const auto first = worldPoints(c.ebene, kRot).size();
    auto both = section("x", "0", "+u");
    EXPECT_EQ(both.size(), first + 1001);
    EXPECT_TRUE(std::any_of(both.begin(), both.end(), [](auto p) {
        return std::fabs(p.first + 3) < 1e-3 && std::fabs(p.second - 9) < 1e-3;
    }));
    EXPECT_TRUE(std::any_of(both.begin(), both.end(), [](auto p) {
        return std::fabs(p.first - 3) < 1e-3 && std::fabs(p.second - 3) < 1e-3;
    }));
}

TEST(SectionBounds, MarksNumbersAndEmptyTexts)
{
    double end = 7;
    EXPECT_TRUE(applyBound("", "-u", end));
    EXPECT_TRUE(applyBound("-u", "-u", end));
    EXPECT_TRUE(applyBound(" +u ", "+u", end));
    EXPECT_EQ(end, 7);
    EXPECT_FALSE(applyBound("+u", "-u", end));
    EXPECT_EQ(end, 7);
    EXPECT_TRUE(applyBound("-2,5", "-u", end));
    EXPECT_EQ(end, -2.5);
}

}  // namespace
