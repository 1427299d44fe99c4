// A term as a user types it: rewritten, put in at several x and evaluated as
// the graph, its three derivatives, the tangents and the Newton step are, from
// their text and compiled; and its derivatives written out as terms, each of
// which must read back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "support/oracle.h"
#include "symbolic/derivative.h"
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
    const auto statements = test::statementsOf(xterm);  // f first, f' third

    Engine engine;
    double numberText = 0;
    engine.bind("Zahl", &numberText);
    std::vector<std::string> patterns;
    for (const test::Statement& s : statements)
        patterns.push_back(s.pattern);
    Compiled compiled(patterns), byText(patterns, true);
    std::vector<Outcome> fast(patterns.size()), slow(patterns.size());

    for (double x : {-7.25, -0.02, 0.0, 1e-5, 3.0, 1e15}) {
        for (const test::Statement& s : statements)
            engine.execute("Form.Zahl = " + s.text(x));
        // The fast substitution writes exactly what the plain replacements write.
        if (statements[0].text(x) != substitutePlain(xterm, x, {}) ||
            statements[2].text(x) != substitutePlain(d1, x, {.maskExp = false, .collapseStars = true}))
            __builtin_trap();
        // Compiled, every statement gives the very error and value of its text.
        compiled.evaluate(std::span(&x, 1), fast);
        byText.evaluate(std::span(&x, 1), slow);
        for (std::size_t i = 0; i < fast.size(); ++i)
            if (!test::mismatch(slow[i], fast[i]).empty())
                __builtin_trap();
    }
    // Every written-out derivative is a term the program reads.
    for (const auto& text : symbolic::derivativesOf(xterm).texts)
        if (text && !symbolic::readTerm(string_richten(*text)))
            __builtin_trap();
    return 0;
}
