#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <sstream>

#include "app/options.h"
#include "app/report.h"

using namespace kw;

namespace {

struct Run { int code; std::string out, err; };

// Exit code 2 stands for arguments the parser refuses.
Run report(std::vector<std::string> args)
{
    std::ostringstream out, err;
    auto line = parseCommandLine(args, err);
    const int code = line ? runReport(line->report, out, err) : 2;
    return {code, out.str(), err.str()};
}

std::vector<std::string> words(const std::string& line)
{
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// The whole text, or its beginning where the expected one ends in "…".
bool matches(const std::string& got, std::string want)
{
    if (!want.ends_with("…"))
        return got == want;
    want.resize(want.size() - std::string_view("…").size());
    return got.starts_with(want);
}

}  // namespace

// Each writes what the message box or result field of the window would show.
TEST(Report, WritesWhatTheWindowsShow)
{
    struct Case {
        const char* args;  // split at spaces
        int code;
        std::string out, err = "…";
    };
    const std::string zeros = "Gefundene Nullstelen \n";
    const Case cases[] = {
        {"--report zeros --term (x-1)^2-2 --from 0 --to 5", 0, zeros + "x1 = 2,41\n"},
        // Each kind runs its own search only.
        {"--term x^2 --report extrema", 0,
         "Gefundene Lokale Extrema: \nAn der Stelle P (0 | 0) hat f(x) ein Tiefpunkt\n"},
        {"--report inflections --term (x-1)^3", 0,
         "Gefundene Terassen- und Wendepunkte: \nAn der Stelle P (1 | 0) hat f(x) ein Terassenpunkt\n"},
        // Wider than any plane: not drawn, but searched until the search ends by itself.
        {"--report zeros --term x-1 --from 1e16 --to 1e17", 0,
         "keine Nullstellen gefunden\n\nDie Suche wurde bei x = 1E+16 beendet, weil sich so große "
         "x Werte nicht mehr in Schritten von 0,01 durchlaufen lassen.\n"},
        // The table one line per column, f' beside f.
        {"--report table --term 1/x --from -2 --to 1 --derivative 1", 0,
         "-2\t-0,5\t-0,25\n-1\t-1\t-1\n0\t\t\n1\t1\t-1\n"},
        {"--report table --term x --from 0 --to 1", 0, "0\t0\n1\t1\n"},
        {"--report zeros --term x^2+", 1, "", "Ihre Eingabe ist nicht in der Korrekten Form.…"},
        // The discussion one item per line.
        {"--report discussion --term x^2-1 --from -2 --to 2", 0,
         "f(x) = x^2-1\nDefinitionsbereich: D = R\nSymmetrie: achsensymmetrisch zur y-Achse\n…", ""},
        // What the graph pass only warns about is searched anyway, as the button does.
        {"--report zeros --term x^0,5-2 --from -5 --to 5", 0, zeros + "x1 = 4\n",
         "Sie haben ungültige Zeichen…"},
        {"--report bridge --bridge 100 30 5", 0, "a1 = 0,247788873\n…", ""},
        // The calculators.
        {"--report intersections --term x^2 --and 2x --from 0 --to 20", 0,
         "f2(x) schneidet f1(x) in SP (0|0)\nf2(x) schneidet f1(x) in SP (2|4)\n"},
        {"--report intersections --term x --and x^^2", 1, ""},
        {"--report integral --term x^2 --lower 3 --upper 0", 0, "-9\nFlächeninhalt: 9\n"},
        {"--report integral --term 1/(x-2) --lower 0 --upper 3", 1, "",
         "Das Integral existiert nicht: f(x) hat bei x = 2 eine Polstelle.\n"},
        {"--report area --term x^2 --and 2x --from 0 --to 20", 0,
         "f(x) schneidet g(x) in SP (0|0)\nf(x) schneidet g(x) in SP (2|4)\n-1,333333\n"
         "Flächeninhalt: 1,333333\n"},
        {"--report area --and hallo", 1, "", "Ihre Eingabe ist nicht in der Korrekten Form.…"},
        {"--report area --term exp(-x) --and x", 1, "",
         "Die Graphen schneiden sich nicht zweimal; bitte geben Sie die Grenzen ein.\n"},
        {"--report area --term x^2+1 --and -1 --lower 1 --upper -1", 0, "4,666667\nFlächeninhalt: 4,666667\n"},
    };
    for (const Case& c : cases) {
        const auto r = report(words(c.args));
        EXPECT_EQ(r.code, c.code) << c.args;
        EXPECT_TRUE(matches(r.out, c.out)) << c.args << " wrote\n" << r.out;
        EXPECT_TRUE(matches(r.err, c.err)) << c.args << " said\n" << r.err;
    }
}

TEST(Report, UnusableOptionsAreRefused)
{
    const char* refused[] = {
        "--report roots",
        "--report zeros --derivative 2",
        "--report zeros --and x",
        "--report intersections --term x",
        "--report intersections --term x --and x",
        "--report intersections --and 1 --and 2 --and 3 --and 4 --and 5 --and 6 --and 7",
        "--report area --and 1 --and 2",
        "--report area --and 1 --lower 0",
        "--report integral --lower null",
        "--report zeros --upper 1",
        "--export a.png --derivative 4",
        "--export a.png --section +u 3",
    };
    for (const char* args : refused) {
        std::ostringstream why;
        EXPECT_FALSE(parseCommandLine(words(args), why)) << args;
        EXPECT_FALSE(why.str().empty());
    }
    // each: the problem, then the usage
    std::ostringstream why;
    parseCommandLine({"--report", "roots"}, why);
    parseCommandLine({"--report", "zeros", "--derivative", "2"}, why);
    EXPECT_TRUE(why.str().starts_with("Unbekannter Bericht: roots\nAufruf:")) << why.str();
    EXPECT_NE(why.str().find("\n--derivative erwartet 0 oder 1.\nAufruf:"), std::string::npos);
    EXPECT_EQ(parseCommandLine({"--term", "x", "--report", "zeros"}, why)->mode,
              CommandLine::Mode::Report);
}
