#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "analysis/extrema.h"
#include "support/stopping_ui.h"
#include "terms/normalize.h"
#include "terms/numtext.h"

using namespace kw;

namespace {

const std::string kExtrema = "Gefundene Lokale Extrema: \r\n";
const std::string kWende = "Gefundene Terassen- und Wendepunkte: \r\n";
const std::string kKeineWende = "keine Terassen- bzw. Wendepunkte gefunden";

std::string point(const char* where, const char* kind)
{
    return "An der Stelle P (" + std::string(where) + ") hat f(x) ein " + kind + "\r\n";
}

class Extrema : public test::SearchTest {};

// The worked examples to the digit; no extremum at a pole, each told by f at
// its neighbours, also at a kink or midway between two grid points. Each as the
// search finds it and as the report says it.
TEST_F(Extrema, ExtremaAreTheHighestAndLowestPointsAroundThem)
{
    struct Case {
        const char* term;
        const char *from, *to;
        std::vector<std::pair<double, bool>> extrema;  // x, Hochpunkt
        std::string report;
    };
    const std::string none = "keine Extrema gefunden";
    const Case cases[] = {
        {"(x-1)^3-3*(x-1)", "-20", "20", {{0, true}, {2, false}},
         kExtrema + point("0 | 2", "Hochpunkt") + point("2 | -2", "Tiefpunkt")},
        {"0,5*x^3-2*x^2-x+4", "-20", "20", {{-0.23, true}, {2.9, false}},
         kExtrema + point("-0,23 | 4,12", "Hochpunkt") + point("2,9 | -3,53", "Tiefpunkt")},
        {"exp(-x^2)", "-20", "20", {{0, true}}, kExtrema + point("0 | 1", "Hochpunkt")},
        // flat, but lowest
        {"0.01*(x-1)^2", "-20", "20", {{1, false}}, kExtrema + point("1 | 0", "Tiefpunkt")},
        // Undefined just left of 1, so the step at 1 fails; the step from 0,99
        // left 1 behind, but a left-over value is never a candidate.
        {"(x-1)^2+0*sqr((x-0.9995)*(x-0.9996))", "-20", "20", {}, none},
        {"tan(x)", "-5", "5", {}, none},
        {"(x^3)/(x-2)", "-20", "20", {{3, false}}, kExtrema + point("3 | 27", "Tiefpunkt")},
        {"1/(x+0,5)+1", "-20", "20", {}, none},
        {"abs(x^2-4)", "-20", "20", {{-2, false}, {0, true}, {2, false}},
         kExtrema + point("-2 | 0", "Tiefpunkt") + point("0 | 4", "Hochpunkt") +
             point("2 | 0", "Tiefpunkt")},
        {"abs(x)-1", "-20", "20", {{0, false}}, kExtrema + point("0 | -1", "Tiefpunkt")},
        {"ln(x)/x", "-20", "20", {{2.72, true}}, kExtrema + point("2,72 | 0,37", "Hochpunkt")},
        {"(x-2,25)(-1,5+1,5x)", "0", "10", {{1.62, false}},
         kExtrema + point("1,62 | -0,59", "Tiefpunkt")},
        {"1,5*(x-2,25)*(x-1)", "-20", "20", {{1.62, false}},
         kExtrema + point("1,62 | -0,59", "Tiefpunkt")},
        {"5", "-20", "20", {}, none},
        // Lopsided: the Hochpunkt's grid point is steeper than its neighbour below.
        {"sin(x*12)/5+cos(x-1)*3+sin(x*2)/4", "-17.5", "-17", {{-17.33, false}, {-17.24, true}},
         kExtrema + point("-17,33 | 2,51", "Tiefpunkt") + point("-17,24 | 2,53", "Hochpunkt")},
    };
    for (const Case& e : cases) {
        EXPECT_EQ(press(Extrema_butt_Click, e.term, e.from, e.to), e.report) << e.term;
        std::vector<std::pair<double, bool>> got;
        for (const Extremum& p : findExtrema(c.w.xterm, c.s.X, c.s.Y, nullptr).points)
            got.emplace_back(p.x, p.hochpunkt);
        EXPECT_EQ(got, e.extrema) << e.term;
    }
}

TEST_F(Extrema, TellsTerracePointsFromInflectionPoints)
{
    struct Case {
        const char* term;
        std::vector<std::pair<double, bool>> points;  // x, Terassenpunkt
        std::string report;
        const char *from = "-20", *to = "20";
    };
    const Case cases[] = {
        {"(x-1)^3", {{1, true}}, kWende + point("1 | 0", "Terassenpunkt")},
        {"(x-1)^3-3*(x-1)", {{1, false}}, kWende + point("1 | 0", "Wendepunkt")},
        {"x^4-2x^2", {{-0.58, false}, {0.58, false}},
         kWende + point("-0,58 | -0,56", "Wendepunkt") + point("0,58 | -0,56", "Wendepunkt")},
        {"(x-1)^2", {}, kKeineWende},
        {"2x-3", {}, kKeineWende},  // f'' = 0: its quotients are rounding noise
        {"x^4", {}, kKeineWende},   // flat at 0, but the bend does not change
        {"(x-1)^3-3*(x-1)+25", {}, kKeineWende},  // above the height of the range
        {"(x-1)^3-3*(x-1)+25", {{1, false}}, kWende + point("1 | 25", "Wendepunkt"), "-30", "30"},
        {"(x-1)^3-3*(x-1)+0*sqr(1.0013-x)", {}, kKeineWende},  // the third quotient fails at 1
        {"sqr(x)-2", {}, kKeineWende},  // no bend changes at the edge of the domain
        {"sqr(x+1)-2,5", {}, kKeineWende},
    };
    press(Extrema_butt_Click, "x^2");  // each button shows only its own report
    for (const Case& w : cases) {
        EXPECT_EQ(press(S_and_W_punkte_Click, w.term, w.from, w.to), w.report) << w.term;
        std::vector<std::pair<double, bool>> got;
        for (const Wendepunkt& p : findWendepunkte(c.w.xterm, c.s.X, c.s.Y, nullptr).points)
            got.emplace_back(p.x, p.terrasse);
        EXPECT_EQ(got, w.points) << w.term << " from " << w.from;
    }
}

// Every kind of point where f' or f'' changes sign, at its true x (checked to
// high precision), and f there: small and flat curves, points of higher order,
// kinks off the grid (a corner is no point of inflection), points between grid
// points. Each term also times 0,01 and times 100: the points stay where they are.
TEST(Points, AtTheirTrueXWhateverTheScale)
{
    struct Point {
        double x, y;
        bool flag;  // Hochpunkt, Terassenpunkt
    };
    struct Case {
        const char* term;
        double from, to;
        std::vector<Point> extrema, inflections;
    };
    const Case cases[] = {
        {"5+0,02sin(x)", -4, 6, {{-1.57, 4.98, false}, {1.57, 5.02, true}, {4.71, 4.98, false}},
         {{-3.14, 5, false}, {0, 5, false}, {3.14, 5, false}}},
        {"0,001x^3-0,3x", -20, 20, {{-10, 2, true}, {10, -2, false}}, {{0, 0, false}}},
        {"0,0001x^4-0,02x^2", -20, 20, {{-10, -1, false}, {0, 0, true}, {10, -1, false}},
         {{-5.77, -0.56, false}, {5.77, -0.56, false}}},
        {"100+0,001(x-2)^2", -20, 20, {{2, 100, false}}, {}},
        {"sin(x)/(x^2+1)", 12, 20, {{14, 0.01, true}, {17.16, 0, false}},
         {{12.24, 0, false}, {15.45, 0, false}, {18.64, 0, false}}},
        {"e^(-x)*sin(x)", 10, 15, {{10.21, 0, false}, {13.35, 0, true}}, {{11, 0, false}, {14.14, 0, false}}},
        {"0,2x^5+2,5x", -20, 20, {}, {{0, 0, false}}},
        {"x^5", -20, 20, {}, {{0, 0, true}}},
        {"x*abs(x)", -20, 20, {}, {{0, 0, true}}},  // f'' jumps, f' is 0
        {"abs(sin(x))", -4, 4, {{-3.14, 0, false}, {-1.57, 1, true}, {0, 0, false}, {1.57, 1, true}, {3.14, 0, false}}, {}},
        {"abs(x^2-x-1)", -20, 20, {{-0.62, 0, false}, {0.5, 1.25, true}, {1.62, 0, false}}, {}},
        {"abs(x-0,333)", -20, 20, {{0.33, 0, false}}, {}},
        {"abs(x^2-4)", -20, 20, {{-2, 0, false}, {0, 4, true}, {2, 0, false}}, {}},
        {"abs(x)+0,5x", -20, 20, {{0, 0, false}}, {}},
        {"-0,5x^4+x^3-0,1x^2", -20, 20, {{0, 0, true}, {0.07, 0, false}, {1.43, 0.63, true}},
         {{0.03, 0, false}, {0.97, 0.37, false}}},
        {"0,05x^5+3x^4-1,5x^3+x-2", -50, -45, {{-48.37, 3352831.25, true}}, {}},
        {"1/x^2", -20, 20, {}, {}},
        {"tan(x)", -2, 2, {}, {{0, 0, false}}},
    };
    for (const Case& k : cases) {
        for (const char* scale : {"1", "0,01", "100"}) {
            const std::string term = std::string(scale) + "*(" + k.term + ")";
            const double s = *readNumber(scale);
            auto expect = [&](const auto& found, const std::vector<Point>& want, auto flag) {
                ASSERT_EQ(found.size(), want.size()) << term;
                for (std::size_t i = 0; i < want.size(); ++i) {
                    EXPECT_EQ(found[i].x, want[i].x) << term;
                    EXPECT_EQ(round2(found[i].y / s), want[i].y) << term << " at " << want[i].x;
                    EXPECT_EQ(flag(found[i]), want[i].flag) << term << " at " << want[i].x;
                }
            };
            const std::string xterm = string_richten(term);
            expect(findExtrema(xterm, k.from, k.to, nullptr).points, k.extrema,
                   [](const Extremum& e) { return e.hochpunkt; });
            std::vector<Point> inflections;  // only while |f| stays below the end of the range
            std::copy_if(k.inflections.begin(), k.inflections.end(), std::back_inserter(inflections),
                         [&](const Point& p) { return std::fabs(p.y * s) < k.to; });
            expect(findWendepunkte(xterm, k.from, k.to, nullptr).points, inflections,
                   [](const Wendepunkt& w) { return w.terrasse; });
        }
    }
}

// The reports show the point found off the grid, and f there.
TEST_F(Extrema, ReportsShowTheTruePoint)
{
    struct Row {
        void (*button)(Context&);
        const char *term, *from, *to;
        std::string report;
    };
    const Row rows[] = {
        {Extrema_butt_Click, "0,01*(1000-0,01x^2)", "-20", "20", kExtrema + point("0 | 10", "Hochpunkt")},
        {S_and_W_punkte_Click, "x^5", "-20", "20", kWende + point("0 | 0", "Terassenpunkt")},
        {Extrema_butt_Click, "abs(x^2-2)", "1", "3", kExtrema + point("1,41 | 0", "Tiefpunkt")},
        {S_and_W_punkte_Click, "abs(x-1)*(x+2)", "0", "3", kKeineWende},
        {Extrema_butt_Click, "0,05x^5+3x^4-1,5x^3+x-2", "-50", "-45",
         kExtrema + point("-48,37 | 3352831,25", "Hochpunkt")},
        {S_and_W_punkte_Click, "-0,5x^4+x^3-0,1x^2", "0,5", "2", kWende + point("0,97 | 0,37", "Wendepunkt")},
    };
    for (const Row& r : rows)
        EXPECT_EQ(press(r.button, r.term, r.from, r.to), r.report) << r.term;
}

TEST_F(Extrema, AStoppedSearchSaysSoInItsReport)
{
    ui.stopAfter = 0;
    EXPECT_EQ(press(Extrema_butt_Click, "(x+19.9)^2"),
              kExtrema + point("-19,9 | 0", "Tiefpunkt") +
                  "\r\nDie Suche wurde abgebrochen. Durchsucht wurde nur der Bereich von x = -20 "
                  "bis x = -19,85.");
}

}  // namespace
