#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "analysis/extrema.h"
#include "support/stopping_ui.h"

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
        for (const Extremum& p : findExtrema(c.drawing.xterm, c.state.picture.X, c.state.picture.Y, nullptr).points)
            got.emplace_back(p.x, p.isMaximum);
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
        for (const Inflection& p : findInflections(c.drawing.xterm, c.state.picture.X, c.state.picture.Y, nullptr).points)
            got.emplace_back(p.x, p.isTerrace);
        EXPECT_EQ(got, w.points) << w.term << " from " << w.from;
    }
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
