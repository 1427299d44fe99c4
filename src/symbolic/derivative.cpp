#include "symbolic/derivative.h"

#include <unordered_map>

#include "symbolic/print.h"
#include "symbolic/simplify.h"
#include "terms/engine.h"

namespace kw::symbolic {

namespace {

// More nodes than any school term's third derivative needs; nested functions
// of a term at the length limit stay far below it, since shared parts are
// built once.
constexpr std::size_t kMaxNodes = 200000;

// A derivative larger than this, written out as a tree, is not simplified:
// its text would be far beyond what a typed term may be anyway.
constexpr std::size_t kMaxTree = 20000;
constexpr std::size_t kSmall = 200;
// Deeper trees would take the recursive walks beyond the stack.
constexpr std::size_t kMaxDepth = 1000;

class Differentiator {
public:
    bool exhausted() const { return nodes_ > kMaxNodes; }

    Expr d(const Expr& e)
    {
        if (exhausted())
            return number(0);
        if (auto it = memo_.find(e.get()); it != memo_.end())
            return it->second.second;
        Expr r = rule(e);
        memo_.emplace(e.get(), std::pair{e, r});
        return r;
    }

private:
    std::unordered_map<const Node*, std::pair<Expr, Expr>> memo_;
    std::size_t nodes_ = 0;

    Expr node(Op op, Expr a, Expr b = nullptr)
    {
        ++nodes_;
        return make(op, std::move(a), std::move(b));
    }
    Expr fn(Function f, Expr a)
    {
        ++nodes_;
        return call(f, std::move(a));
    }

    // A part without x has the slope 0, where it is defined; where it is not,
    // 0·c keeps the derivative undefined too.
    Expr constant(const Expr& c)
    {
        if (evaluate(c, 0).error == err::None)
            return number(0);
        return node(Op::Mul, number(0), c);
    }

    // Small parts only: these checks simplify a part for every power.
    static std::optional<Expr> simplified(const Expr& e)
    {
        return treeSize(e, kSmall) > kSmall ? std::nullopt : simplify(e);
    }

    // A slope that is 0 wherever it is defined.
    static bool zero(const Expr& du)
    {
        const auto s = simplified(du);
        if (!s)
            return false;
        if (isNumber(*s, 0))
            return true;
        return ((*s)->op == Op::Mul || (*s)->op == Op::Div) && isNumber((*s)->a, 0);
    }

    Expr rule(const Expr& e)
    {
        if (!hasX(e))
            return constant(e);
        const Expr& a = e->a;
        const Expr& b = e->b;
        switch (e->op) {
        case Op::Number: return number(0);
        case Op::X: return number(1);
        case Op::Add:
        case Op::Sub: return node(e->op, d(a), d(b));
        case Op::Neg: return node(Op::Neg, d(a));
        case Op::Mul:
            if (!hasX(a))
                return node(Op::Mul, a, d(b));
            if (!hasX(b))
                return node(Op::Mul, d(a), b);
            return node(Op::Add, node(Op::Mul, d(a), b), node(Op::Mul, a, d(b)));
        case Op::Div:
            if (!hasX(b))
                return node(Op::Div, d(a), b);
            if (!hasX(a))
                return node(Op::Neg, node(Op::Div, node(Op::Mul, a, d(b)), node(Op::Pow, b, number(2))));
            return node(Op::Div, node(Op::Sub, node(Op::Mul, d(a), b), node(Op::Mul, a, d(b))),
                        node(Op::Pow, b, number(2)));
        case Op::Pow:
            // 0^v: 0 wherever it is defined, and so flat.
            if (auto base = simplified(a); base && isNumber(*base, 0))
                return node(Op::Mul, number(0), e);
            if (!hasX(b)) {
                // u^0 is 1 wherever u is defined; and a base that does not
                // change leaves the power flat, even where u^(n-1) is not defined.
                if (isNumber(b, 0) || zero(d(a)))
                    return node(Op::Mul, number(0), node(Op::Mul, a, d(a)));
                // n·u^(n-1)·u'
                const Expr less = isNumber(b) ? number(b->value - 1) : node(Op::Sub, b, number(1));
                return node(Op::Mul, node(Op::Mul, b, node(Op::Pow, a, less)), d(a));
            }
            if (!hasX(a))  // a^v·ln(a)·v'
                return node(Op::Mul, node(Op::Mul, e, fn(Function::Log, a)), d(b));
            // u^v·(v'·ln(u) + v·u'/u)
            return node(Op::Mul, e,
                        node(Op::Add, node(Op::Mul, d(b), fn(Function::Log, a)),
                             node(Op::Div, node(Op::Mul, b, d(a)), a)));
        case Op::Call: return chain(e->f, a, e);
        }
        return number(0);
    }

    Expr chain(Function f, const Expr& u, const Expr& whole)
    {
        const Expr du = d(u);
        switch (f) {
        case Function::Sqr:
            // The root of something that does not change is flat, even where
            // that something is 0 (sqr(0x)).
            if (zero(du))
                return node(Op::Mul, number(0), whole);
            return node(Op::Div, du, node(Op::Mul, number(2), whole));
        case Function::Log: return node(Op::Div, du, u);
        case Function::Exp: return node(Op::Mul, whole, du);
        case Function::Abs: return node(Op::Mul, fn(Function::Sgn, u), du);
        case Function::Sin: return node(Op::Mul, fn(Function::Cos, u), du);
        case Function::Cos: return node(Op::Neg, node(Op::Mul, fn(Function::Sin, u), du));
        case Function::Tan:
            return node(Op::Div, du, node(Op::Pow, fn(Function::Cos, u), number(2)));
        case Function::Atn:
            return node(Op::Div, du, node(Op::Add, number(1), node(Op::Pow, u, number(2))));
        case Function::Int:
        case Function::Sgn:
            // Steps: flat between their jumps.
            return node(Op::Mul, number(0), du);
        }
        return number(0);
    }
};

}  // namespace

std::optional<Expr> differentiate(const Expr& e)
{
    Differentiator differentiator;
    Expr r = differentiator.d(e);
    if (differentiator.exhausted())
        return std::nullopt;
    return r;
}

Derivatives derivativesOf(std::string_view xterm)
{
    Derivatives out;
    out.f = readTerm(xterm);
    if (!out.f || deeperThan(*out.f, kMaxDepth))
        return out;
    Expr current = *out.f;
    for (std::size_t order = 0; order < 3; ++order) {
        auto next = differentiate(current);
        if (!next || treeSize(*next, kMaxTree) > kMaxTree || deeperThan(*next, kMaxDepth))
            break;
        auto simple = simplify(*next);
        if (!simple)
            break;
        current = *simple;
        out.trees[order] = current;
        out.texts[order] = print(current);
    }
    return out;
}

}  // namespace kw::symbolic
