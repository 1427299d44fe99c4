#include "analysis/extrema.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/clusters.h"
#include "analysis/derivatives.h"
#include "analysis/refine.h"
#include "core/context.h"
#include "terms/compiled.h"
#include "terms/difference_quotient.h"
#include "terms/numtext.h"
#include "terms/substitution.h"

namespace kw {

namespace {

constexpr Substitution::Options kQuotient{.maskExp = false, .collapseStars = true};
constexpr Substitution::Options kValue{.maskExp = true, .collapseStars = false};

constexpr double kEps = std::numeric_limits<double>::epsilon();

// How many times the rounding error of one value of f a quotient's noise may
// reach: f is a chain of rounded operations whose terms may cancel.
constexpr double kNoiseTimes = 64;

// A run of grid points where the quotient is lost in noise, wider than this,
// is a plateau of f, not a point.
constexpr double kWidestFlat = 0.2;

// Every quotient of the two searches comes from f at x - h, x and x + h.
// Their noise is that of the values, and that of x + h and x - h, which are
// rounded too: it scales with f, so that a term times 0,01 has its points
// where the term has them.
struct Three {
    double m, f, p;

    double slope() const { return (p - m) / (2 * kH); }
    double bend() const { return (p - 2 * f + m) / (kH * kH); }
    double slopeNoise(double x) const
    {
        return kNoiseTimes * kEps * (std::fabs(p) + std::fabs(m) + std::fabs(slope()) * std::fabs(x)) / (2 * kH);
    }
    double bendNoise(double x) const
    {
        return kNoiseTimes * kEps *
               (std::fabs(p) + 2 * std::fabs(f) + std::fabs(m) + std::fabs(slope()) * std::fabs(x)) / (kH * kH);
    }
};

class Around {
public:
    Around(std::string_view xterm, bool fromText)
        : three_({Substitution(shiftBack(maskExp(xterm)), kQuotient).pattern(),
                  Substitution(xterm, kValue).pattern(),
                  Substitution(shift(maskExp(xterm)), kQuotient).pattern()},
                 fromText),
          value_({Substitution(xterm, kValue).pattern()}, fromText)
    {
    }

    std::optional<Three> at(double x)
    {
        Outcome o[3];
        three_.evaluate(std::span(&x, 1), o);
        if (!o[0] || !o[1] || !o[2])
            return std::nullopt;
        return Three{o[0].value, o[1].value, o[2].value};
    }
    std::optional<double> slope(double x)
    {
        const auto v = at(x);
        return v ? std::optional(v->slope()) : std::nullopt;
    }
    std::optional<double> bend(double x)
    {
        const auto v = at(x);
        return v ? std::optional(v->bend()) : std::nullopt;
    }
    std::optional<double> value(double x) { return valueOf(value_.evaluate(x)); }

private:
    Compiled three_;
    Compiled value_;
};

// A grid point's quotient, or 0 where it is lost in rounding noise.
Sample signedSample(double x, const std::optional<Three>& v, bool bend)
{
    Sample s{x, std::nullopt, std::nullopt};
    if (v) {
        const double q = bend ? v->bend() : v->slope();
        s.q = std::fabs(q) > (bend ? v->bendNoise(x) : v->slopeNoise(x)) ? q : 0;
    }
    return s;
}

// The grid points on either side of a cluster where q has opposite signs: its
// outer members, or the points just outside where q is lost in noise there.
struct Bracket {
    Sample left, right;
};

std::optional<Bracket> bracketOf(const Cluster& c)
{
    if (!c.first || !c.last)
        return std::nullopt;
    auto hasSign = [](const Sample& s) { return s.q && *s.q != 0; };
    const Sample& l = hasSign(c.first->point) ? c.first->point : c.first->before;
    const Sample& r = hasSign(c.last->point) ? c.last->point : c.last->after;
    if (!hasSign(l) || !hasSign(r) || (*l.q < 0) == (*r.q < 0) || !(r.x - l.x <= kWidestFlat))
        return std::nullopt;
    return Bracket{l, r};
}

// A quotient q just beside a zero x, at x - h and x + h, against q three steps
// h away. Where q is smooth the near values are about a third of the far ones.
// A spike makes them larger (nothing then): q runs to a pole, or it is f'' at
// a corner of f. A jump of q, which the near values straddle, keeps them about
// as far apart as the far ones: a kink of f when q is f'.
struct Spread {
    bool kink = false;
};

template <class Q>
std::optional<Spread> spread(double x, Q&& q)
{
    const auto l1 = q(x - kH), r1 = q(x + kH), l3 = q(x - 3 * kH), r3 = q(x + 3 * kH);
    if (!l1 || !r1 || !l3 || !r3)
        return std::nullopt;
    const double nearMost = std::max(std::fabs(*l1), std::fabs(*r1)),
                 farMost = std::max(std::fabs(*l3), std::fabs(*r3));
    if (nearMost > 4 * farMost)
        return std::nullopt;  // a pole
    return Spread{std::fabs(*r1 - *l1) > std::fabs(*r3 - *l3) / 2};
}

// Extrema are where f' changes sign between two grid points (or across a few
// where it is lost in noise): the zero of the central quotient between them,
// found to far below the shown digits. At a kink that zero lies within h of
// the corner, which a search on f itself then finds.
struct ExtremumSearch {
    static constexpr bool kAnySignChange = true;
    Around around;
    double from, to;

    Sample sample(double, double x) { return signedSample(x, around.at(x), false); }
    static std::optional<double> key(const Sample& s) { return magnitude(s); }

