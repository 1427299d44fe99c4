#pragma once

#include <optional>
#include <vector>

#include "symbolic/expression.h"

namespace kw::symbolic {

// Highest power of x a polynomial is expanded to; beyond it the written-out
// form would be longer than the factored one.
inline constexpr int kMaxDegree = 12;

// Coefficients by power of x: p[k] belongs to x^k.
using Polynomial = std::vector<double>;

// The tree as a polynomial in x, if it is one: numbers, x, + - *, division by
// a number and whole non-negative powers, of degree at most kMaxDegree.
std::optional<Polynomial> polynomialOf(const Expr& e);

// Whether the engine gives a value (or an overflow) for every x: no division,
// no root, logarithm or tangent, only whole non-negative powers.
bool total(const Expr& e);

// The tree in the form a teacher writes: numbers folded where the result is a
// short decimal (1/3 stays 1/3), no 1*, +0, x^1, --; polynomials expanded,
// collected and ordered by falling powers, coefficients in front
// (1,5x^2-4x-1). Nothing is cancelled that could remove a gap of the domain:
// 0*u and 0/u stay where u is not defined everywhere, u/u is never 1.
// Nothing when the tree is too large to be simplified in reasonable time.
std::optional<Expr> simplify(const Expr& e);

}  // namespace kw::symbolic
