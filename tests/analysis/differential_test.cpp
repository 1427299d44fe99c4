// Compiled statements against their text, bit for bit: the value and the error
// number of every statement the curves and searches evaluate, and the points
// every search finds.

#include <gtest/gtest.h>

#include <bit>
#include <map>
#include <string>
#include <vector>

#include "analysis/extrema.h"
#include "analysis/zeros.h"
#include "areas/intersections.h"
#include "support/generated_terms.h"
#include "support/oracle.h"
#include "terms/normalize.h"

using namespace kw;
using namespace kw::test;

namespace {

// The x of a sampling loop from -20 to 20 (quality 50) and of a grid walk over
// the same range: every `every`-th of them.
std::vector<double> xs(int every)
{
    std::vector<double> out;
    int k = 0;
    for (double x = -20; x <= 20; x += 0.02)
        if (k++ % every == 0)
            out.push_back(x);
    Grid grid(-20.005, 20, nullptr);
    for (GridPoint p; grid.next(p);)
        if (k++ % every == 0)
            out.insert(out.end(), {p.at, p.x});
    return out;
}

// Checks every statement of the term at every x; counts the errors met by kind.
void checkTerm(const std::string& term, const std::vector<double>& at, std::map<int, int>& errors)
{
    const auto statements = statementsOf(string_richten(term));
    std::vector<std::string> patterns;
    for (const Statement& s : statements)
        patterns.push_back(s.pattern);
    // All at once, as the searches bundle them, and each on its own.
    Compiled bundle(patterns);
    std::vector<Compiled> single;
    for (const std::string& p : patterns)
        single.emplace_back(std::vector{p});

    std::vector<Outcome> together(patterns.size());
    for (double x : at) {
        bundle.evaluate(std::span(&x, 1), together);
        for (std::size_t i = 0; i < statements.size(); ++i) {
            const std::string text = statements[i].text(x);
            const Outcome reference = byText(text);
            const std::string what = "'" + term + "': " + statements[i].name;
            ASSERT_EQ(single[i].text(0, std::span(&x, 1)), text) << what;
            EXPECT_EQ(mismatch(reference, single[i].evaluate(x)), "") << what << " at x = " << engineText(x);
            EXPECT_EQ(mismatch(reference, together[i]), "") << what << ", with the others, at x = " << engineText(x);
            ++errors[reference.error];
        }
        if (::testing::Test::HasFailure())
            return;
    }
}

// What a search found, bit for bit.
std::uint64_t kind(const Extremum& e) { return e.isMaximum; }
std::uint64_t kind(const Inflection& w) { return w.isTerrace; }
std::uint64_t kind(const Intersection& s) { return std::uint64_t(s.i * 8 + s.j); }

template <class Point>
std::vector<std::uint64_t> fields(const std::vector<Point>& points)
{
    std::vector<std::uint64_t> out;
    for (const Point& p : points) {
        if constexpr (std::is_same_v<Point, double>)
            out.push_back(std::bit_cast<std::uint64_t>(p));
        else
            out.insert(out.end(), {std::bit_cast<std::uint64_t>(p.x), std::bit_cast<std::uint64_t>(p.y), kind(p)});
    }
    return out;
}

}  // namespace

// The examples and worked terms at every third x of the whole range, and terms as
// users type them, which fail in every way the engine knows, at every 41st.
TEST(Differential, ExampleWorkedAndGeneratedTermsIncludingFailuresAndPoles)
{
    std::map<int, int> errors;
    for (const auto& [terms, every] : {std::pair{allTerms(), 3}, {generatedTerms(300), 41}}) {
        errors.clear();
        const auto at = xs(every);
        for (const std::string& term : terms) {
            checkTerm(term, at, errors);
            if (HasFailure())
                return;
        }
    }
    for (int e : {err::InvalidArgument, err::Overflow, err::DivisionByZero, err::Syntax})
        EXPECT_GT(errors[e], 0) << e;
}

