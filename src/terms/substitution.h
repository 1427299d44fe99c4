#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kw {

// Puts a number in place of every "x" of a normalized term, the way every curve
// of the program builds its engine statements:
//   - "exp" is masked as "eyp" while x is replaced, so its "x" survives
//     (the difference-quotient terms arrive already masked);
//   - every "x" becomes "*" followed by the number's text;
//   - every "," becomes "." (decimal commas of the user and of the number text);
//   - optionally every "**" becomes "*" (scanned from the left, without overlap);
//   - the mask "eyp" is turned back into "exp".
// The term is split once at its x positions; appending a sample then costs one
// number conversion and a few copies, and gives exactly the text of the plain
// replacements above (see substitutePlain).
class Substitution {
public:
    struct Options {
        bool maskExp = true;        // mask "exp" before replacing x
        bool collapseStars = false; // replace "**" by "*" afterwards
    };

    Substitution() = default;
    explicit Substitution(std::string_view term);
    Substitution(std::string_view term, Options options);

    // Appends the expression for x to out.
    void appendTo(std::string& out, double x) const;

    std::string expression(double x) const;

    // The expression with mark(0) where the number goes, for compiling.
    std::string pattern() const;

private:
    std::vector<std::string> pieces_;  // text between the x's, already rewritten
    std::vector<std::string> joins_;   // "*" (or "" after a collapsed star) before each number
};

// The same result by applying the replacements one after the other on the whole
// text. Slow; it is the reference the fast path is checked against.
std::string substitutePlain(std::string_view term, double x, Substitution::Options options);

}  // namespace kw
