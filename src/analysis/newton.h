#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "terms/compiled.h"
#include "terms/substitution.h"

namespace kw {

// The rounded Newton step the searches test at every grid point: one statement
// x - a/b, written as text, compiled once and evaluated at every point to the
// value of its text, rounded to two decimals. A grid point whose step stays
// put is a candidate.
class NewtonStep {
public:
    // x - q(x)/q'(x) for a normalized term q, with q' its forward difference
    // quotient: the zeros of f (q = f) and the intersections of f and g
    // (q = f-(g)).
    static NewtonStep forZeros(std::string_view xterm, bool fromText = false);

    // x - h/2 * (q(x+h) - q(x-h)) / (q(x-h) - 2 q(x) + q(x+h)): a step on q' = 0
    // with central differences, for the extrema of q.
    static NewtonStep forExtrema(std::string_view xterm, bool fromText = false);

    // The step at `at`, rounded to two decimals; nothing when the statement fails.
    std::optional<double> at(double at);

    // The statement at `at` as text, and as a pattern for compiling (mark(0)
    // for `at`). at() evaluates it compiled, unless asked to go by the text.
    std::string statement(double at) const;
    std::string pattern() const;

    // x - a/b for numbers a and b computed before, each written as its text
    // (the steps on f'' = 0 and on f' = 0 of the inflection search): the
    // pattern with marks 0, 1 and 2 for x, a and b.
    static std::string quotientPattern();

private:
    // After the text of x the statement alternates literal text and terms with
    // x put in: literals_[0], a term, literals_[1], …, a term, literals_.back().
    std::vector<std::string> literals_;
    std::vector<std::size_t> order_;  // which of terms_ comes where
    std::vector<Substitution> terms_;
    bool fromText_ = false;
    Compiled compiled_;  // compiled when first used
};

}  // namespace kw
