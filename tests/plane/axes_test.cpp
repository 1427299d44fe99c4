#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "panel/context.h"
#include "plane/axes.h"
#include "plane/labels.h"
#include "support/plane_helpers.h"
#include "support/recording_ui.h"
#include "terms/redraw.h"

using namespace kw;
using kw::test::worldLines;

namespace {

constexpr Rgb kBlack = rgb(0, 0, 0);
constexpr Rgb kGrey = rgb(220, 220, 220);
constexpr double kTol = 1e-3;

class CoordinateSystem : public ::testing::Test {
protected:
    test::RecordingUi ui;
    Context c{ui};

    void drawRange(const char* a, const char* b)
    {
        c.s.x_eingabe = a;
        c.s.y_eingabe = b;
        c.s.Eingabe = "";  // no graph
        Zeichnen_click(c);
    }

    bool hasLine(double x1, double y1, double x2, double y2, Rgb colour = kBlack)
    {
        for (const auto& l : worldLines(c.ebene, colour))
            if ((std::fabs(l.x1 - x1) < kTol && std::fabs(l.y1 - y1) < kTol &&
                 std::fabs(l.x2 - x2) < kTol && std::fabs(l.y2 - y2) < kTol) ||
                (std::fabs(l.x1 - x2) < kTol && std::fabs(l.y1 - y2) < kTol &&
                 std::fabs(l.x2 - x1) < kTol && std::fabs(l.y2 - y1) < kTol))
                return true;
        return false;
    }

