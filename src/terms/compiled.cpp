#include "terms/compiled.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <optional>
#include <unordered_map>

#include "terms/grammar.h"
#include "terms/numtext.h"

namespace kw {

namespace {

using grammar::Arithmetic;
using grammar::Function;

// A literal read the engine's way, with its sign in front (a mark's number
// reads as a literal, or as a unary sign before one: the same value).
Written readBack(const char* p, const char* end)
{
    const bool negative = p < end && *p == '-';
    p += negative;
    // "NaN", "Inf": names to the engine, and unknown ones.
    if (p == end || !(grammar::isDigit(*p) || *p == '.'))
        return {0, err::Syntax};
    const grammar::Literal n = grammar::readLiteral(p, end);
    if (n.kind == grammar::Literal::Bad || n.end != end)
        return {0, err::Syntax};
    if (n.kind == grammar::Literal::TooLarge)
        return {negative ? -HUGE_VAL : HUGE_VAL, err::Overflow};
    return {negative ? -n.value : n.value, err::None};
}

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The text of v holds the fifteen digits of n·10^-k. For 1e-7 ≤ |v| < 1e15
// both n and 10^k are exact doubles, so n / 10^k is the correctly rounded
// value of the text, which is what any correct reading of it gives; and n is
// v·10^k rounded to an integer, found exactly with the product's error term.
// Above, up to 1e37, the text holds n·10^m with 10^m exact: n·10^m is its
// correctly rounded value, and n is v / 10^m rounded, found exactly with the
// quotient's remainder. Nothing when v lies elsewhere or next to a tie,
// where only the digits themselves can tell.
std::optional<double> fifteenDigits(double a)
{
    if (!(a >= 1e-7 && a < 1e37))
        return std::nullopt;
    int k = 14 - int(std::floor(std::ilogb(a) * 0.30102999566398120));
    if (k <= 0) {
        int m = std::clamp(-k, 0, 22);
        double s = a / kPow10[m];
        // One digit more or less at a power of ten gives the same number.
        if (s >= 1e15 && m < 22)
            s = a / kPow10[++m];
        else if (s < 1e14 && m > 0)
            s = a / kPow10[--m];
        const double remainder = std::fma(-s, kPow10[m], a);  // exact
        const double n = std::nearbyint(s);
        const double rest = (s - n) + remainder / kPow10[m];
        if (std::fabs(std::fabs(rest) - 0.5) < 1e-6 || s >= 1e15 || s < 1e14)
            return std::nullopt;
        return (n + (rest > 0.5 ? 1 : rest < -0.5 ? -1 : 0)) * kPow10[m];
    }
    k = std::min(k, 22);
    double s = a * kPow10[k];
    // One digit more or less at a power of ten gives the same number.
    if (s >= 1e15 && k > 0)
        s = a * kPow10[--k];
    else if (s < 1e14 && k < 22)
        s = a * kPow10[++k];
    const double error = std::fma(a, kPow10[k], -s);
    const double n = std::nearbyint(s);
    const double rest = (s - n) + error;
    if (std::fabs(std::fabs(rest) - 0.5) < 1e-6)
        return std::nullopt;
    return (n + (rest > 0.5 ? 1 : rest < -0.5 ? -1 : 0)) / kPow10[k];
}

}  // namespace

Written written(double v)
{
    if (v == 0)
        return {0.0, err::None};  // "0", also for -0
    // The members of a family are sampled at the same x one after another:
    // the numbers written lately are kept, by their bits (never those of 0).
    struct Kept {
        std::uint64_t bits;
        Written number;
    };
    thread_local std::array<Kept, 4096> kept{};
    const auto bits = std::bit_cast<std::uint64_t>(v);
    Kept& k = kept[(bits * 0x9E3779B97F4A7C15u) >> 52];
    if (k.bits == bits)
        return k.number;
    k.bits = bits;
    if (const auto value = fifteenDigits(std::fabs(v))) {
        k.number = {v < 0 ? -*value : *value, err::None};
    } else {
        char buf[kNumberTextMax];
        k.number = readBack(buf, buf + writeNumber(buf, v, '.'));
    }
    return k.number;
}

namespace {

enum class Op : std::uint8_t { Mark, TooLarge, Add, Sub, Mul, Div, Neg, Pow, Square, Call };

struct Instruction {
    Op op;
    Function f;
    std::uint32_t a, b;  // input registers (a mark: its number)
    std::uint32_t out;
};

struct Statement {
    enum Kind { Compiled, Syntax, Text } kind = Text;
    std::uint32_t result = 0;
    std::uint32_t marks = 0;  // bit i: uses number i
    // Per instruction: its place in this statement's own order of evaluation,
    // -1 where the statement does not use it. Empty for a lone statement.
    std::vector<std::int32_t> position;
    std::string pattern;
};

}  // namespace

// Can every mark be replaced by a number text without changing how the text
// around it reads? The text must neither run into a neighbouring name or
// number ("2" + "5" reads 25) nor give its sign to something else: a sign in
// front of a mark would be glued to a digit but not to a mark, and a mark
// that is not behind an operator reads as a unary sign and a number, which
// differs from a signed number before "^".
bool marksFit(std::string_view s)
{
    auto glues = [](char c) { return grammar::isNameChar(c) || c == '.' || grammar::markIndex(c) >= 0; };
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (grammar::markIndex(s[i]) < 0)
            continue;
        const char before = i > 0 ? s[i - 1] : ' ';
        if (glues(before) || before == '+' || before == '-')
            return false;
        if (i + 1 < s.size() && glues(s[i + 1]))
            return false;
        if (!grammar::isOperator(before)) {
            std::size_t j = i + 1;
            while (j < s.size() && grammar::isBlank(s[j]))
                ++j;
            if (j < s.size() && s[j] == '^')
                return false;
        }
    }
    return true;
}

