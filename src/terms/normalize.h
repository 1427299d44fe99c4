#pragma once

#include <string>
#include <string_view>

namespace kw {

// The longest term a user may give, in characters as typed. The texts of its
// derivatives grow with it; much longer ones would take longer to evaluate at
// every sample than a user can wait.
inline constexpr std::size_t kTermMax = 2000;

// More than kTermMax characters (the text is UTF-8, as typed).
bool termTooLong(std::string_view input);

// Rewrites a term as users write it ("0,5x^3-2x", "2(x+1)", "(x-2)(4+2x)",
// "2sin(x)", "ln(x)", "e^x") so that every "x" stands behind something a "*"
// can follow: afterwards each "x" can be replaced by "*" and a number. Purely
// textual: function names are recognised in any case, but only a lower-case
// "x" is the variable and only a lower-case "e" Euler's number. It checks
// nothing; malformed terms are left for the engine to report.
std::string string_richten(std::string_view input);

// Replaces every occurrence of `from` (scanned from the left, without overlap).
void replaceAll(std::string& s, std::string_view from, std::string_view to);

}  // namespace kw
