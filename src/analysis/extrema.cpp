#include "analysis/extrema.h"

#include <cmath>

#include "analysis/derivatives.h"
#include "analysis/newton.h"
#include "core/context.h"
#include "terms/difference_quotient.h"
#include "terms/numtext.h"

namespace kw {

namespace {

constexpr Substitution::Options kQuotient{.maskExp = false, .collapseStars = true};
constexpr Substitution::Options kValue{.maskExp = true, .collapseStars = false};

bool outsideBand(double v) { return v < -kBand || v > kBand; }

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
    const std::string first = firstQuotient(maskExp(xterm));
    const Substitution second(nextQuotient(first), kQuotient);
    const Substitution value(xterm, kValue);
    NewtonStep step = NewtonStep::forExtrema(xterm);
    std::string buffer;

    SearchResult<Extremum> found;
    Grid grid(from, to, ui, limits);
    for (GridPoint p; grid.next(p);) {
        // A failed statement leaves a value of another point behind: such a
        // point is never a candidate.
        const auto z = step.at(p.at);
        const auto curvature = valueAt(second, p.at, buffer);
        if (!z || !curvature || !staysPut(*z, p.x) || !outsideBand(*curvature))
            continue;
        if (auto y = valueAt(value, p.x, buffer))
            found.points.push_back({p.x, *y, *curvature < 0});
    }
    found.outcome = grid.outcome();
    return found;
}

SearchResult<Wendepunkt> findWendepunkte(std::string_view xterm, double from, double to, Ui* ui,
                                         GridLimits limits)
{
    const std::string d1 = firstQuotient(maskExp(xterm));
    const std::string d2 = nextQuotient(d1);
    const Substitution first(d1, kQuotient), second(d2, kQuotient),
        third(nextQuotient(d2), kQuotient);
    const Substitution value(xterm, kValue);
    std::string buffer;

    SearchResult<Wendepunkt> found;
    Grid grid(from, to, ui, limits);
    for (GridPoint p; grid.next(p);) {
        const double x = p.x;
        const auto f2 = valueAt(second, p.at, buffer);
        if (!f2)
            continue;
        // x - f''(x)/f'''(x): a Newton step on f'' = 0.
        const auto f3 = valueAt(third, x, buffer);
        const auto z = f3 ? NewtonStep::fromValues(x, *f2, *f3, buffer) : std::nullopt;
        const auto y = z ? valueAt(value, x, buffer) : std::nullopt;
        // Where f''' is as flat as rounding noise (a straight line has f'' = 0
        // everywhere), f''/f''' is noise too: the band that f'' must leave for
        // an extremum, f''' must leave here.
        if (!y || !(std::fabs(*y) < to) || !staysPut(*z, x) || !outsideBand(*f3))
            continue;
        // A Newton step on f' = 0 that does not move x either: the tangent is
        // horizontal there.
        const auto f1 = valueAt(first, x, buffer);
        const auto t = f1 ? NewtonStep::fromValues(x, *f1, *f2, buffer) : std::nullopt;
        found.points.push_back({x, *y, t && *t == x});
    }
    found.outcome = grid.outcome();
    return found;
}

std::string extremaBericht(Context& c, GridLimits limits)
{
    buildAbleitungsterme(c.s, c.w.xterm, 3);
    return report(kExtremaGefunden, kKeineExtrema,
                  findExtrema(c.w.xterm, c.s.X, c.s.Y, &c.ui, limits), [](const Extremum& e) {
                      return line(e.x, e.y, e.hochpunkt ? "Hochpunkt" : "Tiefpunkt");
                  });
}

std::string wendepunkteBericht(Context& c, GridLimits limits)
{
    buildAbleitungsterme(c.s, c.w.xterm, 3);
    return report(kWendepunkteGefunden, kKeineWendepunkte,
                  findWendepunkte(c.w.xterm, c.s.X, c.s.Y, &c.ui, limits), [](const Wendepunkt& w) {
                      return line(w.x, w.y, w.terrasse ? "Terassenpunkt" : "Wendepunkt");
                  });
}

void Extrema(Context& c)
{
    if (c.s.extrema_test)
        c.ui.message(extremaBericht(c));
    if (c.s.s_and_w_test)
        c.ui.message(wendepunkteBericht(c));
}

void Extrema_butt_Click(Context& c)
{
    c.s.extrema_test = true;
    Extrema(c);
    c.s.extrema_test = false;
}

void S_and_W_punkte_Click(Context& c)
{
    c.s.s_and_w_test = true;
    Extrema(c);
    c.s.s_and_w_test = false;
}

}  // namespace kw
