#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "areas/intersections.h"
#include "curves/graph.h"
#include "plane/mouse.h"
#include "scene/request.h"
#include "support/plane_helpers.h"
#include "support/stopping_ui.h"
#include "terms/numtext.h"
#include "tools/intersection_calculator.h"

using namespace kw;
using namespace kw::test;

namespace {

// The intersection calculator without its window: terms entered, range typed
// into the main panel.
class Schnittstellen : public SearchTest {
protected:
    IntersectionFields r;

    void SetUp() override
    {
        SearchTest::SetUp();
        c.state.main.Eingabe = "mein f(x)";
        c.random.seed(11);
    }
    void enter(std::initializer_list<const char*> terms)
    {
        for (const char* t : terms) {
            r.Eingabe_Term_txt = t;
            Eingabe_button_Click(c, r);
        }
    }
    std::string search()
    {
        Schnittpunkte_butt_Click(c, r);
        return r.Schnittpunkte_txt;
    }
    // Dots of the highlight: points 11 pixels wide.
    std::vector<std::pair<double, double>> dots() const
    {
        std::vector<std::pair<double, double>> out;
        for (const auto& it : c.plane.items())
            if (it.kind == Plane::Kind::Point && it.width == 11)
                out.emplace_back(c.plane.worldX(it.x1), c.plane.worldY(it.y1));
        return out;
    }
    // Colours of the lines drawn with width 2 (the calculator's functions).
    std::set<Rgb> functionColours() const
    {
        std::set<Rgb> colours;
        for (const auto& it : c.plane.items())
            if (it.kind == Plane::Kind::Line && it.width == 2)
                colours.insert(it.colour);
        return colours;
    }
};

// Each crossing reported once, also at the range's start; the highlight marks
// exactly those points and takes them away again.
TEST_F(Schnittstellen, EveryPairReportsEachCrossingOnce)
{
    enter({"x^2", "2x"});
    c.state.main.x_eingabe = "0";
    Zeichnen_butt_Click(c);
    const std::string text = search();
    EXPECT_EQ(text, "Gefundene Schnittpunkte:\r\n"
                    "\r\nf2(x) schneidet f1(x) in SP (0|0)\r\n"
                    "\r\nf2(x) schneidet f1(x) in SP (2|4)\r\n");
    // The calculator's terms never reach the main panel's term box or its term.
    EXPECT_EQ(c.state.main.Eingabe, "mein f(x)");
    EXPECT_EQ(c.drawing.xterm, "");
    EXPECT_TRUE(ui.messages.empty());
    c.state.main.x_eingabe = "-20";  // a range from 0 makes the plane one pixel wide
    Zeichnen_butt_Click(c);
    EXPECT_EQ(search(), text);
    Schnittstellen_farbig_check_Click(c);
    EXPECT_EQ(dots(), (std::vector<std::pair<double, double>>{{0, 0}, {2, 4}}));
    EXPECT_EQ(r.Schnittpunkte_txt, text);
    Schnittstellen_farbig_check_Click(c);
    EXPECT_TRUE(dots().empty());
    EXPECT_EQ(functionColours().size(), 2u);  // the functions are back

    // Every pair reports a point where several cross.
    Command1_Click(c, r);
    enter({"x", "-x", "x^2"});
    Zeichnen_butt_Click(c);
    EXPECT_EQ(search(), "Gefundene Schnittpunkte:\r\n"
                        "\r\nf2(x) schneidet f1(x) in SP (0|0)\r\n"
                        "\r\nf3(x) schneidet f1(x) in SP (0|0)\r\n"
                        "\r\nf3(x) schneidet f1(x) in SP (1|1)\r\n"
                        "\r\nf3(x) schneidet f2(x) in SP (-1|1)\r\n"
                        "\r\nf3(x) schneidet f2(x) in SP (0|0)\r\n");
}

// Each drawing gives every function its own random colour (the same for the
// same source); the wheel redraws the calculator's functions in theirs, until
// the main panel draws again.
TEST_F(Schnittstellen, ColoursStayThroughTheWheelAreNewWhenDrawnAgainAndStandApart)
{
    c.state.main.Eingabe = "x^3";
    drawFromPanel(c);
    enter({"x", "-x", "x^2", "x^3", "2", "-2", "x/2"});
    Zeichnen_butt_Click(c);
    const auto drawn = functionColours();
    EXPECT_EQ(drawn.size(), 7u);
    for (Rgb colour : drawn)
        for (int component : {red(colour), green(colour), blue(colour)})
            EXPECT_TRUE(component >= 1 && component <= 200) << colour;
    MouseWheel(c, 120);
    EXPECT_EQ(functionColours(), drawn);
    EXPECT_TRUE(worldLines(c.plane, rgb(200, 0, 0)).empty());  // no main graph in red
    Zeichnen_butt_Click(c);
    EXPECT_NE(functionColours(), drawn);
    c.random.seed(11);
    Zeichnen_butt_Click(c);
    EXPECT_EQ(functionColours(), drawn);
    // The legend names each function in its colour, and can be switched off.
    std::vector<std::string> legend;
    for (const auto& it : c.plane.items())
        if (it.kind == Plane::Kind::Text && functionColours().count(it.colour))
            legend.push_back(c.plane.textOf(it));
    EXPECT_EQ(legend.size(), 7u);
    EXPECT_EQ(legend.front(), "f1(x) = x");
    EXPECT_EQ(legend.back(), "f7(x) = x/2");
    c.drawing.legendShown = false;
    Zeichnen_butt_Click(c);
    for (const auto& it : c.plane.items())
        EXPECT_FALSE(it.kind == Plane::Kind::Text && functionColours().count(it.colour));
    // Seven colours of any set: apart from each other and from the white plane.
    auto distance = [](Rgb a, Rgb b) {
        return std::abs(red(a) - red(b)) + std::abs(green(a) - green(b)) + std::abs(blue(a) - blue(b));
    };
    for (std::uint32_t seed : {0u, 97u, 359u, 4000000000u})
        for (std::size_t i = 0; i < 7; ++i) {
            EXPECT_GT(distance(setColour(seed, i), rgb(255, 255, 255)), 250);
            for (std::size_t j = i + 1; j < 7; ++j)
                EXPECT_GT(distance(setColour(seed, i), setColour(seed, j)), 80) << seed << " " << i << " " << j;
        }
    drawFromPanel(c);  // the main panel draws again: the wheel follows it
    MouseWheel(c, 120);
    EXPECT_FALSE(worldLines(c.plane, rgb(200, 0, 0)).empty());
}

TEST_F(Schnittstellen, CrossingsNearZeroOnceAndNoneAtAPoleOrAFailedStep)
{
    auto crossings = [](std::string f, std::string g) {
        const std::string terms[] = {f, g};
        const Pair pair[] = {{0, 1}};
        std::vector<double> xs;
        for (const Intersection& p : findIntersections(terms, pair, -5, 5, nullptr).points)
            xs.push_back(p.x);
        return xs;
    };
    EXPECT_EQ(crossings("x", "0.05"), std::vector<double>{0.05});
    EXPECT_EQ(crossings("x^2", "0"), std::vector<double>{0});  // touching: once
    EXPECT_EQ(crossings("x", "2,345"), std::vector<double>{2.34});
    EXPECT_EQ(crossings("1/(x-0,005)", "0"), std::vector<double>{});
    // The difference is undefined at 1, where the step from 0,99 lands: the
    // value left over from there must not count for 1.
    EXPECT_EQ(crossings("x", "1-0/(x-1)"), std::vector<double>{});
}

TEST_F(Schnittstellen, AllPairsAtOnceFindWhatEachPairFindsAlone)
{
    const std::vector<std::string> sieben = {"x^2",       "2x",  "sin(x)",  "0,5*x^3-2*x^2-x+4",
                                             "exp(0,1x)", "1/x", "abs(x)-3"};
    const auto pairs = allPairs(sieben.size());
    ASSERT_EQ(pairs.size(), 42u);
    const auto all = findIntersections(sieben, pairs, -20, 20, nullptr);
    EXPECT_EQ(all.outcome.points, 42 * 4001);

    std::vector<std::tuple<int, int, double, double>> expected, got;
    std::set<std::tuple<int, int, double>> seen;
    for (const Pair& pair : pairs)
        for (const Intersection& p : findIntersections(sieben, std::span(&pair, 1), -20, 20, nullptr).points)
            if (seen.insert({std::min(p.i, p.j), std::max(p.i, p.j), roundHalfEven(p.x * 10)}).second)
                expected.emplace_back(p.i, p.j, p.x, p.y);
    for (const Intersection& p : all.points)
        got.emplace_back(p.i, p.j, p.x, p.y);
    EXPECT_EQ(got, expected);
    EXPECT_GT(got.size(), 20u);
}

TEST_F(Schnittstellen, EntriesAreCheckedAndCounted)
{
    enter({"x", "x", "x ", "", "x^^2"});
    EXPECT_EQ(ui.messages, (std::vector<std::string>{std::string(kAlreadyEnteredMessage),
                                                     std::string(kInputEmptyMessage),
                                                     std::string(kSyntaxMessage)}));
    EXPECT_EQ(c.state.intersections.Schnittstellen_Terme, (std::vector<std::string>{"x", "x "}));
    EXPECT_EQ(std::tie(r.Eingegebene_Label, r.Eingabe_Zahl_Label),
              std::tuple("Eingegebene Funktionen:\r\nf1(x) = x\r\nf2(x) = x ", "3"));

    enter({"1", "2", "3", "4", "5", "6"});
    EXPECT_EQ(ui.messages.back(), kSevenFunctionsMessage);
    EXPECT_EQ(c.state.intersections.Schnittstellen_Terme.size(), 7u);

    Command1_Click(c, r);
    EXPECT_EQ(std::tie(r.Eingegebene_Label, r.Eingabe_Zahl_Label), std::tuple("Eingegebene Funktionen: ", "1"));
    Zeichnen_butt_Click(c);
    EXPECT_EQ(ui.messages.back(), kNothingYetMessage);
}

TEST_F(Schnittstellen, FunctionsLeaveOutWhatCannotBeComputed)
{
    c.state.main.qualitaet_eingabe = "1";  // whole steps: x meets 0 exactly
    const std::string terms[] = {"1/x", "sqr(x)"};
    drawFunctions(c, readRequest(c), terms, [](std::size_t k) { return k ? rgb(0, 0, 200) : rgb(0, 200, 0); }, false);
    const auto hyperbola = worldLines(c.plane, rgb(0, 200, 0));
    ASSERT_FALSE(hyperbola.empty());
    for (const auto& l : hyperbola)
        EXPECT_TRUE(l.x1 * l.x2 > 0) << "a line across x = 0 from " << l.x1;
    // The first segment of an ordinary term is left out, not so for roots.
    EXPECT_EQ(hyperbola.front().x1, -18);  // the run's third sample
    EXPECT_EQ(worldLines(c.plane, rgb(0, 0, 200)).front().x1, 1);
}

TEST_F(Schnittstellen, ASearchThatEndsEarlySaysHowFarItGot)
{
    enter({"x+19.9", "0"});
    Zeichnen_butt_Click(c);
    EXPECT_EQ(Schnittstellen_Ausrechnen(c, {.maxPoints = 100}), "\r\nf2(x) schneidet f1(x) in SP (-19,9|0)\r\n"
                     "\r\nDie Suche wurde nach 100 Rasterpunkten beendet. Durchsucht wurde nur "
                     "der Bereich von x = -20 bis x = -19,51. Bitte wählen Sie einen kleineren "
                     "x Bereich.\r\n");
    // Esc at the first look up: what the second thread found beyond is dropped.
    Command1_Click(c, r);
    enter({"(x+19.9)*(x+19.5)", "0"});
    ui.stopAfter = 0;
    EXPECT_EQ(search(), "Gefundene Schnittpunkte:\r\n"
                        "\r\nf2(x) schneidet f1(x) in SP (-19,9|0)\r\n"
                        "\r\nDie Suche wurde abgebrochen. Durchsucht wurde nur der Bereich von "
                        "x = -20 bis x = -19,85.\r\n");
    EXPECT_GE(ui.ended, 1);
}

}  // namespace
