#pragma once

#include <optional>
#include <string>

#include "symbolic/expression.h"

namespace kw::symbolic {

// The tree as a term a user would type: decimal comma, "1,5x^2", "2sin(x)",
// "e^x", "ln(x)", brackets only where the engine needs them. Read back through
// string_richten it gives the tree's values. Nothing when the text would be
// longer than a typed term may be.
std::optional<std::string> print(const Expr& e);

}  // namespace kw::symbolic
