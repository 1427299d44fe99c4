#include "analysis/extrema.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>

#include "analysis/clusters.h"
#include "analysis/derivatives.h"
#include "analysis/newton.h"
#include "analysis/refine.h"
#include "analysis/zeros.h"
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
        const auto bits = std::bit_cast<std::uint64_t>(x);
        for (const Kept& k : kept_)
            if (k.filled && k.x == bits)
                return k.three;
        Outcome o[3];
        three_.evaluate(std::span(&x, 1), o);
        if (!o[0] || !o[1] || !o[2])
            return std::nullopt;
        return Three{o[0].value, o[1].value, o[2].value};
    }
    // A grid point's values, kept for the cluster that takes it in: its
    // search looks at them again.
    std::optional<Three> keep(double x, std::optional<Three> three)
    {
        kept_[next_++ % kept_.size()] = {true, std::bit_cast<std::uint64_t>(x), three};
        return three;
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
    std::optional<double> value(double x)
    {
        const auto bits = std::bit_cast<std::uint64_t>(x);
        for (const Kept& k : kept_)
            if (k.filled && k.x == bits && k.three)
                return k.three->f;
        return valueOf(value_.evaluate(x));
    }

private:
    struct Kept {
        bool filled = false;
        std::uint64_t x = 0;
        std::optional<Three> three;
    };
    Compiled three_;
    Compiled value_;
    // The last grid points: a cluster is judged a few points after its first.
    std::array<Kept, 8> kept_;
    std::size_t next_ = 0;
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

    Sample sample(double, double x) { return signedSample(x, around.keep(x, around.at(x)), false); }
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

    Sample sample(double, double x) { return signedSample(x, around.keep(x, around.at(x)), true); }
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

// The statements of the three searches at a grid point, compiled as one, so
// that f at x and at x + h, which they share, is computed once. The zero
// search builds its statements at the walk's `at`, the other two at the
// rounded x: where both read as the same number (nearly always), one
// evaluation serves all three.
class PointStatements {
public:
    PointStatements(std::string_view xterm, bool fromText)
        : statements_({NewtonStep::forZeros(xterm).pattern(), Substitution(shiftBack(maskExp(xterm)), kQuotient).pattern(),
                       Substitution(xterm, kValue).pattern(), Substitution(shift(maskExp(xterm)), kQuotient).pattern()},
                      fromText)
    {
    }

    struct Values {
        bool filled = false;
        std::uint64_t at = 0, x = 0;  // bits of the point they belong to
        Outcome newton, value;       // at `at`
        std::optional<Three> three;  // at x
    };

    // The walks of the three searches ask in turn for the same point (and the
    // first ones ask for the point before the first, too): the last few are kept.
    const Values& at(double at, double x)
    {
        const auto atBits = std::bit_cast<std::uint64_t>(at), xBits = std::bit_cast<std::uint64_t>(x);
        for (const Values& v : recent_)
            if (v.filled && v.at == atBits && v.x == xBits)
                return v;
        Values& v = recent_[next_++ % recent_.size()];
        v.filled = true;
        v.at = atBits;
        v.x = xBits;
        Outcome o[4];
        statements_.evaluate(std::span(&at, 1), o);
        v.newton = o[0];
        v.value = o[2];
        if (atBits != xBits && !sameNumber(at, x))
            statements_.evaluate(std::span(&x, 1), o);
        v.three = o[1] && o[2] && o[3] ? std::optional(Three{o[1].value, o[2].value, o[3].value}) : std::nullopt;
        return v;
    }

private:
    static bool sameNumber(double a, double b)
    {
        const Written wa = written(a), wb = written(b);
        return !wa.error && !wb.error && std::bit_cast<std::uint64_t>(wa.value) == std::bit_cast<std::uint64_t>(wb.value);
    }

    Compiled statements_;
    std::array<Values, 4> recent_;
    std::size_t next_ = 0;
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

CurvePoints findCurvePoints(std::string_view xterm, double from, double to, Ui* ui, GridLimits limits)
{
    // Each half of a split walk has its own searches and statements.
    struct Half {
        PointStatements statements;
        ZeroSearch zeros;
        ExtremumSearch extrema;
        InflectionSearch inflections;
    };
    const Half all{PointStatements(xterm, limits.fromText), ZeroSearch(xterm, limits.fromText),
                   ExtremumSearch{Around(xterm, limits.fromText), from, to},
                   InflectionSearch{Around(xterm, limits.fromText), from, to}};
    std::optional<Half> own[2];
    std::vector<double> zeros[2];
    std::vector<Extremum> extrema[2];
    std::vector<Inflection> inflections[2];
    std::optional<Cluster> edges[3][2];
    int kept = 1;
    CurvePoints out;
    const GridOutcome outcome = walkInHalves(
        from, to, ui, limits, kClusterOverlap,
        [&](int half, Grid& grid, std::int64_t shared) {
            Half& h = own[half].emplace(all);
            ClusterWalk walks[] = {
                walkFor<double>(h.zeros, half, zeros[half],
                                [&h](double at, double x) {
                                    const auto& v = h.statements.at(at, x);
                                    return Sample{x, valueOf(v.value), valueOf(v.newton)};
                                }),
                walkFor<Extremum>(h.extrema, half, extrema[half],
                                  [&h](double at, double x) {
                                      return signedSample(x, h.extrema.around.keep(x, h.statements.at(at, x).three), false);
                                  }),
                walkFor<Inflection>(h.inflections, half, inflections[half], [&h](double at, double x) {
                    return signedSample(x, h.inflections.around.keep(x, h.statements.at(at, x).three), true);
                })};
            for (GridPoint p; grid.next(p); --shared)
                for (ClusterWalk& w : walks)
                    w.visit(p, shared <= 0);
            for (int i = 0; i < 3; ++i) {
                walks[i].finish();
                edges[i][half] = walks[i].held();
            }
        },
        kept);
    out.zeros = {joinHalves(zeros, edges[0], kept, own[0]->zeros), outcome};
    out.extrema = {joinHalves(extrema, edges[1], kept, own[0]->extrema), outcome};
    out.inflections = {joinHalves(inflections, edges[2], kept, own[0]->inflections), outcome};
    return out;
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
