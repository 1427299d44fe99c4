#include "symbolic/expression.h"

#include "terms/compiled.h"
#include "terms/substitution.h"

namespace kw::symbolic {

Expr number(double v) { return std::make_shared<const Node>(Node{Op::Number, v, Function::Abs, nullptr, nullptr}); }

Expr variable()
{
    static const Expr x = std::make_shared<const Node>(Node{Op::X, 0, Function::Abs, nullptr, nullptr});
    return x;
}

Expr make(Op op, Expr a, Expr b)
{
    return std::make_shared<const Node>(Node{op, 0, Function::Abs, std::move(a), std::move(b)});
}

Expr call(Function f, Expr a)
{
    return std::make_shared<const Node>(Node{Op::Call, 0, f, std::move(a), nullptr});
}

bool hasX(const Expr& e)
{
    switch (e->op) {
    case Op::Number: return false;
    case Op::X: return true;
    default: return hasX(e->a) || (e->b && hasX(e->b));
    }
}

namespace {

// The grammar's operations written as a tree. e^u is read as exp(u), which is
// how it is differentiated and written.
struct Builder {
    using Value = Expr;
    static constexpr bool kMarks = true;
    bool tooLarge_ = false;

    Expr literal(double v) { return number(v); }
    Expr tooLarge()
    {
        tooLarge_ = true;
        return number(0);
    }
    Expr mark(int) { return variable(); }
    Expr add(Expr a, Expr b) { return make(Op::Add, a, b); }
    Expr sub(Expr a, Expr b) { return make(Op::Sub, a, b); }
    Expr mul(Expr a, Expr b) { return make(Op::Mul, a, b); }
    Expr div(Expr a, Expr b) { return make(Op::Div, a, b); }
    Expr neg(Expr a) { return make(Op::Neg, a); }
    Expr pow(Expr a, Expr b)
    {
        if (a->op == Op::Call && a->f == Function::Exp && isNumber(a->a, 1))
            return call(Function::Exp, b);
        return make(Op::Pow, a, b);
    }
    Expr call(Function f, Expr a) { return symbolic::call(f, a); }
};

}  // namespace

std::optional<Expr> readTerm(std::string_view xterm)
{
    const std::string pattern = Substitution(xterm).pattern();
    if (!marksFit(pattern))
        return std::nullopt;
    Builder builder;
    Expr e;
    grammar::Parser parser(pattern.data(), pattern.data() + pattern.size(), builder);
    if (!parser.run(e) || builder.tooLarge_)
        return std::nullopt;
    return e;
}

namespace {

double eval(const Expr& e, double x, grammar::Arithmetic& a)
{
    switch (e->op) {
    case Op::Number: return e->value;
    case Op::X: return x;
    case Op::Neg: return a.neg(eval(e->a, x, a));
    case Op::Call: return a.call(e->f, eval(e->a, x, a));
    default: break;
    }
    // Left before right, as the engine reads them: the first error raised is reported.
    const double l = eval(e->a, x, a);
    const double r = eval(e->b, x, a);
    switch (e->op) {
    case Op::Add: return a.add(l, r);
    case Op::Sub: return a.sub(l, r);
    case Op::Mul: return a.mul(l, r);
    case Op::Div: return a.div(l, r);
    default: return a.pow(l, r);
    }
}

}  // namespace

Value evaluate(const Expr& e, double x)
{
    grammar::Arithmetic a;
    const double v = eval(e, x, a);
    return a.runtime != err::None ? Value{a.runtime, 0} : Value{err::None, v};
}

std::size_t treeSize(const Expr& e, std::size_t limit)
{
    std::size_t n = 0;
    std::vector<const Node*> todo{e.get()};
    while (!todo.empty() && n <= limit) {
        const Node* node = todo.back();
        todo.pop_back();
        ++n;
        if (node->a)
            todo.push_back(node->a.get());
        if (node->b)
            todo.push_back(node->b.get());
    }
    return n;
}

bool deeperThan(const Expr& e, std::size_t limit)
{
    std::vector<std::pair<const Node*, std::size_t>> todo{{e.get(), 1}};
    std::size_t visited = 0;
    while (!todo.empty()) {
        const auto [node, depth] = todo.back();
        todo.pop_back();
        if (depth > limit)
            return true;
        // A shared part is walked each time it occurs: past a million, call it deep.
        if (++visited > 1000000)
            return true;
        if (node->a)
            todo.push_back({node->a.get(), depth + 1});
        if (node->b)
            todo.push_back({node->b.get(), depth + 1});
    }
    return false;
}

}  // namespace kw::symbolic
