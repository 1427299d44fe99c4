#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "areas/integral.h"
#include "scene/redraw.h"
#include "support/plane_helpers.h"
#include "terms/normalize.h"
#include "terms/numtext.h"
#include "tools/area_calculator.h"

using namespace kw;
using namespace kw::test;

namespace {

double number(const std::string& text) { return readNumber(text).value_or(NAN); }

std::string integralText(const char* term, double a, double b)
{
    const Integral i = integrate(string_richten(term), a, b);
    return i.error ? "Fehler " + std::to_string(i.error) : text(i.value);
}

// Exactly the interval between the bounds, and no number where the term is not computed.
TEST(Integral, CoversExactlyTheIntervalBetweenTheBoundsWhereDefined)
{
    const std::tuple<const char*, double, double, const char*> cases[] = {
        {"1", 0, 1, "1"}, {"1", 1, 3, "2"}, {"1", 3, 1, "-2"}, {"1", 2, 2, "0"},
        {"1", 0, 0.001, "0,001"},  // narrower than one strip
        {"sqr(x)", -1, 1, "Fehler 5"}, {"log(x)", -1, 1, "Fehler 5"}, {"x^^2", 0, 1, "Fehler 1002"},
        {"exp(x)", 0, 1000, "Fehler 6"},
    };
    for (auto [term, a, b, expected] : cases)
        EXPECT_EQ(integralText(term, a, b), expected) << term << " from " << a << " to " << b;
    EXPECT_EQ(integralText("x^2", 0, 1).substr(0, 15), "0,3333333333333");
    EXPECT_EQ(integralText("sqr(x)", 0, 1).substr(0, 4), "0,66");  // defined at every node
    EXPECT_NEAR(integrate("1x^2", 0, 3).value, 9, 1e-13);
    EXPECT_NEAR(integrate("1x^3-1x", -2, 3).value, 13.75, 1e-12);
    EXPECT_NEAR(integrate(string_richten("exp(x)"), 0, 1).value, std::exp(1.0) - 1, 1e-11);
    // A range wider than the strips allow still ends at once, and close to the truth.
    EXPECT_NEAR(integrate("1x", 0, 30000).value, 4.5e8, 1e-3);
}

// The area window's two calculators without the window.
class Flaechen : public PanelFixture {
protected:
    AreaFields r;

    void SetUp() override
    {
        PanelFixture::SetUp();
        draw("x^3");
        loadAreaFields(c, r);
    }
    // The upper calculator: "Berechnen", then the main panel draws as asked.
    void berechnen(const char* term, const char* low, const char* high)
    {
        r.Funktion_eingabe = term;
        r.Untergrenze_eingabe = low;
        r.Obergrenze_eingabe = high;
        if (Integral_Berechnen_Butt_Click(c, r))
            drawFromPanel(c);
    }
    void paar(const char* f, const char* g)
    {
        c.state.areas.f_x_Eingabe_txt = f;
        c.state.areas.g_x_Eingabe_txt = g;
        Integral_Berechnen_SP_butt_Click(c, r);
    }
    std::vector<WorldLine> shading() const { return worldLines(c.plane, kAreaDefault); }
};

TEST_F(Flaechen, ShadingComesAndGoesWithTheCheckBoxAndStaysOnThePlane)
{
    r.Funktion_eingabe = "x^2";
    r.Untergrenze_eingabe = "0";
    r.Obergrenze_eingabe = "3";
    ASSERT_TRUE(Flaeche_einfaerben_click(c, r));
    drawFromPanel(c);
    EXPECT_NEAR(number(r.Flaeche_Ergebnis), 9, 1e-13);
    EXPECT_EQ(c.state.main.Eingabe, "x^2");  // the upper calculator draws its term
    const auto lines = shading();
    ASSERT_EQ(lines.size(), 30u);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const double x = 0.1 * double(k + 1);
        EXPECT_NEAR(lines[k].x1, x, 1e-3);
        EXPECT_NEAR(lines[k].y1, 0, 1e-3);
        EXPECT_NEAR(lines[k].y2, x * x, 1e-3);
    }
    ASSERT_TRUE(Flaeche_einfaerben_click(c, r));
    drawFromPanel(c);
    EXPECT_TRUE(shading().empty());

    // The shading stays on the plane whatever the values.
    c.state.areas.Flaeche_einferben_Check = true;
    berechnen("10^300", "0", "3");
    ASSERT_EQ(shading().size(), 30u);
    for (const auto& l : shading())
        EXPECT_NEAR(l.y2, 20, 1e-3);
    berechnen("1/(x-1)^3", "0", "3");  // the sample at 1 itself has no value
    ASSERT_EQ(shading().size(), 29u);
    double highest = 0;
    for (const auto& l : shading())
        highest = std::max(highest, std::fabs(l.y2));
    EXPECT_NEAR(highest, 20, 1e-3);
    berechnen("x", "-1E300", "1E300");  // bounds no loop could walk in steps of 0,1
    EXPECT_TRUE(shading().empty());
}

