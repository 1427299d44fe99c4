#include "analysis/extrema.h"

#include <cmath>

#include "analysis/clusters.h"
#include "analysis/derivatives.h"
#include "analysis/newton.h"
#include "core/context.h"
#include "terms/compiled.h"
#include "terms/difference_quotient.h"
#include "terms/numtext.h"

namespace kw {

namespace {

constexpr Substitution::Options kQuotient{.maskExp = false, .collapseStars = true};
constexpr Substitution::Options kValue{.maskExp = true, .collapseStars = false};

// Where f'' changes by less than a slope f''' of 0.1 makes across two grid
// steps, its sign changes are rounding noise: a straight line has f'' = 0
// everywhere, give or take the last digits.
constexpr double kLeastBend = 0.1 * 2 * kGridStep;

struct ExtremumSearch {
    Compiled atPoint;  // the Newton step on f' = 0 and f'
    Compiled value;    // f

    Sample sample(double at, double x)
    {
        Outcome o[2];
        atPoint.evaluate(std::span(&at, 1), o);
        return {x, valueOf(o[1]), valueOf(o[0])};
    }
    std::optional<double> key(const Sample& s) { return valueOf(value.evaluate(s.x)); }

    // The highest point of the cluster if it is a Hochpunkt, else the lowest
    // if it is a Tiefpunkt.
    std::optional<Extremum> point(const Cluster& c)
    {
        auto e = extremum(c.highest, true);
        return e ? e : extremum(c.lowest, false);
    }

    // f defined at both neighbours, higher (lower) than both, or than one and
    // as high as the other where the extremum lies midway between them; and
    // not much steeper than either neighbour, which the point next to a pole
    // is (a lopsided extremum may be a little steeper than the grid point on
    // its other side).
    std::optional<Extremum> extremum(const std::optional<Pick>& p, bool isMaximum)
    {
        if (!p || !steepAtMost(*p, 2))
            return std::nullopt;
        const Outcome left = value.evaluate(p->before.x), right = value.evaluate(p->after.x);
        if (!left || !right)
            return std::nullopt;
        const int way = isMaximum ? 1 : -1;
        const int l = way * compareNoise(p->key, left.value), r = way * compareNoise(p->key, right.value);
        if (l < 0 || r < 0 || l + r == 0)
            return std::nullopt;
        return Extremum{p->point.x, p->key, isMaximum};
    }
};

struct InflectionSearch {
    Compiled atPoint;   // f'' and f''' at the grid point
    Compiled secondAt;  // f'' where the walk's own point reads differently from the grid point
    Compiled quotient;  // x - a/b
    Compiled value;     // f
    Compiled first;     // f'
    double to;

    // x - a/b: a Newton step on a = 0 with the slope b.
    std::optional<double> step(double x, double a, double b)
    {
        const double numbers[] = {x, a, b};
        Outcome q;
        quotient.evaluate(numbers, std::span(&q, 1));
        return valueOf(q);
    }

    Sample sample(double at, double x)
    {
        Outcome o[2];
        atPoint.evaluate(std::span(&x, 1), o);
        const Written a = written(at), rounded = written(x);
        const Outcome f2 =
            a.value == rounded.value && a.error == rounded.error ? o[0] : secondAt.evaluate(at);
        Sample s{x, valueOf(f2), std::nullopt};
        // x - f''(x)/f'''(x): a Newton step on f'' = 0.
        if (f2 && o[1])
            s.target = step(x, f2.value, o[1].value);
        return s;
    }
    static std::optional<double> key(const Sample& s) { return magnitude(s); }

