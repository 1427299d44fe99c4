#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>
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

TEST(GridRules, RoundingHalvesToEven)
{
    // 1e300: no room for decimals, unchanged, not inf
    for (auto [x, rounded] : {std::pair{0.125, 0.12}, {0.135, 0.14}, {-19.990000000000002, -19.99}, {1e300, 1e300}})
        EXPECT_EQ(round2(x), rounded) << x;
}

TEST(Grid, WalksWithoutDriftUntilTheMostPointsOrTheStepsStall)
{
    Grid grid(-20, 20, nullptr);
    auto points = walk(grid);
    ASSERT_EQ(points.size(), 4001u);
    EXPECT_EQ(points.back().x, 20);

    Grid offGrid(-0.025, 0.02, nullptr);  // statements start at the unrounded start
    EXPECT_EQ(walk(offGrid).at(0).at, -0.025);

    // It ends after the most points or where steps no longer advance.
    Grid limited(0, 1e6, nullptr, {.maxPoints = 1000});
    EXPECT_EQ(walk(limited).size(), 1000u);
    EXPECT_EQ(endNote(limited.outcome()),
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

// Every grid point a walk visits, each once, in grid order. The second half
// starts two points early; those points must be the first half's last two.
SearchResult<GridPoint> visitAll(double from, double to, Ui* ui, GridLimits limits,
                                 const std::function<void(const GridPoint&)>& slow = {})
{
    std::vector<GridPoint> halves[2], shared;
    int kept = 1;
    SearchResult<GridPoint> found;
    found.outcome = walkInHalves(
        from, to, ui, limits, 2,
        [&](int half, Grid& grid, std::int64_t early) {
            for (GridPoint p; grid.next(p); --early) {
                if (slow)
                    slow(p);
                (early > 0 ? shared : halves[half]).push_back(p);
            }
        },
        kept);
    found.points = halves[0];
    if (kept == 2) {
        EXPECT_EQ(shared.size(), std::min<std::size_t>(2, halves[0].size()));
        for (std::size_t i = 0; i < shared.size(); ++i)
            EXPECT_EQ(shared[i].at, halves[0][halves[0].size() - shared.size() + i].at);
        found.points.insert(found.points.end(), halves[1].begin(), halves[1].end());
    }
    return found;
}

void expectSameWalk(const SearchResult<GridPoint>& a, const SearchResult<GridPoint>& b)
{
    ASSERT_EQ(a.points.size(), b.points.size());
    for (std::size_t i = 0; i < a.points.size(); ++i) {
        ASSERT_EQ(a.points[i].at, b.points[i].at) << i;
        ASSERT_EQ(a.points[i].x, b.points[i].x) << i;
    }
    EXPECT_EQ(a.outcome.end, b.outcome.end);
    EXPECT_EQ(a.outcome.points, b.outcome.points);
    EXPECT_EQ(a.outcome.reached, b.outcome.reached);
}

constexpr GridLimits kOneThread{.splitFrom = kNeverSplit};
constexpr GridLimits kTwoThreads{.splitFrom = 2};

// The second half starts exactly where the first half's walk arrives, also off
// the grid, where x + 0,01 is inexact, and at the point limit.
TEST(GridHalves, WalkTheSamePointsAsOneWalk)
{
    for (auto [from, to] : {std::pair{-20.0, 20.0}, {-0.025, 7.3}, {3e13, 3e13 + 50}, {5.0, 5.0}}) {
        expectSameWalk(visitAll(from, to, nullptr, kOneThread), visitAll(from, to, nullptr, kTwoThreads));
        EXPECT_FALSE(HasFailure()) << from << " to " << to;
    }
    GridLimits limited = kTwoThreads;
    limited.maxPoints = 1001;
    const auto capped = visitAll(0, 1e6, nullptr, limited);
    EXPECT_EQ(capped.points.size(), 1001u);
    EXPECT_EQ(capped.outcome.end, GridEnd::Limit);
}

// Esc in the first half ends the search there, as on one thread; the second
// half's points are dropped. Progress counts both halves and ends full.
TEST(GridHalves, StopAndProgressAsOneSearch)
{
    test::StoppingUi one, two;
    one.stopAfter = two.stopAfter = 3;  // after 64 points
    GridLimits limits = kTwoThreads;
    limits.progressAfter = {};
    expectSameWalk(visitAll(-20, 20, &one, kOneThread), visitAll(-20, 20, &two, limits));
    EXPECT_EQ(two.ended, 1);

    test::StoppingUi ui;
    visitAll(-20, 20, &ui, limits);
    EXPECT_EQ(ui.progressMaximum, 40);
    EXPECT_EQ(ui.progressHigh, 40);
    EXPECT_EQ(ui.status[2], "");
}

// Esc while the first half waits for the second stops the second: what was
// found up to where it got counts, without a gap.
TEST(GridHalves, StopWhileTheSecondHalfRuns)
{
    test::StoppingUi ui;
    ui.stopAfter = 124;  // every ask of the first 2000 points: the next one is while waiting
    const auto slowSecondHalf = [](const GridPoint& p) {
        if (p.x > 0)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
    };
    const auto found = visitAll(-20, 20, &ui, kTwoThreads, slowSecondHalf);
    EXPECT_EQ(found.outcome.end, GridEnd::Stopped);
    ASSERT_LT(found.points.size(), 4001u);
    EXPECT_GE(found.points.size(), 2000u);
    EXPECT_EQ(std::int64_t(found.points.size()), found.outcome.points);
    EXPECT_EQ(found.points.back().x, found.outcome.reached);
    for (std::size_t i = 1; i < found.points.size(); ++i)
        ASSERT_GT(found.points[i].x, found.points[i - 1].x);
}

}  // namespace