struct Compiled::Program {
    std::vector<Instruction> code;
    std::vector<double> registers;  // the constants in place, the rest written by the code
    std::vector<Statement> statements;
    int marks = 0;
};

namespace {

double apply(Arithmetic& arithmetic, Op op, Function f, double x, double y)
{
    switch (op) {
    case Op::Add: return arithmetic.add(x, y);
    case Op::Sub: return arithmetic.sub(x, y);
    case Op::Mul: return arithmetic.mul(x, y);
    case Op::Div: return arithmetic.div(x, y);
    case Op::Neg: return arithmetic.neg(x);
    case Op::Pow: return arithmetic.pow(x, y);
    case Op::Square: return arithmetic.mul(x, x);
    case Op::Call: return arithmetic.call(f, x);
    case Op::Mark:
    case Op::TooLarge: break;
    }
    return 0.0;
}

// The grammar's operations written as instructions. Operations on constants
// are done at once (unless they fail: then they stay, and fail in their place);
// an operation already written for the same inputs is not written again.
class Emitter {
public:
    using Value = std::uint32_t;
    static constexpr bool kMarks = true;

    explicit Emitter(Compiled::Program& program) : p_(program) {}

    // Starts recording which instructions statement s uses, in its own order.
    void begin(std::uint32_t s)
    {
        statement_ = s;
        order_.clear();
    }
    const std::vector<std::uint32_t>& order() const { return order_; }

    Value literal(double v)
    {
        auto [it, fresh] = constants_.try_emplace(std::bit_cast<std::uint64_t>(v), 0);
        if (fresh) {
            it->second = Value(p_.registers.size());
            p_.registers.push_back(v);
            instruction_.push_back(kConstant);
        }
        return it->second;
    }
    Value tooLarge() { return emit(Op::TooLarge, Function::Abs, 0, 0); }
    Value mark(int i) { return emit(Op::Mark, Function::Abs, Value(i), 0); }
    Value add(Value a, Value b) { return emit(Op::Add, Function::Abs, a, b); }
    Value sub(Value a, Value b) { return emit(Op::Sub, Function::Abs, a, b); }
    // 1·v and v/1 are v itself, bit for bit. (A v that is not finite comes only
    // after an error, which then stays the first.)
    Value mul(Value a, Value b)
    {
        if (isOne(a) || isOne(b))
            return isOne(a) ? b : a;
        return emit(Op::Mul, Function::Abs, a, b);
    }
    Value div(Value a, Value b) { return isOne(b) ? a : emit(Op::Div, Function::Abs, a, b); }
    Value neg(Value a) { return emit(Op::Neg, Function::Abs, a, 0); }
    Value pow(Value a, Value b)
    {
        // The engine squares by a*a whenever the exponent is 2.
        if (constant(b) && p_.registers[b] == 2.0)
            return emit(Op::Square, Function::Abs, a, 0);
        return emit(Op::Pow, Function::Abs, a, b);
    }
    Value call(Function f, Value a) { return emit(Op::Call, f, a, 0); }

private:
    static constexpr std::uint32_t kConstant = ~std::uint32_t(0);

