#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kw {

class Ui;

inline constexpr std::string_view kAchsensymmetrisch = "achsensymmetrisch zur y-Achse";
inline constexpr std::string_view kPunktsymmetrisch = "punktsymmetrisch zum Ursprung";
inline constexpr std::string_view kKeineSymmetrie = "keine Symmetrie zur y-Achse oder zum Ursprung";

// One row of the discussion's value table: the cells as the value table shows them.
struct DiscussionRow {
    int x;
    std::string f, d;  // empty where f or f' is not defined
};

// The whole curve discussion of a term over a range: its items, one per line
// ("Definitionsbereich: D = R", "f'(x) = 1,5x^2-4x-1", the lines of the zero,
// extremum and inflection reports, …), and a value table over the integers of
// a sensible part of the range.
struct Discussion {
    std::vector<std::string> lines;
    std::vector<DiscussionRow> table;
};

// typed: the term as the user typed it; xterm: the same normalized. The
// searches show their progress through the UI (may be null) and stop on its
// request, as the analysis buttons' searches do.
Discussion discuss(std::string_view typed, std::string_view xterm, double from, double to, Ui* ui);

// The discussion as text: its lines, then "Wertetabelle:" and a line per x
// with x, f(x) and f'(x) separated by tabs.
std::string discussionText(const Discussion& d);

}  // namespace kw
