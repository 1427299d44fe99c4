#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace kw {

// Number texts as the program shows them and as it writes them into terms:
// up to 15 significant digits, exponent form "1E-05" / "1E+15" where the general
// format would switch to it, negative zero written "0". Written with
// std::to_chars, so the C locale (which Qt sets from the system) has no say.
inline constexpr std::size_t kNumberTextMax = 32;

// Writes the text of v with the given decimal separator into buf (at least
// kNumberTextMax chars) and returns its length. Non-finite values give "NaN",
// "Inf" or "-Inf"; the program never puts those into a term on purpose.
std::size_t writeNumber(char* buf, double v, char decimalSeparator);

// The text shown to users: German decimal comma.
std::string text(double v);

// The same number with a decimal point, as the engine reads it.
std::string engineText(double v);

// A computed result as a pupil writes it: at most six decimals, trailing zeros
// dropped, decimal comma, no exponent below 1E+15. Only the decimals that the
// uncertainty (an estimate of the value's error) leaves intact are shown, and a
// value that lies within its uncertainty of 0 is "0".
std::string resultText(double value, double uncertainty = 0);

// Reads a field text: decimal comma or point, optional sign and exponent,
// blanks around allowed. Anything else (empty, "abc", "1,2,3", "inf") is not a number.
std::optional<double> readNumber(std::string_view text);

// Rounds to the nearest integer, halves to even.
double roundHalfEven(double v);

// Rounds to the nearest integer (halves to even) and converts to Int (16 or 32
// bits); nothing when the value does not fit (or is not finite).
template <class Int>
std::optional<Int> toInt(double v)
{
    static_assert(sizeof(Int) <= 4, "the bounds must be exact doubles");
    if (!std::isfinite(v))
        return std::nullopt;
    const double r = roundHalfEven(v);
    if (r < double(std::numeric_limits<Int>::min()) || r > double(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(r);
}

// A field text read as a number and then rounded to a 16-bit integer.
std::optional<std::int16_t> readInt16(std::string_view text);

}  // namespace kw
