#pragma once

// Terms for the differential tests: the examples, the worked terms and terms
// generated as users type them.

#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "core/examples.h"

namespace kw {

// Terms from the help text, the reports and the tests of the searches.
inline const char* const kWorked[] = {
    "x^2", "(x-1)^3-3*(x-1)", "(x-1)^2-2", "2x-3", "(x-1)^2", "x-0.05", "x^3", "0.01*(x-1)^2",
    "2^x", "2^(x)", "2x", "x+0,123456", "x^3-2", "3x^4", "exp(x)-2", "2*x*x-1", "x-1+0/(x-1)",
    "sqr(x)", "ln(x)", "log(x^2-4)", "1/(x-1)", "tan(x)", "e^x", "x^-2", "x^0.5", "-x^2",
    "abs(x^2-2)", "x*abs(x)", "0,2x^5+2,5x", "e^(-x^2)*x^2",
};

// Terms as users type them: polynomials, products, roots, logarithms, exp, trig,
// numbers with commas and exponents, and terms that fail somewhere (poles,
// roots of negatives, overflow) or everywhere (syntax).
inline std::vector<std::string> generatedTerms(int count)
{
    std::mt19937 random(2024);
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    const char* const numbers[] = {"2", "0,5", "3.25", "1E-3", "0", "10", "1,5", "0.000456", "7"};
    const char* const functions[] = {"sin", "cos", "tan", "exp", "log", "ln", "sqr", "abs", "int", "atn", "sgn"};
    // No expression below draws more than once: C++ leaves open which operand of
    // "a + b" is evaluated first, and the terms must not depend on the compiler.
    std::function<std::string(int)> term = [&](int depth) -> std::string {
        const int kind = depth <= 0 ? pick(3) : pick(11);
        if (kind < 3)
            return kind == 0 ? "x" : numbers[pick(9)] + std::string(kind == 2 ? "x" : "");
        const std::string a = term(depth - 1);
        switch (kind) {
        case 7: return "(" + a + ")^" + (pick(2) ? numbers[pick(9)] : "-" + term(0));
        case 8: return functions[pick(11)] + ("(" + a + ")");
        case 9: return "-(" + a + ")";
        case 10: return "(" + a + ")";
        default: {  // a binary operator
            const std::string b = term(depth - 1);
            return a + "+-*/"[kind - 3] + b;
        }
        }
    };
    std::vector<std::string> terms;
    for (int i = 0; i < count; ++i)
        terms.push_back(term(1 + i % 4));
    // Texts whose numbers run into their neighbours once x is put in, and other
    // oddities: these go by their text and must still agree.
    for (const char* odd : {"x2", "2x.5", "xx", "x,5", "x(x+1)", "x^x", "x^-x", "sin x", "x+", "",
                            "1/x^-2", "x*-x^2", "exp(x^3)", "(x-2)^0.5", "0^x", "10^x^2"})
        terms.push_back(odd);
    return terms;
}

inline std::vector<std::string> allTerms()
{
    std::vector<std::string> terms(kExamples.begin(), kExamples.end());
    terms.insert(terms.end(), std::begin(kWorked), std::end(kWorked));
    return terms;
}

}  // namespace kw
