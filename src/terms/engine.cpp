#include "terms/engine.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace kw {
namespace {

// Deeper bracket nesting than any generated term needs; the limit keeps a
// malicious or broken text from exhausting the stack.
constexpr int kMaxDepth = 256;

// ASCII only: <cctype> follows the C locale, which Qt sets from the system.
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool isNameChar(char c) { return isLetter(c) || isDigit(c) || c == '_'; }
constexpr bool isBlank(char c) { return c == ' ' || c == '\t'; }
constexpr bool isOperator(char c)
{
    return c == '+' || c == '-' || c == '*' || c == '/' || c == '^';
}
constexpr char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c; }

// Three lower-case letters packed into one integer, so a function name is
// recognised by a single switch.
constexpr unsigned key3(char a, char b, char c)
{
    return unsigned((unsigned char)a) << 16 | unsigned((unsigned char)b) << 8 | (unsigned char)c;
}

// Recursive-descent parser that evaluates while it reads.
//
//   expr    := term   (('+' | '-') term)*
//   term    := unary  (('*' | '/') unary)*
//   unary   := sign* power
//   power   := primary ('^' sign* primary)*
//   primary := number | litsign number | '(' expr ')' | name '(' expr ')'
//
// A sign written directly after an operator and directly before a digit is
// part of the number (litsign): substituting x = -2 into "1x^2" gives
// "1*-2^2", which has to mean (-2)^2.
//
// A syntax error moves the read position to the end, so every loop stops and
// the call chain unwinds without checks after each call. A run-time error is
// only recorded; parsing goes on, because a syntax error later in the text
// takes precedence.
class Parser {
public:
    Parser(const char* begin, const char* end) : begin_(begin), p_(begin), end_(end) {}

    int run(double& value)
    {
        double v = expr();
        skipBlanks();
        if (p_ != end_)
            fail();
        if (syntax_)
            return err::Syntax;
        if (runtime_ != err::None)
            return runtime_;
        value = v;
        return err::None;
    }

private:
    const char* const begin_;
    const char* p_;
    const char* const end_;
    int depth_ = 0;
    int runtime_ = err::None;
    bool syntax_ = false;

    char peek() const { return p_ < end_ ? *p_ : '\0'; }

    void skipBlanks()
    {
        while (p_ < end_ && isBlank(*p_))
            ++p_;
    }

    double fail()
    {
        syntax_ = true;
        p_ = end_;
        return 0.0;
    }

    void raise(int code)
    {
        if (runtime_ == err::None)
            runtime_ = code;
    }

