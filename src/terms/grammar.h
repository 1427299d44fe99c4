#pragma once

// The engine's grammar, shared by the engine, which evaluates while it reads,
// and by the compiler, which writes the same operations into an instruction
// list. What a value is and what an operation does is the business of `Ops`;
// the order in which operations happen, and so which error comes first, is
// fixed here once for both.

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "terms/chars.h"
#include "terms/engine.h"

namespace kw::grammar {

// Deeper bracket nesting than any generated term needs; the limit keeps a
// malicious or broken text from exhausting the stack.
inline constexpr int kMaxDepth = 256;

using chars::isBlank;
using chars::isDigit;
using chars::isLetter;
using chars::isNameChar;
using chars::isOperator;
using chars::lower;

// A statement to be compiled carries marks where numbers go in: mark i is the
// character kFirstMark + i. The engine reads them as the syntax errors they are.
inline constexpr char kFirstMark = '\x01';
inline constexpr int kMaxMarks = 8;
constexpr int markIndex(char c) { return c >= kFirstMark && c < kFirstMark + kMaxMarks ? c - kFirstMark : -1; }

// Three lower-case letters packed into one integer, so a function name is
// recognised by a single switch.
constexpr unsigned key3(char a, char b, char c)
{
    return unsigned((unsigned char)a) << 16 | unsigned((unsigned char)b) << 8 | (unsigned char)c;
}

enum class Function : std::uint8_t { Sqr, Log, Exp, Abs, Int, Sin, Cos, Tan, Atn, Sgn };

// The arithmetic of the engine on doubles: every operation with the check
// that raises its error. The first error raised is the one reported.
struct Arithmetic {
    using Value = double;
    static constexpr bool kMarks = false;

    int runtime = err::None;

    void raise(int code)
    {
        if (runtime == err::None)
            runtime = code;
    }

    // Inputs are finite unless an error was already raised, so a non-finite
    // result is an overflow (inf) or a domain error (NaN) of this operation.
    double checked(double r)
    {
        if (!std::isfinite(r)) [[unlikely]]
            raise(std::isnan(r) ? err::InvalidArgument : err::Overflow);
        return r;
    }

    static double nan() { return std::numeric_limits<double>::quiet_NaN(); }

    double literal(double v) { return v; }
    double tooLarge()  // a literal beyond the double range
    {
        raise(err::Overflow);
        return std::numeric_limits<double>::infinity();
    }
    double add(double a, double b) { return checked(a + b); }
    double sub(double a, double b) { return checked(a - b); }
    double mul(double a, double b) { return checked(a * b); }
    double div(double a, double b)
    {
        if (b == 0.0) {
            raise(err::DivisionByZero);
            return nan();
        }
        return checked(a / b);
    }
    double neg(double a) { return -a; }
    double pow(double a, double b)
    {
        if (a == 0.0 && b < 0.0) {
            raise(err::DivisionByZero);
            return nan();
        }
        // a*a is the correctly rounded square, as pow gives it, and squares
        // dominate the terms users type.
        if (b == 2.0)
            return checked(a * a);
        // A negative base with a non-integer exponent gives NaN, reported as 5.
        return checked(std::pow(a, b));
    }
    double call(Function f, double a)
    {
        switch (f) {
        case Function::Sqr:
            if (a < 0.0) {
                raise(err::InvalidArgument);
                return nan();
            }
            return checked(std::sqrt(a));
        case Function::Log:
            if (a <= 0.0) {
                raise(err::InvalidArgument);
                return nan();
            }
            return checked(std::log(a));
        case Function::Exp: return checked(std::exp(a));
        case Function::Abs: return std::fabs(a);
        case Function::Int: return std::floor(a);
        case Function::Sin: return checked(std::sin(a));
        case Function::Cos: return checked(std::cos(a));
        case Function::Tan: return checked(std::tan(a));
        case Function::Atn: return std::atan(a);
        case Function::Sgn: return a > 0.0 ? 1.0 : (a < 0.0 ? -1.0 : 0.0);
        }
        return a;
    }
};

// For a literal out of the double range: too large (true) or too small?
// Only the rough decimal magnitude matters; out of range means beyond ±300.
inline bool overflows(const char* p, const char* end)
{
    long magnitude = 0;
    bool seenNonZero = false;
    bool afterPoint = false;
    for (; p < end && (isDigit(*p) || *p == '.'); ++p) {
        if (*p == '.') {
            afterPoint = true;
        } else if (*p != '0' || seenNonZero) {
            seenNonZero = true;
            if (!afterPoint)
                ++magnitude;
        } else if (afterPoint) {
            --magnitude;  // leading zero behind the point
        }
    }
    if (!seenNonZero)
        return false;
    long exponent = 0;
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negative = false;
        if (p < end && (*p == '+' || *p == '-'))
            negative = *p++ == '-';
        for (; p < end && isDigit(*p); ++p)
            if (exponent < 1000000)
                exponent = exponent * 10 + (*p - '0');
        if (negative)
            exponent = -exponent;
    }
    return magnitude + exponent > 0;
}

