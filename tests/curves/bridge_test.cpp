#include <gtest/gtest.h>

#include <cmath>

#include "curves/bridge.h"
#include "terms/numtext.h"
#include "plane/mouse.h"
#include "support/plane_helpers.h"

using namespace kw;
using Messages = std::vector<std::string>;

namespace {

class Bridge : public test::PanelFixture {
protected:
    BridgeFields r;

    // "Berechne und Zeichne" with these fields; the main drawing follows as the
    // main panel's "Zeichnen" would.
    bool berechne(const char* s, const char* h, const char* t)
    {
        r.Abstand_txt = s;
        r.Hoehe_txt = h;
        r.Tiefster_Punkt_txt = t;
        if (!Berechne_CMD_Click(c, r))
            return false;
        drawFromPanel(c);
        return true;
    }
    std::vector<test::WorldLine> hangers() const { return test::worldLines(c.plane, kHangerColour); }
    // The black vertical strokes of the given pen width standing on the roadway.
    std::vector<test::WorldLine> towers(int width) const
    {
        std::vector<test::WorldLine> out;
        for (const auto& l : test::worldLines(c.plane, rgb(0, 0, 0)))
            if (l.width == width && l.x1 == l.x2 && std::fabs(l.y1) < 1e-3)
                out.push_back(l);
        return out;
    }
};

TEST_F(Bridge, CalculatesTheCableAndDrawsTowersAndHangersOnceForAnySpan)
{
    ASSERT_TRUE(berechne("100", "30", "5"));
    EXPECT_EQ((Messages{r.a1_Ausgabe, r.a2_Ausgabe, r.c1_Ausgabe, r.c2_Ausgabe, c.state.main.x_eingabe, c.state.main.y_eingabe}),
              (Messages{"0,247788873", "-0,247788873", "0,049557775", "-0,049557775", "-50", "50"}));
    EXPECT_EQ(c.state.main.EingabeListe.back(), c.state.main.Eingabe);  // the cable is the function now
    EXPECT_FALSE(graph().empty());

    MouseWheel(c, 120);  // a later redraw shows the cable alone
    EXPECT_TRUE(hangers().empty());
    EXPECT_TRUE(towers(9).empty());
    EXPECT_FALSE(graph().empty());

    // Hangers on the cable every metre up to a span of 100, else every 5 (the
    // right end beyond the last), none at 0; towers and their feet at both ends.
    const std::tuple<const char*, double, std::size_t, double, double> spans[] = {
        {"100", 50, 98, -49, 49}, {"120", 60, 22, -55, 55}, {"101", 50.5, 20, -45.5, 49.5}};
    for (auto [span, end, count, front, back] : spans) {
        ASSERT_TRUE(berechne(span, "30", "5"));
        const auto h = hangers(), masts = towers(9), feet = towers(30);
        ASSERT_EQ(h.size(), count) << span;
        EXPECT_NEAR(h.front().x1, front, 1e-3) << span;
        EXPECT_NEAR(h.back().x1, back, 1e-3) << span;
        for (const auto& l : h) {
            EXPECT_NEAR(l.y2, 5 * std::cosh(*readNumber(r.c1_Ausgabe) * l.x1), 1e-3) << span << " at " << l.x1;
            EXPECT_EQ(l.width, 1);
        }
        ASSERT_EQ(masts.size(), 2u) << span;
        ASSERT_EQ(feet.size(), 2u) << span;
        for (int i = 0; i < 2; ++i) {
            EXPECT_NEAR(masts[i].x1, i ? end : -end, 1e-3) << span;
            EXPECT_NEAR(masts[i].y2, 30, 1e-3) << span;
            EXPECT_NEAR(feet[i].y2, 3.75, 1e-3) << span;
        }
    }
}

TEST_F(Bridge, RefusedInputChangesNothing)
{
    ASSERT_TRUE(berechne("100", "30", "5"));
    const BridgeFields before = r;
    const std::string term = c.state.main.Eingabe;
    const std::size_t items = c.plane.items().size();
    const std::tuple<const char*, const char*, const char*, std::string_view> cases[] = {
        {"", "", "", kSpanEmptyMessage},       {"hundert", "30", "5", kSpanInvalidMessage},
        {"100", "", "5", kHeightEmptyMessage},     {"100", "3x", "5", kHeightInvalidMessage},
        {"100", "30", "", kLowestEmptyMessage}, {"100", "30", "5,5,5", kLowestInvalidMessage},
        {"100", "3", "5", kNoCableMessage},     {"100", "5", "5", kNoCableMessage},
        {"0", "30", "5", kNoCableMessage},      {"100", "30", "0", kNoCableMessage},
        {"-100", "30", "5", kNoCableMessage},   {"100", "1e300", "1e-300", kNoCableMessage},
    };
    for (auto [s, h, t, message] : cases) {
        ui.messages.clear();
        EXPECT_FALSE(berechne(s, h, t));
        EXPECT_EQ(ui.messages, Messages{std::string(message)}) << s << " " << h << " " << t;
        EXPECT_EQ(std::tie(r.a1_Ausgabe, r.c2_Ausgabe), std::tie(before.a1_Ausgabe, before.c2_Ausgabe));
    }
    EXPECT_EQ(std::tie(c.state.main.Eingabe, c.state.main.y_eingabe), std::tie(term, "50"));
    EXPECT_FALSE(c.state.bridge.Brueck_zeichnen);
    EXPECT_EQ(c.plane.items().size(), items);
}

TEST(Cable, SteepCablesKeepBothRoots)
{
    // h/t = 1e8: the smaller root cancels to 0 when taken from the quadratic formula.
    const auto cable = cableFor(10, 5e8, 5);
    ASSERT_TRUE(cable);
    EXPECT_NEAR(5 * std::cosh(cable->c1 * 5), 5e8, 1);
    EXPECT_EQ(cable->c2, -cable->c1);
}

}  // namespace
