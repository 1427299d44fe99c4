#include "terms/numtext.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <algorithm>

namespace kw {

namespace {

// Removes trailing zeros of a fraction (and a separator left alone).
char* trimFraction(char* begin, char* end, char sep)
{
    char* dot = static_cast<char*>(std::memchr(begin, sep, end - begin));
    if (!dot)
        return end;
    while (end > dot + 1 && end[-1] == '0')
        --end;
    if (end == dot + 1)
        --end;
    return end;
}

}  // namespace

std::size_t writeNumber(char* buf, double v, char sep)
{
    if (std::isnan(v)) {
        std::memcpy(buf, "NaN", 3);
        return 3;
    }
    if (std::isinf(v)) {
        const char* s = v < 0 ? "-Inf" : "Inf";
        std::size_t n = std::strlen(s);
        std::memcpy(buf, s, n);
        return n;
    }
    if (v == 0) {  // also -0
        buf[0] = '0';
        return 1;
    }
    // Fifteen digits would round the largest doubles up beyond the largest
    // double, a text that reads back as nothing: they show as the largest
    // fifteen-digit number below it.
    constexpr double kLargest = 1.79769313486231e308;
    if (std::fabs(v) > kLargest)
        v = std::copysign(kLargest, v);
    // Round to 15 significant digits first; the exponent of that form decides
    // between fixed and exponent notation, as %.15G does.
    char sci[kNumberTextMax];
    auto r = std::to_chars(sci, sci + sizeof sci, v, std::chars_format::scientific, 14);
    char* e = static_cast<char*>(std::memchr(sci, 'e', r.ptr - sci));
    int exponent = 0;
    std::from_chars(e[1] == '+' ? e + 2 : e + 1, r.ptr, exponent);

    char* out = buf;
    if (exponent < -4 || exponent >= 15) {
        // Mantissa without trailing zeros, then E, sign and at least two digits.
        char* mantEnd = trimFraction(sci, e, '.');
        for (char* p = sci; p < mantEnd; ++p)
            *out++ = (*p == '.') ? sep : *p;
        *out++ = 'E';
        *out++ = exponent < 0 ? '-' : '+';
        int a = exponent < 0 ? -exponent : exponent;
        if (a < 10)
            *out++ = '0';
        out = std::to_chars(out, buf + kNumberTextMax, a).ptr;
        return out - buf;
    }
    auto f = std::to_chars(buf, buf + kNumberTextMax, v, std::chars_format::fixed, 14 - exponent);
    char* end = trimFraction(buf, f.ptr, '.');
    if (sep != '.')
        if (char* dot = static_cast<char*>(std::memchr(buf, '.', end - buf)))
            *dot = sep;
    return end - buf;
}

std::string text(double v)
{
    char buf[kNumberTextMax];
    return std::string(buf, writeNumber(buf, v, ','));
}

std::string resultText(double value, double uncertainty)
{
    constexpr int kMostDecimals = 6;
    constexpr int kDigits = 15;  // what a double holds
    if (!std::isfinite(value) || std::fabs(value) >= 1e15)
        return text(value);
    if (std::fabs(value) <= uncertainty)
        return "0";
    int decimals = kMostDecimals;
    // A digit is shown only when the error cannot change it by more than half a unit.
    while (decimals > 0 && uncertainty >= 0.5 * std::pow(10.0, -decimals))
        --decimals;
    if (std::fabs(value) >= 1)
        decimals = std::min(decimals, kDigits - 1 - int(std::floor(std::log10(std::fabs(value)))));
    // An error beyond the units leaves the value to its tens, hundreds, …
    if (uncertainty >= 0.5) {
        const double unit = std::pow(10.0, std::ceil(std::log10(2 * uncertainty)));
        value = std::nearbyint(value / unit) * unit;
    }
    char buf[48];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed,
                           std::max(decimals, 0));
    std::string s(buf, r.ptr);
    if (const auto point = s.find('.'); point != std::string::npos) {
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.')
            s.pop_back();
        else
            s[point] = ',';
    }
    return s == "-0" ? "0" : s;
}

std::string engineText(double v)
{
    char buf[kNumberTextMax];
    return std::string(buf, writeNumber(buf, v, '.'));
}

std::optional<double> readNumber(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    if (s.empty() || s.size() >= 64)
        return std::nullopt;

    // Accept: [+-] digits [sep digits] [(E|e) [+-] digits], at least one digit
    // in the mantissa; sep is ',' or '.'. Checked here so that from_chars never
    // sees "inf", "nan" or hexadecimal forms.
    char buf[64];
    std::size_t n = 0;
    std::size_t i = 0;
    bool negative = false;
    if (s[i] == '+' || s[i] == '-')
        negative = s[i++] == '-';
    std::size_t mantissaDigits = 0;
    bool seenSep = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c >= '0' && c <= '9') {
            buf[n++] = c;
            ++mantissaDigits;
        } else if ((c == ',' || c == '.') && !seenSep) {
            buf[n++] = '.';
            seenSep = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        buf[n++] = 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            buf[n++] = s[i++];
        std::size_t expDigits = 0;
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++expDigits)
            buf[n++] = s[i];
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;
    double v = 0;
    auto r = std::from_chars(buf, buf + n, v);
    if (r.ec != std::errc() || r.ptr != buf + n)
        return std::nullopt;
    return negative ? -v : v;
}

double roundHalfEven(double v)
{
    // nearbyint follows the current rounding mode, which is round-to-nearest-even
    // unless someone changed it; std::remainder-free and exact for all doubles.
    return std::nearbyint(v);
}

std::optional<std::int16_t> readInt16(std::string_view text)
{
    if (auto v = readNumber(text))
        return toInt<std::int16_t>(*v);
    return std::nullopt;
}

}  // namespace kw