// How an unsigned number literal at p reads. Plain decimals ("4", "0.000456",
// "1.234567891") make up most of the text and are read here: a mantissa below
// 2^53 and a power of ten up to 1e22 are both exact doubles, so one division
// gives the correctly rounded value, the same as from_chars. Everything else
// goes to from_chars.
struct Literal {
    enum Kind { Bad, Value, TooLarge } kind;
    double value;
    const char* end;
};

inline Literal readLiteral(const char* p, const char* end)
{
    static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr std::uint64_t kExact = std::uint64_t(1) << 53;
    const char* q = p;
    std::uint64_t mantissa = 0;
    int fraction = 0;
    bool digits = false;
    bool general = false;
    for (; q < end && isDigit(*q); ++q) {
        mantissa = mantissa * 10 + unsigned(*q - '0');
        digits = true;
        if (mantissa >= kExact) {
            general = true;
            break;
        }
    }
    if (!general && q < end && *q == '.') {
        for (++q; q < end && isDigit(*q); ++q) {
            mantissa = mantissa * 10 + unsigned(*q - '0');
            digits = true;
            if (mantissa >= kExact || ++fraction > 22) {
                general = true;
                break;
            }
        }
    }
    if (!general && digits && !(q < end && (*q == 'e' || *q == 'E')))
        return {Literal::Value, fraction == 0 ? double(mantissa) : double(mantissa) / kPow10[fraction], q};

    double v = 0.0;
    auto [ptr, ec] = std::from_chars(p, end, v, std::chars_format::general);
    if (ec == std::errc::invalid_argument)
        return {Literal::Bad, 0.0, p};
    if (ec == std::errc::result_out_of_range)
        return {overflows(p, ptr) ? Literal::TooLarge : Literal::Value, 0.0, ptr};
    return {Literal::Value, v, ptr};
}

// Recursive-descent parser that hands every operation to `ops` as soon as it
// has read it (Arithmetic: evaluates while it reads).
//
//   expr    := term   (('+' | '-') term)*
//   term    := unary  (('*' | '/') unary)*
//   unary   := sign* power
//   power   := primary ('^' sign* primary)*
//   primary := number | litsign number | mark | '(' expr ')' | name '(' expr ')'
//
// A sign written directly after an operator and directly before a digit is
// part of the number (litsign): substituting x = -2 into "1x^2" gives
// "1*-2^2", which has to mean (-2)^2. A mark stands for a whole signed number.
//
// A syntax error moves the read position to the end, so every loop stops and
// the call chain unwinds without checks after each call. A run-time error is
// only recorded by `ops`; parsing goes on, because a syntax error later in the
// text takes precedence.
template <class Ops>
class Parser {
public:
    using Value = typename Ops::Value;

    Parser(const char* begin, const char* end, Ops& ops) : begin_(begin), p_(begin), end_(end), ops_(ops) {}

    // False on a syntax error.
    bool run(Value& value)
    {
        value = expr();
        skipBlanks();
        if (p_ != end_)
            fail();
        return !syntax_;
    }

private:
    const char* const begin_;
    const char* p_;
    const char* const end_;
    Ops& ops_;
    int depth_ = 0;
    bool syntax_ = false;

    char peek() const { return p_ < end_ ? *p_ : '\0'; }

    void skipBlanks()
    {
        while (p_ < end_ && isBlank(*p_))
            ++p_;
    }

    Value fail()
    {
        syntax_ = true;
        p_ = end_;
        return ops_.literal(0.0);
    }

