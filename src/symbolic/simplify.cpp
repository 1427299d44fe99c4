#include "symbolic/simplify.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <unordered_map>

namespace kw::symbolic {

namespace {

// What simplifying one tree may cost: shared parts of a derivative are walked
// once for each place they occur, so a nested term could otherwise keep the
// program busy for minutes. Once spent, the tree is left as it is.
struct Work {
    long left = 4'000'000;
    bool spent() const { return left <= 0; }
};

// A number rounded to the fifteen digits its text shows.
double rounded15(double v)
{
    if (!std::isfinite(v) || v == 0)
        return v == 0 ? 0.0 : v;
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    double out = v;
    std::from_chars(buf, r.ptr, out);
    return out;
}

// A number a teacher writes as a decimal: at most ten significant digits once
// rounded to what its text shows. 1/3 is not one.
bool nice(double v, int most = 10)
{
    if (!std::isfinite(v))
        return false;
    v = rounded15(v);
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    int digits = 0;
    for (const char* p = buf; p < r.ptr && *p != 'e'; ++p)
        digits += *p >= '0' && *p <= '9';
    return digits <= most;
}

Polynomial times(const Polynomial& p, const Polynomial& q)
{
    Polynomial r(p.size() + q.size() - 1, 0.0);
    for (std::size_t i = 0; i < p.size(); ++i)
        for (std::size_t j = 0; j < q.size(); ++j)
            r[i + j] += p[i] * q[j];
    return r;
}

Polynomial plus(Polynomial p, const Polynomial& q, double sign)
{
    if (p.size() < q.size())
        p.resize(q.size(), 0.0);
    for (std::size_t i = 0; i < q.size(); ++i)
        p[i] += sign * q[i];
    return p;
}

int degree(const Polynomial& p)
{
    int d = int(p.size()) - 1;
    while (d > 0 && p[std::size_t(d)] == 0)
        --d;
    return d;
}

// Rounds the coefficients to their shown digits and drops the ones that are
// only the rounding left over from cancelling (0,1·3 - 0,3).
Polynomial cleaned(Polynomial p)
{
    double largest = 0;
    for (double c : p)
        largest = std::max(largest, std::fabs(c));
    for (double& c : p)
        c = std::fabs(c) < largest * 1e-13 ? 0.0 : rounded15(c);
    p.resize(std::size_t(degree(p)) + 1);
    return p;
}

bool allNice(const Polynomial& p)
{
    return std::all_of(p.begin(), p.end(), [](double c) { return nice(c); });
}

std::optional<Polynomial> poly(const Expr& e, Work& work)
{
    if (--work.left <= 0)
        return std::nullopt;
    switch (e->op) {
    case Op::Number:
        if (!std::isfinite(e->value))
            return std::nullopt;
        return Polynomial{e->value};
    case Op::X: return Polynomial{0.0, 1.0};
    case Op::Add:
    case Op::Sub: {
        auto a = poly(e->a, work);
        if (!a)
            return std::nullopt;
        auto b = poly(e->b, work);
        if (!b)
            return std::nullopt;
        return plus(*a, *b, e->op == Op::Add ? 1.0 : -1.0);
    }
    case Op::Neg: {
        auto a = poly(e->a, work);
        if (!a)
            return std::nullopt;
        return plus(Polynomial{0.0}, *a, -1.0);
    }
    case Op::Mul: {
        auto a = poly(e->a, work);
        if (!a)
            return std::nullopt;
        auto b = poly(e->b, work);
        if (!b || degree(*a) + degree(*b) > kMaxDegree)
            return std::nullopt;
        return times(*a, *b);
    }
    case Op::Div: {
        if (!isNumber(e->b) || e->b->value == 0)
            return std::nullopt;
        auto a = poly(e->a, work);
        if (!a)
            return std::nullopt;
        for (double& c : *a)
            c /= e->b->value;
        return a;
    }
    case Op::Pow: {
        if (!isNumber(e->b))
            return std::nullopt;
        const double n = e->b->value;
        if (!(n >= 0 && n <= kMaxDegree && n == std::floor(n)))
            return std::nullopt;
        auto a = poly(e->a, work);
        if (!a || degree(*a) * int(n) > kMaxDegree)
            return std::nullopt;
        Polynomial r{1.0};
        for (int i = 0; i < int(n); ++i)
            r = times(r, *a);
        return r;
    }
    case Op::Call: return std::nullopt;
    }
    return std::nullopt;
}

bool finite(const Polynomial& p)
{
    return std::all_of(p.begin(), p.end(), [](double c) { return std::isfinite(c); });
}

// p / d when it leaves no remainder (beyond rounding).
std::optional<Polynomial> divided(Polynomial p, const Polynomial& d)
{
    const int n = degree(p), m = degree(d);
    if (n < m || d[std::size_t(m)] == 0)
        return std::nullopt;
    double scale = 0;
    for (double c : p)
        scale = std::max(scale, std::fabs(c));
    Polynomial q(std::size_t(n - m + 1), 0.0);
    for (int k = n - m; k >= 0; --k) {
        const double c = p[std::size_t(k + m)] / d[std::size_t(m)];
        q[std::size_t(k)] = c;
        for (int j = 0; j <= m; ++j)
            p[std::size_t(k + j)] -= c * d[std::size_t(j)];
    }
    for (int k = 0; k < m; ++k)
        if (std::fabs(p[std::size_t(k)]) > 1e-12 * scale)
            return std::nullopt;
    return q;
}

// c·x^k: the coefficient in front, x alone for k = 1, no x for k = 0.
Expr monomial(double c, int k)
{
    if (k == 0)
        return number(c);
    Expr power = k == 1 ? variable() : make(Op::Pow, variable(), number(k));
    return c == 1 ? power : make(Op::Mul, number(c), power);
}

// Falling powers; a negative coefficient after the first term becomes a minus.
Expr fromPolynomial(const Polynomial& p)
{
    Expr sum;
    for (int k = int(p.size()) - 1; k >= 0; --k) {
        const double c = p[std::size_t(k)];
        if (c == 0)
            continue;
        if (!sum)
            sum = monomial(c, k);
        else
            sum = make(c < 0 ? Op::Sub : Op::Add, sum, monomial(std::fabs(c), k));
    }
    return sum ? sum : number(0);
}

// A polynomial written out: short decimals where they are, else over the
// smallest whole denominator that makes them short ((2x^2+1)/3), else with
// the fifteen digits its numbers show.
Expr polynomialExpr(const Polynomial& p)
{
    if (allNice(p))
        return fromPolynomial(p);
    for (int d = 2; d <= 100; ++d) {
        // Over 2, 4, 5, … the quotient is a decimal again, and would be
        // multiplied out into this very polynomial.
        if (nice(1.0 / d))
            continue;
        Polynomial q = p;
        for (double& c : q)
            c = rounded15(c * d);
        if (std::all_of(q.begin(), q.end(), [](double c) { return nice(c, 6); }))
            return make(Op::Div, fromPolynomial(q), number(d));
    }
    return fromPolynomial(p);
}

std::optional<double> fold(Op op, Function f, double a, double b)
{
    grammar::Arithmetic arithmetic;
    double r = 0;
    switch (op) {
    case Op::Add: r = arithmetic.add(a, b); break;
    case Op::Sub: r = arithmetic.sub(a, b); break;
    case Op::Mul: r = arithmetic.mul(a, b); break;
    case Op::Div: r = arithmetic.div(a, b); break;
    case Op::Neg: r = arithmetic.neg(a); break;
    case Op::Pow: r = arithmetic.pow(a, b); break;
    case Op::Call: r = arithmetic.call(f, a); break;
    default: return std::nullopt;
    }
    if (arithmetic.runtime != err::None || !nice(r))
        return std::nullopt;
    return rounded15(r);
}

// Equal trees; spent work counts as unequal, which only leaves a sum or a
// product less collected.
bool same(const Expr& a, const Expr& b, Work& work)
{
    if (a == b)
        return true;
    if (--work.left <= 0 || a->op != b->op)
        return false;
    switch (a->op) {
    case Op::Number: return a->value == b->value;
    case Op::X: return true;
    case Op::Call: return a->f == b->f && same(a->a, b->a, work);
    default: return same(a->a, b->a, work) && (!a->b || same(a->b, b->b, work));
    }
}

bool wholePositive(const Expr& e)
{
    return isNumber(e) && e->value >= 1 && e->value <= 1e6 && e->value == std::floor(e->value);
}

// A product as its coefficient and its factors, each a base to a whole
// positive power; equal bases are one factor.
struct Factor {
    Expr base;
    double power;
};
struct Factors {
    double c = 1;
    std::vector<Factor> list;
};

Factors factorsOf(const Expr& e, Work& work)
{
    Factors fs;
    std::vector<Expr> todo{e};
    while (!todo.empty() && --work.left > 0) {
        Expr f = todo.back();
        todo.pop_back();
        if (f->op == Op::Mul) {
            todo.push_back(f->b);
            todo.push_back(f->a);
            continue;
        }
        if (f->op == Op::Neg) {
            fs.c = -fs.c;
            todo.push_back(f->a);
            continue;
        }
        if (isNumber(f)) {
            fs.c *= f->value;
            continue;
        }
        Factor factor{f, 1};
        if (f->op == Op::Pow && wholePositive(f->b))
            factor = {f->a, f->b->value};
        auto m = std::find_if(fs.list.begin(), fs.list.end(),
                              [&](const Factor& g) { return same(g.base, factor.base, work); });
        if (m != fs.list.end())
            m->power += factor.power;
        else
            fs.list.push_back(factor);
    }
    return fs;
}

Expr powerOf(const Factor& f) { return f.power == 1 ? f.base : make(Op::Pow, f.base, number(f.power)); }

class Simplifier {
public:
    bool spent() const { return work_.spent(); }

