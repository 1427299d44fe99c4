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
    // each: the problem, then the usage
    EXPECT_TRUE(why.str().starts_with("Unbekannter Bericht: roots\nAufruf:")) << why.str();
    EXPECT_NE(why.str().find("\n--derivative erwartet 0 oder 1.\nAufruf:"), std::string::npos);
    EXPECT_EQ(parseCommandLine({"--term", "x", "--report", "zeros"}, why)->mode,
              CommandLine::Mode::Report);
}

TEST(Report, CalculatorsWriteWhatTheirResultBoxesShow)
{
    auto crossings = report({"--report", "intersections", "--term", "x^2", "--and", "2x",
                             "--from", "0", "--to", "20"});
    EXPECT_EQ(crossings.code, 0);
    EXPECT_EQ(crossings.out, "f2(x) schneidet f1(x) in SP (0|0)\nf2(x) schneidet f1(x) in SP (2|4)\n");
    EXPECT_EQ(report({"--report", "intersections", "--term", "x", "--and", "-x", "--and", "x^2"}).out,
              "f2(x) schneidet f1(x) in SP (0|0)\nf3(x) schneidet f1(x) in SP (0|0)\n"
              "f3(x) schneidet f1(x) in SP (1|1)\nf3(x) schneidet f2(x) in SP (-1|1)\n"
              "f3(x) schneidet f2(x) in SP (0|0)\n");

    EXPECT_EQ(report({"--report", "integral", "--term", "x^2", "--lower", "0", "--upper", "3"}).out, "9\n");
    EXPECT_EQ(report({"--report", "integral", "--term", "1", "--lower", "3", "--upper", "1"}).out, "-2\n");
    EXPECT_EQ(report({"--report", "integral", "--term", "x", "--from", "0", "--to", "2"}).out, "2\n");
    auto undefined = report({"--report", "integral", "--term", "sqr(x)", "--lower", "-1", "--upper", "1"});
    EXPECT_EQ(undefined.code, 1);
    EXPECT_EQ(undefined.out, "");
    EXPECT_EQ(undefined.err, "Die Funktion ist zwischen den Grenzen nicht überall definiert.\n");

    auto area = report({"--report", "area", "--term", "x^2", "--and", "2x", "--from", "0", "--to", "20"});
    EXPECT_EQ(area.code, 0);
    EXPECT_TRUE(area.out.starts_with("f(x) schneidet g(x) in SP (0|0)\nf(x) schneidet g(x) in SP (2|4)\n"
                                     "-1,3333333333333"))
        << area.out;
    auto none = report({"--report", "area", "--term", "x^2+1", "--and", "-1"});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.err, "Bitte geben Sie die Grenzen ein.\n");
    auto given = report({"--report", "area", "--term", "x^2+1", "--and", "-1", "--lower", "1",
                         "--upper", "-1"});
    EXPECT_EQ(given.code, 0);
    EXPECT_TRUE(given.out.starts_with("4,666666666666")) << given.out;
}

TEST(Report, CalculatorOptionsAreChecked)
{
    const std::vector<std::vector<std::string>> refused = {
        {"--report", "zeros", "--and", "x"},
        {"--report", "intersections", "--term", "x"},
        {"--report", "intersections", "--term", "x", "--and", "x"},
        {"--report", "intersections", "--and", "1", "--and", "2", "--and", "3", "--and", "4",
         "--and", "5", "--and", "6", "--and", "7"},
        {"--report", "area", "--and", "1", "--and", "2"},
        {"--report", "area", "--and", "1", "--lower", "0"},
        {"--report", "integral", "--lower", "null"},
        {"--report", "zeros", "--upper", "1"},
        {"--export", "a.png", "--shade", "0"},
    };
    for (const auto& args : refused) {
        std::ostringstream why;
        EXPECT_FALSE(parseCommandLine(args, why)) << args[1];
        EXPECT_FALSE(why.str().empty());
    }
    EXPECT_EQ(report({"--report", "intersections", "--term", "x", "--and", "x^^2"}).code, 1);
}