    // Inputs are finite unless an error was already raised, so a non-finite
    // result is an overflow (inf) or a domain error (NaN) of this operation.
    double checked(double r)
    {
        if (!std::isfinite(r)) [[unlikely]]
            raise(std::isnan(r) ? err::InvalidArgument : err::Overflow);
        return r;
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

    double expr()
    {
        double v = term();
        for (;;) {
            skipBlanks();
            char c = peek();
            if (c == '+') {
                ++p_;
                v = checked(v + term());
            } else if (c == '-') {
                ++p_;
                v = checked(v - term());
            } else {
                return v;
            }
        }
    }

    double term()
    {
        double v = unary();
        for (;;) {
            skipBlanks();
            char c = peek();
            if (c == '*') {
                ++p_;
                v = checked(v * unary());
            } else if (c == '/') {
                ++p_;
                double d = unary();
                if (d == 0.0) {
                    raise(err::DivisionByZero);
                    v = std::numeric_limits<double>::quiet_NaN();
                } else {
                    v = checked(v / d);
                }
            } else {
                return v;
            }
        }
    }

    // Unary minus binds weaker than ^: -2^2 is -4.
    double unary()
    {
        bool negative = signs();
        double v = power();
        return negative ? -v : v;
    }

    // Left-associative: 2^3^2 is 64. A sign may follow ^ directly (2^-1).
    double power()
    {
        double v = primary();
        for (;;) {
            skipBlanks();
            if (peek() != '^')
                return v;
            ++p_;
            bool negative = signs();
            double e = primary();
            v = pow(v, negative ? -e : e);
        }
    }

    double pow(double a, double b)
    {
        if (a == 0.0 && b < 0.0) {
            raise(err::DivisionByZero);
            return std::numeric_limits<double>::quiet_NaN();
        }
        // a*a is the correctly rounded square, as pow gives it, and squares
        // dominate the terms users type.
        if (b == 2.0)
            return checked(a * a);
        // A negative base with a non-integer exponent gives NaN, reported as 5.
        return checked(std::pow(a, b));
    }

    double primary()
    {
        skipBlanks();
        char c = peek();
        if (isDigit(c) || c == '.')
            return number();
        if ((c == '-' || c == '+') && literalSign()) {
            ++p_;
            double v = number();
            return c == '-' ? -v : v;
        }
        if (c == '(') {
            ++p_;
            double v = bracketed();
            return v;
        }
        if (isLetter(c))
            return function();
        return fail();
    }

    // After the opening bracket: expression and closing bracket.
    double bracketed()
    {
        if (++depth_ > kMaxDepth)
            return fail();
        double v = expr();
        skipBlanks();
        if (peek() != ')')
            return fail();
        ++p_;
        --depth_;
        return v;
    }

    // Plain decimals ("4", "0.000456", "1.234567891") make up most of the
    // text and are read here: a mantissa below 2^53 and a power of ten up to
    // 1e22 are both exact doubles, so one division gives the correctly rounded
    // value, the same as from_chars. Everything else goes to from_chars.
    double number()
    {
        static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                            1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        constexpr std::uint64_t kExact = std::uint64_t(1) << 53;
        const char* q = p_;
        std::uint64_t mantissa = 0;
        int fraction = 0;
        bool digits = false;
        for (; q < end_ && isDigit(*q); ++q) {
            mantissa = mantissa * 10 + unsigned(*q - '0');
            if (mantissa >= kExact)
                return generalNumber();
            digits = true;
        }
        if (q < end_ && *q == '.') {
            for (++q; q < end_ && isDigit(*q); ++q) {
                mantissa = mantissa * 10 + unsigned(*q - '0');
                if (mantissa >= kExact || ++fraction > 22)
                    return generalNumber();
                digits = true;
            }
        }
        if (!digits || (q < end_ && (*q == 'e' || *q == 'E')))
            return generalNumber();
        p_ = q;
        return fraction == 0 ? double(mantissa) : double(mantissa) / kPow10[fraction];
    }

    double generalNumber()
    {
        double v = 0.0;
        auto [ptr, ec] = std::from_chars(p_, end_, v, std::chars_format::general);
        if (ec == std::errc::invalid_argument)
            return fail();
        if (ec == std::errc::result_out_of_range) {
            if (overflows(p_, ptr)) {
                raise(err::Overflow);
                v = std::numeric_limits<double>::infinity();
            } else {
                v = 0.0;
            }
        }
        p_ = ptr;
        return v;
    }

    // For a literal out of the double range: too large (true) or too small?
    // Only the rough decimal magnitude matters; out of range means beyond ±300.
    static bool overflows(const char* p, const char* end)
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

    double function()
    {
        const char* name = p_;
        while (p_ < end_ && isNameChar(*p_))
            ++p_;
        if (p_ - name != 3)
            return fail();
        const unsigned key = key3(lower(name[0]), lower(name[1]), lower(name[2]));
        switch (key) {
        case key3('s', 'q', 'r'): case key3('l', 'o', 'g'): case key3('e', 'x', 'p'):
        case key3('a', 'b', 's'): case key3('i', 'n', 't'): case key3('s', 'i', 'n'):
        case key3('c', 'o', 's'): case key3('t', 'a', 'n'): case key3('a', 't', 'n'):
        case key3('s', 'g', 'n'):
            break;
        default:
            return fail();
        }
        skipBlanks();
        if (peek() != '(')
            return fail();
        ++p_;
        const double a = bracketed();
        switch (key) {
        case key3('s', 'q', 'r'):
            if (a < 0.0) {
                raise(err::InvalidArgument);
                return std::numeric_limits<double>::quiet_NaN();
            }
            return checked(std::sqrt(a));
        case key3('l', 'o', 'g'):
            if (a <= 0.0) {
                raise(err::InvalidArgument);
                return std::numeric_limits<double>::quiet_NaN();
            }
            return checked(std::log(a));
        case key3('e', 'x', 'p'): return checked(std::exp(a));
        case key3('a', 'b', 's'): return std::fabs(a);
        case key3('i', 'n', 't'): return std::floor(a);
        case key3('s', 'i', 'n'): return checked(std::sin(a));
        case key3('c', 'o', 's'): return checked(std::cos(a));
        case key3('t', 'a', 'n'): return checked(std::tan(a));
        case key3('a', 't', 'n'): return std::atan(a);
        default: return a > 0.0 ? 1.0 : (a < 0.0 ? -1.0 : 0.0);  // sgn
        }
    }
};

bool sameName(std::string_view lowerName, std::string_view name)
{
    if (lowerName.size() != name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (lowerName[i] != lower(name[i]))
            return false;
    return true;
}

}  // namespace

void Engine::bind(std::string_view name, double* target)
{
    for (Binding& b : bindings_) {
        if (sameName(b.name, name)) {
            b.target = target;
            return;
        }
    }
    std::string lowered(name);
    for (char& c : lowered)
        c = lower(c);
    bindings_.push_back({std::move(lowered), target});
}

int Engine::execute(std::string_view statement)
{
    const char* p = statement.data();
    const char* const end = p + statement.size();
    lastError_ = err::Syntax;

    while (p < end && isBlank(*p))
        ++p;
    if (end - p < 5 || !sameName("form", std::string_view(p, 4)) || p[4] != '.')
        return lastError_;
    p += 5;
    const char* const name = p;
    if (p == end || !isLetter(*p))
        return lastError_;
    while (p < end && isNameChar(*p))
        ++p;
    const std::string_view targetName(name, std::size_t(p - name));
    while (p < end && isBlank(*p))
        ++p;
    if (p == end || *p != '=')
        return lastError_;
    ++p;

    double* target = nullptr;
    for (const Binding& b : bindings_) {
        if (sameName(b.name, targetName)) {
            target = b.target;
            break;
        }
    }
    if (!target)
        return lastError_;

    double value = 0.0;
    lastError_ = Parser(p, end).run(value);
    if (lastError_ == err::None)
        *target = value;
    return lastError_;
}

int Engine::evaluate(std::string_view expression, double& value)
{
    return Parser(expression.data(), expression.data() + expression.size()).run(value);
}

}  // namespace kw
