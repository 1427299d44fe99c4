#include <gtest/gtest.h>

#include <chrono>
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

TEST(GridRules, RoundingHalvesToEvenAndTheBand)
{
    EXPECT_EQ(round2(0.125), 0.12);
    EXPECT_EQ(round2(0.135), 0.14);
    EXPECT_EQ(round2(-19.990000000000002), -19.99);
    EXPECT_EQ(round2(1e300), 1e300);  // no room for decimals: unchanged, not inf

    // Inside ±0.1 (bounds included) only the grid point 0 itself counts.
    EXPECT_TRUE(bandRejects(-0.1, -0.1));
    EXPECT_FALSE(bandRejects(0, 0));
}

TEST(Grid, WalksTheDefaultRangeWithoutDrift)
{
    Grid grid(-20, 20, nullptr);
    auto points = walk(grid);
    ASSERT_EQ(points.size(), 4001u);
    EXPECT_EQ(points.back().x, 20);

    Grid offGrid(-0.025, 0.02, nullptr);  // statements start at the unrounded start
    EXPECT_EQ(walk(offGrid).at(0).at, -0.025);
}

TEST(Grid, EndsAfterTheMostPointsOrWhereStepsNoLongerAdvance)
{
    Grid grid(0, 1e6, nullptr, {.maxPoints = 1000});
    EXPECT_EQ(walk(grid).size(), 1000u);
    EXPECT_EQ(endNote(grid.outcome()),
              "Die Suche wurde nach 1.000 Rasterpunkten beendet. Durchsucht wurde nur der Bereich "
              "von x = 0 bis x = 9,99. Bitte wählen Sie einen kleineren x Bereich.");
    Grid exact(0, 9.99, nullptr, {.maxPoints = 1000});  // exactly that many: simply done
    EXPECT_EQ(walk(exact).size(), 1000u);
    EXPECT_EQ(exact.end(), GridEnd::Done);

    // Where x + 0.01 = x the walk stalls (its note: see the report test); somewhat
    // smaller x still move, though no longer by 0.01 exactly.
    Grid huge(1e15, 2e15, nullptr), large(3e13, 4e13, nullptr, {.maxPoints = 1000});
    EXPECT_EQ(walk(huge).size(), 1u);
    EXPECT_EQ(walk(large).size(), 1000u);
}

TEST(Grid, ShowsProgressAndTheEscHintOnlyWhileSearching)
{
    test::StoppingUi ui;
    {
        Grid grid(-20, 20, &ui, {.progressAfter = {}});
        walk(grid);
        EXPECT_EQ(ui.status[2], "Suche läuft … mit Esc abbrechen");
    }
    EXPECT_EQ(ui.progressHigh, 40);  // full when done
    EXPECT_EQ(ui.status[2], "");
}
