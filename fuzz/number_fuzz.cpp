// A field text read as a number, written as the program shows numbers and read
// again: what the program writes it must read back as the same number.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "terms/numtext.h"

using namespace kw;

namespace {
// Significant digits of the shortest text that reads back as v.
int shortestDigits(double v)
{
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific).ptr;
    int digits = 0;
    for (const char* p = buf; p < end && *p != 'e'; ++p)
        digits += *p >= '0' && *p <= '9';
    return digits;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto v = readNumber(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!v)
        return 0;
    if (!std::isfinite(*v))
        __builtin_trap();
    const std::string shown = text(*v);
    const auto again = readNumber(shown);
    // Fifteen digits survive a double: the shown text reads back to a number
    // shown the same way, and to v itself where fifteen digits say all of v.
    if (!again || text(*again) != shown || readNumber(engineText(*v)) != again)
        __builtin_trap();
    if (shortestDigits(*v) <= 15 && *again != *v)
        __builtin_trap();
    return 0;
}
