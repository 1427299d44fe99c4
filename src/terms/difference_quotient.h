#pragma once

#include <string>
#include <string_view>

namespace kw {

// Derivatives are never formed symbolically: the program writes a forward
// difference quotient of f with the step h as text, nests it for higher orders,
// and lets the engine evaluate the text at every sample.
inline constexpr double kH = 0.000456;

// The normalized term with "exp" masked as "eyp", so that its "x" survives
// when x is replaced.
std::string maskExp(std::string_view xterm);

// The shift step: every "x" becomes "*(1x+h)". The "x" inside the inserted
// text is the variable again, so shifting a shifted term shifts it once more.
std::string shift(std::string_view term);

// The shift the other way: every "x" becomes "*(1x-h)", the term of f(x-h).
std::string shiftBack(std::string_view term);

// (f(x+h) - f(x)) / h for a masked term f, written as "(S - (f)) /h".
std::string firstQuotient(std::string_view maskedTerm);

// (f(x+h) - f(x-h)) / 2h for a masked term f: a slope that comes out the same
// on either side of a symmetric extremum.
std::string centralQuotient(std::string_view maskedTerm);

// The next order from the quotient d of the previous one: "(S(d)-d)/h".
std::string nextQuotient(std::string_view d);

}  // namespace kw