    Expr run(const Expr& e)
    {
        if (--work_.left <= 0)
            return e;
        const Deeper deeper(*this);
        if (depth_ > kMaxNesting) {
            work_.left = 0;
            return e;
        }
        if (auto it = memo_.find(e.get()); it != memo_.end())
            return it->second.second;
        Expr r = rebuild(e);
        memo_.emplace(e.get(), std::pair{e, r});
        return r;
    }

private:
    // The rules call each other and the simplifier again; no chain of them
    // may go deeper than the stack allows.
    static constexpr int kMaxNesting = 3000;
    struct Deeper {
        Simplifier& s;
        explicit Deeper(Simplifier& simplifier) : s(simplifier) { ++s.depth_; }
        ~Deeper() { --s.depth_; }
    };
    int depth_ = 0;
    Work work_;
    // Key: the node simplified; the pair keeps it alive so its address stays its own.
    std::unordered_map<const Node*, std::pair<Expr, Expr>> memo_;

    // A polynomial in its written-out form when its coefficients are short
    // decimals; anything else as the local rules left it.
    Expr canonical(Expr e)
    {
        if (e->op == Op::Number || e->op == Op::X)
            return e;
        auto p = poly(e, work_);
        if (!p || !finite(*p))
            return e;
        return polynomialExpr(cleaned(*p));
    }

