#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/derivatives.h"
#include "analysis/inverse.h"
#include "analysis/tangent.h"
#include "panel/analysis_panel.h"
#include "panel/colours.h"
#include "panel/context.h"
#include "panel/main_panel.h"
#include "support/plane_helpers.h"
#include "support/recording_ui.h"
#include "terms/engine.h"
#include "terms/normalize.h"
#include "terms/substitution.h"
#include "terms/redraw.h"
#include "terms/sampling.h"

using namespace kw;
using kw::test::WorldLine;
using kw::test::worldLines;

namespace {

constexpr Rgb kBlau = rgb(0, 0, 139);
constexpr Rgb kGruen = rgb(0, 139, 0);
constexpr Rgb kOrange = rgb(255, 140, 0);
constexpr Rgb kMagenta = rgb(199, 21, 133);
constexpr Rgb kRot = rgb(200, 0, 0);
constexpr double kTol = 2e-3;

// The tangent is the only black curve drawn with width 2 (the axes have width 1).
std::vector<WorldLine> tangentLines(const Plane& p)
{
    auto lines = worldLines(p, rgb(0, 0, 0));
    std::erase_if(lines, [](const WorldLine& l) { return l.width != 2; });
    return lines;
}

// Slope and offset of a drawn straight line, from its outermost points.
std::pair<double, double> lineThrough(const std::vector<WorldLine>& lines)
{
    const WorldLine& a = lines.front();
    const WorldLine& b = lines.back();
    const double slope = (b.y2 - a.y1) / (b.x2 - a.x1);
    return {slope, a.y1 - slope * a.x1};
}

bool passes(const std::vector<WorldLine>& lines, double x, double y, double tol = 0.01)
{
    return std::any_of(lines.begin(), lines.end(), [&](const WorldLine& l) {
        return (std::fabs(l.x1 - x) < tol && std::fabs(l.y1 - y) < tol) ||
               (std::fabs(l.x2 - x) < tol && std::fabs(l.y2 - y) < tol);
    });
}

class Curves : public ::testing::Test {
protected:
    test::RecordingUi ui;
    Context c{ui};

    void SetUp() override { mainPanelLoad(c); }

    void draw(const std::string& term)
    {
        c.s.Eingabe = term;
        zeichnen(c);
    }

    // Index of the first item in a colour and width, to see what lies on top.
    std::ptrdiff_t firstOf(Rgb colour, int width = -1) const
    {
        const auto& items = c.ebene.items();
        auto it = std::find_if(items.begin(), items.end(), [&](const Plane::Item& i) {
            return i.kind == Plane::Kind::Line && i.colour == colour &&
                   (width < 0 || i.width == width);
        });
        return it == items.end() ? -1 : it - items.begin();
    }
};

TEST_F(Curves, DerivativesOfTheParabola)
{
    draw("x^2");
    erste_Ableitung_click(c);
    zweite_Ableitung_click(c);
    dritte_Ableitung_click(c);

    auto first = worldLines(c.ebene, kBlau);
    ASSERT_FALSE(first.empty());
    for (const auto& l : first)
        EXPECT_NEAR(l.y2, 2 * l.x2 + 0.000456, kTol) << l.x2;
    // Beyond |x| = 10 the jump test (|v| + |v_prev| < 40) keeps the samples apart.
    EXPECT_NEAR(first.front().x1, -10, kTol);
    EXPECT_NEAR(first.back().x2, 10, kTol);
    // Width list never touched: the pen keeps the graph's width.
    EXPECT_EQ(first.front().width, 2);

    auto second = worldLines(c.ebene, kGruen);
    ASSERT_FALSE(second.empty());
    for (const auto& l : second)
        EXPECT_NEAR(l.y2, 2, 0.05);
    auto third = worldLines(c.ebene, kOrange);
    ASSERT_FALSE(third.empty());
    for (const auto& l : third)
        EXPECT_NEAR(l.y2, 0, 40);  // rounding is amplified most here; still inside the window
    EXPECT_EQ(c.s.Ffarbe_ableitung, "9109504");
    EXPECT_EQ(c.s.Ffarbe_zweite_ableitung, "35584");
    EXPECT_EQ(c.s.Ffarbe_dritte_ableitung, "36095");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Curves, EveryRunStartsDrawingAtItsThirdSample)
{
    c.s.x_eingabe = "-1";  // the window is [-2, 40]: f'(-1) lies just inside
    draw("x^2");
    erste_Ableitung_click(c);
    auto first = worldLines(c.ebene, kBlau);
    ASSERT_FALSE(first.empty());
    EXPECT_NEAR(first.front().x1, -0.98, kTol);
    EXPECT_NEAR(first.front().x2, -0.96, kTol);
}

TEST_F(Curves, SwitchesFollowTheClickCount)
{
    draw("x^2");
    for (int i = 0; i < 3; ++i)
        erste_Ableitung_click(c);
    EXPECT_EQ(c.s.form3_click_Zaehler_Ableitung, 3);
    EXPECT_TRUE(c.s.ableitungs_test);
    EXPECT_FALSE(worldLines(c.ebene, kBlau).empty());
    erste_Ableitung_click(c);
    EXPECT_FALSE(c.s.ableitungs_test);
    EXPECT_TRUE(worldLines(c.ebene, kBlau).empty());
    EXPECT_FALSE(worldLines(c.ebene, kRot).empty());  // the graph is redrawn

    State::Int counter = INT16_MAX;  // on; the count never overflows
    EXPECT_FALSE(countClick(counter));
    EXPECT_TRUE(countClick(counter));
}

TEST_F(Curves, ChosenColourAndWidthShowAtTheNextRedraw)
{
    draw("x^2");
    c.s.FarbeBox_ableitung = "Violett";
    EXPECT_EQ(farbeGewaehlt(c.s, Farbliste::Ableitung), rgb(139, 0, 139));
    c.s.f_a1_linie_staerke_text = "6";
    breiteGewaehlt(c.s, Breitenliste::Ableitung);
    EXPECT_EQ(c.s.f_a1_linie_staerke, 6);
    erste_Ableitung_click(c);
    auto lines = worldLines(c.ebene, rgb(139, 0, 139));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().width, 6);