    std::optional<Extremum> point(const Cluster& c)
    {
        const auto br = bracketOf(c);
        if (!br)
            return std::nullopt;
        const Sample &l = br->left, &r = br->right;
        const double ql = *l.q, qr = *r.q;
        const bool isMaximum = ql > 0;
        auto x = zeroBetween([this](double v) { return around.slope(v); }, l.x, r.x, ql, qr, closeTo(l.x));
        if (!x)
            return std::nullopt;
        // The slopes just beside it against those three steps h away: a pole
        // makes the near ones steeper, a kink keeps them almost as far apart.
        const auto near = spread(*x, [this](double v) { return around.slope(v); });
        if (!near)
            return std::nullopt;
        if (near->kink) {
            x = peakBetween([this](double v) { return around.value(v); }, std::max(l.x, *x - 2 * kH),
                            std::min(r.x, *x + 2 * kH), isMaximum ? 1 : -1, closeTo(*x));
            if (!x)
                return std::nullopt;
        }
        if (!(*x >= from && *x <= to))
            return std::nullopt;
        // f there as high (low) as at the grid points beside it, give or take noise.
        const auto y = around.value(*x), yl = around.value(l.x), yr = around.value(r.x);
        if (!y || !yl || !yr)
            return std::nullopt;
        // (x is only that close to the point, which may be the corner of a kink)
        const double noise = kNoiseTimes * kEps * std::max({std::fabs(*y), std::fabs(*yl), std::fabs(*yr)}) +
                             closeTo(*x) * (std::fabs(ql) + std::fabs(qr));
        const int way = isMaximum ? 1 : -1;
        if (way * (*y - *yl) < -noise || way * (*y - *yr) < -noise)
            return std::nullopt;
        return Extremum{shown(*x), *y, isMaximum};
    }
};

// Inflection points are where f'' changes sign; found as the extrema are,
// with the central second quotient. A corner of f or a pole makes that
// quotient spike beside the zero (see spread): neither is a point of inflection.
struct InflectionSearch {
    static constexpr bool kAnySignChange = true;
    Around around;
    double from, to;

    Sample sample(double, double x) { return signedSample(x, around.at(x), true); }
    static std::optional<double> key(const Sample& s) { return magnitude(s); }

    std::optional<Inflection> point(const Cluster& c)
    {
        const auto br = bracketOf(c);
        if (!br)
            return std::nullopt;
        const Sample &l = br->left, &r = br->right;
        const double ql = *l.q, qr = *r.q;
        auto x = zeroBetween([this](double v) { return around.bend(v); }, l.x, r.x, ql, qr, closeTo(l.x));
        if (!x || !(*x >= from && *x <= to))
            return std::nullopt;
        // (f'' may jump there, as that of x·abs(x) does: f' has a kink, f none)
        const auto near = spread(*x, [this](double v) { return around.bend(v); });
        if (!near)
            return std::nullopt;
        const auto before = around.at(*x - kH), after = around.at(*x + kH);
        if (!before || !after)
            return std::nullopt;
        const auto y = around.value(*x);
        if (!y || !(std::fabs(*y) < to))
            return std::nullopt;
        // The slope there, extrapolated from two central quotients (exact for
        // polynomials up to degree 4), against the slopes on the grid: the
        // tangent is horizontal where it is zero but for noise. Where f'' jumps
        // the quotients are off by about the jump times h, a small part of the
        // slopes a grid step away.
        const double d1 = (after->f - before->f) / (2 * kH), d2 = (after->p - before->m) / (4 * kH);
        const double slope = near->kink ? d1 : (4 * d1 - d2) / 3;
        const auto sl = around.at(l.x), sr = around.at(r.x);
        if (!sl || !sr)
            return std::nullopt;
        const double flat = (near->kink ? 0.05 : 1e-4) * std::max(std::fabs(sl->slope()), std::fabs(sr->slope())) +
                            kNoiseTimes * kEps * (std::fabs(after->p) + std::fabs(before->m)) / kH;
        return Inflection{shown(*x), *y, std::fabs(slope) <= flat};
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
    return searchClusters<Extremum>(from, to, ui, limits,
                                    ExtremumSearch{Around(xterm, limits.fromText), from, to});
}

SearchResult<Inflection> findInflections(std::string_view xterm, double from, double to, Ui* ui,
                                         GridLimits limits)
{
    return searchClusters<Inflection>(from, to, ui, limits,
                                      InflectionSearch{Around(xterm, limits.fromText), from, to});
}

std::string extremaText(const SearchResult<Extremum>& found)
{
    return report(kExtremaFound, kNoExtrema, found, [](const Extremum& e) {
        return line(e.x, e.y, e.isMaximum ? "Hochpunkt" : "Tiefpunkt");
    });
}

std::string inflectionsText(const SearchResult<Inflection>& found)
{
    return report(kInflectionsFound, kNoInflections, found, [](const Inflection& w) {
        return line(w.x, w.y, w.isTerrace ? "Terassenpunkt" : "Wendepunkt");
    });
}

std::string extremaReport(Context& c, GridLimits limits)
{
    buildDerivativeTerms(c.state, c.drawing.xterm, 3);
    return extremaText(findExtrema(c.drawing.xterm, c.state.picture.X, c.state.picture.Y, &c.ui, limits));
}

std::string inflectionsReport(Context& c, GridLimits limits)
{
    buildDerivativeTerms(c.state, c.drawing.xterm, 3);
    return inflectionsText(findInflections(c.drawing.xterm, c.state.picture.X, c.state.picture.Y, &c.ui, limits));
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
