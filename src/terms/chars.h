#pragma once

// Character classes of terms and field texts. ASCII only: <cctype> follows the
// C locale, which Qt sets from the system.

namespace kw::chars {

constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool isNameChar(char c) { return isLetter(c) || isDigit(c) || c == '_'; }
constexpr bool isBlank(char c) { return c == ' ' || c == '\t'; }
constexpr bool isOperator(char c)
{
    return c == '+' || c == '-' || c == '*' || c == '/' || c == '^';
}
constexpr char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c; }

}  // namespace kw::chars
