#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "curves/family.h"
#include "curves/graph.h"
#include "plane/mouse.h"
#include "support/plane_helpers.h"

using namespace kw;
using Messages = std::vector<std::string>;
using Answers = std::deque<std::optional<std::string>>;

namespace {

class Family : public test::PanelFixture {
protected:
    // "Zeichnen" of a term with these answers to start, end and step.
    std::vector<test::WorldLine> drawFamily(const char* term, Answers answers)
    {
        ui.answers = std::move(answers);
        c.drawing.legendShown = false;  // the members alone
        return draw(term);
    }
    // The heights at x = 1 of the members drawn, rounded to 1e-6.
    std::set<double> membersAtOne() const
    {
        std::set<double> ys;
        for (const auto& l : graph())
            if (std::fabs(l.x2 - 1) < 1e-3)
                ys.insert(std::round(l.y2 * 1e6) / 1e6);
        return ys;
    }
};

// An answer that is no number asks the same question again; the defaults then
// draw eight separate parabolas in the graph's colour.
TEST_F(Family, DefaultsDrawEightSeparateParabolasInTheGraphColour)
{
    const auto lines = drawFamily("x^2+@", {"-2", "fünf", "5", "1"});
    EXPECT_EQ(ui.questions, (std::vector<std::string>{
                                "Bitte geben Sie den Startwert ein.|Startwert|-2",
                                "Bitte geben Sie den Endwert ein.|Endwert|5",
                                "Bitte geben Sie eine Zahl ein.\nBitte geben Sie den Endwert ein.|Endwert|5",
                                "Bitte geben Sie den Schrittwert ein.|Schrittwert|1"}));
    EXPECT_EQ(membersAtOne(), (std::set<double>{-1, 0, 1, 2, 3, 4, 5, 6}));
    // Each member its own polyline: no segment runs back from the right end to the left.
    for (const auto& l : lines)
        EXPECT_NEAR(l.x2 - l.x1, 0.02, 1e-3);
    EXPECT_FALSE(c.state.session.Parametar_gefunden);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Family, TheParameterIsOneNumberAndMembersAreCountedWithoutDrift)
{
    // Written next to a factor it multiplies it, as a typed number does; "@^2"
    // at -2 is 4, not -(2²).
    const std::tuple<const char*, const char*, double> cases[] = {
        {"x^2+@", "-2", -1}, {"@x^2", "-1", -1}, {"x+@^2", "-2", 5}, {"2@x", "3", 6}, {"(@^2)*x", "-0,5", 0.25},
        {"@x+@", "2,5", 5}, {"2@+x@", "-3", -9}, {"@sin(x)+@(x+1)+@2", "-1", -4.841471}};
    for (auto [term, p, value] : cases) {
        drawFamily(term, {p, p, "1"});
        EXPECT_EQ(membersAtOne(), std::set<double>{value}) << term;
    }

    // Members are counted without drift.
    const std::tuple<double, double, double, std::optional<int>> counts[] = {
        {-2, 5, 1, 8}, {0, 0.3, 0.1, 4},  // 0.1 added three times is above 0.3
        {5, -2, -1, 8}, {1, 0, 1, 0}, {1, 1, 0, 0}, {0, 999, 1, 1000}, {0, 1000, 1, std::nullopt},
        {0, 1, 1e-9, std::nullopt}, {-1e308, 1e308, 1, std::nullopt},
        {1e308, -1e308, -1e308, 3}};
    for (auto [from, to, step, members] : counts)
        EXPECT_EQ(familySize(from, to, step), members) << from << " to " << to << " by " << step;

    drawFamily("x^2+@", {"0", "0,3", "0,1"});
    EXPECT_EQ(membersAtOne(), (std::set<double>{1, 1.1, 1.2, 1.3}));
}

TEST_F(Family, RefusedAnswersDrawNothingAndTheNextTermDrawsNormally)
{
    // Answers, the message shown, how many questions were asked.
    const std::tuple<Answers, std::string_view, std::size_t> cases[] = {
        {{std::nullopt, "5", "1"}, kCancelledMessage, 1},  // cancelled: no further question
        {{"-2", std::nullopt, "1"}, kCancelledMessage, 2},
        {{"", "5", "1"}, kCancelledMessage, 1},
        {{"-2", "fünf", std::nullopt}, kCancelledMessage, 3},  // asked again, then cancelled
        {{"-2", "5", "0"}, kStepMessage, 3},
        {{"0", "1", "1e-9"}, kTooManyFunctionsMessage, 3},
        {{"1", "0", "1"}, kStepAwayMessage, 3},
    };
    ui.messages.clear();
    EXPECT_TRUE(drawFamily("(x^2+@", {"-2", "5", "1"}).empty());  // no stale flat lines
    EXPECT_EQ(ui.messages, Messages{std::string(kSyntaxMessage)});
    EXPECT_TRUE(c.drawing.termRefused);
    for (const auto& [answers, message, asked] : cases) {
        ui.messages.clear();
        ui.questions.clear();
        EXPECT_TRUE(drawFamily("x^2+@", answers).empty()) << message;
        EXPECT_EQ(ui.messages, Messages{std::string(message)});
        EXPECT_EQ(ui.questions.size(), asked) << message;
        EXPECT_FALSE(c.state.session.Parametar_gefunden);
    }
    ui.messages.clear();
    EXPECT_EQ(draw("x/10").size(), 1999u);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Family, AcceptedAnswersStayAndTheWheelRedrawsWithoutAsking)
{
    drawFamily("x^2+@", {"3", std::nullopt, "1"});
    EXPECT_EQ(c.state.family.start, 3);  // accepted before the cancelled one

    drawFamily("x^2+@", {"-2", "5", "1"});
    ui.questions.clear();
    ui.messages.clear();
    MouseWheel(c, 120);
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(membersAtOne().size(), 8u);
    EXPECT_FALSE(c.state.session.Mausrad_Funktion);
}

}  // namespace