    struct Key {
        Op op;
        Function f;
        Value a, b;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const
        {
            return std::hash<std::uint64_t>()((std::uint64_t(k.a) << 32 | k.b) * 131 +
                                              (unsigned(k.op) << 8 | unsigned(k.f)));
        }
    };

    bool constant(Value v) const { return instruction_[v] == kConstant; }
    bool isOne(Value v) const { return constant(v) && p_.registers[v] == 1.0; }

    Value emit(Op op, Function f, Value a, Value b)
    {
        const bool foldable = op != Op::Mark && op != Op::TooLarge && constant(a) &&
                              (op == Op::Neg || op == Op::Square || op == Op::Call || constant(b));
        if (foldable) {
            Arithmetic arithmetic;
            const double v = apply(arithmetic, op, f, p_.registers[a], p_.registers[b]);
            if (arithmetic.runtime == err::None)
                return literal(v);
        }
        auto [it, fresh] = written_.try_emplace(Key{op, f, a, b}, 0);
        if (fresh) {
            it->second = Value(p_.registers.size());
            p_.registers.push_back(0.0);
            instruction_.push_back(std::uint32_t(p_.code.size()));
            lastUser_.push_back(~std::uint32_t(0));
            p_.code.push_back({op, f, a, b, it->second});
        }
        // Inputs come first, so this is the statement's own order of evaluation.
        const std::uint32_t i = instruction_[it->second];
        if (lastUser_[i] != statement_) {
            lastUser_[i] = statement_;
            order_.push_back(i);
        }
        return it->second;
    }

    Compiled::Program& p_;
    std::unordered_map<std::uint64_t, Value> constants_;
    std::unordered_map<Key, Value, KeyHash> written_;
    std::vector<std::uint32_t> instruction_;  // per register: the instruction writing it, or kConstant
    std::vector<std::uint32_t> lastUser_;     // per instruction: the last statement that used it
    std::vector<std::uint32_t> order_;
    std::uint32_t statement_ = 0;
};

}  // namespace

Compiled::Compiled(std::vector<std::string> patterns, bool fromText)
{
    auto program = std::make_shared<Program>();
    Emitter emitter(*program);
    const std::uint32_t count = std::uint32_t(patterns.size());
    std::vector<std::vector<std::uint32_t>> orders(count);
    for (std::uint32_t s = 0; s < count; ++s) {
        Statement st;
        st.pattern = std::move(patterns[s]);
        for (char c : st.pattern) {
            if (int i = grammar::markIndex(c); i >= 0) {
                st.marks |= 1u << i;
                program->marks = std::max(program->marks, i + 1);
            }
        }
        if (!fromText && marksFit(st.pattern)) {
            emitter.begin(s);
            grammar::Parser parser(st.pattern.data(), st.pattern.data() + st.pattern.size(), emitter);
            std::uint32_t result = 0;
            if (parser.run(result)) {
                st.kind = Statement::Compiled;
                st.result = result;
                orders[s] = emitter.order();
            } else {
                st.kind = Statement::Syntax;
            }
        }
        program->statements.push_back(std::move(st));
    }
    if (count > 1) {
        for (std::uint32_t s = 0; s < count; ++s) {
            auto& position = program->statements[s].position;
            position.assign(program->code.size(), -1);
            for (std::size_t k = 0; k < orders[s].size(); ++k)
                position[orders[s][k]] = std::int32_t(k);
        }
    }
    registers_ = program->registers;
    raised_.reserve(program->code.size());
    program_ = std::move(program);
}

std::size_t Compiled::size() const { return program_ ? program_->statements.size() : 0; }

std::size_t Compiled::operations() const { return program_ ? program_->code.size() : 0; }

