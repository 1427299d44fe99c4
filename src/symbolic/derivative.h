#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "symbolic/expression.h"

namespace kw::symbolic {

// The derivative by the rules (sum, product, quotient, chain; powers with a
// constant and with a variable exponent; abs by sgn), not yet simplified.
// Nothing when the tree grows beyond reason (deeply nested terms).
std::optional<Expr> differentiate(const Expr& e);

// The term and its first three derivatives as texts the program reads back
// when typed: the term's tree, then for each order the simplified derivative's
// text, or nothing where the term is not read (see readTerm) or a text would
// be longer than a typed term may be.
struct Derivatives {
    std::optional<Expr> f;
    std::array<std::optional<Expr>, 3> trees;
    std::array<std::optional<std::string>, 3> texts;
};
Derivatives derivativesOf(std::string_view xterm);

}  // namespace kw::symbolic
