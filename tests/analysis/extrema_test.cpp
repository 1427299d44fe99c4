#include <gtest/gtest.h>

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

TEST_F(Extrema, ReportsExtremaToTheDigit)
{
    const std::pair<const char*, std::string> cases[] = {
        {"(x-1)^3-3*(x-1)", kExtrema + point("0 | 2", "Hochpunkt") + point("2 | -2", "Tiefpunkt")},
        {"0,5*x^3-2*x^2-x+4",
         kExtrema + point("-0,23 | 4,12", "Hochpunkt") + point("2,9 | -3,53", "Tiefpunkt")},
        {"exp(-x^2)", kExtrema + point("0 | 1", "Hochpunkt")},
        {"0.01*(x-1)^2", "keine Extrema gefunden"},  // f'' = 0,02 is too flat
        // Undefined just left of 1, so the step at 1 fails; the step from 0,99
        // left 1 behind, but a left-over value is never a candidate.
        {"(x-1)^2+0*sqr((x-0.9995)*(x-0.9996))", "keine Extrema gefunden"},
    };
    for (const auto& [term, report] : cases)
        EXPECT_EQ(press(Extrema_butt_Click, term), report) << term;
}

TEST_F(Extrema, TellsTerracePointsFromInflectionPoints)
{
    const std::pair<const char*, std::string> cases[] = {
        {"(x-1)^3", kWende + point("1 | 0", "Terassenpunkt")},
        {"(x-1)^3-3*(x-1)", kWende + point("1 | 0", "Wendepunkt")},
        {"x^4-2x^2", kWende + point("-0,58 | -0,56", "Wendepunkt") +
                         point("0,58 | -0,56", "Wendepunkt")},
        {"(x-1)^2", kKeineWende},
        {"2x-3", kKeineWende},  // f'' = 0: its quotients are rounding noise
        {"x^4", kKeineWende},   // flat at 0, but the bend does not change
        {"(x-1)^3-3*(x-1)+25", kKeineWende},  // above the height of the range
        {"(x-1)^3-3*(x-1)+0*sqr(1.0013-x)", kKeineWende},  // the third quotient fails at 1
    };
    press(Extrema_butt_Click, "x^2");  // each button shows only its own report
    for (const auto& [term, report] : cases)
        EXPECT_EQ(press(S_and_W_punkte_Click, term), report) << term;
    EXPECT_EQ(press(S_and_W_punkte_Click, "(x-1)^3-3*(x-1)+25", "-30", "30"),
              kWende + point("1 | 25", "Wendepunkt"));
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
