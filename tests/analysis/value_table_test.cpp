#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>

#include "analysis/value_table.h"
#include "support/plane_helpers.h"

using namespace kw;

namespace {

using Cells = std::vector<std::string>;

class ValueTableTest : public test::PanelFixture {
protected:
    ValueTable table(const std::string& term, double X = -20, double Y = 20)
    {
        c.state.main.Eingabe = term;
        c.state.picture.X = X;
        c.state.picture.Y = Y;
        return *Werte_Tabelle(c);
    }
};

TEST_F(ValueTableTest, CellsRoundedColumnsAtTheirOwnIntegersAndOnlyTheFCellsAtZeroUnrounded)
{
    // Cells round halves away from zero as the digits read, not as the binary value lies.
    for (auto [value, shown] : {std::pair{0.125, "0,13"}, {-0.125, "-0,13"}, {1.005, "1,01"}, {-0.001, "0"},
                                {99.995, "100"}, {1e20, "1E+20"}})
        EXPECT_EQ(cellText(value), shown) << value;
    EXPECT_TRUE(table("x^2").dPositive.xs.empty());  // first derivative off: no f' tables
    c.state.overlays.ableitungs_test = true;
    auto t = table("x+0.123456");
    for (const ValueRow* row : {&t.fNegative, &t.fPositive, &t.dNegative, &t.dPositive})
        ASSERT_EQ(row->xs.size(), 21u);
    // Only the f cell at 0 is unrounded.
    EXPECT_EQ(std::tie(t.fNegative.cells[0], t.fPositive.cells[1], t.dNegative.cells[0]), std::tuple("0,123456", "1,12", "1"));

    // Each column holds the value at its own integer, or nothing.
    c.state.overlays.ableitungs_test = false;
    t = table("x*10", -2.5, 1.5);
    EXPECT_EQ(t.fNegative.xs, (std::vector<int>{0, -1, -2}));  // -2,5 rounds to -2
    EXPECT_EQ(t.fNegative.cells, (Cells{"0", "-10", "-20"}));
    EXPECT_EQ(t.fPositive.cells, (Cells{"0", "10", "20"}));  // 1,5 rounds to 2
    EXPECT_TRUE(table("x", 3, 5).fNegative.xs.empty());  // a positive start: no negative columns
    t = table("x", -1e9, 1e9);  // a huge range stops at the largest column
    EXPECT_EQ(t.fNegative.xs.size(), 32768u);
    EXPECT_EQ(t.fPositive.cells.back(), "32767");

    c.state.overlays.ableitungs_test = true;  // cells stay empty where the term has no value
    t = table("1/x", -2, 2);
    EXPECT_EQ(t.fNegative.cells, (Cells{"", "-1", "-0,5"}));
    EXPECT_EQ(t.dPositive.cells[0], "");
}

// The f' cells against the exact derivative at every column; empty where
// there is none: at a kink, a pole, the edge of the domain.
TEST_F(ValueTableTest, SlopeCellsShowTheDerivativeToTheirDigits)
{
    using Derivative = std::function<std::optional<double>(double)>;
    const std::pair<const char*, Derivative> cases[] = {
        {"x^3", [](double x) { return 3 * x * x; }},
        {"0,05x^5-x^2+1,5x", [](double x) { return 0.25 * std::pow(x, 4) - 2 * x + 1.5; }},
        {"e^x", [](double x) { return std::exp(x); }},
        {"10sin(x)", [](double x) { return 10 * std::cos(x); }},
        {"1/x", [](double x) { return x ? std::optional(-1 / (x * x)) : std::nullopt; }},
        {"abs(x^2-4)",
         [](double x) { return std::fabs(x) == 2 ? std::nullopt : std::optional(x * x > 4 ? 2 * x : -2 * x); }},
        {"sqr(x)", [](double x) { return x > 0 ? std::optional(0.5 / std::sqrt(x)) : std::nullopt; }},
    };
    c.state.overlays.ableitungs_test = true;
    for (const auto& [term, derivative] : cases) {
        const ValueTable t = table(term);
        for (const ValueRow* row : {&t.dNegative, &t.dPositive}) {
            for (std::size_t i = 0; i < row->xs.size(); ++i) {
                const auto d = derivative(row->xs[i]);
                EXPECT_EQ(row->cells[i], d ? cellText(*d) : "") << term << " at " << row->xs[i];
            }
        }
    }
}

}  // namespace