    struct Label {
        std::string text;
        double x, y;
    };
    std::vector<Label> labels()
    {
        std::vector<Label> out;
        for (const auto& it : c.ebene.items())
            if (it.kind == Plane::Kind::Text)
                out.push_back({c.ebene.textOf(it), c.ebene.worldX(it.x1), c.ebene.worldY(it.y1)});
        return out;
    }
};

TEST_F(CoordinateSystem, DefaultMappingIsThirtyPixelsPerUnitWithTheOriginInTheMiddle)
{
    drawRange("-20", "20");
    EXPECT_EQ(c.ebene.width(), 1200);
    EXPECT_DOUBLE_EQ(c.ebene.pixelX(0), 600);
    EXPECT_DOUBLE_EQ(c.ebene.pixelY(0), 600);
    EXPECT_DOUBLE_EQ(c.ebene.pixelX(1) - c.ebene.pixelX(0), 30);
    EXPECT_DOUBLE_EQ(c.ebene.pixelY(1) - c.ebene.pixelY(0), -30);  // y grows upwards

    drawRange("-10", "30");
    EXPECT_EQ(c.ebene.width(), 600);
    EXPECT_EQ(c.ebene.height(), 1800);
    EXPECT_DOUBLE_EQ(c.ebene.worldX(0), -10);
    EXPECT_DOUBLE_EQ(c.ebene.worldX(600), 10);
    EXPECT_DOUBLE_EQ(c.ebene.worldY(0), 30);
    EXPECT_DOUBLE_EQ(c.ebene.pixelX(1) - c.ebene.pixelX(0), 30);
}

TEST_F(CoordinateSystem, AxesAndArrowHeads)
{
    drawRange("-20", "20");
    EXPECT_TRUE(hasLine(-20, 0, 20, 0));
    EXPECT_TRUE(hasLine(0, -20, 0, 20));
    EXPECT_TRUE(hasLine(20, 0, 19.7, 0.3));
    EXPECT_TRUE(hasLine(20, 0, 19.7, -0.3));
    EXPECT_TRUE(hasLine(0, 20, -0.3, 19.7));
    EXPECT_TRUE(hasLine(0, 20, 0.3, 19.7));
    for (const auto& l : worldLines(c.ebene, kBlack))
        EXPECT_EQ(l.width, 1);

    drawRange("-100", "100");
    EXPECT_TRUE(hasLine(100, 0, 97, 3));
    EXPECT_TRUE(hasLine(0, 100, 3, 97));
}

TEST_F(CoordinateSystem, GridEveryHalfUnitLeavesOutZero)
{
    drawRange("-20", "20");
    auto grid = worldLines(c.ebene, kGrey);
    int horizontal = 0, vertical = 0;
    for (const auto& l : grid) {
        if (l.y1 == l.y2) {
            ++horizontal;
            EXPECT_NE(l.y1, 0);
        } else {
            ++vertical;
            EXPECT_NE(l.x1, 0);
        }
    }
    EXPECT_EQ(horizontal, 80);
    EXPECT_EQ(vertical, 80);

    drawRange("-7,3", "7,3");  // the fields round to 7 for the size, the grid starts at -7,3
    std::set<long> ys;
    for (const auto& l : worldLines(c.ebene, kGrey))
        if (l.y1 == l.y2)
            ys.insert(std::lround(l.y1 * 10));
    EXPECT_EQ(ys.size(), 30u);
    EXPECT_EQ(*ys.begin(), -73);
    EXPECT_EQ(*ys.rbegin(), 72);

    drawRange("-100", "100");
    EXPECT_EQ(worldLines(c.ebene, kGrey).size(), 2u * 40);
}

TEST_F(CoordinateSystem, TicksAtEveryUnitOrEveryFifth)
{
    drawRange("-20", "20");
    EXPECT_TRUE(hasLine(-20, -0.2375, -20, 0.2375));
    EXPECT_TRUE(hasLine(19, -0.2375, 19, 0.2375));
    EXPECT_TRUE(hasLine(0, -0.2375, 0, 0.2375));
    EXPECT_FALSE(hasLine(20, -0.2375, 20, 0.2375));
    EXPECT_TRUE(hasLine(-0.2625, -20, 0.2625, -20));

    drawRange("-100", "100");
    EXPECT_TRUE(hasLine(-100, -99.0 / 120, -100, 99.0 / 120));
    EXPECT_TRUE(hasLine(95, -99.0 / 120, 95, 99.0 / 120));
    EXPECT_TRUE(hasLine(-101.0 / 120, 95, 101.0 / 120, 95));
    EXPECT_FALSE(hasLine(-99, -99.0 / 120, -99, 99.0 / 120));
}

TEST_F(CoordinateSystem, LabelsAtEveryTickAndTheAxisNames)
{
    drawRange("-20", "20");
    auto all = labels();
    ASSERT_EQ(all.size(), 2u + 4 * 19);
    auto find = [&](const std::string& text, double x, double y) {
        for (const auto& l : all)
            if (l.text == text && std::fabs(l.x - x) < kTol && std::fabs(l.y - y) < kTol)
                return true;
        return false;
    };
    EXPECT_TRUE(find("Y-Achse", 1.5, 20));
    EXPECT_TRUE(find("X-Achse", 10, 3));
    EXPECT_TRUE(find("-19 ", -19.2, -0.3));
    EXPECT_TRUE(find(" 1 ", 0.8, -0.3));
    EXPECT_TRUE(find(" 19 ", -1, 19.2));
    EXPECT_TRUE(find("-1 ", -1, -0.8));

    drawRange("-100", "100");
    all = labels();
    EXPECT_EQ(all.size(), 2u + 4 * 19);
    EXPECT_TRUE(find(" 95 ", 94.8, -1));
    EXPECT_TRUE(find("-5 ", 1, -4.8));
}

TEST_F(CoordinateSystem, NoLabelsBelowSeventyPercent)
{
    c.w.Zoom_Prozent = 60;
    drawRange("-20", "20");
    EXPECT_TRUE(labels().empty());
    EXPECT_TRUE(hasLine(19, -0.2375, 19, 0.2375));  // ticks stay
}

TEST_F(CoordinateSystem, DegenerateRangesDrawWithoutFailing)
{
    for (auto [a, b] : {std::pair{"0", "10"}, {"-20", "0"}, {"0", "0"}, {"5", "-5"}}) {
        drawRange(a, b);
        EXPECT_GE(c.ebene.width(), 1);
        EXPECT_GE(c.ebene.height(), 1);
        for (const auto& it : c.ebene.items())
            EXPECT_TRUE(std::isfinite(it.x1) && std::isfinite(it.y2));
    }
}

TEST(DrawArrow45, HeadAndFletchings)
{
    Plane p;
    p.scale(-20, 20, 20, -20);
    DrawArrow45(p, 0, 0, 10, 0, 1, true, 0, 2);
    EXPECT_EQ(p.items().size(), 2u);
    p.clear();
    DrawArrow45(p, 0, 0, 10, 0, 1, false, 0, 2);
    EXPECT_TRUE(p.items().empty());
    DrawArrow45(p, 3, 3, 3, 3, 1, true, 0, 2);  // no direction
    EXPECT_TRUE(p.items().empty());
    DrawArrow45(p, 0, 0, 10, 0, 1, true, 3, 2);
    EXPECT_EQ(p.items().size(), 8u);  // two head strokes, two per fletching
}

}  // namespace
