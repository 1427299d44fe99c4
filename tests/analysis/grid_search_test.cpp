#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <vector>

#include "analysis/grid_search.h"
#include "support/stopping_ui.h"

using namespace kw;

namespace {

std::vector<GridPoint> walk(Grid& grid)
{
    std::vector<GridPoint> points;
    for (GridPoint p; grid.next(p);)
        points.push_back(p);
    return points;
}

}  // namespace

TEST(Round2, RoundsHalvesToEvenAndLeavesHugeValues)
{
    EXPECT_EQ(round2(0.125), 0.12);
    EXPECT_EQ(round2(0.135), 0.14);
    EXPECT_EQ(round2(-0.125), -0.12);
    EXPECT_EQ(round2(2.41422), 2.41);
    EXPECT_EQ(round2(1.00511), 1.01);
    EXPECT_EQ(round2(-19.990000000000002), -19.99);
    EXPECT_EQ(round2(1e300), 1e300);
    EXPECT_TRUE(std::isnan(round2(NAN)));
}

TEST(BandRule, OnlyZeroItselfCountsInsideTheBand)
{
    EXPECT_TRUE(bandRejects(0.05, 0.05));
    EXPECT_TRUE(bandRejects(0.1, 0.1));
    EXPECT_TRUE(bandRejects(-0.1, -0.1));
    EXPECT_FALSE(bandRejects(0, 0));
    EXPECT_FALSE(bandRejects(0.11, 0.11));
    EXPECT_TRUE(staysPut(2.41, 2.41));
    EXPECT_FALSE(staysPut(2.41, 2.42));
    EXPECT_FALSE(staysPut(0.05, 0.05));
}

TEST(Grid, WalksTheDefaultRangeWithoutDrift)
{
    Grid grid(-20, 20, nullptr);
    auto points = walk(grid);
    ASSERT_EQ(points.size(), 4001u);
    EXPECT_EQ(grid.end(), GridEnd::Done);
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(points[i].x, round2(-20 + 0.01 * double(i))) << i;
        EXPECT_EQ(points[i].x, round2(points[i].at));
    }
    EXPECT_EQ(points.back().x, 20);
    EXPECT_TRUE(endNote(grid).empty());
}

TEST(Grid, TakesTheFirstStepAtTheUnroundedStart)
{
    Grid grid(-0.025, 0.02, nullptr);
    auto points = walk(grid);
    ASSERT_EQ(points.size(), 5u);
    EXPECT_EQ(points[0].at, -0.025);
    EXPECT_EQ(points[0].x, -0.02);  // halves to even
    EXPECT_EQ(points[1].x, -0.01);
    EXPECT_EQ(points[4].x, 0.02);

    Grid backwards(1, -1, nullptr);
    EXPECT_TRUE(walk(backwards).empty());
    Grid nothing(NAN, 1, nullptr);
    EXPECT_TRUE(walk(nothing).empty());
}

TEST(Grid, EndsWhereStepsNoLongerAdvance)
{
    Grid grid(1e15, 2e15, nullptr);
    EXPECT_EQ(walk(grid).size(), 1u);
    EXPECT_EQ(grid.end(), GridEnd::Stalled);
    EXPECT_EQ(endNote(grid),
              "Die Suche wurde bei x = 1E+15 beendet, weil sich so große x Werte nicht mehr in "
              "Schritten von 0,01 durchlaufen lassen.");

    // Somewhat smaller x still move, though no longer by 0.01 exactly.
    Grid large(3e13, 4e13, nullptr, {.maxPoints = 1000});
    auto points = walk(large);
    ASSERT_GT(points.size(), 1u);
    for (std::size_t i = 1; i < points.size(); ++i)
        ASSERT_GT(points[i].x, points[i - 1].x);
}

TEST(Grid, EndsAfterTheMostPointsAndSaysSo)
{
    Grid grid(0, 1000, nullptr, {.maxPoints = 100});
    EXPECT_EQ(walk(grid).size(), 100u);
    EXPECT_EQ(grid.end(), GridEnd::Limit);
    EXPECT_EQ(endNote(grid),
              "Die Suche wurde nach 100 Rasterpunkten beendet. Durchsucht wurde nur der Bereich "
              "von x = 0 bis x = 0,99. Bitte wählen Sie einen kleineren x Bereich.");

    // A range of exactly that many points is simply done.
    Grid exact(0, 0.99, nullptr, {.maxPoints = 100});
    EXPECT_EQ(walk(exact).size(), 100u);
    EXPECT_EQ(exact.end(), GridEnd::Done);
}

TEST(Grid, StopsWhenAskedAndSaysHowFarItGot)
{
    test::StoppingUi ui;
    ui.stopAfter = 2;
    {
        Grid grid(-20, 20, &ui);
        EXPECT_EQ(ui.started, 1);
        auto points = walk(grid);
        EXPECT_EQ(grid.end(), GridEnd::Stopped);
        EXPECT_EQ(ui.asked, 3);
        EXPECT_EQ(points.size(), 48u);  // asked every 16 points
        EXPECT_EQ(endNote(grid), "Die Suche wurde abgebrochen. Durchsucht wurde nur der Bereich "
                                 "von x = -20 bis x = -19,53.");
        EXPECT_EQ(withEndNote("keine Nullstellen gefunden", grid),
                  "keine Nullstellen gefunden\r\n\r\n" + endNote(grid));
        EXPECT_EQ(withEndNote("Gefundene Nullstelen \r\nx1 = 1\r\n", grid),
                  "Gefundene Nullstelen \r\nx1 = 1\r\n\r\n" + endNote(grid));
        GridPoint p;
        EXPECT_FALSE(grid.next(p));
        EXPECT_EQ(ui.ended, 0);
    }
    EXPECT_EQ(ui.ended, 1);
}

TEST(Grid, ShowsProgressOnlyForLongSearches)
{
    test::StoppingUi ui;
    {
        Grid grid(-20, 20, &ui, {.progressAfter = std::chrono::hours(1)});
        walk(grid);
    }
    EXPECT_EQ(ui.progressMaximum, -1);  // never touched
    EXPECT_TRUE(ui.status.empty());

    {
        Grid grid(-20, 20, &ui, {.progressAfter = {}});
        walk(grid);
        EXPECT_EQ(ui.progressMaximum, 40);
        EXPECT_EQ(ui.status[1], "Suche läuft … mit Esc abbrechen");
    }
    EXPECT_GE(ui.progressLow, 0);
    EXPECT_EQ(ui.progressHigh, 40);  // full when done
    EXPECT_EQ(ui.status[1], "");

    // Progress runs to the point where the search will end by itself.
    Grid capped(0, 1e6, &ui, {.maxPoints = 1000, .progressAfter = {}});
    walk(capped);
    EXPECT_NEAR(ui.progressMaximum, 9.99, 1e-9);
}