    Expr rebuild(const Expr& e)
    {
        switch (e->op) {
        case Op::Number:
        case Op::X: return e;
        case Op::Call: {
            Expr a = run(e->a);
            if (isNumber(a))
                if (auto v = fold(Op::Call, e->f, a->value, 0))
                    return number(*v);
            return call(e->f, a);
        }
        case Op::Neg: return canonical(negate(run(e->a)));
        case Op::Add:
        case Op::Sub: return canonical(sum(e->op, run(e->a), run(e->b)));
        case Op::Mul: return canonical(product(run(e->a), run(e->b)));
        case Op::Div: return canonical(quotient(run(e->a), denominator(e->b)));
        case Op::Pow: return canonical(power(run(e->a), run(e->b)));
        }
        return e;
    }

    // A whole power of a sum in a denominator stays a power: (x-2)^2, not x^2-4x+4.
    Expr denominator(const Expr& b)
    {
        if (b->op != Op::Pow || !wholePositive(b->b))
            return run(b);
        Expr base = denominator(b->a);
        Expr inner = base->op == Op::Pow ? base->a : base;
        if (inner->op != Op::Add && inner->op != Op::Sub)
            return run(b);
        return power(base, b->b);
    }

    static Expr negate(const Expr& a)
    {
        if (isNumber(a))
            return number(-a->value);
        if (a->op == Op::Neg)
            return a->a;
        if ((a->op == Op::Div || a->op == Op::Mul) && isNumber(a->a, 0))
            return a;  // -0/x is 0/x
        return make(Op::Neg, a);
    }

