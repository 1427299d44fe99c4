#include "terms/normalize.h"

#include <array>
#include <utility>

#include "terms/grammar.h"

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

bool termTooLong(std::string_view input)
{
    if (input.size() <= kTermMax)
        return false;
    // Continuation bytes of UTF-8 (10xxxxxx) belong to the character before them.
    std::size_t characters = 0;
    for (char c : input)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return characters > kTermMax;
}

namespace {

bool startsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

using chars::isDigit;
using chars::isLetter;
constexpr char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c; }

// The engine's function names and "ln", as typed (in any case) and as written.
struct Name {
    std::string_view typed, written;
};
constexpr Name kNames[] = {{"sqr", "sqr"}, {"log", "log"}, {"exp", "exp"}, {"abs", "abs"},
                           {"int", "int"}, {"sin", "sin"}, {"cos", "cos"}, {"tan", "tan"},
                           {"atn", "atn"}, {"sgn", "sgn"}, {"ln", "log"}};

const Name* nameAt(std::string_view s, std::size_t i)
{
    for (const Name& n : kNames) {
        if (s.size() - i < n.typed.size())
            continue;
        std::size_t k = 0;
        while (k < n.typed.size() && lower(s[i + k]) == n.typed[k])
            ++k;
        if (k == n.typed.size())
            return &n;
    }
    return nullptr;
}

// What the text written so far ends with, as far as a factor behind it matters.
enum class Ends { Other, Number, X, Euler, Bracket };

// Function names in lower case ("ln" as "log"), every "e" that is not part of
// a name as Euler's number "exp(1)", and the stars users leave out: behind a
// number, x, e or ")" comes "*" before "(", a function name or e, and behind
// ")" before a number. A number or ")" before x needs no star: x is replaced
// by "*" and its value. "x2" could mean x·2 or x²: a blank keeps the digit
// apart from x, so that the engine reports the term as malformed instead of
// reading the digits of x and 2 as one number.
std::string namesAndProducts(std::string_view s)
{
    std::string out;
    out.reserve(s.size() + 16);
    Ends ends = Ends::Other;
    auto factor = [&] {
        if (ends != Ends::Other)
            out += '*';
    };
    for (std::size_t i = 0; i < s.size();) {
        const char c = s[i];
        if (isLetter(c)) {
            if (const Name* n = nameAt(s, i)) {
                factor();
                out += n->written;
                i += n->typed.size();
                ends = Ends::Other;
                continue;
            }
        }
        ++i;
        if (c == 'e') {
            factor();
            out += "exp(1)";
            ends = Ends::Euler;
            continue;
        }
        if (c == '(') {
            factor();
        } else if (isDigit(c)) {
            if (ends == Ends::Bracket)
                out += '*';
            else if (ends == Ends::X)
                out += ' ';
        }
        out += c;
        ends = isDigit(c) ? Ends::Number
             : c == 'x'   ? Ends::X
             : c == ')'   ? Ends::Bracket
                          : Ends::Other;
    }
    return out;
}

}  // namespace

std::string string_richten(std::string_view input)
{
    std::string typed;
    typed.reserve(input.size());
    for (char c : input) {
        if (c == ' ')
            continue;
        // A control character that a compiled statement would take for the
        // place of a number becomes another the engine cannot read either:
        // the term stays the error it is, compiled or not.
        typed += grammar::markIndex(c) >= 0 ? '\x7f' : c;
    }
    std::string s = namesAndProducts(typed);

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
