#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "curves/graph.h"
#include "panel/analysis_panel.h"
#include "panel/main_panel.h"
#include "scene/redraw.h"
#include "support/plane_helpers.h"

using namespace kw;
using namespace kw::test;

namespace {

using Points = std::vector<std::pair<double, double>>;

constexpr Rgb kBlau = rgb(0, 0, 139), kGruen = rgb(0, 139, 0), kOrange = rgb(255, 140, 0);
constexpr Rgb kMagenta = rgb(199, 21, 133), kRot = rgb(200, 0, 0), kViolett = rgb(139, 0, 139);

// The tangent is the only black curve drawn with width 2 (the axes have width 1).
std::vector<WorldLine> tangentLines(const Plane& p)
{
    auto lines = worldLines(p, rgb(0, 0, 0));
    std::erase_if(lines, [](const WorldLine& l) { return l.width != 2; });
    return lines;
}

// The smallest and largest x of the points (not a number when there are none).
double minX(const Points& p) { return p.empty() ? NAN : std::ranges::min(p).first; }
double maxX(const Points& p) { return p.empty() ? NAN : std::ranges::max(p).first; }

bool passes(const std::vector<WorldLine>& lines, double x, double y)
{
    return std::any_of(lines.begin(), lines.end(), [&](const WorldLine& l) {
        return (std::fabs(l.x1 - x) < 0.01 && std::fabs(l.y1 - y) < 0.01) ||
               (std::fabs(l.x2 - x) < 0.01 && std::fabs(l.y2 - y) < 0.01);
    });
}

class Curves : public PanelFixture {
protected:
    // Piecewise mode: the term drawn as single points between the bounds.
    Points section(const char* term, const char* from, const char* to)
    {
        if (!c.state.overlays.ad_funktion_test)
            ad_funktion_click(c);
        std::tie(c.state.overlays.Linker_Bereich, c.state.overlays.Rechter_Bereich) = std::tuple(from, to);
        sectionFromChanged(c.state);
        sectionToChanged(c.state);
        draw(term);
        return worldPoints(c.plane, kRot);
    }