TEST_F(Flaechen, LoadingTakesTheMainPanelsFieldsAndUpperBoundsMustBeNumbers)
{
    EXPECT_EQ(std::tie(r.Funktion_eingabe, r.Untergrenze_eingabe, r.Obergrenze_eingabe),
              std::tuple("x^3", "-20", "20"));
    berechnen("x^2", "0", "drei");
    EXPECT_EQ(ui.messages.back(), kUpperBoundMessage);
    EXPECT_EQ(c.state.main.Eingabe, "x^3");  // nothing computed, nothing drawn
    berechnen("x^2", "", "3");
    EXPECT_EQ(ui.messages.back(), kBoundsMessage);
    berechnen("x^2", "0", "1");
    EXPECT_EQ(r.Flaeche_Ergebnis.substr(0, 15), "0,3333333333333");
    berechnen("sqr(x)", "-1", "1");
    EXPECT_EQ(ui.messages.back(), kUndefinedMessage);
    EXPECT_EQ(r.Flaeche_Ergebnis, "");
}

TEST_F(Flaechen, AreaBetweenParabolaAndLine)
{
    draw("x^3", "0", "20");
    paar("x^2", "2x");
    EXPECT_EQ(r.Laben_Schnitt_f_g,
              "f(x) schneidet g(x) in SP (0|0)\r\nf(x) schneidet g(x) in SP (2|4)\r\n");
    EXPECT_EQ(r.SP_Grenzen, (std::vector<std::string>{"0", "2"}));
    EXPECT_EQ(std::tie(r.SP_Untergrenze_txt, r.SP_Obergrenze_txt), std::tuple("0", "2"));
    EXPECT_NEAR(number(r.Schnitt_Flaeche_Ergebniss), -4.0 / 3, 2e-14);
    EXPECT_EQ(r.Funktion_eingabe_SP, "x^2-(2x)");
    EXPECT_EQ(c.state.main.Eingabe, "x^3");
    EXPECT_TRUE(ui.messages.empty());

    // On the default range: f and g drawn, and with the check box the lines between them.
    draw("x^3");
    Flaeche_einfaerben2_click(c, r);
    EXPECT_TRUE(graph().empty());  // the main graph is not part of this picture
    const auto lines = shading();
    ASSERT_EQ(lines.size(), 20u);  // 0 to 1,9: 0,1 added twenty times passes 2
    for (const auto& l : lines) {
        EXPECT_NEAR(l.y1, 2 * l.x1, 1e-5);
        EXPECT_NEAR(l.y2, l.x1 * l.x1, 1e-5);
    }
    std::size_t curves = 0;
    for (const auto& it : c.plane.items())
        curves += it.kind == Plane::Kind::Line && it.width == 2;
    EXPECT_GT(curves, 1000u);

    // Equal bounds: the message, the result stays.
    r.SP_Obergrenze_txt = "0";
    paar("x^2", "2x");
    EXPECT_EQ(ui.messages.back(), kEqualBoundsMessage);
    EXPECT_NEAR(number(r.Schnitt_Flaeche_Ergebniss), -4.0 / 3, 2e-14);
    // Bounds the other way round are exchanged.
    r.SP_Untergrenze_txt = "2";
    paar("x^2", "2x");
    EXPECT_EQ(std::tie(r.SP_Untergrenze_txt, r.SP_Obergrenze_txt), std::tuple("0", "2"));
    EXPECT_NEAR(number(r.Schnitt_Flaeche_Ergebniss), -4.0 / 3, 2e-14);
}

TEST_F(Flaechen, ANewPairOffersOnlyItsOwnCrossings)
{
    paar("x^2", "2x");
    paar("x^2", "x+2");
    EXPECT_EQ(r.SP_Grenzen, (std::vector<std::string>{"-1", "2"}));
    const std::string earlier = r.Schnitt_Flaeche_Ergebniss;
    EXPECT_NEAR(number(earlier), -4.5, 1e-13);

    // No crossing: the lower bound box is empty and nothing is integrated…
    paar("x^2+1", "-1");
    EXPECT_TRUE(r.SP_Grenzen.empty());
    EXPECT_EQ(ui.messages.back(), kBoundsMessage);
    EXPECT_EQ(r.Schnitt_Flaeche_Ergebniss, earlier);
    // …until the user gives bounds, which the same pair then keeps.
    r.SP_Untergrenze_txt = "-1";
    r.SP_Obergrenze_txt = "1";
    paar("x^2+1", "-1");
    EXPECT_EQ(r.Schnitt_Flaeche_Ergebniss.substr(0, 14), "4,666666666666");
    r.SP_Untergrenze_txt = "a";
    paar("x^2+1", "-1");
    EXPECT_EQ(ui.messages.back(), kLowerBoundMessage);

    // A range no plane can show: that message alone, and nothing changes.
    c.state.main.y_eingabe = "1e6";
    ui.messages.clear();
    paar("x^2", "2x");
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kRangeMessage)});
    EXPECT_EQ(r.Funktion_eingabe_SP, "x^2+1-(-1)");
}

}  // namespace
