#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "analysis/grid_search.h"
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

// What the calculator would show: the value with its trustworthy digits, or why there is none.
std::string shown(const Integral& i)
{
    if (i.pole)
        return "Pol " + text(round2(*i.pole));
    return i.error ? "Fehler " + std::to_string(i.error) : resultText(i.value, i.uncertainty);
}

// Against values computed to 20 digits elsewhere: the signed integral and the
// area (the integral of |f|) to the digits shown, no number where there is none.
TEST(Integral, RightToTheDigitsShownOrNoNumber)
{
    struct Case { const char* term; double a, b, exact, area; const char* text = nullptr; /* shown instead of a value */ };
    const double inf = INFINITY;
    const Case cases[] = {
        {"1", 0, 0.001, 0.001, 0.001},  // narrower than one piece
        {"x^2", 0, 1, 1.0 / 3, 1.0 / 3}, {"x^2", 0, 20, 8000.0 / 3, 8000.0 / 3}, {"x^2", 3, 0, -9, 9},
        {"x^3-x", -1, 1, 0, 0.5},
        {"0,5x^3-2x^2-x+4", -2, 3, 2.2916666666666666667, 12.793277998646347187},
        {"sin(x)", 0, 10, 1.8390715290764524523, 6.1609284709235475477},
        {"exp(-x^2)", -3, 3, 1.7724146965190424678, 1.7724146965190424678},
        {"exp(x)", 0, 20, 485165194.40979027797, 485165194.40979027797},
        {"x", 0, 30000, 4.5e8, 4.5e8},  // wider than the pieces allow
        {"sin(50x)", 0, 100, 0.016906631876385057570, 63.663093368123614943},  // 1591 zeros
        // Integrable singularities at a bound or inside, gaps of a single point.
        {"1/sqr(x)", 0, 1, 2, 2}, {"ln(x)", 0, 1, -1, 1}, {"ln(x)-(x-1)", 0, 1, -0.5, 0.5},
        {"1/sqr(abs(x))", -1, 2, 4.8284271247461900635, 4.8284271247461900635},
        {"sin(x)/x", -1, 1, 1.8921661407343660299, 1.8921661407343660299},
        {"ln(abs(x))", -1, 1, -2, 2},
        // Poles: no number, whether or not a node hits them.
        {"1/x^2", -1, 1, inf, inf, "Pol 0"}, {"1/x", 0, 1, inf, inf, "Pol 0"}, {"1/x", -1, 1, inf, inf, "Pol 0"},
        {"1/(x-2)", 0, 3, inf, inf, "Pol 2"}, {"tan(x)", 0, 2, inf, inf, "Pol 1,57"},
        {"1/(x-1)^3", 0, 3, inf, inf, "Pol 1"},
        // Undefined or too large.
        {"sqr(x)", -1, 1, inf, inf, "Fehler 5"}, {"log(x)", -1, 1, inf, inf, "Fehler 5"},
        {"x^^2", 0, 1, inf, inf, "Fehler 1002"}, {"exp(x)", 0, 1000, inf, inf, "Fehler 6"},
        {"x", -1e308, 1e308, inf, inf, "Fehler 6"},
    };
    for (const Case& c : cases) {
        const std::string xterm = string_richten(c.term);
        const Integral signed_ = integrate(xterm, c.a, c.b);
        const Integral area = integrate(xterm, c.a, c.b, true);
        const std::string where = std::string(c.term) + " from " + text(c.a) + " to " + text(c.b);
        if (c.text) {
            EXPECT_EQ(shown(signed_), c.text) << where;
            continue;
        }
        // Six decimals where a double carries them.
        for (auto [i, exact] : {std::pair{signed_, c.exact}, std::pair{area, c.area}}) {
            EXPECT_EQ(shown(i), resultText(exact, i.uncertainty)) << where;
            EXPECT_LE(i.uncertainty, 5e-7 * std::max(1.0, std::fabs(exact) / 1e6)) << where;
            // Nodes go to the engine as 15-digit texts: that much noise remains.
            EXPECT_LE(std::fabs(i.value - exact), std::max(i.uncertainty, 1e-11 * std::fabs(exact)))
                << where;
        }
    }
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
    // The upper calculator: "Berechnen" (or the shading box), then the main panel draws as asked.
    void berechnen(const char* term, const char* low, const char* high,
                   bool (*button)(Context&, AreaFields&) = Integral_Berechnen_Butt_Click)
    {
        r.Funktion_eingabe = term;
        r.Untergrenze_eingabe = low;
        r.Obergrenze_eingabe = high;
        if (button(c, r))
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
    berechnen("x^2", "0", "3", Flaeche_einfaerben_click);
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
    berechnen("x^2", "0", "3", Flaeche_einfaerben_click);
    EXPECT_TRUE(shading().empty());

    // The shading stays on the plane whatever the values; bounds the other way
    // round shade the same area, and the value keeps its sign.
    c.state.areas.Flaeche_einferben_Check = true;
    berechnen("10^300", "3", "0");
    EXPECT_EQ(r.Flaeche_Ergebnis, "-3E+300");
    ASSERT_EQ(shading().size(), 30u);
    for (const auto& l : shading())
        EXPECT_NEAR(l.y2, 20, 1e-3);
    // Bounds that are no numbers change nothing; where there is no area, the
    // term is drawn without values or shading.
    const std::tuple<const char*, const char*, const char*, std::string_view> refused[] = {
        {"x^2", "0", "drei", kUpperBoundMessage}, {"x^2", "", "3", kBoundsMessage},
        {"1/(x-1)^3", "0", "3", "Das Integral existiert nicht: f(x) hat bei x = 1 eine Polstelle."},
        {"x", "-1E300", "1E300", kIntegralTooLargeMessage}, {"sqr(x)", "-1", "1", kUndefinedMessage},
    };
    for (const auto& row : refused) {
        const auto& [term, low, high, message] = row;
        const bool bounds = &row < refused + 2;
        berechnen(term, low, high);
        EXPECT_EQ(ui.messages.back(), message) << term;
        EXPECT_EQ(r.Flaeche_Ergebnis + r.Flaecheninhalt_Ergebnis, bounds ? "-3E+3003E+300" : "") << term;
        EXPECT_EQ(c.state.main.Eingabe, bounds ? "10^300" : term);
        EXPECT_EQ(shading().empty(), !bounds) << term;
    }
}

// The calculators start from the main panel's fields; the lower one offers a
// pair's crossings as bounds and gives the signed integral and the area.
TEST_F(Flaechen, AreaBetweenParabolaAndLine)
{
    EXPECT_EQ(std::tie(r.Funktion_eingabe, r.Untergrenze_eingabe, r.Obergrenze_eingabe),
              std::tuple("x^3", "-20", "20"));
    berechnen("x^3", "-1", "2");
    EXPECT_EQ(std::tie(r.Flaeche_Ergebnis, r.Flaecheninhalt_Ergebnis), std::tuple("3,75", "4,25"));
    draw("x^3", "0", "20");
    paar("x^2", "2x");
    EXPECT_EQ(r.Laben_Schnitt_f_g,
              "f(x) schneidet g(x) in SP (0|0)\r\nf(x) schneidet g(x) in SP (2|4)\r\n");
    EXPECT_EQ(std::tie(r.SP_Untergrenze_txt, r.SP_Obergrenze_txt), std::tuple("0", "2"));
    EXPECT_EQ(std::tie(r.Schnitt_Flaeche_Ergebniss, r.Flaecheninhalt_SP_Ergebnis),
              std::tuple("-1,333333", "1,333333"));
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
    const auto& items = c.plane.items();
    EXPECT_GT(std::count_if(items.begin(), items.end(), [](const auto& it) { return it.kind == Plane::Kind::Line && it.width == 2; }), 1000);

    // Equal bounds: the message, the result stays; bounds the other way round
    // are exchanged; regions on both sides of a crossing add up as areas.
    const std::tuple<const char*, const char*, const char*, const char*> bounds[] = {
        {"0", "0", "-1,333333", "1,333333"}, {"2", "0", "-1,333333", "1,333333"}, {"-1", "3", "1,333333", "4"}};
    for (auto [low, high, integral, area] : bounds) {
        std::tie(r.SP_Untergrenze_txt, r.SP_Obergrenze_txt) = std::tuple(low, high);
        paar("x^2", "2x");
        EXPECT_EQ(std::tie(r.Schnitt_Flaeche_Ergebniss, r.Flaecheninhalt_SP_Ergebnis), std::tuple(integral, area))
            << low;
        EXPECT_LE(number(r.SP_Untergrenze_txt), number(r.SP_Obergrenze_txt)) << low;
    }
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kEqualBoundsMessage)});
}
TEST_F(Flaechen, ANewPairOffersOnlyItsOwnCrossings)
{
    paar("x^2", "2x");
    paar("x^2", "x+2");
    EXPECT_EQ(r.SP_Grenzen, (std::vector<std::string>{"-1", "2"}));
    EXPECT_EQ(r.Schnitt_Flaeche_Ergebniss, "-4,5");

    // Fewer than two crossings: no value until the user gives bounds, which the
    // same pair then keeps.
    for (auto [f, g, lower] : {std::tuple{"exp(-x)", "x", "0,57"}, {"x^2+1", "-1", ""}}) {
        paar(f, g);
        EXPECT_EQ(ui.messages.back(), kOneCrossingMessage) << f;
        EXPECT_EQ(r.Schnitt_Flaeche_Ergebniss + r.Flaecheninhalt_SP_Ergebnis, "") << f;
        EXPECT_EQ(r.SP_Untergrenze_txt, lower);
    }
    r.SP_Untergrenze_txt = "-1";
    r.SP_Obergrenze_txt = "1";
    paar("x^2+1", "-1");
    EXPECT_EQ(r.Schnitt_Flaeche_Ergebniss, "4,666667");
    r.SP_Untergrenze_txt = "a";
    paar("x^2+1", "-1");
    EXPECT_EQ(ui.messages.back(), kLowerBoundMessage);
    // The pole's message names the function that has it.
    paar("x", "1/x");
    EXPECT_EQ(ui.messages.back(), "Das Integral existiert nicht: g(x) hat bei x = 0 eine Polstelle.");
    // An empty function builds no integrand.
    paar("x", " ");
    EXPECT_EQ(ui.messages.back(), kBothFunctionsMessage);
    EXPECT_EQ(r.Funktion_eingabe_SP, "x-(1/x)");

    // A range no plane can show: that message alone, and nothing changes.
    c.state.main.y_eingabe = "1e6";
    ui.messages.clear();
    paar("x^2", "2x");
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kRangeMessage)});
    EXPECT_EQ(r.Funktion_eingabe_SP, "x-(1/x)");
}

}  // namespace