    // An unknown name sets the flag but keeps the colour.
    c.s.FarbeBox_zweite_ableitung = "Pink";
    EXPECT_FALSE(farbeGewaehlt(c.s, Farbliste::ZweiteAbleitung));
    EXPECT_TRUE(c.s.Ffarbe_zweite_ableitung_test);
    zweite_Ableitung_click(c);
    EXPECT_FALSE(worldLines(c.ebene, kGruen).empty());  // none chosen before: the default stays
    EXPECT_TRUE(c.s.Ffarbe_zweite_ableitung.empty());
}

TEST_F(Curves, AnInvalidArgumentBreaksADerivativeCurve)
{
    draw("sqr(x)");
    erste_Ableitung_click(c);
    auto lines = worldLines(c.ebene, kBlau);
    ASSERT_FALSE(lines.empty());
    for (const auto& l : lines)
        EXPECT_GT(l.x1, 0);
    EXPECT_TRUE(ui.messages.empty());
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
    dritte_Ableitung_click(c);
    dritte_Ableitung_click(c);  // third off: tangent first, then the first derivative
    EXPECT_LT(firstOf(0, 2), firstOf(kBlau));
    zweite_Ableitung_click(c);  // second on: first derivative, second, then the tangent
    EXPECT_LT(firstOf(kBlau), firstOf(kGruen));
    EXPECT_LT(firstOf(kGruen), firstOf(0, 2));
    umkehrfunktion_click(c);  // the inverse lies on top of everything
    EXPECT_GT(firstOf(kMagenta), firstOf(0, 2));
    EXPECT_GT(firstOf(kMagenta), firstOf(kGruen));
}

TEST_F(Curves, TangentTermAsText)
{
    EXPECT_EQ(tangentenTerm("1x^2", 1),
              "((1*(1*1+0.000456)^2 - (1*1^2)) /0.000456)*1x +(1*1^2)-"
              "((1*(1*1+0.000456)^2 - (1*1^2)) /0.000456)*1");
    // x0 keeps its German comma until the sample's own substitution; exp survives.
    const std::string t = tangentenTerm("eyp(1x)", 0.5);
    EXPECT_NE(t.find("eyp(1*0.5)"), std::string::npos) << t;
    EXPECT_EQ(t.substr(t.size() - 5), ")*0,5");

    // A sample's statement: x, then the exp mask, commas and double stars, in
    // this order on the whole text, give what the split term gives.
    std::string plain = t;
    replaceAll(plain, "x", "*-2,5");
    replaceAll(plain, "eyp", "exp");
    replaceAll(plain, ",", ".");
    replaceAll(plain, "**", "*");
    const Substitution split(t, {.maskExp = false, .collapseStars = true});
    EXPECT_EQ(split.expression(-2.5), plain);
    double v = 0;
    ASSERT_EQ(Engine::evaluate(plain, v), 0) << plain;
    const double slope = (std::exp(0.5 + 0.000456) - std::exp(0.5)) / 0.000456;
    EXPECT_NEAR(v, std::exp(0.5) + slope * (-2.5 - 0.5), 1e-9);
}

TEST_F(Curves, TangentOfTheParabola)
{
    draw("x^2");
    tangente_click(c);
    auto lines = tangentLines(c.ebene);
    ASSERT_GT(lines.size(), 100u);
    auto [slope, offset] = lineThrough(lines);
    EXPECT_NEAR(slope, 2.000456, 1e-5);
    EXPECT_NEAR(slope + offset, 1, 1e-4);  // through (1, 1)

    c.s.x0_uebergabe = "0";
    tangenten_bewegung(c);
    std::tie(slope, offset) = lineThrough(tangentLines(c.ebene));
    EXPECT_NEAR(slope, 0.000456, 1e-5);
    EXPECT_NEAR(offset, 0, 1e-4);

    c.s.x0_uebergabe = "zwei";  // not a number: no tangent
    tangenten_bewegung(c);
    EXPECT_TRUE(tangentLines(c.ebene).empty());
    EXPECT_FALSE(worldLines(c.ebene, kRot).empty());
}

