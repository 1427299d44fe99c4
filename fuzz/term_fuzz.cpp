// A term as a user types it: rewritten, put in at several x and evaluated as
// the graph and its three derivatives are, from their text and compiled.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "terms/compiled.h"
#include "terms/difference_quotient.h"
#include "terms/engine.h"
#include "terms/normalize.h"
#include "terms/substitution.h"

using namespace kw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view typed(reinterpret_cast<const char*>(data), size);
    if (termTooLong(typed))
        return -1;  // refused before rewriting
    const std::string xterm = string_richten(typed);
    const std::string d1 = firstQuotient(maskExp(xterm));
    const std::string d2 = nextQuotient(d1);
    constexpr Substitution::Options kQuotient{.maskExp = false, .collapseStars = true};
    const Substitution f(xterm), f1(d1, kQuotient), f2(d2, kQuotient),
        f3(nextQuotient(d2), kQuotient);

    Engine engine;
    double numberText = 0;
    engine.bind("Zahl", &numberText);
    std::vector<std::string> patterns;
    for (const Substitution* term : {&f, &f1, &f2, &f3})
        patterns.push_back(term->pattern());
    Compiled compiled(patterns), byText(patterns, true);
    Outcome fast[4], slow[4];

    std::string statement;
    for (double x : {-7.25, -0.02, 0.0, 1e-5, 3.0, 1e15}) {
        for (const Substitution* term : {&f, &f1, &f2, &f3}) {
            statement = "Form.Zahl = ";
            term->appendTo(statement, x);
            engine.execute(statement);
        }
        // The fast substitution writes exactly what the plain replacements write.
        if (f.expression(x) != substitutePlain(xterm, x, {}) ||
            f1.expression(x) != substitutePlain(d1, x, kQuotient))
            __builtin_trap();
        // Compiled, every statement gives the very error and value of its text.
        compiled.evaluate(std::span(&x, 1), fast);
        byText.evaluate(std::span(&x, 1), slow);
        for (int i = 0; i < 4; ++i)
            if (fast[i].error != slow[i].error ||
                (fast[i] && std::bit_cast<std::uint64_t>(fast[i].value) != std::bit_cast<std::uint64_t>(slow[i].value)))
                __builtin_trap();
    }
    return 0;
}
