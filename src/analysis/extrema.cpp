#include "analysis/extrema.h"

#include <cmath>

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
    // The Newton step and f'' together: f at x - h, x, x + h and x + 2h, each once.
    Compiled atPoint({NewtonStep::forExtrema(xterm).pattern(),
                      Substitution(nextQuotient(firstQuotient(maskExp(xterm))), kQuotient).pattern()},
                     limits.fromText);
    Compiled value({Substitution(xterm, kValue).pattern()}, limits.fromText);

    return searchGrid<Extremum>(
        from, to, ui, limits, [atPoint, value](const GridPoint& p) mutable -> std::optional<Extremum> {
            Outcome o[2];
            atPoint.evaluate(std::span(&p.at, 1), o);
            const Outcome &z = o[0], &curvature = o[1];
            // A failed statement leaves a value of another point behind: such a
            // point is never a candidate.
            if (!z || !curvature || !staysPut(round2(z.value), p.x) || !outsideBand(curvature.value))
                return std::nullopt;
            const Outcome y = value.evaluate(p.x);
            if (!y)
                return std::nullopt;
            return Extremum{p.x, y.value, curvature.value < 0};
        });
}

SearchResult<Wendepunkt> findWendepunkte(std::string_view xterm, double from, double to, Ui* ui,
                                         GridLimits limits)
{
    const std::string d1 = firstQuotient(maskExp(xterm));
    const std::string d2 = nextQuotient(d1);
    const std::string second = Substitution(d2, kQuotient).pattern();
    // At the grid point f'', f''', f and f': f at x to x + 3h, each once.
    Compiled atPoint({second, Substitution(nextQuotient(d2), kQuotient).pattern(),
                      Substitution(xterm, kValue).pattern(), Substitution(d1, kQuotient).pattern()},
                     limits.fromText);
    // f'' where the walk's own point reads differently from the grid point.
    Compiled secondAt({second}, limits.fromText);
    Compiled quotient({NewtonStep::quotientPattern()}, limits.fromText);

    return searchGrid<Wendepunkt>(
        from, to, ui, limits,
        [atPoint, secondAt, quotient, to](const GridPoint& p) mutable -> std::optional<Wendepunkt> {
            const double x = p.x;
            Outcome o[4];
            atPoint.evaluate(std::span(&x, 1), o);
            const Outcome &f3 = o[1], &y = o[2], &f1 = o[3];
            const Written at = written(p.at), rounded = written(x);
            const Outcome f2 = at.value == rounded.value && at.error == rounded.error
                                   ? o[0]
                                   : secondAt.evaluate(p.at);
            if (!f2 || !f3)
                return std::nullopt;
            auto step = [&quotient, x](double a, double b) -> std::optional<double> {
                const double numbers[] = {x, a, b};
                Outcome q;
                quotient.evaluate(numbers, std::span(&q, 1));
                return q ? std::optional(round2(q.value)) : std::nullopt;
            };
            // x - f''(x)/f'''(x): a Newton step on f'' = 0.
            const auto z = step(f2.value, f3.value);
            // Where f''' is as flat as rounding noise (a straight line has f'' = 0
            // everywhere), f''/f''' is noise too: the band that f'' must leave for
            // an extremum, f''' must leave here.
            if (!z || !y || !(std::fabs(y.value) < to) || !staysPut(*z, x) || !outsideBand(f3.value))
                return std::nullopt;
            // A Newton step on f' = 0 that does not move x either: the tangent is
            // horizontal there.
            const auto t = f1 ? step(f1.value, f2.value) : std::nullopt;
            return Wendepunkt{x, y.value, t && *t == x};
        });
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
