#pragma once

// The reference a compiled statement is held to: its text, read by the engine,
// bit for bit. Shared by the differential tests and the term fuzz target, so it
// uses no test framework.

#include <bit>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "terms/compiled.h"
#include "terms/difference_quotient.h"
#include "terms/engine.h"
#include "terms/normalize.h"
#include "terms/numtext.h"
#include "terms/substitution.h"

// The statements of a term need the searches' layer; the terms' own tests see only theirs.
#if __has_include("analysis/newton.h")
#define KW_TEST_STATEMENTS
#include "analysis/newton.h"
#include "analysis/tangent.h"
#endif

namespace kw::test {

inline Outcome byText(const std::string& text)
{
    Outcome o;
    o.error = Engine::evaluate(text, o.value);
    return o;
}

// A term as typed, rewritten and put in at x as the graph's statement.
inline Outcome typedAt(std::string_view typed, double x)
{
    return byText(Substitution(string_richten(typed)).expression(x));
}

// Empty when both give the same error, or the same value bit for bit; else both.
inline std::string mismatch(const Outcome& text, const Outcome& compiled)
{
    auto bits = [](const Outcome& o) {
        return o ? "value " + std::to_string(std::bit_cast<std::uint64_t>(o.value)) + " (" +
                       engineText(o.value) + ")"
                 : "error " + std::to_string(o.error);
    };
    if (text.error == compiled.error &&
        (text.error || std::bit_cast<std::uint64_t>(text.value) == std::bit_cast<std::uint64_t>(compiled.value)))
        return {};
    return "text gives " + bits(text) + ", compiled " + bits(compiled);
}

#ifdef KW_TEST_STATEMENTS
// A statement as the program builds its text, and as a pattern to compile.
struct Statement {
    std::string name;
    std::function<std::string(double)> text;
    std::string pattern;
};

// Every statement the curves and searches evaluate for a rewritten term.
inline std::vector<Statement> statementsOf(const std::string& xterm)
{
    constexpr Substitution::Options kQuotient{.maskExp = false, .collapseStars = true};
    const std::string d1 = firstQuotient(maskExp(xterm));
    const std::string d2 = nextQuotient(d1);
    std::vector<Statement> out;
    auto add = [&](std::string name, Substitution s) {
        const std::string pattern = s.pattern();
        out.push_back({std::move(name), [s](double x) { return s.expression(x); }, pattern});
    };
    add("f", Substitution(xterm));
    // The inverse function's statement keeps the blank behind its "=".
    const Substitution f(xterm);
    out.push_back({"Umkehrfunktion", [f](double x) { return " " + f.expression(x); }, " " + f.pattern()});
    add("f'", Substitution(d1, kQuotient));
    add("f' zentral", Substitution(centralQuotient(maskExp(xterm)), kQuotient));
    add("f''", Substitution(d2, kQuotient));
    add("f'''", Substitution(nextQuotient(d2), kQuotient));
    add("Tangente bei -1,5", Substitution(tangentTerm(xterm, -1.5), kQuotient));
    add("Tangente bei 2", Substitution(tangentTerm(xterm, 2), kQuotient));
    const NewtonStep step = NewtonStep::forZeros(xterm);
    out.push_back({"Newton f", [step](double x) { return step.statement(x); }, step.pattern()});
    return out;
}
#endif

}  // namespace kw::test
