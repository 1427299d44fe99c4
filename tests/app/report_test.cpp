#include <gtest/gtest.h>

#include <sstream>

#include "app/report.h"

using namespace kw;

namespace {

struct Run {
    int code;
    std::string out, err;
};

Run report(std::vector<std::string> args)
{
    std::ostringstream out, err;
    auto options = parseReport(args, err);
    if (!options)
        return {2, out.str(), err.str()};
    const int code = runReport(*options, out, err);
    return {code, out.str(), err.str()};
}

}  // namespace

TEST(Report, WritesWhatTheMessageBoxWouldShow)
{
    auto zeros = report({"--report", "zeros", "--term", "(x-1)^2-2"});
    EXPECT_EQ(zeros.code, 0);
    EXPECT_EQ(zeros.out, "Gefundene Nullstelen \nx1 = -0,41\nx2 = 2,41\n");
    EXPECT_EQ(zeros.err, "");

    auto none = report({"--report", "zeros", "--term", "x^2+1"});
    EXPECT_EQ(none.out, "keine Nullstellen gefunden\n");

    auto extrema = report({"--term", "(x-1)^3-3*(x-1)", "--report", "extrema"});
    EXPECT_EQ(extrema.out, "Gefundene Lokale Extrema: \n"
                           "An der Stelle P (0 | 2) hat f(x) ein Hochpunkt\n"
                           "An der Stelle P (2 | -2) hat f(x) ein Tiefpunkt\n");

    auto inflections = report({"--report", "inflections", "--term", "(x-1)^3"});
    EXPECT_EQ(inflections.out, "Gefundene Terassen- und Wendepunkte: \n"
                               "An der Stelle P (1 | 0) hat f(x) ein Terassenpunkt\n");
}

TEST(Report, SearchesTheGivenRange)
{
    auto narrow = report({"--report", "zeros", "--term", "(x-1)^2-2", "--from", "0", "--to", "5"});
    EXPECT_EQ(narrow.out, "Gefundene Nullstelen \nx1 = 2,41\n");

    // Wider than any plane: not drawn, but searched until the search ends by itself.
    auto wide = report({"--report", "zeros", "--term", "x-1", "--from", "1e16", "--to", "1e17"});
    EXPECT_EQ(wide.code, 0);
    EXPECT_EQ(wide.out, "keine Nullstellen gefunden\n\nDie Suche wurde bei x = 1E+16 beendet, "
                        "weil sich so große x Werte nicht mehr in Schritten von 0,01 "
                        "durchlaufen lassen.\n");
}

TEST(Report, WritesTheTableOneLinePerColumn)
{
    auto t = report({"--report", "table", "--term", "x^2", "--from", "-2", "--to", "3"});
    EXPECT_EQ(t.out, "-2\t4\n-1\t1\n0\t0\n1\t1\n2\t4\n3\t9\n");

    auto d = report({"--report", "table", "--term", "x+0.123456", "--from", "-1", "--to", "1",
                     "--derivative", "1"});
    EXPECT_EQ(d.out, "-1\t-0,88\t1\n0\t0,123456\t1\n1\t1,12\t1\n");

    auto holes = report({"--report", "table", "--term", "1/x", "--from", "-1", "--to", "1"});
    EXPECT_EQ(holes.out, "-1\t-1\n0\t\n1\t1\n");
}

TEST(Report, RejectsUnusableTermsAndOptions)
{
    auto bad = report({"--report", "zeros", "--term", "x^2+"});
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_TRUE(bad.err.starts_with("Ihre Eingabe ist nicht in der Korrekten Form.")) << bad.err;

    for (std::vector<std::string> args : {
             std::vector<std::string>{"--report", "roots"},
             {"--report", "zeros", "--from", "abc"},
             {"--report", "zeros", "--derivative", "2"},
             {"--report", "zeros", "--colour", "Rot"},
             {"--report"},
         }) {
        auto r = report(args);
        EXPECT_EQ(r.code, 2) << args.back();
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_TRUE(isReport({"--term", "x", "--report", "zeros"}));
    EXPECT_FALSE(isReport({"--export", "a.png"}));
}
