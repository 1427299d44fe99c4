#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/pacer.h"

namespace kw {

class Ui;

// The searches for zeros, extrema, inflection points and intersections walk x
// across the range in steps of 0.01 and report grid points (see ClusterWalk).
inline constexpr double kGridStep = 0.01;

// A search ends by itself after this many grid points, so that no range, however
// wide, keeps the program busy for long.
inline constexpr std::int64_t kMaxGridPoints = 10'000'000;

// A GridLimits::splitFrom that keeps every walk on one thread.
inline constexpr std::int64_t kNeverSplit = std::numeric_limits<std::int64_t>::max();

// Rounds to two decimals, halves to even (0.125 gives 0.12). Values too large to
// carry two decimals come back unchanged.
double round2(double v);

// One grid point: statements are built at `at` (the range's start itself on
// the first pass, later the previous point plus 0.01); the candidate test and the
// reports use `x`, the same point rounded to two decimals.
struct GridPoint {
    double at = 0;
    double x = 0;
};

enum class GridEnd {
    Done,     // walked to the end of the range
    Stopped,  // the user asked to stop (Esc)
    Limit,    // kMaxGridPoints reached
    Stalled,  // x + 0.01 no longer advances x
};

// How far a walk got: what a report's end note needs.
struct GridOutcome {
    GridEnd end = GridEnd::Done;
    std::int64_t points = 0;  // grid points visited
    double from = 0;          // the range's start
    double reached = 0;       // the last grid point visited (rounded); the start when none was
};

// What a search found, in increasing x, and how far it got.
template <class Point>
struct SearchResult {
    std::vector<Point> points;
    GridOutcome outcome;
};

struct GridLimits {
    std::int64_t maxPoints = kMaxGridPoints;
    // Progress (and the hint that Esc stops) appears only for searches that
    // take longer than this.
    std::chrono::steady_clock::duration progressAfter = Pacer::kAfter;
    // A walk of at least this many points is split into two halves, one per core.
    std::int64_t splitFrom = 5000;
    // The statements are evaluated from their text instead of compiled: the
    // reference the compiled ones are checked against.
    bool fromText = false;
};

class Grid;

// Walks the points of one part of a split walk (see walkInHalves); the first
// `shared` of them belong to the part before.
using HalfWalk = std::function<void(int half, Grid& grid, std::int64_t shared)>;

// The walk over the grid of one search:
//
//     for (GridPoint p; grid.next(p);) { … }
//
// It asks the UI now and then whether the user wants to stop and shows progress
// once the search takes a while. Without a UI (nullptr) it only walks, so a
// search can run away from the windows. While a Grid with a UI exists, the UI is
// in search mode (the windows take no other input).
class Grid {
public:
    Grid(double from, double to, Ui* ui, GridLimits limits = {});
    Grid(const Grid&) = delete;
    Grid& operator=(const Grid&) = delete;

    // The next grid point; false when the walk is over (see end()).
    bool next(GridPoint& p);

    GridEnd end() const { return end_; }
    GridOutcome outcome() const { return {end_, points_, from_, points_ ? x_ : from_}; }

private:
    friend GridOutcome walkInHalves(double, double, Ui*, const GridLimits&, std::int64_t,
                                    const HalfWalk&, int&);

    // A half of a split walk: the first hands over after `handOverAt` points
    // and counts the second's progress as its own; the second walks without a
    // UI, stops when told and says how far it got.
    struct Half {
        std::int64_t handOverAt = -1;
        const std::atomic<bool>* stop = nullptr;      // the second half's: set when the user stops
        std::atomic<std::int64_t>* points = nullptr;  // the second half's grid points so far
    };

    // How far the search got at `at`, counting a second half's points too.
    double progress(double at) const;
    bool skip(std::int64_t count);

    double from_, to_;
    Ui* ui_;
    GridLimits limits_;
    double span_;  // what the progress bar shows in full
    Pacer pacer_;
    Pacer::Work work_;
    GridEnd end_ = GridEnd::Done;
    std::int64_t points_ = 0;
    double x_ = 0;  // last rounded grid point
    bool over_ = false;
    bool handedOver_ = false;
    Half half_;
};

// The walk of a search over the grid, in one part or, when it is long, in two
// contiguous halves on two threads: walk(half, grid, shared) runs the points of
// one part. The second half starts `overlap` points early, so that a search
// that judges a point by its neighbours sees them on both sides of the middle.
// The user sees one search: progress counts both halves, Esc stops both, and a
// search stopped during its first half ends there, as if it had run alone
// (`kept` says how many halves count, in grid order).
GridOutcome walkInHalves(double from, double to, Ui* ui, const GridLimits& limits,
                         std::int64_t overlap, const HalfWalk& walk, int& kept);

// What a report adds when its search ended early: that it was stopped, or why
// it ended, and how far it got. Empty when the whole range was searched.
std::string endNote(const GridOutcome& outcome);

// A report text followed by the end note, if any.
std::string withEndNote(std::string report, const GridOutcome& outcome);

}  // namespace kw