    // Index of the first line in a colour (and width), to see what lies on top.
    std::ptrdiff_t firstOf(Rgb colour, int width = -1) const
    {
        const auto& items = c.plane.items();
        return std::find_if(items.begin(), items.end(), [&](const Plane::Item& i) {
                   return i.kind == Plane::Kind::Line && i.colour == colour &&
                          (width < 0 || i.width == width);
               }) - items.begin();
    }
};

// Every overlay of x² as rows: the points drawn in its colour satisfy its
// equation (the third derivative amplifies rounding most), with the graph's pen.
TEST_F(Curves, OverlaysOfTheParabola)
{
    draw("x^2", "-1");  // the window is [-2, 40]: f'(-1) lies just inside
    // The switch, its colour (black: the tangent), how far (x, y) is off the curve, the tolerance.
    using Off = double (*)(double, double);
    const std::tuple<void (*)(Context&), Rgb, Off, double> rows[] = {
        {erste_Ableitung_click, kBlau, [](double x, double y) { return y - 2 * x - 0.000456; }, 2e-3},
        {zweite_Ableitung_click, kGruen, [](double, double y) { return y - 2; }, 1e-3},
        {dritte_Ableitung_click, kOrange, [](double, double y) { return y; }, 40},
        {umkehrfunktion_click, kMagenta, [](double x, double y) { return (x - y * y) / (1 + x); }, 1e-4},
        // at x0 = 1, with the forward quotient's slope
        {tangente_click, 0, [](double x, double y) { return y - 1 - 2.000456 * (x - 1); }, 2e-3},
    };
    for (const auto& [click, colour, off, tolerance] : rows) {
        click(c);
        const auto lines = colour ? worldLines(c.plane, colour) : tangentLines(c.plane);
        ASSERT_GT(lines.size(), 100u) << colour;
        for (const auto& l : lines)
            EXPECT_NEAR(off(l.x2, l.y2), 0, tolerance) << colour << " at " << l.x2;
        EXPECT_EQ(lines.front().width, 2);  // width list untouched (0): the graph's pen stays
    }
    auto first = worldLines(c.plane, kBlau);
    EXPECT_NEAR(first.front().x1, -0.98, 2e-3);  // every run starts at its third sample
    draw("(x-1)^2");  // both branches of the inverse
    for (auto [x, y] : {std::pair{0, 1}, {1, 0}, {1, 2}})
        EXPECT_TRUE(passes(worldLines(c.plane, kMagenta), x, y)) << x << " " << y;
}

TEST_F(Curves, RedrawOrderFollowsTheSwitch)
{
    draw("x^2");
    tangente_click(c);
    erste_Ableitung_click(c);  // on: derivative below the tangent
    EXPECT_LT(firstOf(kBlau), firstOf(0, 2));
    tangente_click(c);
    tangente_click(c);  // tangent on again: tangent below the derivative
    EXPECT_LT(firstOf(0, 2), firstOf(kBlau));
    umkehrfunktion_click(c);  // the inverse lies on top of everything
    EXPECT_GT(firstOf(kMagenta), firstOf(0, 2));

    // Moving x0 redraws without the inverse and without a tangent that is off.
    tangente_click(c);
    tangenten_bewegung(c);
    EXPECT_TRUE(tangentLines(c.plane).empty());
    EXPECT_TRUE(worldLines(c.plane, kMagenta).empty());
    EXPECT_FALSE(worldLines(c.plane, kBlau).empty());
}

TEST_F(Curves, StepButtonsMoveTheTangentAndKeepAFanButNoneWhereFIsUndefined)
{
    draw("x^2");
    tangente_click(c);
    loeschen_graph_check(c);
    stepTangent(c, 1);
    stepTangent(c, 1);
    EXPECT_EQ(c.state.overlays.x0_eingabe, "3");
    EXPECT_TRUE(passes(tangentLines(c.plane), 2, 4)) << "tangent at 2";
    EXPECT_TRUE(passes(tangentLines(c.plane), 3, 9)) << "tangent at 3";

    const int redraws = ui.planeChanges;
    c.state.overlays.x0_eingabe = "drei";
    stepTangent(c, 1);
    EXPECT_EQ(c.state.overlays.x0_eingabe, "drei");
    EXPECT_EQ(ui.planeChanges, redraws);

    // f undefined at x0: silently no tangent; error 5 breaks the derivative's run.
    loeschen_graph_check(c);
    draw("sqr(x)");
    c.state.overlays.x0_uebergabe = "-1";
    erste_Ableitung_click(c);
    EXPECT_TRUE(tangentLines(c.plane).empty());
    ASSERT_FALSE(worldLines(c.plane, kBlau).empty());
    for (const auto& l : worldLines(c.plane, kBlau))
        EXPECT_GT(l.x1, 0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Curves, ChosenPensAndSwitchesThatFollowTheClickCount)
{
    draw("x^2");
    c.state.overlays.FarbeBox_ableitung = "Violett";
    colourChosen(c.state, Overlay::First);
    c.state.overlays.f_a1_linie_staerke_text = "6";
    widthChosen(c.state, Overlay::First);
    // A name the list does not offer sets the chosen flag, but stores no colour.
    c.state.overlays.FarbeBox_zweite_ableitung = "Magenta";  // only the inverse function's list has it
    EXPECT_FALSE(colourChosen(c.state, Overlay::Second));
    EXPECT_TRUE(c.state.overlays.Ffarbe_zweite_ableitung_test);
    c.state.overlays.Umkehrfunktion_Linien_staerke = "4";
    widthChosen(c.state, Overlay::Inverse);
    for (int i = 0; i < 3; ++i)  // three clicks: on
        erste_Ableitung_click(c);
    tangente_click(c);
    umkehrfunktion_click(c);
    EXPECT_EQ(worldLines(c.plane, kViolett).at(0).width, 6);
    EXPECT_EQ(worldLines(c.plane, kMagenta).at(0).width, 4);

    umkehrfunktion_click(c);  // off: the other overlays stay
    EXPECT_TRUE(worldLines(c.plane, kMagenta).empty());
    EXPECT_FALSE(worldLines(c.plane, kViolett).empty());
    EXPECT_FALSE(tangentLines(c.plane).empty());
    erste_Ableitung_click(c);
    EXPECT_TRUE(worldLines(c.plane, kViolett).empty());
    EXPECT_FALSE(worldLines(c.plane, kRot).empty());  // the graph is redrawn

    State::Int counter = INT16_MAX;  // on; the count never overflows
    EXPECT_FALSE(countClick(counter));
    EXPECT_TRUE(countClick(counter));
}

using Sections = Curves;

TEST_F(Sections, OrdinaryTermsArePointsInsideTheSectionAndKeptSectionsCollect)
{
    auto points = section("x^2", "-1", "2");
    // -1 to 2 in steps of 0,02, added up: the last step lands a hair beyond 2.
    ASSERT_EQ(points.size(), 150u);
    EXPECT_NEAR(maxX(points), 1.98, 1e-3);
    for (auto [x, y] : points)
        EXPECT_NEAR(y, x * x, 2e-3);
    EXPECT_TRUE(worldLines(c.plane, kRot).empty());  // never joined
    EXPECT_EQ(c.state.picture.Y, 2);  // the overlays that follow use the section

    // Values far outside the window are still drawn; empty bounds are the whole range.
    EXPECT_EQ(section("x*10", "", "").size(), 2001u);

    // A bound that is no number draws nothing.
    EXPECT_TRUE(section("x", "+u", "+u").empty());  // each side has its own mark
    EXPECT_TRUE(ui.messages.empty());

    loeschen_graph_check(c);  // kept drawings collect the sections
    const auto first = section("x^2", "-u", "0").size();
    ASSERT_GT(first, 0u);
    EXPECT_EQ(section("x", "0", "+u").size(), first + 1001);

    const int redraws = ui.planeChanges;  // switching off waits for the next drawing
    ad_funktion_click(c);
    EXPECT_EQ(ui.planeChanges, redraws);
}

TEST_F(Sections, RootAndLogTermsStayInsideTheBounds)
{
    auto points = section("sqr(x)", "0", "+u");
    EXPECT_GT(minX(points), 0);
    EXPECT_NEAR(maxX(points), 20, 1e-3);
    for (auto [x, y] : points)
        EXPECT_NEAR(y, std::sqrt(x), 2e-3);

    // The values too must lie inside the range (here below 20).
    EXPECT_LT(maxX(section("sqr(x)*5", "", "")), 16.01);

    // A bound that is not a number leaves the range's end for that side.
    points = section("log(x)", "1", "bis");
    EXPECT_GT(minX(points), 1);
    EXPECT_NEAR(maxX(points), 20, 1e-3);
    EXPECT_TRUE(ui.messages.empty());

    // Only a term that cannot be read at all is reported.
    EXPECT_TRUE(section("sqr(x2)", "0", "+u").empty());
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kSyntaxMessage)});
}

}  // namespace