// Every search finds the same points compiled as from the text, walked on one
// thread or split in two; and so do the intersections.
TEST(Differential, SearchesFindTheSamePoints)
{
    std::vector<std::string> terms = allTerms();
    const auto generated = generatedTerms(300);
    terms.insert(terms.end(), generated.begin(), generated.begin() + 16);
    terms.insert(terms.end(), generated.end() - 16, generated.end());
    struct Range { double from, to; };
    // A start off the grid (its first statements are not at a grid point), and
    // large x, where the walk's x + 0,01 and the grid point read differently.
    const Range ranges[] = {{-10.005, 10}, {123456.7, 123461.7}};
    // The same outcome and points by text, compiled on one thread and compiled split in two.
    auto agree = [](const std::string& what, const auto& search) {
        const auto byText = search(GridLimits{.splitFrom = kNeverSplit, .fromText = true});
        for (const GridLimits compiled : {GridLimits{.splitFrom = kNeverSplit}, GridLimits{.splitFrom = 2}}) {
            const auto o = search(compiled);
            EXPECT_TRUE(byText.outcome.points == o.outcome.points && byText.outcome.end == o.outcome.end &&
                        byText.outcome.reached == o.outcome.reached && fields(byText.points) == fields(o.points))
                << what << (compiled.splitFrom == 2 ? ", split" : ", one thread");
        }
    };
    for (const std::string& term : terms) {
        const std::string xterm = string_richten(term);
        for (const Range& r : ranges) {
            const std::string what = "'" + term + "' from " + text(r.from) + " to " + text(r.to);
            agree("zeros " + what, [&](auto l) { return findZeros(xterm, r.from, r.to, nullptr, l); });
            agree("extrema " + what, [&](auto l) { return findExtrema(xterm, r.from, r.to, nullptr, l); });
            agree("inflection " + what, [&](auto l) { return findInflections(xterm, r.from, r.to, nullptr, l); });
            if (HasFailure())
                return;
        }
    }
    // The intersections of neighbouring terms, all pairs of three at a time.
    for (std::size_t k = 0; k + 3 <= terms.size(); k += 3) {
        const std::vector<std::string> three(terms.begin() + long(k), terms.begin() + long(k) + 3);
        agree("intersections of '" + three[0] + "', '" + three[1] + "', '" + three[2] + "'",
              [&](auto l) { return findIntersections(three, allPairs(3), -10.005, 10, nullptr, l); });
    }
}

// The three searches in one walk find what each finds alone, bit for bit,
// on one thread and split, by text and compiled.
TEST(Differential, OneWalkFindsWhatTheThreeSearchesFind)
{
    std::vector<std::string> terms = allTerms();
    const auto generated = generatedTerms(300);
    terms.insert(terms.end(), generated.begin(), generated.begin() + 16);
    const std::pair<double, double> ranges[] = {{-10.005, 10}, {123456.7, 123461.7}, {-0.005, 1}, {2e13, 2e13 + 3}};
    auto same = [](const auto& a, const auto& b) {
        return a.outcome.points == b.outcome.points && a.outcome.end == b.outcome.end &&
               a.outcome.reached == b.outcome.reached && fields(a.points) == fields(b.points);
    };
    for (const std::string& term : terms) {
        const std::string xterm = string_richten(term);
        for (const auto& [from, to] : ranges)
            for (const GridLimits l : {GridLimits{.splitFrom = kNeverSplit}, GridLimits{.splitFrom = 2},
                                       GridLimits{.splitFrom = kNeverSplit, .fromText = true}}) {
                const CurvePoints all = findCurvePoints(xterm, from, to, nullptr, l);
                const std::string what = "'" + term + "' from " + text(from) + (l.fromText ? ", text" : "") +
                                         (l.splitFrom == 2 ? ", split" : "");
                EXPECT_TRUE(same(all.zeros, findZeros(xterm, from, to, nullptr, l))) << "zeros " << what;
                EXPECT_TRUE(same(all.extrema, findExtrema(xterm, from, to, nullptr, l))) << "extrema " << what;
                EXPECT_TRUE(same(all.inflections, findInflections(xterm, from, to, nullptr, l)))
                    << "inflections " << what;
                if (HasFailure())
                    return;
            }
    }
}
