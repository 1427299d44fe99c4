#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "terms/grammar.h"

namespace kw::symbolic {

using grammar::Function;

enum class Op : std::uint8_t { Number, X, Add, Sub, Mul, Div, Neg, Pow, Call };

struct Node;
// Trees are immutable and share their parts: a derivative holds the term it
// came from without copying it.
using Expr = std::shared_ptr<const Node>;

struct Node {
    Op op;
    double value = 0;               // Number
    Function f = Function::Abs;     // Call
    Expr a, b;                      // operands (Neg and Call: a only)
};

Expr number(double v);
Expr variable();
Expr make(Op op, Expr a, Expr b = nullptr);
Expr call(Function f, Expr a);

inline bool isNumber(const Expr& e) { return e->op == Op::Number; }
inline bool isNumber(const Expr& e, double v) { return e->op == Op::Number && e->value == v; }

// Whether x occurs in the tree.
bool hasX(const Expr& e);

// A normalized term (see string_richten) read with the engine's own grammar,
// as its statements read it with x in place: nothing where the engine would
// report a syntax error for every x, or where an x would not read as a whole
// number once written in ("2x.5").
std::optional<Expr> readTerm(std::string_view xterm);

// The value the engine gives for the tree at x: the same operations in the
// same order, so the same error numbers (err::None: value is set).
struct Value {
    int error = 0;
    double value = 0;
};
Value evaluate(const Expr& e, double x);

// Number of nodes as a tree (shared parts counted each time they occur), up to
// the limit: what the text of the tree will cost.
std::size_t treeSize(const Expr& e, std::size_t limit);

// Whether the tree nests deeper than `limit`: the walks over a tree recurse.
bool deeperThan(const Expr& e, std::size_t limit);

}  // namespace kw::symbolic
