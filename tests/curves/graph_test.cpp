#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

#include "curves/graph.h"
#include "scene/redraw.h"
#include "support/plane_helpers.h"

using namespace kw;
using Lines = std::vector<kw::test::WorldLine>;
using Messages = std::vector<std::string>;

namespace {

constexpr double kTol = 2e-3;  // pixel coordinates are kept as floats

class GraphPass : public test::PanelFixture {
protected:
    Messages takeMessages() { return std::exchange(ui.messages, {}); }

    // The y where a drawn segment (not an edge stroke) ends at x.
    static std::optional<double> valueAt(const Lines& lines, double x)
    {
        for (const auto& l : lines)
            if (std::fabs(l.x2 - x) < kTol && l.x1 != l.x2)
                return l.y2;
        return std::nullopt;
    }
    // A vertical stroke that takes the curve to the edge at height y.
    static bool edgeStrokeTo(const Lines& lines, double y)
    {
        return std::any_of(lines.begin(), lines.end(),
                           [y](auto& l) { return l.x1 == l.x2 && std::fabs(l.y2 - y) < kTol; });
    }
};

TEST_F(GraphPass, SampleCounterJoinsFromTheThirdSampleOnAndHugeQualityIsCapped)
{
    auto lines = draw("x/10");
    ASSERT_EQ(lines.size(), 1999u);  // 2001 samples, the first never joined
    EXPECT_NEAR(lines.front().x1, -19.98, kTol);
    EXPECT_NEAR(lines.back().x2, 20, kTol);
    EXPECT_DOUBLE_EQ(ui.progressMaximum, 40);
    EXPECT_LE(ui.progressHigh, 40);
    c.state.main.qualitaet_eingabe = "1e9";
    EXPECT_EQ(draw("x").size(), 32768u - 2);  // the first two of 32768 samples never joined
}

TEST_F(GraphPass, WindowAndJumpTestsWithEdgeStrokes)
{
    // Walking to the right, 1/x leaves through the bottom and -1/x through the top.
    for (const char* term : {"1/x", "-1/x"}) {
        auto lines = draw(term);
        for (const auto& l : lines)
            EXPECT_FALSE(l.x1 < 0 && l.x2 > 0) << "segment across the pole";
        EXPECT_TRUE(edgeStrokeTo(lines, term[0] == '-' ? 21 : -21)) << term;
    }
    // 4,9 then 5,2 both lie in the window [-10, 10], but their sum 10,1 ≥ 10
    // keeps them apart; an edge stroke marks where the curve leaves the top.
    auto lines = draw("x*100-15", "-5", "5");
    for (const auto& l : lines)  // edge strokes (x1 == x2) aside
        EXPECT_TRUE(l.x1 == l.x2 || std::fabs(l.y1) + std::fabs(l.y2) < 10 + kTol);
    EXPECT_TRUE(edgeStrokeTo(lines, 6));
    // A left end of 0 makes the window start at 0: negative values are never joined.
    for (const auto& l : draw("x-5", "0", "10"))
        EXPECT_GE(std::min(l.y1, l.y2), -kTol);
}

TEST_F(GraphPass, ExamplesAndNegativeXDrawWithoutAMessage)
{
    for (auto term : kExamples) {
        EXPECT_FALSE(draw(std::string(term)).empty()) << term;
        EXPECT_EQ(takeMessages(), Messages{}) << term;
    }
    // Negative samples are one number: (-2)^2, not -(2^2).
    EXPECT_NEAR(*valueAt(draw("x^2"), -2), 4, kTol);
    EXPECT_TRUE(valueAt(draw("1/sqr(x^2+0,1)"), -3).has_value());
}

TEST_F(GraphPass, MessagesForBadTermsAndQualities)
{
    const std::string_view m1 = kSyntaxMessage, m2 = kDivisionMessage, none;
    const std::tuple<const char*, const char*, std::string_view> cases[] = {
        // Unknown names are errors, never 0; a root or log term that cannot be read says so too.
        {"X^2", "50", m1}, {"1/(x-x)", "50", m2}, {"sqr(x2)", "50", m1}, {"log(X)", "50", m1},
        {"x^2", "0", m2},  {"x^2", "-50", none}, {"x^2", "viel", none},
    };
    for (auto [term, quality, message] : cases) {
        c.state.main.qualitaet_eingabe = quality;
        EXPECT_TRUE(draw(term).empty()) << term << " " << quality;
        EXPECT_EQ(takeMessages(), message.empty() ? Messages{} : Messages{std::string(message)})
            << term << " " << quality;
    }
}

TEST_F(GraphPass, InvalidSamplesAreSkippedAndReportedAfterTheLoop)
{
    // Only the sample next to 1,5 has a negative base under a root.
    auto lines = draw("(abs(x-1,5)-0,001)^0,5");
    EXPECT_EQ(takeMessages(), Messages{std::string(kArgumentMessage)});
    EXPECT_TRUE(valueAt(lines, 1).has_value());
    EXPECT_TRUE(valueAt(lines, 10).has_value());
    // Undefined between -1 and 1: both branches are drawn, and no line crosses the gap.
    lines = draw("(x^2-1)^0,5");
    EXPECT_EQ(takeMessages(), Messages{std::string(kArgumentMessage)});
    EXPECT_NEAR(*valueAt(lines, -3), std::sqrt(8.0), kTol);
    EXPECT_NEAR(*valueAt(lines, 3), std::sqrt(8.0), kTol);
    for (const auto& l : lines)
        EXPECT_FALSE(l.x1 < 0 && l.x2 > 0) << l.x1 << " to " << l.x2;
}

TEST_F(GraphPass, RootAndLogTermsDrawOnlyWhereDefined)
{
    auto lines = draw("sqr(x)");
    ASSERT_FALSE(lines.empty());
    // The sample next to 0 lies a hair below it and fails; the line starts at the next.
    EXPECT_NEAR(lines.front().x1, 0.04, kTol);
    EXPECT_NEAR(lines.back().x2, 20, kTol);
    lines = draw("sqr(4-x^2)");
    ASSERT_FALSE(lines.empty());
    for (std::size_t i = 1; i < lines.size(); ++i)  // one arc, without gaps
        EXPECT_NEAR(lines[i].x1, lines[i - 1].x2, kTol);
    EXPECT_GE(lines.front().x1, -2.0);
    EXPECT_LE(lines.back().x2, 2.03);  // the first failing sample keeps the last value
    EXPECT_NEAR(*valueAt(draw("ln(x)"), 1), 0, kTol);
    // Names in any case take the same way.
    EXPECT_EQ(draw("SQR(x)").front().x1, draw("sqr(x)").front().x1);
    EXPECT_NEAR(*valueAt(draw("LN(x)"), 1), 0, kTol);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(GraphPass, KeepingTheOldDrawingDoesNotRedrawTheAxes)
{
    const auto first = draw("x").size();
    loeschen_graph_check(c);
    const auto axes = c.plane.texts().size();
    EXPECT_GT(draw("x^2").size(), first);
    EXPECT_EQ(c.plane.texts().size(), axes);
    loeschen_graph_check(c);  // the second click clears again
    EXPECT_EQ(draw("x").size(), first);
}

TEST_F(GraphPass, PlaneSizeFollowsTheRangeWithinBounds)
{
    const std::tuple<const char*, const char*, int, int> cases[] = {
        {"-10", "30", 600, 1800},    {"-80", "80", 1200, 1200}, {"-200", "200", 2400, 2400},
        {"-1000", "1000", 9600, 9600}, {"0", "10", 1, 600},     {"-20", "-5", 1200, 1},
        {"0", "0", 1, 1},            {"5", "-5", 300, 1},       {"-1", "0", 60, 1},
    };
    for (auto [a, b, w, h] : cases) {
        draw("x", a, b);
        EXPECT_EQ(c.plane.width(), w) << a << " " << b;
        EXPECT_EQ(c.plane.height(), h) << a << " " << b;
        for (const auto& it : c.plane.items())  // a degenerate mapping must not give NaN
            EXPECT_TRUE(std::isfinite(it.x1) && std::isfinite(it.y2)) << a << " " << b;
    }
    // The default range keeps a size chosen by menu or wheel, but not a plane
    // that a degenerate range left too small to show anything.
    draw("x", "-20", "20");
    EXPECT_EQ(c.plane.height(), 1200);
    c.plane.resize(2400, 2400);
    draw("x", "-20", "20");
    EXPECT_EQ(c.plane.height(), 2400);
    for (int i = 1; i <= 11; ++i)  // the term list keeps the last nine
        draw(std::to_string(i) + "x");
    EXPECT_EQ(c.state.main.EingabeListe.size(), 9u);
    EXPECT_EQ(c.state.main.EingabeListe.front(), "3x");
}

}  // namespace
