#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "analysis/clusters.h"
#include "analysis/extrema.h"
#include "analysis/zeros.h"
#include "terms/normalize.h"

using namespace kw;

namespace {

using Values = std::vector<std::optional<double>>;

// The point each cluster chooses by |q| on a walk over 0, 0,01, … with the
// given q and Newton targets (nothing: the statement failed).
std::vector<double> picks(const Values& q, const Values& target = {})
{
    auto at = [](const Values& v, double x) {
        const long i = std::lround(x * 100);
        return i >= 0 && i < long(v.size()) ? v[std::size_t(i)] : std::nullopt;
    };
    std::vector<double> chosen;
    ClusterWalk walk([&](double, double x) { return Sample{x, at(q, x), at(target, x)}; },
                     magnitude, [&](const Cluster& c) { chosen.push_back(c.lowest->point.x); });
    Grid grid(0, double(q.size() - 1) / 100, nullptr);
    for (GridPoint p; grid.next(p);)
        walk.visit(p);
    walk.finish();
    return chosen;
}

using Xs = std::vector<double>;

}  // namespace

TEST(ClusterWalk, FindsCandidatesAndReportsEachClusterOnce)
{
    // q runs through 0: both points around it are candidates, one cluster.
    EXPECT_EQ(picks({-3, -2, -0.5, 1, 2}), (Xs{0.02}));
    // The jump at a pole runs against q on either side: no crossing.
    EXPECT_EQ(picks({-1, -2, -9, 9, 2, 1}), Xs{});
    // q exactly 0 counts even where the step fails; a failed point alone never.
    EXPECT_EQ(picks({1, 1, 0, 1, std::nullopt, 1}), (Xs{0.02}));
    // The step stays put, or lands within half a step (midway counts).
    EXPECT_EQ(picks({1, 1, 1, 1, 1}, {9, 0.0149, 9, 0.035, 0.05}), (Xs{0.01, 0.03}));
    // Neighbours are one cluster; equal keys go to the smaller x.
    EXPECT_EQ(picks({2, 1, 1 + 1e-12, 2}, {9, 0.01, 0.02, 9}), (Xs{0.01}));
}

// -20 to 20 walked in two halves splits after -0,01: clusters that reach
// across the middle are found as on one thread.
TEST(ClusterWalk, ClustersAcrossTheMiddleOfASplitWalk)
{
    constexpr GridLimits one{.splitFrom = kNeverSplit}, two{.splitFrom = 2};
    const std::pair<const char*, Xs> zeros[] = {
        {"x^3", {0}}, {"x+0,006", {-0.01}}, {"x^100", {0}}, {"x-0,005", {0}}};
    const std::pair<const char*, Xs> extrema[] = {
        {"x^2", {0}}, {"abs(x+0,01)", {-0.01}}, {"(x+0,006)^2", {-0.01}}, {"x^3", {}}};
    for (const GridLimits& limits : {one, two}) {
        const char* const walk = limits.splitFrom == 2 ? " split" : " on one thread";
        for (const auto& [term, expected] : zeros)
            EXPECT_EQ(findZeros(string_richten(term), -20, 20, nullptr, limits).points, expected) << term << walk;
        for (const auto& [term, expected] : extrema) {
            Xs xs;
            for (const Extremum& e : findExtrema(string_richten(term), -20, 20, nullptr, limits).points)
                xs.push_back(e.x);
            EXPECT_EQ(xs, expected) << term << walk;
        }
    }
}
