#include "areas/intersections.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "analysis/clusters.h"
#include "analysis/zeros.h"
#include "areas/legend.h"
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
    Pair pair;
    ZeroSampler sample;  // term i-(term j) and the Newton step on it
    Compiled outer;      // term i, for the height of the point
    std::vector<Intersection> found;
    std::optional<ClusterWalk> walk;

    // Where the difference has a zero, the graphs cross.
    void start()
    {
        walk.emplace([this](double at, double x) { return sample(at, x); }, magnitude,
                     [this](const Cluster& c) {
                         const auto x = zeroOf(c);
                         if (!x)
                             return;
                         if (const Outcome y = outer.evaluate(*x))
                             found.push_back({pair.first, pair.second, *x, y.value});
                     });
    }
};

// How far the first walk has got. The second never goes further, so both end
// at the same grid point, also when the user stops the first.
class Lead {
public:
    void walked(std::int64_t points, bool over)
    {
        {
            std::lock_guard lock(mutex_);
            points_ = points;
            over_ = over;
        }
        moved_.notify_one();
    }
    // Waits until the first walk is beyond `points`; how far it is, or where
    // it ended.
    std::int64_t beyond(std::int64_t points)
    {
        std::unique_lock lock(mutex_);
        moved_.wait(lock, [&] { return points_ > points || over_; });
        return points_;
    }

private:
    std::mutex mutex_;
    std::condition_variable moved_;
    std::int64_t points_ = 0;
    bool over_ = false;
};

// Walks the grid with every `stride`-th pair from `first` on, stretch by
// stretch; the first walk sets the pace of the second (follows).
void walkGrid(Grid& grid, std::vector<PairSearch>& searches, std::size_t first,
              std::size_t stride, Lead& lead, bool follows)
{
    std::vector<GridPoint> chunk;
    chunk.reserve(kChunk);
    std::int64_t visited = 0;
    for (bool more = true; more;) {
        std::int64_t most = visited + std::int64_t(kChunk);
        if (follows)
            most = std::min(most, lead.beyond(visited));
        chunk.clear();
        for (GridPoint p; visited < most && (more = grid.next(p)); ++visited)
            chunk.push_back(p);
        if (!follows)
            lead.walked(visited, !more);
        if (chunk.empty())
            break;
        for (std::size_t k = first; k < searches.size(); k += stride)
            for (const GridPoint& p : chunk)
                searches[k].walk->visit(p);
    }
    for (std::size_t k = first; k < searches.size(); k += stride)
        searches[k].walk->finish();
}

bool contains(const std::string& xterm, const char* part)
{
    return xterm.find(part) != std::string::npos;
}

}  // namespace

std::vector<Pair> allPairs(std::size_t terms)
{
    std::vector<Pair> pairs;
    for (int i = 0; i < int(terms); ++i)
        for (int j = 0; j < int(terms); ++j)
            if (i != j)
                pairs.emplace_back(i, j);
    return pairs;
}