void Compiled::evaluate(std::span<const double> numbers, std::span<Outcome> outcomes)
{
    const Program& p = *program_;
    Written marks[grammar::kMaxMarks];
    std::uint32_t failedMarks = 0;  // numbers without a text
    static_assert(kKeptMarks >= grammar::kMaxMarks);
    for (int i = 0; i < p.marks; ++i) {
        const double v = i < int(numbers.size()) ? numbers[i] : 0.0;
        const auto bits = std::bit_cast<std::uint64_t>(v);
        if (!(lastKnown_ >> i & 1) || lastBits_[i] != bits) {
            lastBits_[i] = bits;
            lastWritten_[i] = written(v);
            lastKnown_ |= 1u << i;
        }
        marks[i] = lastWritten_[i];
        if (marks[i].error == err::Syntax)
            failedMarks |= 1u << i;
    }

    raised_.clear();
    double* const r = registers_.data();
    Arithmetic arithmetic;
    for (std::uint32_t k = 0; k < p.code.size(); ++k) {
        const Instruction& in = p.code[k];
        double v;
        switch (in.op) {
        case Op::Mark:
            v = marks[in.a].value;
            if (marks[in.a].error == err::Overflow)
                arithmetic.raise(err::Overflow);
            break;
        case Op::TooLarge: v = arithmetic.tooLarge(); break;
        case Op::Add: v = arithmetic.add(r[in.a], r[in.b]); break;
        case Op::Sub: v = arithmetic.sub(r[in.a], r[in.b]); break;
        case Op::Mul: v = arithmetic.mul(r[in.a], r[in.b]); break;
        case Op::Div: v = arithmetic.div(r[in.a], r[in.b]); break;
        case Op::Neg: v = -r[in.a]; break;
        case Op::Pow: v = arithmetic.pow(r[in.a], r[in.b]); break;
        case Op::Square: v = arithmetic.mul(r[in.a], r[in.a]); break;
        case Op::Call: v = arithmetic.call(in.f, r[in.a]); break;
        default: v = 0; break;
        }
        r[in.out] = v;
        if (arithmetic.runtime != err::None) [[unlikely]] {
            raised_.emplace_back(k, arithmetic.runtime);
            arithmetic.runtime = err::None;
        }
    }

    for (std::size_t s = 0; s < p.statements.size() && s < outcomes.size(); ++s) {
        const Statement& st = p.statements[s];
        Outcome& o = outcomes[s];
        if (st.kind == Statement::Text) {
            o.error = Engine::evaluate(text(s, numbers), o.value);
            continue;
        }
        if (st.kind == Statement::Syntax || (st.marks & failedMarks)) {
            o.error = err::Syntax;
            continue;
        }
        // The error that comes first in the statement's own order.
        int error = err::None;
        if (st.position.empty()) {
            if (!raised_.empty())
                error = raised_.front().second;
        } else {
            std::int32_t first = -1;
            for (auto [k, e] : raised_) {
                const std::int32_t at = st.position[k];
                if (at >= 0 && (first < 0 || at < first)) {
                    first = at;
                    error = e;
                }
            }
        }
        o.error = error;
        if (error == err::None)
            o.value = r[st.result];
    }
}

Outcome Compiled::evaluate(double x)
{
    Outcome o;
    evaluate(std::span<const double>(&x, 1), std::span<Outcome>(&o, 1));
    return o;
}

std::string Compiled::text(std::size_t s, std::span<const double> numbers) const
{
    const std::string& pattern = program_->statements[s].pattern;
    // Each number is written once, as the program writes its statements.
    char written[grammar::kMaxMarks][kNumberTextMax];
    std::size_t lengths[grammar::kMaxMarks] = {};
    for (int i = 0; i < program_->marks; ++i)
        lengths[i] = writeNumber(written[i], i < int(numbers.size()) ? numbers[i] : 0.0, '.');
    std::string out;
    out.reserve(pattern.size() + 16 * kNumberTextMax);
    std::size_t from = 0;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        const int i = grammar::markIndex(pattern[at]);
        if (i < 0)
            continue;
        out.append(pattern, from, at - from);
        out.append(written[i], lengths[i]);
        from = at + 1;
    }
    out.append(pattern, from);
    return out;
}

CompiledStatement::CompiledStatement(Engine& engine, std::string_view prefix, const std::string& pattern)
    : engine_(engine), target_(engine.split(prefix)),
      compiled_({std::string(target_.expression) + pattern}, !engine.compiles())
{
}

int CompiledStatement::execute(double x)
{
    const Outcome o = compiled_.evaluate(x);
    return engine_.finish(target_.target, o.error, o.value);
}

}  // namespace kw
