#include "tools/calculator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "panel/context.h"
#include "support/recording_ui.h"
#include "terms/numtext.h"

namespace kw {
namespace {

class CalculatorTest : public ::testing::Test {
protected:
    test::RecordingUi ui;
    Context c{ui};
    Taschenrechner t;

    void press(std::string_view name)
    {
        const TaschenrechnerTaste* key = taschenrechnerTaste(name);
        ASSERT_NE(key, nullptr) << name;
        taste(t, *key);
    }
};

TEST_F(CalculatorTest, KeysBuildTheTermAndEqualsEvaluatesIt)
{
    for (auto name : {"button_sinus", "Pi_button", "Button_Division", "Button_2",
                      "Button_Klammer_rechts"})
        press(name);
    EXPECT_EQ(t.Eingabe, "sin(3.14159265358979/2)");
    EXPECT_TRUE(Command1_Click(c, t));
    EXPECT_EQ(t.Ergebnis, "1");
    EXPECT_DOUBLE_EQ(c.s.Zahl8, 1.0);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(t.Eingabe, "sin(3.14159265358979/2)");  // the input stays for the next step
}

TEST_F(CalculatorTest, FunctionAndConstantKeysAppendEngineSyntax)
{
    for (auto name : {"Button_wurzel", "eula_button", "Button_Klammer_rechts", "Button_Mal",
                      "button_log", "Button_1", "Button_Punkt", "Button_5",
                      "Button_Klammer_rechts", "Button_Minus", "button_exp", "Button_0",
                      "Button_Klammer_rechts", "Button_Plus", "button_cos", "Button_0",
                      "Button_Klammer_rechts", "Button_exponent", "Button_3", "Button_Plus",
                      "button_tan", "Button_0", "Button_Klammer_rechts"})
        press(name);
    EXPECT_EQ(t.Eingabe, "sqr(2.71828182845904)*log(1.5)-exp(0)+cos(0)^3+tan(0)");
    ASSERT_TRUE(Command1_Click(c, t));
    EXPECT_EQ(t.Ergebnis, text(std::sqrt(2.71828182845904) * std::log(1.5)));
}

TEST_F(CalculatorTest, EveryKeyHasItsOwnControlAndAppendsSomething)
{
    std::set<std::string_view> names;
    for (const auto& key : kTaschenrechnerTasten) {
        EXPECT_TRUE(names.insert(key.name).second) << key.name;
        EXPECT_FALSE(key.text.empty()) << key.name;
        EXPECT_EQ(taschenrechnerTaste(key.name), &key);
    }
    EXPECT_EQ(taschenrechnerTaste("Command1"), nullptr);  // "=" evaluates, it appends nothing
}

TEST_F(CalculatorTest, ResultUsesTheGermanDecimalComma)
{
    t.Eingabe = "5/2";
    ASSERT_TRUE(Command1_Click(c, t));
    EXPECT_EQ(t.Ergebnis, "2,5");
    t.Eingabe = "1/100000";
    ASSERT_TRUE(Command1_Click(c, t));
    EXPECT_EQ(t.Ergebnis, "1E-05");
}

TEST_F(CalculatorTest, AnglesAreRadians)
{
    t.Eingabe = "sin(90)";
    ASSERT_TRUE(Command1_Click(c, t));
    EXPECT_NE(t.Ergebnis, "1");
    EXPECT_EQ(t.Ergebnis, text(std::sin(90.0)));
    EXPECT_EQ(t.Ergebnis, "0,893996663600558");
}

TEST_F(CalculatorTest, EveryErrorGivesTheOneMessageAndKeepsTheResult)
{
    t.Eingabe = "3*3";
    ASSERT_TRUE(Command1_Click(c, t));
    ASSERT_EQ(t.Ergebnis, "9");
    // A decimal comma is not rewritten; empty input, division by zero, an
    // unknown function, a bad argument and a second statement all fail.
    for (const char* input : {"2,5*2", "", "   ", "1/0", "foo(2)", "sqr(-1)", "sin(", "2)",
                              "1 : Form.Zahl = 5", "Zahl8", "Pi"}) {
        SCOPED_TRACE(input);
        ui.messages.clear();
        t.Eingabe = input;
        EXPECT_FALSE(Command1_Click(c, t));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0], kEingabeFehler);
        EXPECT_EQ(ui.titles[0], kTitle);
        EXPECT_EQ(t.Ergebnis, "9");
        EXPECT_EQ(t.Eingabe, input);
        EXPECT_EQ(c.s.Zahl8, 9.0);
        EXPECT_EQ(c.s.Zahl, 0.0);
    }
    EXPECT_EQ(c.engine.lastError(), 0);  // the next caller starts clean
}

TEST_F(CalculatorTest, InputGoesToTheEngineAsTyped)
{
    // Blanks and case are the engine's business: no rewriting on the way.
    t.Eingabe = "  2 * SIN( 0 ) + 2^10 ";
    ASSERT_TRUE(Command1_Click(c, t));
    EXPECT_EQ(t.Ergebnis, "1024");
    // Implicit multiplication is not added here, unlike in the main term.
    t.Eingabe = "2(3)";
    EXPECT_FALSE(Command1_Click(c, t));
}

TEST_F(CalculatorTest, DelEmptiesBothFields)
{
    t.Eingabe = "7*6";
    ASSERT_TRUE(Command1_Click(c, t));
    Command2_Click(t);
    EXPECT_EQ(t.Eingabe, "");
    EXPECT_EQ(t.Ergebnis, "");
}

}  // namespace
}  // namespace kw
