#include "terms/substitution.h"

#include "terms/compiled.h"
#include "terms/normalize.h"
#include "terms/numtext.h"

namespace kw {

namespace {

// Rewrites one piece between two x's: decimal commas, the exp mask and (if
// asked) runs of stars. A run of n stars becomes ceil(n / 2) stars, which is
// what a left-to-right, non-overlapping "**" -> "*" does.
std::string rewritePiece(std::string piece, bool collapseStars)
{
    for (char& c : piece)
        if (c == ',')
            c = '.';
    if (collapseStars)
        replaceAll(piece, "**", "*");
    replaceAll(piece, "eyp", "exp");
    return piece;
}

std::size_t trailingStars(const std::string& s)
{
    std::size_t n = 0;
    while (n < s.size() && s[s.size() - 1 - n] == '*')
        ++n;
    return n;
}

}  // namespace

Substitution::Substitution(std::string_view term) : Substitution(term, Options{}) {}

Substitution::Substitution(std::string_view term, Options options)
{
    std::string masked(term);
    if (options.maskExp)
        replaceAll(masked, "exp", "eyp");

    // Split at every x. The inserted "*" meets the stars at the end of the
    // piece before it: the whole run collapses together. A number text never
    // holds a star, a comma or "eyp", so nothing else crosses a boundary.
    std::size_t start = 0;
    for (;;) {
        std::size_t x = masked.find('x', start);
        std::string raw = masked.substr(start, x == std::string::npos ? std::string::npos : x - start);
        if (x == std::string::npos) {
            pieces_.push_back(rewritePiece(std::move(raw), options.collapseStars));
            break;
        }
        std::size_t stars = options.collapseStars ? trailingStars(raw) : 0;
        raw.resize(raw.size() - stars);
        std::string piece = rewritePiece(std::move(raw), options.collapseStars);
        // A run that ended the piece continues with the inserted star.
        std::size_t run = stars + 1;
        pieces_.push_back(std::move(piece));
        joins_.emplace_back(options.collapseStars ? (run + 1) / 2 : 1, '*');
        start = x + 1;
    }
}

void Substitution::appendTo(std::string& out, double x) const
{
    char num[kNumberTextMax];
    std::size_t len = 0;
    if (!joins_.empty())
        len = writeNumber(num, x, '.');
    out += pieces_.front();
    for (std::size_t i = 0; i < joins_.size(); ++i) {
        out += joins_[i];
        out.append(num, len);
        out += pieces_[i + 1];
    }
}

std::string Substitution::expression(double x) const
{
    std::string out;
    appendTo(out, x);
    return out;
}

std::string Substitution::pattern() const
{
    std::string out = pieces_.front();
    for (std::size_t i = 0; i < joins_.size(); ++i) {
        out += joins_[i];
        out += mark(0);
        out += pieces_[i + 1];
    }
    return out;
}

std::string substitutePlain(std::string_view term, double x, Substitution::Options options)
{
    std::string s(term);
    if (options.maskExp)
        replaceAll(s, "exp", "eyp");
    std::string number = "*";
    number += text(x);
    replaceAll(s, "x", number);
    replaceAll(s, ",", ".");
    if (options.collapseStars)
        replaceAll(s, "**", "*");
    replaceAll(s, "eyp", "exp");
    return s;
}

}  // namespace kw
