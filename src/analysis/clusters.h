#pragma once

#include <array>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "analysis/grid_search.h"
#include "terms/compiled.h"

namespace kw {

// One grid point as a search sees it: q is the quantity whose zeros it looks
// for (f for zeros, f' for extrema, f'' for inflection points, f - g for
// intersections), target the Newton step on q from there, not rounded.
// Nothing where a statement fails.
struct Sample {
    double x = 0;  // the grid point, rounded to two decimals
    std::optional<double> q;
    std::optional<double> target;
    // q changes sign between this point and a neighbour, running the same way
    // (rising or falling) from the point before that pair to the point after.
    bool crossing = false;
};

// A point a cluster chose, with its neighbours on the grid; key is what it
// was chosen by.
struct Pick {
    Sample before, point, after;
    double key = 0;
};

// Neighbouring candidates: the member with the lowest key and the one with the
// highest; keys count to nine significant digits (the rest is rounding noise),
// ties go to the smaller x. Nothing where no member has a key. First and last
// are its outer members, with the grid points just outside it.
struct Cluster {
    std::optional<Pick> lowest, highest;
    std::optional<Pick> first, last;
};

// The value of a statement; nothing where it failed.
inline std::optional<double> valueOf(const Outcome& o)
{
    return o ? std::optional(o.value) : std::nullopt;
}

// |q|: the key of the searches for zeros of q (and crossings).
std::optional<double> magnitude(const Sample& s);

// The zero a cluster reports: its point with the smallest |q|, if q is 0
// there, crosses 0 there, or |q| is no larger beside it (a double zero); but
// not where q is 0 on both sides as well.
std::optional<double> zeroOf(const Cluster& c);

// The one walk of a search over the grid, whatever its q. It samples every
// grid point once (and the point before the first and two after the last, to
// judge the edges), finds the candidates:
//   - the rounded Newton step stays put, or the step lands within half a grid
//     step of the point;
//   - q is exactly 0 (even where the Newton step fails, its slope being 0 too);
//   - q crosses 0 to or from the point (see Sample::crossing): the jump at a
//     pole runs against q on either side and is no crossing;
// and hands every run of neighbouring candidates to `found` as one cluster.
// A walk that takes every change of sign as a crossing (anySignChange) leaves
// poles and kinks to the search, which looks closer at each.
class ClusterWalk {
public:
    using SampleAt = std::function<Sample(double at, double x)>;  // q and target only
    using Key = std::function<std::optional<double>(const Sample&)>;
    using Found = std::function<void(const Cluster&)>;

    // Which cluster a walk that is one half of a split walk keeps back, to be
    // joined with the other half's: its first, if it starts at the first
    // point it owns, or its last, if it goes on to the last.
    enum class Hold { None, First, Last };

    ClusterWalk(SampleAt sampleAt, Key key, Found found, Hold hold = Hold::None,
                bool anySignChange = false);

    // The next grid point; one that another walk owns is only looked at.
    void visit(const GridPoint& p, bool owned = true);
    // After the last point: closes (or keeps back) the last cluster.
    void finish();

    std::optional<Cluster> held() const { return held_; }

private:
    struct Entry {
        Sample sample;
        bool owned = false;
    };
    void add(double at, double x, bool owned);
    void settle(const Entry& e, const Sample* before, const Sample& after);
    void close();

    SampleAt sampleAt_;
    Key key_;
    Found found_;
    Hold hold_;
    bool anySignChange_;
    // The last four points, a ring: a pair's crossing is judged with the point
    // before and after it, and then the older of the two has all it needs.
    std::array<Entry, 4> window_;
    std::size_t added_ = 0;
    double lastX_ = 0;
    bool open_ = false;
    bool ownedYet_ = false;   // a point this walk owns was settled
    bool heldOpen_ = false;   // the open cluster is the one to keep back
    Cluster cluster_;
    std::optional<Cluster> held_;
};

// The clusters of both halves at their shared edge, as one walk would have had it.
Cluster joined(const Cluster& before, const Cluster& after);

// A walk judges a point with the two grid points on either side of it, so the
// second half of a split walk starts two points early.
inline constexpr std::int64_t kClusterOverlap = 2;

template <class Search>
constexpr bool anySignChange()
{
    if constexpr (requires { Search::kAnySignChange; })
        return Search::kAnySignChange;
    return false;
}

// The cluster walk of one half of a split walk for a search: the search's
// samples, or those `sampleAt` gives, and its points into `found`.
template <class Point, class Search>
ClusterWalk walkFor(Search& s, int half, std::vector<Point>& found, ClusterWalk::SampleAt sampleAt = {})
{
    if (!sampleAt)
        sampleAt = [&s](double at, double x) { return s.sample(at, x); };
    return ClusterWalk(std::move(sampleAt), [&s](const Sample& p) { return s.key(p); },
                       [&s, &found](const Cluster& c) {
                           if (std::optional<Point> p = s.point(c))
                               found.push_back(std::move(*p));
                       },
                       half == 0 ? ClusterWalk::Hold::Last : ClusterWalk::Hold::First,
                       anySignChange<Search>());
}

// What a search found in the halves of a walk (`kept` of them count), with
// the clusters both held back at their shared edge joined, as one walk would
// have found it; `pointOf` is the first half's search.
template <class Point, class Search>
std::vector<Point> joinHalves(std::vector<Point> (&found)[2], std::optional<Cluster> (&edge)[2], int kept,
                              Search& pointOf)
{
    if (kept == 1)
        edge[1].reset();
    std::vector<Point> points = std::move(found[0]);
    if (edge[0] || edge[1]) {
        const Cluster c = edge[0] && edge[1] ? joined(*edge[0], *edge[1]) : edge[0] ? *edge[0] : *edge[1];
        if (std::optional<Point> p = pointOf.point(c))
            points.push_back(std::move(*p));
    }
    if (kept == 2)
        points.insert(points.end(), found[1].begin(), found[1].end());
    return points;
}

// A search over the grid that reports a point per cluster. The search gives
//     Sample sample(double at, double x);             q and the Newton step
//     std::optional<double> key(const Sample&);       what a cluster chooses by
//     std::optional<Point> point(const Cluster&);     what it reports, if anything
//     static constexpr bool kAnySignChange;           optional, see ClusterWalk
// Each half of a split walk works with its own copy of the search, so the
// statements in it keep their working space to one thread.
template <class Point, class Search>
SearchResult<Point> searchClusters(double from, double to, Ui* ui, const GridLimits& limits,
                                   const Search& search)
{
    std::optional<Search> own[2];
    std::vector<Point> found[2];
    std::optional<Cluster> edge[2];
    int kept = 1;
    SearchResult<Point> result;
    result.outcome = walkInHalves(
        from, to, ui, limits, kClusterOverlap,
        [&](int half, Grid& grid, std::int64_t shared) {
            Search& s = own[half].emplace(search);
            ClusterWalk walk = walkFor<Point>(s, half, found[half]);
            for (GridPoint p; grid.next(p); --shared)
                walk.visit(p, shared <= 0);
            walk.finish();
            edge[half] = walk.held();
        },
        kept);
    result.points = joinHalves(found, edge, kept, *own[0]);
    return result;
}

}  // namespace kw