TEST_F(Curves, StepButtonsMoveTheTangentAndKeepAFan)
{
    draw("x^2");
    tangente_click(c);
    tangentenSchritt(c, -0.1);
    EXPECT_EQ(c.s.x0_eingabe, "0,9");
    EXPECT_EQ(c.s.x0_uebergabe, "0,9");
    EXPECT_NEAR(lineThrough(tangentLines(c.ebene)).first, 1.800456, 1e-4);

    c.s.x0_eingabe = "1";
    x0Geaendert(c.s);
    loeschen_graph_check(c);
    tangentenSchritt(c, 1);
    tangentenSchritt(c, 1);
    EXPECT_EQ(c.s.x0_eingabe, "3");
    auto lines = tangentLines(c.ebene);
    // y = 4x - 4 and y = 6x - 9: both tangents are on the plane.
    EXPECT_TRUE(passes(lines, 1.5, 2.000684, 0.01)) << "tangent at 2";
    EXPECT_TRUE(passes(lines, 2.5, 6.001368, 0.01)) << "tangent at 3";
    EXPECT_TRUE(passes(lines, 2, 4, 0.01));
    EXPECT_TRUE(passes(lines, 3, 9, 0.01));

    const int redraws = ui.planeChanges;
    c.s.x0_eingabe = "drei";
    tangentenSchritt(c, 1);
    EXPECT_EQ(c.s.x0_eingabe, "drei");
    EXPECT_EQ(ui.planeChanges, redraws);
}

TEST_F(Curves, TangentWhereFIsUndefinedIsNotDrawn)
{
    draw("sqr(x)");
    c.s.x0_uebergabe = "-1";
    tangente_click(c);
    EXPECT_TRUE(tangentLines(c.ebene).empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Curves, InverseFunctionMirrorsTheGraph)
{
    draw("2x");
    umkehrfunktion_click(c);
    auto lines = worldLines(c.ebene, kMagenta);
    ASSERT_FALSE(lines.empty());
    for (const auto& l : lines) {
        EXPECT_NEAR(l.y1, l.x1 / 2, kTol);
        EXPECT_NEAR(l.y2, l.x2 / 2, kTol);
    }
    EXPECT_EQ(c.s.Umkehrfunktion_Farbe, "8721863");

    draw("(x-1)^2");
    lines = worldLines(c.ebene, kMagenta);
    EXPECT_TRUE(passes(lines, 0, 1));
    EXPECT_TRUE(passes(lines, 1, 0));
    EXPECT_TRUE(passes(lines, 1, 2));
    for (const auto& l : lines)
        EXPECT_NEAR(l.x1, (l.y1 - 1) * (l.y1 - 1), kTol);
}

TEST_F(Curves, SwitchingTheInverseOffKeepsTheOtherOverlays)
{
    draw("x^2");
    c.s.Umkehrfunktion_Linien_staerke = "4";
    breiteGewaehlt(c.s, Breitenliste::Umkehrfunktion);
    erste_Ableitung_click(c);
    tangente_click(c);
    umkehrfunktion_click(c);
    ASSERT_FALSE(worldLines(c.ebene, kMagenta).empty());
    EXPECT_EQ(worldLines(c.ebene, kMagenta).front().width, 4);
    umkehrfunktion_click(c);
    EXPECT_TRUE(worldLines(c.ebene, kMagenta).empty());
    EXPECT_FALSE(worldLines(c.ebene, kBlau).empty());
    EXPECT_FALSE(tangentLines(c.ebene).empty());
    EXPECT_FALSE(worldLines(c.ebene, kRot).empty());
}

TEST_F(Curves, AMoveRedrawsWithoutInverseAndWithoutATangentThatIsOff)
{
    draw("x^2");
    umkehrfunktion_click(c);
    erste_Ableitung_click(c);
    tangenten_bewegung(c);
    EXPECT_TRUE(tangentLines(c.ebene).empty());
    EXPECT_TRUE(worldLines(c.ebene, kMagenta).empty());
    EXPECT_FALSE(worldLines(c.ebene, kBlau).empty());
}

TEST_F(Curves, NothingHangsOnUnusableFields)
{
    draw("x^2");
    erste_Ableitung_click(c);
    tangente_click(c);
    umkehrfunktion_click(c);
    c.s.qualitaet_eingabe = "0";
    ui.messages.clear();
    Zeichnen_click(c);
    EXPECT_TRUE(worldLines(c.ebene, kBlau).empty());
    EXPECT_TRUE(tangentLines(c.ebene).empty());
    EXPECT_TRUE(worldLines(c.ebene, kMagenta).empty());
    EXPECT_EQ(ui.messages.size(), 1u);  // the graph pass reports it, once

    c.s.qualitaet_eingabe = "1e9";  // every curve stops at the sample limit
    Zeichnen_click(c);
    EXPECT_LE(worldLines(c.ebene, kBlau).size(), std::size_t(kMaxSamples));
}

}  // namespace
