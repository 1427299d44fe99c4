#include "symbolic/print.h"

#include <vector>

#include "terms/normalize.h"
#include "terms/numtext.h"

namespace kw::symbolic {

namespace {

// How tightly a printed part holds together: a part is put in brackets where
// its surroundings need a tighter one.
enum Level { Sum = 1, Product = 2, Power = 3, Atom = 4 };

struct Text {
    std::string s;
    Level level;
};

std::string bracketed(const Text& t, Level needed)
{
    return t.level < needed ? "(" + t.s + ")" : t.s;
}

bool startsMinus(const std::string& s) { return !s.empty() && s[0] == '-'; }

const char* nameOf(Function f)
{
    switch (f) {
    case Function::Sqr: return "sqr";
    case Function::Log: return "ln";
    case Function::Exp: return "exp";
    case Function::Abs: return "abs";
    case Function::Int: return "int";
    case Function::Sin: return "sin";
    case Function::Cos: return "cos";
    case Function::Tan: return "tan";
    case Function::Atn: return "atn";
    case Function::Sgn: return "sgn";
    }
    return "";
}

Text write(const Expr& e);

// An exponent: a plain number or x as it is, anything else in brackets, so
// that no sign follows "^" and "2^x^2" never means something else.
std::string exponent(const Expr& e)
{
    Text t = write(e);
    const bool plain = e->op == Op::X ||
                       (isNumber(e) && e->value >= 0 && t.s.find('E') == std::string::npos);
    return plain ? t.s : "(" + t.s + ")";
}

Text sum(const Expr& e)
{
    // The terms of a chain of + and -, each with its sign.
    std::vector<std::pair<bool, Expr>> terms;
    Expr left = e;
    std::vector<std::pair<bool, Expr>> reversed;
    while (left->op == Op::Add || left->op == Op::Sub) {
        reversed.push_back({left->op == Op::Sub, left->b});
        left = left->a;
    }
    terms.push_back({false, left});
    terms.insert(terms.end(), reversed.rbegin(), reversed.rend());
    std::string s;
    for (std::size_t i = 0; i < terms.size(); ++i) {
        auto [minus, term] = terms[i];
        Text t = write(term);
        // "a+-b" is written "a-b"; a term that is a sum itself keeps its brackets.
        if (i > 0 && startsMinus(t.s) && term->op != Op::Add && term->op != Op::Sub) {
            minus = !minus;
            t = {t.s.substr(1), Product};
        }
        if (i > 0)
            s += minus ? '-' : '+';
        s += bracketed(t, i == 0 ? Sum : Product);
    }
    return {s, Sum};
}

Text product(const Expr& e)
{
    std::vector<Expr> factors;
    std::vector<Expr> todo{e};
    while (!todo.empty()) {
        Expr f = todo.back();
        todo.pop_back();
        if (f->op == Op::Mul) {
            todo.push_back(f->b);
            todo.push_back(f->a);
        } else {
            factors.push_back(f);
        }
    }
    std::string s;
    std::size_t i = 0;
    if (isNumber(factors[0]) && factors.size() > 1) {
        // The coefficient in front, written against the next factor where the
        // program puts the "*" itself: "1,5x^2", "2sin(x)", "2e^x", "3(x+1)".
        const double c = factors[0]->value;
        const std::string number = text(c);
        const Text next = write(factors[1]);
        const std::string nextText = bracketed(next, Power);
        const char first = nextText[0];
        const bool joins = number.find('E') == std::string::npos &&
                           ((first >= 'a' && first <= 'z') || first == '(');
        if (c == 1 || c == -1)
            s = (c < 0 ? "-" : "") + nextText;
        else
            s = number + (joins ? "" : "*") + nextText;
        i = 2;
    }
    for (; i < factors.size(); ++i) {
        const Text t = write(factors[i]);
        if (!s.empty())
            s += '*';
        // A factor after "*" never starts with a sign: "2*-3^2" reads (-3)^2.
        s += bracketed(t, Product);
    }
    return {s, startsMinus(s) ? Sum : Product};
}

Text write(const Expr& e)
{
    switch (e->op) {
    case Op::Number: return {text(e->value), e->value < 0 ? Sum : Atom};
    case Op::X: return {"x", Atom};
    case Op::Add:
    case Op::Sub: return sum(e);
    case Op::Neg: {
        const Text t = write(e->a);
        return {"-" + bracketed(t, Product), Sum};
    }
    case Op::Mul: return product(e);
    case Op::Div: {
        const Text a = write(e->a), b = write(e->b);
        // A denominator holds together when it is a number, x, a power or a
        // function: "1/x^2", "1/sin(x)"; "1/2x" would mean x/2.
        const bool plain = (b.level >= Power && !startsMinus(b.s));
        const std::string under = "/" + (plain ? b.s : "(" + b.s + ")");
        // A sign in front of a product belongs to the whole quotient: "-8sin(x)/x^2".
        if (startsMinus(a.s) && e->a->op != Op::Add && e->a->op != Op::Sub)
            return {a.s + under, Sum};
        return {bracketed(a, Product) + under, Product};
    }
    case Op::Pow: {
        const Text base = write(e->a);
        const bool plain = (e->a->op == Op::X || (e->a->op == Op::Call && e->a->f != Function::Exp) ||
                            (isNumber(e->a) && e->a->value >= 0 && base.s.find('E') == std::string::npos));
        return {(plain ? base.s : "(" + base.s + ")") + "^" + exponent(e->b), Power};
    }
    case Op::Call:
        if (e->f == Function::Exp)
            return {"e^" + exponent(e->a), Power};
        return {std::string(nameOf(e->f)) + "(" + write(e->a).s + ")", Atom};
    }
    return {"", Atom};
}

}  // namespace

std::optional<std::string> print(const Expr& e)
{
    // Every leaf writes at least one character: a tree of more than twice the
    // longest term's leaves cannot be written within it.
    if (treeSize(e, 2 * kTermMax + 2) > 2 * kTermMax + 1)
        return std::nullopt;
    std::string s = write(e).s;
    if (termTooLong(s))
        return std::nullopt;
    return s;
}

}  // namespace kw::symbolic
