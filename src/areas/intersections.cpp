#include "areas/intersections.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>
#include <optional>
#include <system_error>
#include <thread>

#include "analysis/newton.h"
#include "core/context.h"
#include "curves/graph.h"
#include "curves/sampling.h"
#include "terms/compiled.h"
#include "terms/normalize.h"
#include "terms/numtext.h"

namespace kw {

namespace {

// Grid points walked before the pairs take their turn on them.
constexpr std::size_t kChunk = 64;

// One ordered pair on its way along the grid. Each has its own statements, so
// two threads may work on different pairs at once.
struct PairSearch {
    Paar pair;
    NewtonStep step;  // on term i-(term j)
    Compiled outer;   // term i, for the height of the point
    std::vector<Schnittpunkt> found;
};

// Where the graphs cross: the rounded Newton step on the difference stays put.
// A failed step (the difference undefined, or flat) is never a candidate.
bool crossesAt(std::optional<double> z, double x) { return z && staysPut(*z, x); }

void walk(PairSearch& ps, std::span<const GridPoint> points)
{
    for (const GridPoint& p : points) {
        if (!crossesAt(ps.step.at(p.at), p.x))
            continue;
        if (const Outcome y = ps.outer.evaluate(p.x))
            ps.found.push_back({ps.pair.first, ps.pair.second, p.x, y.value});
    }
}

// Walks the grid with every `stride`-th pair from `first` on, stretch by
// stretch, but no further than `stopAfter` grid points.
void walkGrid(Grid& grid, std::vector<PairSearch>& searches, std::size_t first,
              std::size_t stride, const std::atomic<std::int64_t>& stopAfter)
{
    std::vector<GridPoint> chunk;
    chunk.reserve(kChunk);
    std::int64_t visited = 0;
    for (bool more = true; more;) {
        chunk.clear();
        for (GridPoint p; chunk.size() < kChunk &&
                          visited < stopAfter.load(std::memory_order_relaxed) &&
                          (more = grid.next(p));
             ++visited)
            chunk.push_back(p);
        if (chunk.empty())
            return;
        for (std::size_t k = first; k < searches.size(); k += stride)
            walk(searches[k], chunk);
    }
}

bool contains(const std::string& xterm, const char* part)
{
    return xterm.find(part) != std::string::npos;
}

}  // namespace

std::vector<Paar> allePaare(std::size_t terms)
{
    std::vector<Paar> pairs;
    for (int i = 0; i < int(terms); ++i)
        for (int j = 0; j < int(terms); ++j)
            if (i != j)
                pairs.emplace_back(i, j);
    return pairs;
}

SearchResult<Schnittpunkt> findSchnittpunkte(std::span<const std::string> terms,
                                             std::span<const Paar> pairs, double from, double to,
                                             Ui* ui, GridLimits limits)
{
    SearchResult<Schnittpunkt> result;
    result.outcome.from = result.outcome.reached = from;
    if (pairs.empty())
        return result;

    std::vector<PairSearch> searches;
    searches.reserve(pairs.size());
    for (const Paar& pair : pairs) {
        const std::string& f = terms[std::size_t(pair.first)];
        const std::string& g = terms[std::size_t(pair.second)];
        searches.push_back({pair, NewtonStep::forZeros(string_richten(f + "-(" + g + ")"), limits.fromText),
                            Compiled({Substitution(string_richten(f)).pattern()}, limits.fromText), {}});
    }

    // Where there are two cores, a second thread takes every other pair over
    // the same grid, without the UI; it goes exactly as far as this one.
    const auto count = std::int64_t(pairs.size());
    GridLimits perPair = limits;
    perPair.maxPoints = std::max<std::int64_t>(1, limits.maxPoints / count);
    std::atomic<std::int64_t> unlimited = INT64_MAX, stopAfter = INT64_MAX;
    std::jthread other;
    if (searches.size() > 1 && std::thread::hardware_concurrency() > 1) {
        try {
            other = std::jthread([&] {
                Grid own(from, to, nullptr, perPair);
                walkGrid(own, searches, 1, 2, stopAfter);
            });
        } catch (const std::system_error&) {
            // No second thread to be had: this one takes all pairs.
        }
    }
    {
        Grid grid(from, to, ui, perPair);
        walkGrid(grid, searches, 0, other.joinable() ? 2 : 1, unlimited);
        result.outcome = grid.outcome();
    }
    stopAfter = result.outcome.points;  // the user may have stopped this walk early
    if (other.joinable())
        other.join();
    for (PairSearch& ps : searches)
        std::erase_if(ps.found, [&](const Schnittpunkt& p) { return p.x > result.outcome.reached; });
    result.outcome.points *= count;

    // Each pair reports a position once, whichever of its orders found it first.
    std::map<Paar, std::vector<double>> reported;
    for (const PairSearch& ps : searches) {
        for (const Schnittpunkt& p : ps.found) {
            auto& seen = reported[std::minmax(p.i, p.j)];
            const double position = roundHalfEven(p.x * 10) / 10;
            if (std::ranges::find(seen, position) != seen.end())
                continue;
            seen.push_back(position);
            result.points.push_back(p);
        }
    }
    return result;
}

std::string spText(const Schnittpunkt& p)
{
    return "(" + text(p.x) + "|" + text(round2(p.y)) + ")";
}

Rgb zufallsFarbe(std::mt19937& random)
{
    std::uniform_int_distribution<int> component(1, 200);
    const int r = component(random);
    const int g = component(random);
    const int b = component(random);
    return rgb(r, g, b);
}

void drawFunctions(Context& c, std::span<const std::string> terms, const Farbwahl& colourOf,
                   bool firstSegmentToo)
{
    Range range;
    if (!readRangeAndStep(c, range) || !std::isfinite(range.step))
        return;
    c.s.X = range.left;
    c.s.Y = range.right;
    for (std::size_t k = 0; k < terms.size(); ++k) {
        const Rgb colour = colourOf(k);
        // Normalized here, not through the main panel's term box: the user's f(x) stays.
        const std::string xterm = string_richten(terms[k]);
        const bool rootLog = contains(xterm, "sqr") || contains(xterm, "log");
        c.ebene.setPenWidth(2);
        const Substitution term(xterm);
        Curve curve("Form.zahl = ", c.s.Zahl, term, Curve::OnFailure::Skip);
        curve.colour = colour;
        curve.skipFirstSegment = !firstSegmentToo && !rootLog;
        sampleCurve(c, curve, range.left, range.right, range.step);
    }
}

void Schnittstellen_Zeichnen(Context& c)
{
    if (!c.s.Schnittstellen_Zeichnen_test)
        return;
    drawFunctions(c, c.s.Schnittstellen_Terme, [&c](std::size_t) { return zufallsFarbe(c.random); },
                  false);
}

void Schnittstellen_Zeichnen_Integral(Context& c)
{
    State& s = c.s;
    if (!s.Schnittstellen_integral_Zeichnen_Check)
        return;
    c.ebene.setPenWidth(2);
    c.ebene.point(0, 0, c.ebene.foreColor());
    const std::string terms[] = {s.f_x_Eingabe_txt, s.g_x_Eingabe_txt};
    drawFunctions(c, terms, [&c](std::size_t) { return zufallsFarbe(c.random); }, true);
}

std::string schnittpunkteMelden(Context& c, const SearchResult<Schnittpunkt>& found,
                                const std::function<std::string(const Schnittpunkt&)>& lineOf)
{
    const std::string note = endNote(found.outcome);
    if (c.s.Schnittpunkte_farbig_test) {
        Plane& plane = c.ebene;
        plane.setPenWidth(11);
        for (const Schnittpunkt& p : found.points)
            plane.point(p.x, p.y, plane.foreColor());
        c.ui.planeChanged();
        if (!note.empty())
            c.ui.message(note);
        return {};
    }
    std::string lines;
    for (const Schnittpunkt& p : found.points)
        lines += lineOf(p);
    if (!note.empty())
        lines += "\r\n" + note + "\r\n";
    return lines;
}

std::string Schnittstellen_Ausrechnen(Context& c, GridLimits limits)
{
    const auto& terms = c.s.Schnittstellen_Terme;
    const auto found =
        findSchnittpunkte(terms, allePaare(terms.size()), c.s.X, c.s.Y, &c.ui, limits);
    // Every entry stands between line breaks.
    return schnittpunkteMelden(c, found, [](const Schnittpunkt& p) {
        return "\r\nf" + text(p.j + 1) + "(x) schneidet f" + text(p.i + 1) + "(x) in SP " +
               spText(p) + "\r\n";
    });
}

}  // namespace kw