    // At an operand position: is the sign under p_ part of the number behind it?
    bool literalSign() const
    {
        return p_ > begin_ && isOperator(p_[-1]) && p_ + 1 < end_
            && (isDigit(p_[1]) || p_[1] == '.');
    }

    // Consumes operator signs (not literal ones); returns true for an odd
    // number of minus signs. Iterative, so "------1" costs no stack.
    bool signs()
    {
        bool negative = false;
        for (;;) {
            skipBlanks();
            char c = peek();
            if ((c != '-' && c != '+') || literalSign())
                return negative;
            if (c == '-')
                negative = !negative;
            ++p_;
        }
    }

    Value expr()
    {
        Value v = term();
        for (;;) {
            skipBlanks();
            char c = peek();
            if (c == '+') {
                ++p_;
                v = ops_.add(v, term());
            } else if (c == '-') {
                ++p_;
                v = ops_.sub(v, term());
            } else {
                return v;
            }
        }
    }

    Value term()
    {
        Value v = unary();
        for (;;) {
            skipBlanks();
            char c = peek();
            if (c == '*') {
                ++p_;
                v = ops_.mul(v, unary());
            } else if (c == '/') {
                ++p_;
                v = ops_.div(v, unary());
            } else {
                return v;
            }
        }
    }

    // Unary minus binds weaker than ^: -2^2 is -4.
    Value unary()
    {
        bool negative = signs();
        Value v = power();
        return negative ? ops_.neg(v) : v;
    }

    // Left-associative: 2^3^2 is 64. A sign may follow ^ directly (2^-1).
    Value power()
    {
        Value v = primary();
        for (;;) {
            skipBlanks();
            if (peek() != '^')
                return v;
            ++p_;
            bool negative = signs();
            Value e = primary();
            v = ops_.pow(v, negative ? ops_.neg(e) : e);
        }
    }

    Value primary()
    {
        skipBlanks();
        char c = peek();
        if (isDigit(c) || c == '.')
            return number();
        if ((c == '-' || c == '+') && literalSign()) {
            ++p_;
            Value v = number();
            return c == '-' ? ops_.neg(v) : v;
        }
        if (c == '(') {
            ++p_;
            return bracketed();
        }
        if (isLetter(c))
            return function();
        if constexpr (Ops::kMarks) {
            if (int mark = markIndex(c); mark >= 0) {
                ++p_;
                return ops_.mark(mark);
            }
        }
        return fail();
    }

    // After the opening bracket: expression and closing bracket.
    Value bracketed()
    {
        if (++depth_ > kMaxDepth)
            return fail();
        Value v = expr();
        skipBlanks();
        if (peek() != ')')
            return fail();
        ++p_;
        --depth_;
        return v;
    }

    Value number()
    {
        const Literal n = readLiteral(p_, end_);
        switch (n.kind) {
        case Literal::Bad:
            return fail();
        case Literal::TooLarge:
            p_ = n.end;
            return ops_.tooLarge();
        case Literal::Value:
            break;
        }
        p_ = n.end;
        return ops_.literal(n.value);
    }

    Value function()
    {
        const char* name = p_;
        while (p_ < end_ && isNameChar(*p_))
            ++p_;
        if (p_ - name != 3)
            return fail();
        Function f;
        switch (key3(lower(name[0]), lower(name[1]), lower(name[2]))) {
        case key3('s', 'q', 'r'): f = Function::Sqr; break;
        case key3('l', 'o', 'g'): f = Function::Log; break;
        case key3('e', 'x', 'p'): f = Function::Exp; break;
        case key3('a', 'b', 's'): f = Function::Abs; break;
        case key3('i', 'n', 't'): f = Function::Int; break;
        case key3('s', 'i', 'n'): f = Function::Sin; break;
        case key3('c', 'o', 's'): f = Function::Cos; break;
        case key3('t', 'a', 'n'): f = Function::Tan; break;
        case key3('a', 't', 'n'): f = Function::Atn; break;
        case key3('s', 'g', 'n'): f = Function::Sgn; break;
        default: return fail();
        }
        skipBlanks();
        if (peek() != '(')
            return fail();
        ++p_;
        return ops_.call(f, bracketed());
    }
};

}  // namespace kw::grammar