    // A sum as its terms, each a coefficient times the rest; equal rests are
    // collected, a number in front of a sum is multiplied out, the polynomial
    // terms come first in falling powers, then the others in their order.
    Expr sum(Op op, const Expr& a, const Expr& b)
    {
        if (isNumber(a) && isNumber(b))
            if (auto v = fold(op, Function::Abs, a->value, b->value))
                return number(*v);
        struct Term {
            double c;
            Expr rest;  // nullptr: a number
        };
        std::vector<Term> terms;
        std::vector<std::pair<Expr, double>> todo{{b, op == Op::Add ? 1.0 : -1.0}, {a, 1.0}};
        while (!todo.empty()) {
            auto [e, sign] = todo.back();
            todo.pop_back();
            if (e->op == Op::Add || e->op == Op::Sub) {
                todo.push_back({e->b, e->op == Op::Add ? sign : -sign});
                todo.push_back({e->a, sign});
                continue;
            }
            if (e->op == Op::Neg) {
                todo.push_back({e->a, -sign});
                continue;
            }
            const Factors fs = factorsOf(e, work_);
            if (fs.list.size() == 1 && fs.list[0].power == 1 && nice(sign * fs.c) &&
                (fs.list[0].base->op == Op::Add || fs.list[0].base->op == Op::Sub)) {
                todo.push_back({fs.list[0].base, sign * fs.c});
                continue;
            }
            Expr rest;
            for (const Factor& f : fs.list)
                rest = rest ? make(Op::Mul, rest, powerOf(f)) : powerOf(f);
            auto same_rest = std::find_if(terms.begin(), terms.end(), [&](const Term& t) {
                return (!t.rest && !rest) || (t.rest && rest && same(t.rest, rest, work_));
            });
            if (same_rest != terms.end())
                same_rest->c += sign * fs.c;
            else
                terms.push_back({sign * fs.c, rest});
        }
        Polynomial p{0.0};
        std::vector<Term> others;
        for (const Term& t : terms) {
            auto q = t.rest ? poly(t.rest, work_) : std::optional<Polynomial>(Polynomial{1.0});
            if (q && finite(*q))
                p = plus(p, *q, t.c);
            else
                others.push_back(t);
        }
        p = cleaned(p);
        if (!finite(p))
            return make(op, a, b);
        if (!allNice(p) && degree(p) > 0) {
            others.insert(others.begin(), Term{1, polynomialExpr(p)});
            p = {0.0};
        }
        // Powers of x first, a constant alone last: e^x+1.
        Expr r = degree(p) > 0 ? fromPolynomial(p) : nullptr;
        if (p.size() == 1 && p[0] != 0)
            others.push_back({p[0], nullptr});
        // Terms that are 0 where defined (0/(x-1)^2, kept for their gap) come
        // last, without a sign.
        std::stable_partition(others.begin(), others.end(), [](const Term& t) { return !nothing(t); });
        for (Term t : others) {
            if (t.c == 0 && (!t.rest || total(t.rest)))
                continue;
            if (nothing(t))
                t.c = std::fabs(t.c);
            const double c = std::fabs(t.c);
            const Expr term = !t.rest ? number(c) : c == 1 ? t.rest : make(Op::Mul, number(c), t.rest);
            if (!r)
                r = t.c < 0 ? make(Op::Neg, term) : term;
            else
                r = make(t.c < 0 ? Op::Sub : Op::Add, r, term);
        }
        return r ? r : number(0);
    }

    template <class Term>
    static bool nothing(const Term& t)
    {
        return t.c == 0 || (t.rest && (t.rest->op == Op::Div || t.rest->op == Op::Mul) && isNumber(t.rest->a, 0));
    }

