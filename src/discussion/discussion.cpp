#include "discussion/discussion.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "analysis/extrema.h"
#include "analysis/grid_search.h"
#include "analysis/value_table.h"
#include "analysis/zeros.h"
#include "core/ui.h"
#include "symbolic/derivative.h"
#include "symbolic/simplify.h"
#include "terms/compiled.h"
#include "terms/difference_quotient.h"
#include "terms/normalize.h"
#include "terms/numtext.h"
#include "terms/substitution.h"

namespace kw {

namespace {

using symbolic::Expr;

// A term as the engine evaluates it.
class Values {
public:
    explicit Values(const std::string& pattern) : statement_({pattern}) {}
    Outcome outcome(double x) { return statement_.evaluate(x); }
    std::optional<double> at(double x)
    {
        const Outcome o = statement_.evaluate(x);
        return o ? std::optional(o.value) : std::nullopt;
    }

private:
    Compiled statement_;
};

// A number as the reports show a coordinate: two decimals, never "-0".
std::string shown(double v) { return text(round2(v) + 0.0); }

std::string_view symmetry(const std::optional<Expr>& tree, Values& f)
{
    if (tree) {
        if (auto p = symbolic::polynomialOf(*tree)) {
            bool even = true, odd = true;
            for (std::size_t k = 0; k < p->size(); ++k)
                if ((*p)[k] != 0)
                    (k % 2 ? even : odd) = false;
            return even ? kAchsensymmetrisch : odd ? kPunktsymmetrisch : kKeineSymmetrie;
        }
    }
    // f(-x) against f(x) and -f(x), to the rounding of the values only: a
    // constant of 0,000001 added to an odd term spoils its symmetry.
    bool even = true, odd = true;
    int compared = 0;
    for (int k = 1; k <= 60; ++k) {
        const double x = 0.137 * k + 0.0113 * k * k;
        const auto a = f.at(x), b = f.at(-x);
        if (a.has_value() != b.has_value())
            return kKeineSymmetrie;
        if (!a)
            continue;
        ++compared;
        const double tolerance = 1e-10 * (1 + std::fabs(*a) + std::fabs(*b));
        even = even && std::fabs(*b - *a) <= tolerance;
        odd = odd && std::fabs(*b + *a) <= tolerance;
    }
    if (compared < 5)
        return kKeineSymmetrie;
    return even ? kAchsensymmetrisch : odd ? kPunktsymmetrisch : kKeineSymmetrie;
}

// The parts of the tree that make poles where they are 0: denominators, the
// cosine under a tangent, bases of negative powers.
void denominators(const Expr& e, std::vector<Expr>& out)
{
    using symbolic::Op;
    if (e->op == Op::Div)
        out.push_back(e->b);
    if (e->op == Op::Call && e->f == symbolic::Function::Tan)
        out.push_back(symbolic::call(symbolic::Function::Cos, e->a));
    if (e->op == Op::Pow && symbolic::isNumber(e->b) && e->b->value < 0)
        out.push_back(e->a);
    if (e->a)
        denominators(e->a, out);
    if (e->b)
        denominators(e->b, out);
}

struct Domain {
    std::string text;
    std::vector<double> gaps;  // single points left out
    std::vector<double> ends;  // open ends of intervals inside the range
};

// Between a (f defined: `definedAt`) and b (the other): the border, on the defined side.
template <class Defined>
double border(double a, double b, Defined defined)
{
    for (int i = 0; i < 80 && a != b; ++i) {
        const double m = a + (b - a) / 2;
        if (m == a || m == b)
            break;
        (defined(m) ? a : b) = m;
    }
    return a;
}

Domain domain(const std::optional<Expr>& tree, Values& f, double from, double to)
{
    Domain d;
    // Grid points of the range, every 0,01 (coarser over very wide ranges).
    const double first = std::ceil(from * 100), last = std::floor(to * 100);
    const double every = std::max(1.0, std::ceil((last - first) / 200000));
    std::vector<double> xs;
    // Counted, not summed: far out, adding a step to x may not change it.
    for (int i = 0; i <= 200000 && first + i * every <= last; ++i)
        xs.push_back((first + i * every) / 100);
    if (xs.empty())
        xs = {from, to};
    // A value too large for a number (e^x far out) is still a value.
    auto isDefined = [&f](double x) {
        const int error = f.outcome(x).error;
        return error == err::None || error == err::Overflow;
    };
    std::vector<char> defined(xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i)
        defined[i] = isDefined(xs[i]);

    // Zeros of denominators between grid points where f is defined on both sides.
    std::vector<Expr> below;
    if (tree)
        denominators(*tree, below);
    for (const Expr& q : below) {
        double before = NAN;
        for (std::size_t i = 0; i < xs.size(); ++i) {
            const auto v = symbolic::evaluate(q, xs[i]);
            const double now = v.error == err::None ? v.value : NAN;
            if (i > 0 && defined[i] && defined[i - 1] && before * now < 0) {
                const double zero = border(xs[i - 1], xs[i], [&](double x) {
                    const auto w = symbolic::evaluate(q, x);
                    return w.error == err::None && (w.value < 0) == (before < 0) && w.value != 0;
                });
                d.gaps.push_back(zero);
            }
            before = now;
        }
    }
    // Runs of grid points where f is not defined: one point alone is a gap,
    // longer runs leave out an interval.
    struct Interval {
        double a, b;
        bool fromStart, toEnd, closedA, closedB;
    };
    std::vector<Interval> intervals;
    bool inside = false;
    Interval current{};
    for (std::size_t i = 0; i < xs.size(); ++i) {
        if (defined[i]) {
            if (!inside) {
                inside = true;
                current = {xs[i], xs[i], i == 0, false, true, true};
                if (i > 0) {
                    const double a = border(xs[i], xs[i - 1], isDefined);
                    current.a = round2(a);
                    current.closedA = isDefined(current.a);
                    if (!current.closedA)
                        d.ends.push_back(a);
                }
            }
            continue;
        }
        const bool alone = i > 0 && i + 1 < xs.size() && defined[i - 1] && defined[i + 1];
        if (alone) {
            d.gaps.push_back(xs[i]);
            continue;
        }
        if (inside) {
            inside = false;
            const double b = border(xs[i - 1], xs[i], isDefined);
            current.b = round2(b);
            current.closedB = isDefined(current.b);
            if (!current.closedB)
                d.ends.push_back(b);
            intervals.push_back(current);
        }
    }
    if (inside) {
        current.toEnd = true;
        intervals.push_back(current);
    }
    std::sort(d.gaps.begin(), d.gaps.end());
    d.gaps.erase(std::unique(d.gaps.begin(), d.gaps.end(),
                             [](double a, double b) { return std::fabs(a - b) < 0.005; }),
                 d.gaps.end());

    std::string points;
    for (double g : d.gaps)
        points += (points.empty() ? "" : "; ") + shown(g);
    if (intervals.empty()) {
        d.text = "D = ∅";
        return d;
    }
    if (intervals.size() == 1 && intervals[0].fromStart && intervals[0].toEnd) {
        d.text = points.empty() ? "D = R" : "D = R \\ {" + points + "}";
        return d;
    }
    d.text = "D = ";
    for (std::size_t i = 0; i < intervals.size(); ++i) {
        const Interval& v = intervals[i];
        if (i > 0)
            d.text += " ∪ ";
        d.text += v.fromStart ? "(-∞" : (v.closedA ? "[" : "(") + text(v.a);
        d.text += "; ";
        d.text += v.toEnd ? "∞)" : text(v.b) + (v.closedB ? "]" : ")");
    }
    if (!points.empty())
        d.text += " \\ {" + points + "}";
    return d;
}

// Where |f| grows without bound towards x from either side.
bool pole(Values& f, double x)
{
    for (double side : {-1.0, 1.0}) {
        double last = -1;
        bool growing = true;
        for (double step : {1e-3, 1e-6, 1e-9}) {
            const auto v = f.at(x + side * step * (1 + std::fabs(x)));
            if (!v || !(std::fabs(*v) > last + 1)) {
                growing = false;
                break;
            }
            last = std::fabs(*v);
        }
        if (growing)
            return true;
    }
    return false;
}

struct Limit {
    std::string text;
    std::optional<double> value;
};

Limit infinity(bool positive) { return {positive ? "+∞" : "-∞", std::nullopt}; }

Limit limit(const std::optional<Expr>& tree, Values& f, int side)
{
    auto leading = [](const symbolic::Polynomial& p) { return p.back(); };
    auto degree = [](const symbolic::Polynomial& p) { return int(p.size()) - 1; };
    if (tree) {
        if (auto p = symbolic::polynomialOf(*tree)) {
            if (degree(*p) == 0)
                return {shown((*p)[0]), (*p)[0]};
            const bool odd = degree(*p) % 2;
            return infinity((leading(*p) > 0) == (side > 0 || !odd));
        }
        if ((*tree)->op == symbolic::Op::Div) {
            auto a = symbolic::polynomialOf((*tree)->a), b = symbolic::polynomialOf((*tree)->b);
            if (a && b && leading(*b) != 0 && leading(*a) != 0) {
                const int n = degree(*a), m = degree(*b);
                const double ratio = leading(*a) / leading(*b);
                if (n < m)
                    return {"0", 0.0};
                if (n == m)
                    return {shown(ratio), ratio};
                return infinity((ratio > 0) == (side > 0 || (n - m) % 2 == 0));
            }
        }
    }
    // Along growing |x|: 10, 20, 40, … up to some 10^9.
    std::vector<double> v;
    double sign = 1;
    for (int k = 0; k < 27; ++k) {
        const Outcome o = f.outcome(side * 10 * std::ldexp(1.0, k));
        if (o.error == err::Overflow) {
            v.push_back(sign * HUGE_VAL);
        } else if (!o) {
            if (k >= 17)
                return {"unbestimmt (f ist dort nicht definiert)", std::nullopt};
            v.clear();
            continue;
        } else {
            v.push_back(o.value);
            if (o.value != 0)
                sign = o.value > 0 ? 1 : -1;
        }
    }
    if (v.size() < 10)
        return {"unbestimmt", std::nullopt};
    const std::vector<double> tail(v.end() - 10, v.end());
    const double end = tail.back();
    if (std::isinf(end))  // beyond the largest number: e^x
        return infinity(end > 0);
    if (std::all_of(tail.begin() + 4, tail.end(), [&](double y) { return std::fabs(y - end) <= 1e-6 * (1 + std::fabs(end)); }))
        return {shown(end), end};
    int changes = 0;
    bool rising = true, falling = true;
    for (std::size_t i = 1; i < tail.size(); ++i) {
        changes += (tail[i] > 0) != (tail[i - 1] > 0);
        rising = rising && tail[i] > tail[i - 1];
        falling = falling && tail[i] < tail[i - 1];
    }
    if (changes >= 2)
        return {"keine Grenze (schwingt)", std::nullopt};
    // Steps that do not die away: ln(x) grows without bound, 2+1/x does not.
    const double firstStep = std::fabs(tail[1] - tail[0]), lastStep = std::fabs(tail[9] - tail[8]);
    if ((rising || falling) && (std::isinf(end) || lastStep > 0.5 * firstStep))
        return infinity(rising);
    return {"unbestimmt", std::nullopt};
}

void addLines(std::vector<std::string>& lines, std::string_view report)
{
    std::size_t start = 0;
    while (start < report.size()) {
        std::size_t end = report.find("\r\n", start);
        if (end == std::string_view::npos)
            end = report.size();
        if (end > start)
            lines.emplace_back(report.substr(start, end - start));
        start = end + 2;
    }
}

// Integers over the range, at most 21 of them, around 0 where the range is wider.
std::vector<int> tableXs(double from, double to)
{
    // Far out, integers are no longer a step of 1 apart: no table beyond ±10^9.
    constexpr double kFar = 1e9;
    double lo = std::max(std::ceil(from), -kFar), hi = std::min(std::floor(to), kFar);
    if (!(hi >= lo))
        return {};
    if (hi - lo > 20) {
        const double centre = std::clamp(0.0, lo + 10, hi - 10);
        lo = centre - 10;
        hi = centre + 10;
    }
    std::vector<int> xs;
    for (double x = lo; x <= hi; ++x)
        xs.push_back(int(x));
    return xs;
}

// The discussion as one search: the windows wait for all of it, and one Esc
// stops what is left of it.
class OneSearch {
public:
    explicit OneSearch(Ui* ui) : ui_(ui)
    {
        if (ui_)
            ui_->searchStarted();
    }
    ~OneSearch()
    {
        if (ui_)
            ui_->searchEnded();
    }
    OneSearch(const OneSearch&) = delete;
    OneSearch& operator=(const OneSearch&) = delete;

private:
    Ui* ui_;
};

}  // namespace

Discussion discuss(std::string_view typed, std::string_view xterm, double from, double to, Ui* ui)
{
    const OneSearch search(ui);
    Discussion out;
    auto& lines = out.lines;
    const std::string x(xterm);
    Values f(Substitution(x).pattern());
    const symbolic::Derivatives derivatives = symbolic::derivativesOf(x);
    const std::optional<Expr>& tree = derivatives.f;

    std::string shownTerm;
    for (char c : typed)
        if (c != ' ')
            shownTerm += c;
    lines.push_back("f(x) = " + shownTerm);
    const Domain d = domain(tree, f, from, to);
    lines.push_back("Definitionsbereich: " + d.text);
    lines.push_back("Symmetrie: " + std::string(symmetry(tree, f)));
    const char* names[] = {"f'(x) = ", "f''(x) = ", "f'''(x) = "};
    for (int k = 0; k < 3; ++k)
        lines.push_back(names[k] + derivatives.texts[k].value_or("nicht als Term darstellbar"));
    const auto y0 = f.at(0);
    lines.push_back("Schnittpunkt mit der y-Achse: " +
                    (y0 ? "Sy (0|" + shown(*y0) + ")" : std::string("keiner (f ist bei 0 nicht definiert)")));
    const CurvePoints points = findCurvePoints(xterm, from, to, ui);
    addLines(lines, zerosText(points.zeros));
    addLines(lines, extremaText(points.extrema));
    addLines(lines, inflectionsText(points.inflections));
    const Limit left = limit(tree, f, -1), right = limit(tree, f, +1);
    lines.push_back("Verhalten für x → -∞: f(x) → " + left.text);
    lines.push_back("Verhalten für x → +∞: f(x) → " + right.text);
    std::vector<double> poles;
    for (double g : d.gaps)
        if (pole(f, g))
            poles.push_back(g);
    for (double e : d.ends)
        if (pole(f, e))
            poles.push_back(e);
    std::sort(poles.begin(), poles.end());
    for (double p : poles)
        lines.push_back("Senkrechte Asymptote: x = " + shown(p));
    if (left.value)
        lines.push_back("Waagerechte Asymptote: y = " + left.text);
    if (right.value && (!left.value || left.text != right.text))
        lines.push_back("Waagerechte Asymptote: y = " + right.text);

    // f' from its written-out term where there is one, else as the program's quotient.
    Values slope(derivatives.texts[0]
                     ? Substitution(string_richten(*derivatives.texts[0])).pattern()
                     : Substitution(centralQuotient(maskExp(xterm)), {.maskExp = false, .collapseStars = true})
                           .pattern());
    for (int i : tableXs(from, to)) {
        const auto v = f.at(i), s = slope.at(i);
        // No slope where f itself is not defined, whatever the written-out f' gives (1/x for ln(x)).
        out.table.push_back({i, v ? cellText(*v) : "", v && s ? cellText(*s) : ""});
    }
    return out;
}

std::string discussionText(const Discussion& d)
{
    std::string out;
    for (const std::string& line : d.lines)
        out += line + '\n';
    out += "Wertetabelle:\nx\tf(x)\tf'(x)\n";
    for (const DiscussionRow& r : d.table)
        out += std::to_string(r.x) + '\t' + r.f + '\t' + r.d + '\n';
    return out;
}

}  // namespace kw
