#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "analysis/extrema.h"
#include "support/stopping_ui.h"
#include "terms/normalize.h"
#include "terms/numtext.h"

using namespace kw;

namespace {

const std::string kExtrema = "Gefundene Lokale Extrema: \r\n";
const std::string kWende = "Gefundene Terassen- und Wendepunkte: \r\n";

std::string point(const char* where, const char* kind)
{
    return "An der Stelle P (" + std::string(where) + ") hat f(x) ein " + kind + "\r\n";
}

class Extrema : public test::SearchTest {};

// Every kind of point where f' or f'' changes sign, at its true x, and f there;
// none at poles, gaps or where the bend only seems to change. Each term also
// times 0,01 and 100: the points stay (inflections while |f| < the range's end).
TEST(Points, AtTheirTrueXWhateverTheScale)
{
    struct Point { double x, y; bool flag; /* Hochpunkt, Terassenpunkt */ };
    struct Case { const char* term; double from, to; std::vector<Point> extrema, inflections; };
    const Case cases[] = {
        {"(x-1)^3-3*(x-1)", -20, 20, {{0, 2, true}, {2, -2, false}}, {{1, 0, false}}},
        {"(x-1)^3-3*(x-1)+25", -20, 20, {{0, 27, true}, {2, 23, false}}, {{1, 25, false}}},
        {"0,5*x^3-2*x^2-x+4", -20, 20, {{-0.23, 4.12, true}, {2.9, -3.53, false}}, {{1.33, 0.3, false}}},
        {"(x-1)^3", -20, 20, {}, {{1, 0, true}}},
        {"x^4-2x^2", -20, 20, {{-1, -1, false}, {0, 0, true}, {1, -1, false}},
         {{-0.58, -0.56, false}, {0.58, -0.56, false}}},
        {"exp(-x^2)", -20, 20, {{0, 1, true}}, {{-0.71, 0.61, false}, {0.71, 0.61, false}}},
        {"0.01*(x-1)^2", -20, 20, {{1, 0, false}}, {}}, {"x^4", -20, 20, {{0, 0, false}}, {}},
        {"2x-3", -20, 20, {}, {}}, {"5", -20, 20, {}, {}},
        {"(x^3)/(x-2)", -20, 20, {{3, 27, false}}, {{0, 0, true}}},
        {"ln(x)/x", -20, 20, {{2.72, 0.37, true}}, {{4.48, 0.33, false}}},
        {"1,5*(x-2,25)*(x-1)", -20, 20, {{1.62, -0.59, false}}, {}},
        {"(x-2,25)(-1,5+1,5x)", 0, 10, {{1.62, -0.59, false}}, {}},
        {"sin(x*12)/5+cos(x-1)*3+sin(x*2)/4", -17.5, -17, {{-17.33, 2.51, false}, {-17.24, 2.53, true}}, {}},
        {"1/(x+0,5)+1", -20, 20, {}, {}}, {"1/x^2", -20, 20, {}, {}},
        {"tan(x)", -5, 5, {}, {{-3.14, 0, false}, {0, 0, false}, {3.14, 0, false}}},
        {"(x-1)^2+0*sqr((x-0.9995)*(x-0.9996))", -20, 20, {}, {}},  // undefined just left of 1
        {"(x-1)^3-3*(x-1)+0*sqr(1.0013-x)", -20, 20, {{0, 2, true}}, {}},
        {"sqr(x)-2", -20, 20, {}, {}}, {"100+0,001(x-2)^2", -20, 20, {{2, 100, false}}, {}},
        {"5+0,02sin(x)", -4, 6, {{-1.57, 4.98, false}, {1.57, 5.02, true}, {4.71, 4.98, false}},
         {{-3.14, 5, false}, {0, 5, false}, {3.14, 5, false}}},
        {"0,001x^3-0,3x", -20, 20, {{-10, 2, true}, {10, -2, false}}, {{0, 0, false}}},
        {"0,0001x^4-0,02x^2", -20, 20, {{-10, -1, false}, {0, 0, true}, {10, -1, false}},
         {{-5.77, -0.56, false}, {5.77, -0.56, false}}},
        {"sin(x)/(x^2+1)", 12, 20, {{14, 0.01, true}, {17.16, 0, false}},
         {{12.24, 0, false}, {15.45, 0, false}, {18.64, 0, false}}},
        {"e^(-x)*sin(x)", 10, 15, {{10.21, 0, false}, {13.35, 0, true}}, {{11, 0, false}, {14.14, 0, false}}},
        {"0,2x^5+2,5x", -20, 20, {}, {{0, 0, false}}}, {"x^5", -20, 20, {}, {{0, 0, true}}},
        {"x*abs(x)", -20, 20, {}, {{0, 0, true}}},  // f'' jumps, f' is 0
        {"abs(sin(x))", -4, 4,
         {{-3.14, 0, false}, {-1.57, 1, true}, {0, 0, false}, {1.57, 1, true}, {3.14, 0, false}}, {}},
        {"abs(x^2-x-1)", -20, 20, {{-0.62, 0, false}, {0.5, 1.25, true}, {1.62, 0, false}}, {}},
        {"abs(x-0,333)", -20, 20, {{0.33, 0, false}}, {}}, {"abs(x)+0,5x", -20, 20, {{0, 0, false}}, {}},
        {"abs(x^2-4)", -20, 20, {{-2, 0, false}, {0, 4, true}, {2, 0, false}}, {}},
        {"-0,5x^4+x^3-0,1x^2", -20, 20, {{0, 0, true}, {0.07, 0, false}, {1.43, 0.63, true}},
         {{0.03, 0, false}, {0.97, 0.37, false}}},
        {"0,05x^5+3x^4-1,5x^3+x-2", -50, -45, {{-48.37, 3352831.25, true}}, {}},
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
                   [](const Extremum& e) { return e.isMaximum; });
            std::vector<Point> inflections;  // only while |f| stays below the end of the range
            std::copy_if(k.inflections.begin(), k.inflections.end(), std::back_inserter(inflections),
                         [&](const Point& p) { return std::fabs(p.y * s) < k.to; });
            expect(findInflections(xterm, k.from, k.to, nullptr).points, inflections,
                   [](const Inflection& w) { return w.isTerrace; });
        }
    }
}

