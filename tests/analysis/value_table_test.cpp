#include <gtest/gtest.h>

#include "analysis/value_table.h"
#include "panel/context.h"
#include "panel/main_panel.h"
#include "support/recording_ui.h"

using namespace kw;

namespace {

class ValueTableTest : public ::testing::Test {
protected:
    test::RecordingUi ui;
    Context c{ui};

    void SetUp() override { mainPanelLoad(c); }

    ValueTable table(const std::string& term, double X = -20, double Y = 20)
    {
        c.s.Eingabe = term;
        c.s.X = X;
        c.s.Y = Y;
        return Werte_Tabelle(c);
    }

    static std::string cell(const ValueRow& row, int x)
    {
        for (std::size_t i = 0; i < row.xs.size(); ++i)
            if (row.xs[i] == x)
                return row.cells[i];
        ADD_FAILURE() << "no column x = " << x;
        return "";
    }
};

}  // namespace

TEST(CellText, RoundsToTwoDecimalsAsShown)
{
    EXPECT_EQ(cellText(2.5), "2,5");
    EXPECT_EQ(cellText(4), "4");
    EXPECT_EQ(cellText(0.123456), "0,12");
    EXPECT_EQ(cellText(1234.5678), "1234,57");
    EXPECT_EQ(cellText(0.125), "0,13");   // halves away from zero
    EXPECT_EQ(cellText(-0.125), "-0,13");
    EXPECT_EQ(cellText(1.005), "1,01");   // as the digits read, not as the binary value lies
    EXPECT_EQ(cellText(2.675), "2,68");
    EXPECT_EQ(cellText(0.005), "0,01");
    EXPECT_EQ(cellText(0.0049), "0");
    EXPECT_EQ(cellText(-0.001), "0");
    EXPECT_EQ(cellText(1e-20), "0");
    EXPECT_EQ(cellText(99.995), "100");
    EXPECT_EQ(cellText(1e20), "1E+20");
    EXPECT_EQ(cellText(123456789012.345), "123456789012,35");
    EXPECT_EQ(columnHeader(-3), "x = -3");
}

TEST_F(ValueTableTest, DefaultRangeHasTwentyOneColumnsEachWay)
{
    auto t = table("x^2");
    ASSERT_EQ(t.fNegative.xs.size(), 21u);
    ASSERT_EQ(t.fPositive.xs.size(), 21u);
    for (int i = 0; i <= 20; ++i) {
        EXPECT_EQ(t.fNegative.xs[i], -i);
        EXPECT_EQ(t.fPositive.xs[i], i);
    }
    EXPECT_EQ(cell(t.fNegative, -20), "400");
    EXPECT_EQ(cell(t.fPositive, 3), "9");
    EXPECT_TRUE(t.dNegative.xs.empty());  // first derivative off
    EXPECT_TRUE(t.dPositive.xs.empty());
}

TEST_F(ValueTableTest, OnlyTheCellAtZeroOfTheFTablesIsUnrounded)
{
    c.s.ableitungs_test = true;
    auto t = table("x+0.123456");
    EXPECT_EQ(cell(t.fNegative, 0), "0,123456");
    EXPECT_EQ(cell(t.fPositive, 0), "0,123456");
    EXPECT_EQ(cell(t.fNegative, -1), "-0,88");
    EXPECT_EQ(cell(t.fPositive, 1), "1,12");
    EXPECT_EQ(cell(t.dNegative, 0), "1");
    EXPECT_EQ(cell(t.dPositive, 0), "1");
}

TEST_F(ValueTableTest, DerivativeTablesFollowTheFirstDerivative)
{
    c.s.ableitungs_test = true;
    auto t = table("x^2");
    ASSERT_EQ(t.dNegative.xs.size(), 21u);
    ASSERT_EQ(t.dPositive.xs.size(), 21u);
    EXPECT_EQ(cell(t.dPositive, 3), "6");    // 6,000456
    EXPECT_EQ(cell(t.dNegative, -3), "-6");  // -5,999544
    EXPECT_EQ(cell(t.dPositive, 0), "0");
    EXPECT_FALSE(c.s.ableitungsterm.empty());
}

TEST_F(ValueTableTest, EachColumnHoldsTheValueAtItsOwnInteger)
{
    auto t = table("x*10", -2.5, 1.5);
    EXPECT_EQ(t.fNegative.xs, (std::vector<int>{0, -1, -2}));  // -2,5 rounds to -2
    EXPECT_EQ(t.fNegative.cells, (std::vector<std::string>{"0", "-10", "-20"}));
    EXPECT_EQ(t.fPositive.xs, (std::vector<int>{0, 1, 2}));    // 1,5 rounds to 2
    EXPECT_EQ(t.fPositive.cells, (std::vector<std::string>{"0", "10", "20"}));

    auto right = table("x", 3, 5);
    EXPECT_TRUE(right.fNegative.xs.empty());  // a positive start gives no negative columns
    EXPECT_EQ(right.fPositive.xs.size(), 6u);
    auto left = table("x", -5, -3);
    EXPECT_EQ(left.fNegative.xs.size(), 6u);
    EXPECT_TRUE(left.fPositive.xs.empty());
}

TEST_F(ValueTableTest, CellsStayEmptyWhereTheTermHasNoValue)
{
    c.s.ableitungs_test = true;
    auto t = table("1/x", -3, 3);
    EXPECT_EQ(cell(t.fNegative, 0), "");
    EXPECT_EQ(cell(t.fPositive, 0), "");
    EXPECT_EQ(cell(t.dPositive, 0), "");
    EXPECT_EQ(cell(t.fNegative, -2), "-0,5");
    EXPECT_EQ(cell(t.fPositive, 3), "0,33");

    auto log = table("ln(x)", -3, 3);
    EXPECT_EQ(log.fNegative.cells, (std::vector<std::string>{"", "", "", ""}));
    EXPECT_EQ(cell(log.fPositive, 1), "0");
    EXPECT_EQ(cell(log.fPositive, 2), "0,69");
}

TEST_F(ValueTableTest, UsesTheTermAsItStandsInTheField)
{
    c.s.Eingabe = "x^2";
    zeichnen(c);
    auto t = table("exp(x)", -1, 1);  // typed, not drawn
    EXPECT_EQ(c.w.xterm, "exp(1x)");
    EXPECT_EQ(cell(t.fPositive, 1), "2,72");
    EXPECT_EQ(cell(t.fNegative, 0), "1");
}

TEST_F(ValueTableTest, AHugeRangeStopsAtTheLargestColumn)
{
    auto t = table("x", -1e9, 1e9);
    EXPECT_EQ(t.fNegative.xs.size(), 32768u);
    EXPECT_EQ(t.fNegative.xs.back(), -32767);
    EXPECT_EQ(t.fPositive.cells.back(), "32767");
}
