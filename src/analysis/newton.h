#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "terms/substitution.h"

namespace kw {

// A term put in at a point and evaluated, through a buffer the caller keeps so
// that a walk over thousands of points allocates nothing. Nothing when the
// statement fails (f undefined, a division by zero, …).
std::optional<double> valueAt(const Substitution& term, double x, std::string& buffer);

// The rounded Newton step the searches test at every grid point: one statement
// x - a/b built as text, evaluated, rounded to two decimals. A grid point whose
// step stays put is a candidate.
class NewtonStep {
public:
    // x - q(x)/q'(x) for a normalized term q, with q' its forward difference
    // quotient: the zeros of f (q = f) and the intersections of f and g
    // (q = f-(g)).
    static NewtonStep forZeros(std::string_view xterm);

    // x - h/2 * (q(x+h) - q(x-h)) / (q(x-h) - 2 q(x) + q(x+h)): a step on q' = 0
    // with central differences, for the extrema of q.
    static NewtonStep forExtrema(std::string_view xterm);

    // The step at `at`, rounded to two decimals; nothing when the statement fails.
    std::optional<double> at(double at);

    // x - a/b for a and b computed before, each written as its number text
    // (the steps on f'' = 0 and on f' = 0 of the inflection search).
    static std::optional<double> fromValues(double x, double a, double b, std::string& buffer);

private:
    // After the text of x the statement alternates literal text and terms with
    // x put in: literals_[0], a term, literals_[1], …, a term, literals_.back().
    std::vector<std::string> literals_;
    std::vector<std::size_t> order_;  // which of terms_ comes where
    std::vector<Substitution> terms_;
    std::string buffer_;
};

}  // namespace kw