    // Products flattened into a coefficient, one polynomial factor and the
    // other factors in their order, equal bases as one power; a quotient among
    // them takes the rest into its numerator.
    Expr product(const Expr& a, const Expr& b)
    {
        const Deeper deeper(*this);
        if (depth_ > kMaxNesting || work_.spent()) {
            work_.left = 0;
            return make(Op::Mul, a, b);
        }
        const Factors fs = factorsOf(make(Op::Mul, a, b), work_);
        const double coefficient = fs.c;
        if (!std::isfinite(coefficient))
            return make(Op::Mul, a, b);
        if (coefficient == 0 &&
            std::all_of(fs.list.begin(), fs.list.end(), [](const Factor& f) { return total(f.base); }))
            return number(0);
        for (std::size_t i = 0; i < fs.list.size(); ++i) {
            const Factor& d = fs.list[i];
            if (d.base->op != Op::Div || d.power != 1)
                continue;
            Expr numerator = number(coefficient);
            for (std::size_t j = 0; j < fs.list.size(); ++j)
                numerator = make(Op::Mul, numerator, j == i ? d.base->a : powerOf(fs.list[j]));
            return quotient(run(numerator), d.base->b);
        }
        // The polynomial factors as one, with the coefficient in it.
        Polynomial p{coefficient};
        std::vector<Expr> others;
        for (const Factor& f : fs.list) {
            const Expr factor = powerOf(f);
            auto q = poly(factor, work_);
            if (q && finite(*q) && degree(p) + degree(*q) <= kMaxDegree)
                p = times(p, *q);
            else
                others.push_back(factor);
        }
        p = cleaned(p);
        if (!finite(p)) {
            // Leave the factors as they were, coefficient in front.
            Expr r = coefficient == 1 ? nullptr : number(coefficient);
            for (const Factor& f : fs.list)
                r = r ? make(Op::Mul, r, powerOf(f)) : powerOf(f);
            return r ? r : number(1);
        }
        Expr lead;
        double c = 1;
        int nonZero = 0;
        for (double k : p)
            nonZero += k != 0;
        if (nonZero > 1 && !allNice(p)) {
            lead = polynomialExpr(p);
        } else if (nonZero == 1) {
            c = p.back();
            if (p.size() > 1)
                lead = monomial(1, int(p.size()) - 1);
        } else if (nonZero == 0) {
            c = 0;
        } else {
            lead = fromPolynomial(p);
        }
        Expr r = lead;
        for (const Expr& f : others)
            r = r ? make(Op::Mul, r, f) : f;
        if (!r)
            return number(c);
        if (c == 1)
            return r;
        if (c == -1)
            return make(Op::Neg, r);
        return make(Op::Mul, number(c), r);
    }

    // Denominators keep their powers of sums as they are.
    Expr productOf(const Factors& fs, bool keepPowers = false)
    {
        if (keepPowers) {
            Expr r = fs.c == 1 && !fs.list.empty() ? nullptr : number(fs.c);
            for (const Factor& f : fs.list)
                r = r ? make(Op::Mul, r, powerOf(f)) : powerOf(f);
            return r;
        }
        Expr r = number(fs.c);
        for (const Factor& f : fs.list)
            r = make(Op::Mul, r, powerOf(f));
        return fs.list.empty() ? r : product(number(1), r);
    }

