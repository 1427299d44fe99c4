#include "terms/normalize.h"

#include <array>
#include <utility>

namespace kw {

void replaceAll(std::string& s, std::string_view from, std::string_view to)
{
    if (from.empty())
        return;
    std::size_t pos = s.find(from);
    if (pos == std::string::npos)
        return;
    std::string out;
    out.reserve(s.size() + (to.size() > from.size() ? 16 * (to.size() - from.size()) : 0));
    std::size_t last = 0;
    for (; pos != std::string::npos; pos = s.find(from, last)) {
        out.append(s, last, pos - last);
        out.append(to);
        last = pos + from.size();
    }
    out.append(s, last);
    s = std::move(out);
}

bool termZuLang(std::string_view eingabe)
{
    if (eingabe.size() <= kTermMax)
        return false;
    // Continuation bytes of UTF-8 (10xxxxxx) belong to the character before them.
    std::size_t characters = 0;
    for (char c : eingabe)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return characters > kTermMax;
}

namespace {

bool startsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

// Every "e" that is not part of "exp" stands for Euler's number.
std::string replaceEuler(std::string_view s)
{
    std::string out;
    out.reserve(s.size() + 16);
    for (std::size_t i = 0; i < s.size();) {
        if (s.compare(i, 3, "exp") == 0) {
            out += "exp";
            i += 3;
        } else if (s[i] == 'e') {
            out += "exp(1)";
            ++i;
        } else {
            out += s[i++];
        }
    }
    return out;
}

}  // namespace

std::string string_richten(std::string_view eingabe)
{
    std::string s;
    s.reserve(eingabe.size() + 16);
    for (char c : eingabe)
        if (c != ' ')
            s += c;

    replaceAll(s, "ln", "log");
    if (s.find('e') != std::string::npos)
        s = replaceEuler(s);
    replaceAll(s, ")(", ")*(");

    // An x behind an operator or bracket gets the factor 1. A pattern counts only
    // from the second character on (a leading one is handled below), but once it
    // occurs there every occurrence is rewritten. None of the replacements creates
    // another pattern, so one sweep is enough. "^-x" comes before "-x" so that the
    // exponent keeps its sign inside the brackets.
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 7> inner{{
        {"+x", "+1x"},
        {"^-x", "^(-1x)"},
        {"-x", "-1x"},
        {"*x", "*1x"},
        {"/x", "/(1x)"},
        {"(x", "(1x"},
        {"^x", "^(1x)"},
    }};
    if (s.size() >= 2)
        for (auto [p, r] : inner)
            if (s.find(p, 1) != std::string::npos)
                replaceAll(s, p, r);

    // An x at the very start.
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 7> leading{{
        {"x", "1x"},
        {"+x", "1x"},
        {"-x", "-1x"},
        {"*x", "1x"},
        {"/x", "1x"},
        {"^x", "1x"},
        {"(x", "(1x"},
    }};
    for (auto [p, r] : leading)
        if (startsWith(s, p))
            s.replace(0, p.size(), r);
    return s;
}

}  // namespace kw