SearchResult<Intersection> findIntersections(std::span<const std::string> terms,
                                             std::span<const Pair> pairs, double from, double to,
                                             Ui* ui, GridLimits limits)
{
    SearchResult<Intersection> result;
    result.outcome.from = result.outcome.reached = from;
    if (pairs.empty())
        return result;

    std::vector<PairSearch> searches;
    searches.reserve(pairs.size());
    for (const Pair& pair : pairs) {
        const std::string& f = terms[std::size_t(pair.first)];
        const std::string& g = terms[std::size_t(pair.second)];
        searches.push_back({pair, ZeroSampler(string_richten(f + "-(" + g + ")"), limits.fromText),
                            Compiled({Substitution(string_richten(f)).pattern()}, limits.fromText), {}, {}});
    }
    for (PairSearch& ps : searches)
        ps.start();

    // Where there are two cores, a second thread takes every other pair over
    // the same grid, without the UI; it goes exactly as far as this one.
    const auto count = std::int64_t(pairs.size());
    GridLimits perPair = limits;
    perPair.maxPoints = std::max<std::int64_t>(1, limits.maxPoints / count);
    Lead lead;
    std::jthread other;
    if (searches.size() > 1 && std::thread::hardware_concurrency() > 1) {
        try {
            other = std::jthread([&] {
                Grid own(from, to, nullptr, perPair);
                walkGrid(own, searches, 1, 2, lead, true);
            });
        } catch (const std::system_error&) {
            // No second thread to be had: this one takes all pairs.
        }
    }
    {
        Grid grid(from, to, ui, perPair);
        walkGrid(grid, searches, 0, other.joinable() ? 2 : 1, lead, false);
        result.outcome = grid.outcome();
    }
    if (other.joinable())
        other.join();
    result.outcome.points *= count;

    // Each pair reports a position once, whichever of its orders found it first.
    std::map<Pair, std::vector<double>> reported;
    for (const PairSearch& ps : searches) {
        for (const Intersection& p : ps.found) {
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

std::string pointText(const Intersection& p)
{
    return "(" + text(p.x) + "|" + text(round2(p.y)) + ")";
}

Rgb setColour(std::uint32_t seed, std::size_t k)
{
    constexpr double kGolden = 0.6180339887498949;
    const double hue = std::fmod(double(seed % 360) / 360 + double(k) * kGolden, 1.0) * 6;
    // Saturation 0.9 and value 0.75: never pale, never near black.
    constexpr double v = 0.75, low = v * (1 - 0.9);
    const double f = hue - std::floor(hue);
    const double down = v - (v - low) * f, up = low + (v - low) * f;
    double r = v, g = up, b = low;
    switch (int(hue) % 6) {
    case 1: r = down, g = v, b = low; break;
    case 2: r = low, g = v, b = up; break;
    case 3: r = low, g = down, b = v; break;
    case 4: r = up, g = low, b = v; break;
    case 5: r = v, g = low, b = down; break;
    default: break;
    }
    return rgb(int(std::lround(r * 255)), int(std::lround(g * 255)), int(std::lround(b * 255)));
}

void drawFunctions(Context& c, const DrawRequest& r, std::span<const std::string> terms, const ColourPicker& colourOf,
                   bool firstSegmentToo)
{
    const auto given = r.range();
    if (!given || !std::isfinite(given->step))
        return;
    const Range range = *given;
    c.state.picture.X = range.left;
    c.state.picture.Y = range.right;
    for (std::size_t k = 0; k < terms.size(); ++k) {
        const Rgb colour = colourOf(k);
        // Normalized here, not through the main panel's term box: the user's f(x) stays.
        const std::string xterm = string_richten(terms[k]);
        const bool rootLog = contains(xterm, "sqr") || contains(xterm, "log");
        c.plane.setPenWidth(2);
        const Substitution term(xterm);
        Curve curve("Form.zahl = ", c.state.results.Zahl, term, Curve::OnFailure::Skip);
        curve.colour = colour;
        curve.skipFirstSegment = !firstSegmentToo && !rootLog;
        sampleCurve(c, curve, range.left, range.right, range.step);
    }
}

void drawNamedFunctions(Context& c, const DrawRequest& r, std::span<const std::string> terms,
                        const ColourPicker& colourOf, int firstNumber)
{
    drawFunctions(c, r, terms, colourOf, false);
    std::vector<LegendEntry> legend;
    for (std::size_t k = 0; k < terms.size(); ++k)
        legend.push_back({"f" + text(double(firstNumber) + double(k)) + "(x) = " + terms[k], colourOf(k)});
    drawLegend(c, legend);
}

void Schnittstellen_Zeichnen(Context& c, const DrawRequest& r)
{
    if (!c.state.intersections.Schnittstellen_Zeichnen_test)
        return;
    drawNamedFunctions(c, r, c.state.intersections.Schnittstellen_Terme,
                       [&c](std::size_t k) { return setColour(c.drawing.colourSeed, k); }, 1);
}

void Schnittstellen_Zeichnen_Integral(Context& c, const DrawRequest& r)
{
    State& s = c.state;
    if (!s.areas.Schnittstellen_integral_Zeichnen_Check)
        return;
    c.plane.setPenWidth(2);
    c.plane.point(0, 0, c.plane.foreColor());
    const std::string terms[] = {s.areas.f_x_Eingabe_txt, s.areas.g_x_Eingabe_txt};
    drawFunctions(c, r, terms, [&c](std::size_t k) { return setColour(c.drawing.colourSeed, k); },
                  true);
    const LegendEntry legend[] = {{"f(x) = " + terms[0], setColour(c.drawing.colourSeed, 0)},
                                  {"g(x) = " + terms[1], setColour(c.drawing.colourSeed, 1)}};
    drawLegend(c, legend);
}

std::string reportIntersections(Context& c, const SearchResult<Intersection>& found,
                                const std::function<std::string(const Intersection&)>& lineOf)
{
    const std::string note = endNote(found.outcome);
    if (c.state.intersections.Schnittpunkte_farbig_test) {
        Plane& plane = c.plane;
        plane.setPenWidth(11);
        for (const Intersection& p : found.points)
            plane.point(p.x, p.y, plane.foreColor());
        c.ui.planeChanged();
        if (!note.empty())
            c.ui.message(note);
        return {};
    }
    std::string lines;
    for (const Intersection& p : found.points)
        lines += lineOf(p);
    if (!note.empty())
        lines += "\r\n" + note + "\r\n";
    return lines;
}

std::string Schnittstellen_Ausrechnen(Context& c, GridLimits limits)
{
    const auto& terms = c.state.intersections.Schnittstellen_Terme;
    const auto found =
        findIntersections(terms, allPairs(terms.size()), c.state.picture.X, c.state.picture.Y, &c.ui, limits);
    // Every entry stands between line breaks.
    return reportIntersections(c, found, [](const Intersection& p) {
        return "\r\nf" + text(p.j + 1) + "(x) schneidet f" + text(p.i + 1) + "(x) in SP " +
               pointText(p) + "\r\n";
    });
}

}  // namespace kw
