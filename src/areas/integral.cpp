#include "areas/integral.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>
#include <string>
#include <vector>

#include "analysis/grid_search.h"
#include "core/axes.h"
#include "core/colours.h"
#include "core/context.h"
#include "core/request.h"
#include "curves/sampling.h"
#include "terms/compiled.h"
#include "terms/normalize.h"
#include "terms/numtext.h"
#include "terms/substitution.h"

namespace kw {

namespace {

// Gauss–Kronrod 7/15: the Kronrod nodes (the odd ones are the Gauss nodes)
// from the outside in, and their weights.
constexpr double kNode[8] = {
    0.991455371120812639206854697526329, 0.949107912342758524526189684047851,
    0.864864423359769072789712788640926, 0.741531185599394439863864773280788,
    0.586087235467691130294144845693013, 0.405845151377397166906606412076961,
    0.207784955007898467600689403773245, 0.0};
constexpr double kKronrod[8] = {
    0.022935322010529224963732008058970, 0.063092092629978553290700663189204,
    0.104790010322250183839876322541518, 0.140653259715525918745189590510238,
    0.169004726639267902826583426598550, 0.190350578064785409913256402421014,
    0.204432940075298892414161999234649, 0.209482141084727828012999174891714};
constexpr double kGauss[4] = {
    0.129484966168869693270611432679082, 0.279705391489276667901467771423780,
    0.381830050505118944950369775488975, 0.417959183673469387755102040816327};

constexpr double kEps = std::numeric_limits<double>::epsilon();
// Far below the sixth decimal that a result shows.
constexpr double kTolerance = 1e-10;
constexpr double kRelativeTolerance = 1e-13;
// Halvings beyond the first pieces: enough to close in on a few dozen poles.
constexpr int kMaxHalvings = 4000;
// Points where the term fails but is defined close by on both sides.
constexpr int kMaxGaps = 64;
// Zeros of f that end pieces of the area; beyond them the halvings take over.
constexpr int kMaxZeros = 5'000;

struct Piece {
    double a, b;
    double value = 0, error = 0, magnitude = 0;  // magnitude: the rule applied to |f|
    bool operator<(const Piece& o) const { return error < o.error; }
};

// The term at x, as the engine computes it from the text of x.
class Integrand {
public:
    Integrand(std::string_view xterm, bool absolute)
        : term_({Substitution(xterm).pattern()}), absolute_(absolute)
    {
    }
    // The signed value.
    Outcome operator()(double x)
    {
        Outcome o = term_.evaluate(x);
        if (o && !std::isfinite(o.value))
            o.error = err::Overflow;
        return o;
    }
    bool absolute() const { return absolute_; }

private:
    Compiled term_;
    bool absolute_;
};

// Where f changes sign between u < v (f(u)·f(v) < 0): the Illinois variant
// of the secant rule, a halving where it would leave the bracket.
double zeroBetween(Integrand& f, double u, double fu, double v, double fv)
{
    int kept = 0;  // which end stayed last time: -1 u, 1 v
    for (int step = 0; step < 100 && v - u > 4 * kEps * std::max(std::fabs(u), std::fabs(v));
         ++step) {
        double w = (u * fv - v * fu) / (fv - fu);
        if (!(w > u && w < v))
            w = u + (v - u) / 2;
        const Outcome o = f(w);
        if (!o)
            return w;
        if (o.value == 0)
            return w;
        if ((o.value < 0) == (fu < 0)) {
            u = w;
            fu = o.value;
            if (kept == 1)
                fv /= 2;
            kept = 1;
        } else {
            v = w;
            fv = o.value;
            if (kept == -1)
                fu /= 2;
            kept = -1;
        }
    }
    return std::fabs(fu) < std::fabs(fv) ? u : v;
}

// What applying the rule to a piece came to: done, the term failed at a node
// (x, error), or (for the area) f changes sign between two nodes at x.
struct Applied {
    enum Kind { Done, Failed, SignChange } kind = Done;
    double x = 0;
    int error = 0;
    explicit operator bool() const { return kind != Done; }
};

// The 15-point rule on [p.a, p.b] with the error estimate of QUADPACK's qk15,
// for the area on |f| where f keeps its sign at the nodes.
Applied apply(Integrand& f, Piece& p, bool splitAtZeros = true)
{
    const double centre = (p.a + p.b) / 2, half = (p.b - p.a) / 2;
    double left[8], right[8];  // left[7] = right[7]: the centre
    for (int k = 0; k < 8; ++k) {
        for (double* v : {&left[k], &right[k]}) {
            const double x = v == &left[k] ? centre - half * kNode[k] : centre + half * kNode[k];
            const Outcome o = f(x);
            if (!o)
                return {Applied::Failed, x, o.error};
            *v = o.value;
            if (k == 7)
                break;
        }
    }
    right[7] = left[7];
    if (f.absolute()) {
        // The ends and nodes from left to right; a zero between two of them
        // ends the piece there, so that |f| has no kink inside. (An end where
        // f is not defined, at a singularity, is left out.)
        double xs[17], vs[17];
        int n = 0;
        auto add = [&](double x, double v) {
            xs[n] = x;
            vs[n++] = v;
        };
        if (splitAtZeros)
            if (const Outcome o = f(p.a))
                add(p.a, o.value);
        for (int k = 0; k < 7; ++k)
            add(centre - half * kNode[k], left[k]);
        add(centre, left[7]);
        for (int k = 6; k >= 0; --k)
            add(centre + half * kNode[k], right[k]);
        if (splitAtZeros)
            if (const Outcome o = f(p.b))
                add(p.b, o.value);
        // A zero on an end (the one this piece was split at) is no reason to split.
        const double hair = 1e-14 * std::max(std::fabs(p.a), std::fabs(p.b));
        for (int k = 0; splitAtZeros && k + 1 < n; ++k) {
            if ((vs[k] < 0 && vs[k + 1] > 0) || (vs[k] > 0 && vs[k + 1] < 0)) {
                const double z = zeroBetween(f, xs[k], vs[k], xs[k + 1], vs[k + 1]);
                if (z > p.a + hair && z < p.b - hair)
                    return {Applied::SignChange, z};
            }
        }
        for (int k = 0; k < 8; ++k) {
            left[k] = std::fabs(left[k]);
            right[k] = std::fabs(right[k]);
        }
    }
    double kronrod = kKronrod[7] * left[7], gauss = kGauss[3] * left[7];
    double magnitude = kKronrod[7] * std::fabs(left[7]);
    for (int k = 0; k < 7; ++k) {
        kronrod += kKronrod[k] * (left[k] + right[k]);
        magnitude += kKronrod[k] * (std::fabs(left[k]) + std::fabs(right[k]));
        if (k % 2 == 1)
            gauss += kGauss[k / 2] * (left[k] + right[k]);
    }
    const double mean = kronrod / 2;
    double spread = kKronrod[7] * std::fabs(left[7] - mean);
    for (int k = 0; k < 7; ++k)
        spread += kKronrod[k] * (std::fabs(left[k] - mean) + std::fabs(right[k] - mean));
    p.value = kronrod * half;
    p.magnitude = magnitude * half;
    spread *= half;
    double error = std::fabs((kronrod - gauss) * half);
    if (spread != 0 && error != 0)
        error = spread * std::min(1.0, std::pow(200 * error / spread, 1.5));
    // Rounding in the sum itself.
    p.error = std::max(error, 50 * kEps * p.magnitude);
    return {};
}

// Whether the term is defined on both sides of x, close by.
bool definedAround(Integrand& f, double x, double a, double b)
{
    const double d = std::max(std::fabs(x), 1e-6) * 1e-7;
    return (x - d <= a || f(x - d)) && (x + d >= b || f(x + d));
}

// Too narrow to halve: the nodes, written as text with 15 digits, would fall
// on the ends.
bool tooNarrow(const Piece& p)
{
    return p.b - p.a <= 1e-11 * std::max(std::fabs(p.a), std::fabs(p.b)) || p.b - p.a < 1e-290;
}

double sum(const std::vector<Piece>& pieces, double Piece::*part)
{
    double total = 0, carry = 0;  // compensated: many pieces lose no digit
    for (const Piece& p : pieces) {
        const double add = p.*part - carry;
        const double next = total + add;
        carry = (next - total) - add;
        total = next;
    }
    return total;
}

}  // namespace

std::string poleMessage(std::string_view function, double x)
{
    return "Das Integral existiert nicht: " + std::string(function) + " hat bei x = " +
           text(round2(x)) + " eine Polstelle.";
}

bool divergesAt(std::string_view xterm, double p, double a, double b)
{
    Integrand f(xterm, false);
    for (const double side : {-1.0, 1.0}) {
        const double room = std::min(1.0, side < 0 ? p - a : b - p);
        if (!(room > 1e-9))
            continue;
        // The strips between p + side·w/10 and p + side·w for w = room, room/10, …
        // down to where x can still be told from p.
        std::vector<double> parts;
        const double finest = 1e-11 * std::max(std::fabs(p), 1e-280);
        for (double w = room; w / 10 > finest && parts.size() < 10; w /= 10) {
            const auto [from, to] = std::minmax({p + side * w / 10, p + side * w});
            Piece piece{from, to};
            if (apply(f, piece))
                break;
            parts.push_back(std::fabs(piece.value));
        }
        if (parts.size() < 4)
            continue;
        // An integrable singularity makes each strip's share smaller (1/sqr(x):
        // by a factor 0,32); a pole keeps it (1/x) or makes it grow (1/x²).
        bool growing = true;
        for (std::size_t k = parts.size() - 3; k < parts.size(); ++k)
            growing = growing && parts[k] > 0 && parts[k] >= 0.9 * parts[k - 1];
        if (growing)
            return true;
    }
    return false;
}

Integral integrate(std::string_view xterm, double a, double b, bool absolute)
{
    if (a > b) {
        Integral reverse = integrate(xterm, b, a, absolute);
        if (!absolute)
            reverse.value = -reverse.value;
        return reverse;
    }
    Integral result;
    if (a == b)
        return result;
    if (!std::isfinite(b - a)) {
        result.error = err::Overflow;
        return result;
    }
    Integrand f(xterm, absolute);
    const double wanted = std::ceil((b - a) / kStreifen - 1e-9);
    const long n = long(std::clamp(wanted, 1.0, double(kMaxStreifen)));

    std::priority_queue<Piece> open;  // the largest error first
    std::vector<Piece> settled;       // too narrow to halve
    double error = 0, magnitude = 0;  // of the pieces filed, for the halvings
    int gaps = 0, zeros = 0;
    // Evaluates a piece and files it; false when the term is not defined there.
    std::vector<Piece> pending;
    auto file = [&](Piece p) {
        pending.push_back(p);
        while (!pending.empty()) {
            Piece q = pending.back();
            pending.pop_back();
            const Applied applied = apply(f, q);
            if (applied.kind == Applied::SignChange) {
                // Each piece between zeros counts whole; a piece too narrow to
                // split, or too many zeros, leave the kink to the halvings.
                if (applied.x > q.a && applied.x < q.b && !tooNarrow(q) && ++zeros <= kMaxZeros) {
                    pending.push_back({q.a, applied.x});
                    pending.push_back({applied.x, q.b});
                    continue;
                }
                apply(f, q, false);
            } else if (applied) {
                const double x = applied.x;
                const int code = applied.error;
                // Deep inside a halving towards a singularity the term may
                // overflow: that piece is left as it is, with its doubt.
                if (q.b - q.a < 1e-6 * (b - a) &&
                    (code == err::Overflow || code == err::DivisionByZero)) {
                    q.value = 0;
                    q.error = std::numeric_limits<double>::infinity();
                    settled.push_back(q);
                    error = q.error;
                    continue;
                }
                if (code == err::Syntax || ++gaps > kMaxGaps || !definedAround(f, x, a, b)) {
                    result.error = code;
                    return false;
                }
                pending.push_back({q.a, x});
                pending.push_back({x, q.b});
                continue;
            }
            error += q.error;
            magnitude += q.magnitude;
            if (tooNarrow(q))
                settled.push_back(q);
            else
                open.push(q);
        }
        return true;
    };
    for (long k = 0; k < n; ++k) {
        const double from = a + (b - a) * double(k) / double(n);
        const double to = k + 1 == n ? b : a + (b - a) * double(k + 1) / double(n);
        if (!file({from, to}))
            return result;
    }
    auto tolerance = [&] { return std::max(kTolerance, kRelativeTolerance * magnitude); };
    for (int halvings = 0; error > tolerance() && !open.empty() && halvings < kMaxHalvings;
         ++halvings) {
        const Piece worst = open.top();
        open.pop();
        error -= worst.error;
        magnitude -= worst.magnitude;
        const double middle = (worst.a + worst.b) / 2;
        if (!file({worst.a, middle}) || !file({middle, worst.b}))
            return result;
        error = std::max(error, 0.0);
    }

    std::vector<Piece> pieces = std::move(settled);
    for (; !open.empty(); open.pop())
        pieces.push_back(open.top());
    result.value = sum(pieces, &Piece::value);
    result.uncertainty = sum(pieces, &Piece::error);
    magnitude = sum(pieces, &Piece::magnitude);
    if (!std::isfinite(result.value) || !std::isfinite(magnitude)) {
        result.error = err::Overflow;
        return result;
    }
    if (result.uncertainty <= tolerance())
        return result;

    // The sums did not settle: where they did least, look for a pole. Narrow
    // pieces are where the halvings closed in, in the order of x.
    std::ranges::sort(pieces, {}, &Piece::a);
    const double doubt = result.uncertainty / 1000;
    double last = NAN;
    int looked = 0;
    for (const Piece& p : pieces) {
        if (p.error < doubt || p.b - p.a > 1e-6 * std::max(1.0, std::fabs(p.a)))
            continue;
        const double x = (p.a + p.b) / 2;
        if (std::fabs(x - last) < 1e-6 * std::max(1.0, std::fabs(x)))
            continue;
        last = x;
        if (divergesAt(xterm, x, a, b)) {
            result.pole = std::fabs(x) < 1e-12 ? 0.0 : x;
            return result;
        }
        if (++looked == 20)
            break;
    }
    if (!std::isfinite(result.uncertainty))
        result.error = err::Overflow;
    return result;
}

void Flaeche_einfaerben(Context& c, const DrawRequest& r)
{
    const State& s = c.state;
    if (!s.areas.Flaeche_einferben_Check || c.drawing.noArea || r.termTooLong)
        return;
    const Substitution term(r.xterm);
    c.plane.setPenWidth(1);
    const double step = s.picture.Y <= 50 ? 0.1 : 0.5;
    Curve curve("Form.Zahl2 = ", s.results.Zahl2, term, Curve::OnFailure::Skip);
    curve.width = s.areas.Fuel_Staerke;
    // A chosen name that is no colour keeps the default.
    curve.colour = s.areas.Flaeche_Farbe_Test ? colourFromText(s.areas.Flaeche_farbe).value_or(kAreaDefault)
                                        : kAreaDefault;
    Curve::Comb comb;
    comb.insideRange = true;
    curve.comb = comb;
    // One step beyond the upper bound, so that accumulated steps still reach it;
    // bounds given the other way round shade the same area.
    const auto [from, to] = std::minmax(s.areas.Untergrenze, s.areas.Obergrenze);
    sampleCurve(c, curve, from, to + step, step);
}

void flaeche_einfaerben_sp(Context& c)
{
    State& s = c.state;
    if (!s.areas.Flaeche_einferben_SP_Check)
        return;
    readRange(c);
    const Substitution f(string_richten(s.areas.f_x_Eingabe_txt));
    const Substitution g(string_richten(s.areas.g_x_Eingabe_txt));
    c.plane.setPenWidth(1);  // without a chosen width, the one its list shows
    Curve curve("Form.zahl2 = ", s.results.Zahl2, f, Curve::OnFailure::Skip);
    curve.width = s.areas.Fuel_Staerke_SP;
    curve.colour = s.areas.Flaeche_Farbe_SP_Test ? Rgb(s.areas.FarbeBox_Flaeche_SP) : kAreaDefault;
    curve.comb = Curve::Comb{.base = &g, .basePrefix = "Form.zahl4 = ", .baseResult = &s.results.Zahl4};
    sampleCurve(c, curve, s.areas.Untergrenze, s.areas.Obergrenze, 0.1);
}

}  // namespace kw