// The reports show the point found off the grid, and f there; one row per kind.
TEST_F(Extrema, ReportsShowTheTruePoint)
{
    const std::tuple<void (*)(Context&), const char*, const char*, const char*, std::string> rows[] = {
        {Extrema_butt_Click, "(x-1)^3-3*(x-1)", "-20", "20", kExtrema + point("0 | 2", "Hochpunkt") + point("2 | -2", "Tiefpunkt")},
        {Extrema_butt_Click, "5", "-20", "20", "keine Extrema gefunden"},
        {S_and_W_punkte_Click, "x^5", "-20", "20", kWende + point("0 | 0", "Terassenpunkt")},
        {Extrema_butt_Click, "abs(x^2-2)", "1", "3", kExtrema + point("1,41 | 0", "Tiefpunkt")},
        {S_and_W_punkte_Click, "abs(x-1)*(x+2)", "0", "3", "keine Terassen- bzw. Wendepunkte gefunden"},  // a corner
        {S_and_W_punkte_Click, "-0,5x^4+x^3-0,1x^2", "0,5", "2", kWende + point("0,97 | 0,37", "Wendepunkt")},
    };
    for (const auto& [button, term, from, to, report] : rows)
        EXPECT_EQ(press(button, term, from, to), report) << term;
    ui.stopAfter = 0;  // a stopped search says so
    EXPECT_EQ(press(Extrema_butt_Click, "(x+19.9)^2"),
              kExtrema + point("-19,9 | 0", "Tiefpunkt") + "\r\nDie Suche wurde abgebrochen. Durchsucht "
                                                          "wurde nur der Bereich von x = -20 bis x = -19,85.");
}

}  // namespace