    Expr quotient(const Expr& a, const Expr& b)
    {
        const Deeper deeper(*this);
        if (depth_ > kMaxNesting || work_.spent()) {
            work_.left = 0;
            return make(Op::Div, a, b);
        }
        if (isNumber(a) && isNumber(b))
            if (auto v = fold(Op::Div, Function::Abs, a->value, b->value))
                return number(*v);
        if (isNumber(b, 1))
            return a;
        if (isNumber(b) && b->value != 0) {
            if (isNumber(a, 0))
                return a;
            if (b->value < 0)
                return negate(quotient(a, number(-b->value)));
            if (auto inverse = fold(Op::Div, Function::Abs, 1, b->value))
                return product(number(*inverse), a);
        }
        if (a->op == Op::Neg)
            return negate(quotient(a->a, b));
        if (b->op == Op::Neg)
            return negate(quotient(a, b->a));
        // (p/q)/r = p/(q·r): undefined where either was.
        if (a->op == Op::Div)
            return quotient(a->a, product(a->b, b));
        // A factor of the numerator cancels against a higher power of it in
        // the denominator, which keeps the gap: x^2/x^5 = 1/x^3, never x/x = 1.
        Factors top = factorsOf(a, work_), bottom = factorsOf(b, work_);
        bool changed = false;
        for (auto t = top.list.begin(); t != top.list.end();) {
            auto m = std::find_if(bottom.list.begin(), bottom.list.end(),
                                  [&](const Factor& f) { return same(f.base, t->base, work_); });
            if (m != bottom.list.end() && m->power > t->power) {
                m->power -= t->power;
                t = top.list.erase(t);
                changed = true;
            } else {
                ++t;
            }
        }
        // A polynomial numerator divided by a sum that stays in the denominator.
        if (auto num = poly(a, work_); num && top.list.size() == 1) {
            for (Factor& f : bottom.list) {
                auto divisor = f.power >= 2 ? poly(f.base, work_) : std::nullopt;
                if (!divisor || degree(*divisor) < 1)
                    continue;
                while (f.power >= 2) {
                    auto q = divided(*num, *divisor);
                    if (!q)
                        break;
                    *num = *q;
                    f.power -= 1;
                    changed = true;
                }
            }
            if (changed) {
                Polynomial n = cleaned(*num);
                if (!allNice(n))
                    return make(Op::Div, a, b);
                top = factorsOf(fromPolynomial(n), work_);
            }
        }
        if (bottom.c != 1 && bottom.c != 0 && !bottom.list.empty()) {
            if (auto ratio = fold(Op::Div, Function::Abs, top.c, bottom.c)) {
                top.c = *ratio;
                bottom.c = 1;
                changed = true;
            }
        }
        if (!changed)
            return make(Op::Div, a, b);
        if (top.c < 0) {
            top.c = -top.c;
            return negate(make(Op::Div, productOf(top), productOf(bottom, true)));
        }
        return make(Op::Div, productOf(top), productOf(bottom, true));
    }

    Expr power(const Expr& a, const Expr& b)
    {
        if (isNumber(a) && isNumber(b))
            if (auto v = fold(Op::Pow, Function::Abs, a->value, b->value))
                return number(*v);
        if (isNumber(b, 1))
            return a;
        if (isNumber(b, 0) && total(a))
            return number(1);
        // (u^m)^n = u^(m·n) for whole positive m and n.
        if (a->op == Op::Pow && wholePositive(a->b) && wholePositive(b))
            return make(Op::Pow, a->a, number(a->b->value * b->value));
        // (2u)^2 = 4u^2.
        if ((a->op == Op::Mul || a->op == Op::Neg) && wholePositive(b) && b->value <= kMaxDegree) {
            Factors fs = factorsOf(a, work_);
            if (auto c = fold(Op::Pow, Function::Abs, fs.c, b->value)) {
                fs.c = *c;
                for (Factor& f : fs.list)
                    f.power *= b->value;
                return productOf(fs);
            }
        }
        return make(Op::Pow, a, b);
    }
};

}  // namespace

std::optional<Polynomial> polynomialOf(const Expr& e)
{
    Work work;
    auto p = poly(e, work);
    if (!p || !finite(*p))
        return std::nullopt;
    return cleaned(*p);
}

bool total(const Expr& e)
{
    switch (e->op) {
    case Op::Number: return std::isfinite(e->value);
    case Op::X: return true;
    case Op::Add:
    case Op::Sub:
    case Op::Mul: return total(e->a) && total(e->b);
    case Op::Neg: return total(e->a);
    case Op::Div: return false;
    case Op::Pow:
        return isNumber(e->b) && e->b->value >= 0 && e->b->value == std::floor(e->b->value) &&
               total(e->a);
    case Op::Call:
        switch (e->f) {
        case Function::Sqr:
        case Function::Log:
        case Function::Tan: return false;
        default: return total(e->a);
        }
    }
    return false;
}

std::optional<Expr> simplify(const Expr& e)
{
    Simplifier simplifier;
    Expr r = simplifier.run(e);
    if (simplifier.spent())
        return std::nullopt;
    return r;
}

}  // namespace kw::symbolic
