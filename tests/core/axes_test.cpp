#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "core/labels.h"
#include "plane/mouse.h"
#include "plane/picture_size.h"
#include "scene/redraw.h"
#include "support/plane_helpers.h"

using namespace kw;
using kw::test::worldLines;

namespace {

constexpr Rgb kBlack = rgb(0, 0, 0);
constexpr Rgb kGrey = rgb(220, 220, 220);

bool near(double x, double y, double u, double v) { return std::hypot(x - u, y - v) < 1e-3; }

class CoordinateSystem : public test::PanelFixture {
protected:
    void drawRange(const char* a, const char* b) { draw("", a, b); }  // no graph
    // A black line from (x1, y1) to (x2, y2), in either direction.
    bool hasLine(double x1, double y1, double x2, double y2)
    {
        for (const auto& l : worldLines(c.plane, kBlack))
            if ((near(l.x1, l.y1, x1, y1) && near(l.x2, l.y2, x2, y2)) ||
                (near(l.x1, l.y1, x2, y2) && near(l.x2, l.y2, x1, y1)))
                return true;
        return false;
    }
    bool hasLabel(const std::string& text, double x, double y)
    {
        for (const auto& it : c.plane.items())
            if (it.kind == Plane::Kind::Text && c.plane.textOf(it) == text &&
                near(c.plane.worldX(it.x1), c.plane.worldY(it.y1), x, y))
                return true;
        return false;
    }
};

TEST_F(CoordinateSystem, AxesArrowHeadsTicksGridAndLabelsAtTheDefaultRangeAndBeyondFifty)
{
    drawRange("-20", "20");
    EXPECT_TRUE(hasLine(20, 0, 19.7, -0.3));  // the heads point outwards
    EXPECT_TRUE(hasLine(0, 20, -0.3, 19.7));
    EXPECT_TRUE(hasLine(19, -0.2375, 19, 0.2375));  // ticks every unit up to Y - 1
    EXPECT_FALSE(hasLine(20, -0.2375, 20, 0.2375));
    int horizontal = 0, vertical = 0;
    for (const auto& l : worldLines(c.plane, kGrey)) {
        EXPECT_FALSE(l.y1 == l.y2 ? l.y1 == 0 : l.x1 == 0) << "grid over an axis";
        ++(l.y1 == l.y2 ? horizontal : vertical);
    }
    EXPECT_EQ(std::pair(horizontal, vertical), std::pair(80, 80));  // every half unit from -20 to 20 but 0
    // Labels at every tick, none below seventy percent.
    EXPECT_EQ(c.plane.texts().size(), 2u + 4 * 19);  // the axis names and four rows of 19
    EXPECT_TRUE(hasLabel("Y-Achse", 1.5, 20));
    EXPECT_TRUE(hasLabel("-19 ", -19.2, -0.3));
    c.state.picture.Zoom_Prozent = 60;
    reset_click(c);
    EXPECT_TRUE(c.plane.texts().empty());

    // Beyond 50: steps of five.
    drawRange("-100", "100");
    EXPECT_TRUE(hasLine(100, 0, 97, 3));
    EXPECT_TRUE(hasLine(95, -99.0 / 120, 95, 99.0 / 120));
    EXPECT_FALSE(hasLine(-99, -99.0 / 120, -99, 99.0 / 120));
    EXPECT_EQ(worldLines(c.plane, kGrey).size(), 2u * 40);
    EXPECT_TRUE(hasLabel(" 95 ", 94.8, -1));
}

TEST_F(CoordinateSystem, NumbersNeverOverlapAndTicksNeverMergeIntoBands)
{
    for (auto [pixels, spacing, every] : {std::tuple{30.0, 24, 1}, {7.5, 24, 5}, {0.73, 4, 10}, {0.0123, 4, 500}})
        EXPECT_EQ(thinning(pixels, spacing), every) << pixels;
    // Range, then wheel notches (120 pixels each) or a menu size.
    const std::tuple<const char*, const char*, int, int> planes[] = {
        {"-20", "20", -3, 0}, {"-20", "20", 0, 8}, {"-3", "3", 0, 0},     {"-50", "50", 0, 0},
        {"-10", "30", 0, 0},  {"-400", "400", 0, 0}, {"-32768", "32767", 0, 0}};
    for (auto [a, b, notches, menu] : planes) {
        drawRange(a, b);
        for (int i = 0; i < -notches; ++i)
            MouseWheel(c, -120);
        if (menu)
            MenuGroesse_Click(c, menu, [](int, int) { return true; });
        std::vector<Plane::Item> numbers;
        for (const auto& it : c.plane.items())
            if (it.kind == Plane::Kind::Text && c.plane.textOf(it).find("Achse") == std::string::npos)
                numbers.push_back(it);
        for (std::size_t i = 0; i < numbers.size(); ++i)
            for (std::size_t j = i + 1; j < numbers.size(); ++j) {
                const auto &u = numbers[i], &v = numbers[j];
                const double chars = c.plane.textOf(u).size() - 1.5;  // blanks at the ends
                if (u.y1 == v.y1) {
                    EXPECT_GE(std::fabs(u.x1 - v.x1), 7 * chars) << a << " " << c.plane.textOf(u);
                }
                if (u.x1 == v.x1) {
                    EXPECT_GE(std::fabs(u.y1 - v.y1), 12) << a << " " << c.plane.textOf(u);
                }
            }
        std::vector<float> ticks;  // across the x axis
        for (const auto& it : c.plane.items())
            if (it.kind == Plane::Kind::Line && it.colour == kBlack && it.x1 == it.x2 &&
                std::fabs(it.y1 - it.y2) < c.plane.height() / 2)
                ticks.push_back(it.x1);
        std::sort(ticks.begin(), ticks.end());
        for (std::size_t i = 1; i < ticks.size(); ++i)
            EXPECT_GE(ticks[i] - ticks[i - 1], kMarkSpacing - 1e-3) << a;
        EXPECT_GE(ticks.size(), 6u) << a;
    }
}

}  // namespace
