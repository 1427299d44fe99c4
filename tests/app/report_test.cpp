#include <gtest/gtest.h>

#include <algorithm>
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

}  // namespace

TEST(Report, WritesWhatTheMessageBoxWouldShow)
{
    auto zeros = report({"--report", "zeros", "--term", "(x-1)^2-2", "--from", "0", "--to", "5"});
    EXPECT_EQ(zeros.code, 0);
    EXPECT_EQ(zeros.out, "Gefundene Nullstelen \nx1 = 2,41\n");

    // Each kind runs its own search only.
    EXPECT_EQ(report({"--term", "x^2", "--report", "extrema"}).out,
              "Gefundene Lokale Extrema: \nAn der Stelle P (0 | 0) hat f(x) ein Tiefpunkt\n");
    EXPECT_EQ(report({"--report", "inflections", "--term", "(x-1)^3"}).out,
              "Gefundene Terassen- und Wendepunkte: \n"
              "An der Stelle P (1 | 0) hat f(x) ein Terassenpunkt\n");

    // Wider than any plane: not drawn, but searched until the search ends by itself.
    auto wide = report({"--report", "zeros", "--term", "x-1", "--from", "1e16", "--to", "1e17"});
    EXPECT_EQ(wide.code, 0);
    EXPECT_EQ(wide.out, "keine Nullstellen gefunden\n\nDie Suche wurde bei x = 1E+16 beendet, "
                        "weil sich so große x Werte nicht mehr in Schritten von 0,01 "
                        "durchlaufen lassen.\n");
}

TEST(Report, WritesTheTableOneLinePerColumn)
{
    EXPECT_EQ(report({"--report", "table", "--term", "1/x", "--from", "-2", "--to", "1"}).out,
              "-2\t-0,5\n-1\t-1\n0\t\n1\t1\n");
    EXPECT_EQ(report({"--report", "table", "--term", "x+0.123456", "--from", "-1", "--to", "1",
                      "--derivative", "1"})
                  .out,
              "-1\t-0,88\t1\n0\t0,123456\t1\n1\t1,12\t1\n");
}

TEST(Report, RejectsUnusableTermsAndOptions)
{
    auto bad = report({"--report", "zeros", "--term", "x^2+"});
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.err.starts_with("Ihre Eingabe ist nicht in der Korrekten Form.")) << bad.err;
    EXPECT_EQ(bad.out, "");

    // What the graph pass only warns about is searched anyway, as the button does.
    auto root = report({"--report", "zeros", "--term", "x^0,5-2", "--from", "-5", "--to", "5"});
    EXPECT_EQ(root.code, 0);
    EXPECT_TRUE(root.err.starts_with("Sie haben ungültige Zeichen")) << root.err;
    EXPECT_EQ(root.out, "Gefundene Nullstelen \nx1 = 4\n");
    auto pole = report({"--report", "zeros", "--term", "1/x-1", "--from", "0", "--to", "5"});
    EXPECT_EQ(pole.code, 0);
    EXPECT_TRUE(pole.err.starts_with("Sie haben eine Funktion eingegeben wo eine Division"));
    EXPECT_EQ(pole.out, "Gefundene Nullstelen \nx1 = 1\n");

    std::ostringstream why;
    EXPECT_FALSE(parseCommandLine({"--report", "roots"}, why));
    EXPECT_FALSE(parseCommandLine({"--report", "zeros", "--derivative", "2"}, why));
    // each: the problem and the two lines of the usage
    EXPECT_EQ(std::ranges::count(why.str(), '\n'), 6) << why.str();
    EXPECT_EQ(parseCommandLine({"--term", "x", "--report", "zeros"}, why)->mode,
              CommandLine::Mode::Report);
}
