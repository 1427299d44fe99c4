#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "terms/substitution.h"

namespace kw {

// The Newton step the searches for zeros and intersections take at every grid
// point: one statement x - a/b, written as text, compiled once (with the
// search's other statements) and evaluated at every point to the value of its
// text. Where it lands helps to
// decide whether the point is a candidate (see ClusterWalk).
class NewtonStep {
public:
    // x - q(x)/q'(x) for a normalized term q, with q' its forward difference
    // quotient: the zeros of f (q = f) and the intersections of f and g
    // (q = f-(g)).
    static NewtonStep forZeros(std::string_view xterm);

    // The statement at `at` as text, and as a pattern for compiling (mark(0)
    // for `at`).
    std::string statement(double at) const;
    std::string pattern() const;

private:
    // After the text of x the statement alternates literal text and terms with
    // x put in: literals_[0], a term, literals_[1], …, a term, literals_.back().
    std::vector<std::string> literals_;
    std::vector<std::size_t> order_;  // which of terms_ comes where
    std::vector<Substitution> terms_;
};

}  // namespace kw