    // The point of the cluster with the smallest |f''|, if f'' changes sign
    // across it by more than noise, f is defined at its neighbours and |f|
    // stays below the end of the range.
    std::optional<Inflection> point(const Cluster& c)
    {
        if (!c.lowest)
            return std::nullopt;
        const Pick& p = *c.lowest;
        const double x = p.point.x;
        if (!p.point.crossing || !p.before.q || !p.after.q ||
            !(std::fabs(*p.after.q - *p.before.q) > kLeastBend))
            return std::nullopt;
        const Outcome y = value.evaluate(x);
        if (!y || !(std::fabs(y.value) < to) || !value.evaluate(p.before.x) ||
            !value.evaluate(p.after.x))
            return std::nullopt;
        // A Newton step on f' = 0 that does not move x either: the tangent is
        // horizontal there.
        const Outcome f1 = first.evaluate(x);
        const auto t = f1 ? step(x, f1.value, *p.point.q) : std::nullopt;
        return Inflection{x, y.value, t && round2(*t) == x};
    }
};

std::string line(double x, double y, std::string_view kind)
{
    return "An der Stelle P (" + text(x) + " | " + text(round2(y)) + ") hat f(x) ein " +
           std::string(kind) + "\r\n";
}

template <class Point, class Line>
std::string report(std::string_view heading, std::string_view none,
                   const SearchResult<Point>& found, Line lineOf)
{
    if (found.points.empty())
        return withEndNote(std::string(none), found.outcome);
    std::string lines = std::string(heading) + "\r\n";
    for (const Point& p : found.points)
        lines += lineOf(p);
    return withEndNote(lines, found.outcome);
}

}  // namespace

SearchResult<Extremum> findExtrema(std::string_view xterm, double from, double to, Ui* ui,
                                   GridLimits limits)
{
    // The Newton step and f' share f at x - h and x + h.
    const std::string masked = maskExp(xterm);
    ExtremumSearch search{
        Compiled({NewtonStep::forExtrema(xterm).pattern(),
                  Substitution(centralQuotient(masked), kQuotient).pattern()},
                 limits.fromText),
        Compiled({Substitution(xterm, kValue).pattern()}, limits.fromText)};
    return searchClusters<Extremum>(from, to, ui, limits, search);
}

SearchResult<Inflection> findInflections(std::string_view xterm, double from, double to, Ui* ui,
                                         GridLimits limits)
{
    const std::string d1 = firstQuotient(maskExp(xterm));
    const std::string d2 = nextQuotient(d1);
    const std::string second = Substitution(d2, kQuotient).pattern();
    // f'' and f''' share f at x to x + 2h.
    InflectionSearch search{
        Compiled({second, Substitution(nextQuotient(d2), kQuotient).pattern()}, limits.fromText),
        Compiled({second}, limits.fromText),
        Compiled({NewtonStep::quotientPattern()}, limits.fromText),
        Compiled({Substitution(xterm, kValue).pattern()}, limits.fromText),
        Compiled({Substitution(d1, kQuotient).pattern()}, limits.fromText),
        to};
    return searchClusters<Inflection>(from, to, ui, limits, search);
}

std::string extremaReport(Context& c, GridLimits limits)
{
    buildDerivativeTerms(c.state, c.drawing.xterm, 3);
    return report(kExtremaFound, kNoExtrema,
                  findExtrema(c.drawing.xterm, c.state.picture.X, c.state.picture.Y, &c.ui, limits), [](const Extremum& e) {
                      return line(e.x, e.y, e.isMaximum ? "Hochpunkt" : "Tiefpunkt");
                  });
}

std::string inflectionsReport(Context& c, GridLimits limits)
{
    buildDerivativeTerms(c.state, c.drawing.xterm, 3);
    return report(kInflectionsFound, kNoInflections,
                  findInflections(c.drawing.xterm, c.state.picture.X, c.state.picture.Y, &c.ui, limits), [](const Inflection& w) {
                      return line(w.x, w.y, w.isTerrace ? "Terassenpunkt" : "Wendepunkt");
                  });
}

void Extrema(Context& c)
{
    if (c.state.session.extrema_test)
        c.ui.message(extremaReport(c));
    if (c.state.session.s_and_w_test)
        c.ui.message(inflectionsReport(c));
}

void Extrema_butt_Click(Context& c)
{
    c.state.session.extrema_test = true;
    Extrema(c);
    c.state.session.extrema_test = false;
}

void S_and_W_punkte_Click(Context& c)
{
    c.state.session.s_and_w_test = true;
    Extrema(c);
    c.state.session.s_and_w_test = false;
}

}  // namespace kw
