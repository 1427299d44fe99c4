// The curve discussion's items for terms of each kind.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/ui.h"
#include "discussion/discussion.h"
#include "terms/normalize.h"

using namespace kw;

namespace {

bool has(const Discussion& d, const std::string& line)
{
    return std::find(d.lines.begin(), d.lines.end(), line) != d.lines.end();
}

TEST(Discussion, SymmetryDomainInterceptAndLimits)
{
    // term, symmetry, domain, y-intercept, limits to the left and right, further lines
    const std::tuple<const char*, std::string_view, const char*, const char*, const char*, const char*,
                     std::vector<const char*>>
        rows[] = {
        {"x^4-2x^2", kAchsensymmetrisch, "D = R", "Sy (0|0)", "+∞", "+∞", {}},
        {"0,5x^3-2x", kPunktsymmetrisch, "D = R", "Sy (0|0)", "-∞", "+∞", {}},
        {"0,5x^3-2x^2-x+4", kKeineSymmetrie, "D = R", "Sy (0|4)", "-∞", "+∞", {"f'(x) = 1,5x^2-4x-1"}},
        {"(x-1)^2", kKeineSymmetrie, "D = R", "Sy (0|1)", "+∞", "+∞", {}},
        {"x^3+0,000001", kKeineSymmetrie, "D = R", "Sy (0|0)", "-∞", "+∞", {}},
        {"sin(x)+0,000001", kKeineSymmetrie, "D = R", "Sy (0|0)", "keine Grenze (schwingt)",
         "keine Grenze (schwingt)", {}},
        {"x/(x^2-4)", kPunktsymmetrisch, "D = R \\ {-2; 2}", "Sy (0|0)", "0", "0",
         {"Senkrechte Asymptote: x = -2", "Senkrechte Asymptote: x = 2", "Waagerechte Asymptote: y = 0"}},
        {"(2x^2+1)/(x^2-1)", kAchsensymmetrisch, "D = R \\ {-1; 1}", "Sy (0|-1)", "2", "2",
         {"Waagerechte Asymptote: y = 2"}},
        {"x^3/(x-2)", kKeineSymmetrie, "D = R \\ {2}", "Sy (0|0)", "+∞", "+∞", {"Senkrechte Asymptote: x = 2"}},
        {"x-1+0/(x-1)", kKeineSymmetrie, "D = R \\ {1}", "Sy (0|-1)", "-∞", "+∞", {}},
        {"sqr(x)", kKeineSymmetrie, "D = [0; ∞)", "Sy (0|0)", "unbestimmt (f ist dort nicht definiert)", "+∞", {}},
        {"ln(x)", kKeineSymmetrie, "D = (0; ∞)", "keiner (f ist bei 0 nicht definiert)",
         "unbestimmt (f ist dort nicht definiert)", "+∞", {"Senkrechte Asymptote: x = 0"}},
        {"log(x^2-4)", kAchsensymmetrisch, "D = (-∞; -2) ∪ (2; ∞)", "keiner (f ist bei 0 nicht definiert)",
         "+∞", "+∞", {}},
        {"e^x", kKeineSymmetrie, "D = R", "Sy (0|1)", "0", "+∞", {"Waagerechte Asymptote: y = 0"}},
        {"tan(x)", kPunktsymmetrisch, "D = R \\ {-17,28; -14,14; -11; -7,85; -4,71; -1,57; 1,57; 4,71; 7,85; 11; 14,14; 17,28}",
         "Sy (0|0)", "keine Grenze (schwingt)", "keine Grenze (schwingt)", {"Senkrechte Asymptote: x = 1,57"}},
        {"cos(x)", kAchsensymmetrisch, "D = R", "Sy (0|1)", "keine Grenze (schwingt)", "keine Grenze (schwingt)", {}},
        {"atn(x)", kPunktsymmetrisch, "D = R", "Sy (0|0)", "-1,57", "1,57", {}},
    };
    for (const auto& [term, symmetry, domain, intercept, left, right, more] : rows) {
        const Discussion d = discuss(term, string_richten(term), -20, 20, nullptr);
        EXPECT_TRUE(has(d, "Symmetrie: " + std::string(symmetry))) << term;
        EXPECT_TRUE(has(d, std::string("Definitionsbereich: ") + domain)) << term << ": " << d.lines[1];
        EXPECT_TRUE(has(d, std::string("Schnittpunkt mit der y-Achse: ") + intercept)) << term;
        EXPECT_TRUE(has(d, std::string("Verhalten für x → -∞: f(x) → ") + left)) << term;
        EXPECT_TRUE(has(d, std::string("Verhalten für x → +∞: f(x) → ") + right)) << term;
        for (const char* line : more)
            EXPECT_TRUE(has(d, line)) << term << ": " << line;
    }
}

TEST(Discussion, ValueTableOverASensiblePartOfTheRange)
{
    const Discussion wide = discuss("x^2", "1x^2", -100, 100, nullptr);
    ASSERT_EQ(wide.table.size(), 21u);
    EXPECT_EQ(wide.table.front().x, -10);
    EXPECT_EQ(std::tie(wide.table[13].f, wide.table[13].d), std::tuple("9", "6"));
    const Discussion pole = discuss("1/x", string_richten("1/x"), 0.5, 3.5, nullptr);
    ASSERT_EQ(pole.table.size(), 3u);
    EXPECT_EQ(std::tie(pole.table[1].f, pole.table[1].d), std::tuple("0,5", "-0,25"));
    const Discussion gap = discuss("1/x", string_richten("1/x"), -1, 1, nullptr);
    EXPECT_EQ(gap.table[1].f, "");
    // Far out, where adding 1 or 0,01 to x no longer changes it: no table, and an end.
    EXPECT_TRUE(discuss("x^2", "1x^2", 1e300, 1e301, nullptr).table.empty());
    EXPECT_EQ(discuss("x^2", "1x^2", 1e20, 1e20 + 1e6, nullptr).lines[1], "Definitionsbereich: D = R");
    // Too large for a number is not undefined.
    EXPECT_EQ(discuss("e^x", string_richten("e^x"), -20, 1000, nullptr).lines[1], "Definitionsbereich: D = R");
    const Discussion log = discuss("ln(x)", string_richten("ln(x)"), -1, 1, nullptr);
    EXPECT_EQ(std::tie(log.table[0].d, log.table[2].d), std::tuple("", "1"));  // f' = 1/x, f undefined at -1
}

// One Esc stops all three searches; the windows wait for the whole discussion.
TEST(Discussion, OneStopEndsEverySearch)
{
    struct Esc : Ui {
        int depth = 0, deepest = 0, asked = 0;
        void searchStarted() override { deepest = std::max(deepest, ++depth); }
        void searchEnded() override { --depth; }
        bool stopRequested() override { return ++asked > 1 && depth > 0; }
    } ui;
    const Discussion d = discuss("x^3-x", "1x^3-1x", -1e6, 1e6, &ui);
    EXPECT_EQ(ui.depth, 0);
    EXPECT_GE(ui.deepest, 2);  // the searches inside the discussion's own
    EXPECT_EQ(std::count_if(d.lines.begin(), d.lines.end(),
                            [](const std::string& line) { return line.starts_with("Die Suche wurde abgebrochen."); }),
              3);
}

}  // namespace
