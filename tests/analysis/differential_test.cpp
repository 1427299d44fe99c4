// Compiled statements against their text, bit for bit: the value and the error
// number of every statement the curves and searches evaluate, and the points
// every search finds.

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "analysis/extrema.h"
#include "analysis/newton.h"
#include "analysis/tangent.h"
#include "analysis/zeros.h"
#include "areas/intersections.h"
#include "core/examples.h"
#include "terms/compiled.h"
#include "terms/difference_quotient.h"
#include "terms/engine.h"
#include "terms/normalize.h"
#include "terms/numtext.h"
#include "terms/substitution.h"

using namespace kw;

namespace {

constexpr Substitution::Options kQuotient{.maskExp = false, .collapseStars = true};

// Terms from the help text, the reports and the tests of the searches.
const char* const kWorked[] = {
    "x^2", "(x-1)^3-3*(x-1)", "(x-1)^2-2", "2x-3", "(x-1)^2", "x-0.05", "x^3", "0.01*(x-1)^2",
    "2^x", "2^(x)", "2x", "x+0,123456", "x^3-2", "3x^4", "exp(x)-2", "2*x*x-1", "x-1+0/(x-1)",
    "sqr(x)", "ln(x)", "log(x^2-4)", "1/(x-1)", "tan(x)", "e^x", "x^-2", "x^0.5", "-x^2",
};

// Terms as users type them: polynomials, products, roots, logarithms, exp, trig,
// numbers with commas and exponents, and terms that fail somewhere (poles,
// roots of negatives, overflow) or everywhere (syntax).
std::vector<std::string> generatedTerms(int count)
{
    std::mt19937 random(2024);
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    const char* const numbers[] = {"2", "0,5", "3.25", "1E-3", "0", "10", "1,5", "0.000456", "7"};
    const char* const functions[] = {"sin", "cos", "tan", "exp", "log", "ln", "sqr", "abs", "int", "atn", "sgn"};
    std::function<std::string(int)> term = [&](int depth) -> std::string {
        const int kind = depth <= 0 ? pick(3) : pick(11);
        switch (kind) {
        case 0: return "x";
        case 1: return numbers[pick(9)];
        case 2: return std::string(numbers[pick(9)]) + "x";
        case 3: return term(depth - 1) + "+" + term(depth - 1);
        case 4: return term(depth - 1) + "-" + term(depth - 1);
        case 5: return term(depth - 1) + "*" + term(depth - 1);
        case 6: return term(depth - 1) + "/" + term(depth - 1);
        case 7: return "(" + term(depth - 1) + ")^" + (pick(2) ? numbers[pick(9)] : "-" + term(0));
        case 8: return std::string(functions[pick(11)]) + "(" + term(depth - 1) + ")";
        case 9: return "-(" + term(depth - 1) + ")";
        default: return "(" + term(depth - 1) + ")";
        }
    };
    std::vector<std::string> terms;
    for (int i = 0; i < count; ++i)
        terms.push_back(term(1 + i % 4));
    // Texts whose numbers run into their neighbours once x is put in, and other
    // oddities: these go by their text and must still agree.
    for (const char* odd : {"x2", "2x.5", "xx", "x,5", "x(x+1)", "x^x", "x^-x", "sin x", "x+", "",
                            "1/x^-2", "x*-x^2", "exp(x^3)", "(x-2)^0.5", "0^x", "10^x^2"})
        terms.push_back(odd);
    return terms;
}

std::vector<std::string> allTerms()
{
    std::vector<std::string> terms(kExamples.begin(), kExamples.end());
    terms.insert(terms.end(), std::begin(kWorked), std::end(kWorked));
    return terms;
}

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
    for (GridPoint p; grid.next(p);) {
        if (k++ % every == 0) {
            out.push_back(p.at);
            out.push_back(p.x);
        }
    }
    return out;
}

std::string bits(const Outcome& o)
{
    return o ? "value " + std::to_string(std::bit_cast<std::uint64_t>(o.value)) + " (" +
                   engineText(o.value) + ")"
             : "error " + std::to_string(o.error);
}

Outcome byText(const std::string& text)
{
    Outcome o;
    o.error = Engine::evaluate(text, o.value);
    return o;
}

// A statement as the program builds its text, and as a pattern to compile.
struct Statement {
    std::string name;
    std::function<std::string(double)> text;
    std::string pattern;
};

std::vector<Statement> statementsOf(const std::string& term)
{
    const std::string xterm = string_richten(term);
    const std::string d1 = firstQuotient(maskExp(xterm));
    const std::string d2 = nextQuotient(d1);
    std::vector<Statement> out;
    auto add = [&](std::string name, Substitution s) {
        const std::string pattern = s.pattern();
        out.push_back({std::move(name), [s](double x) { return s.expression(x); }, pattern});
    };
    add("f", Substitution(xterm));
    // The inverse function's statement keeps the blank behind its "=".
    const Substitution f(xterm);
    out.push_back({"Umkehrfunktion", [f](double x) { return " " + f.expression(x); }, " " + f.pattern()});
    add("f'", Substitution(d1, kQuotient));
    add("f' zentral", Substitution(centralQuotient(maskExp(xterm)), kQuotient));
    add("f''", Substitution(d2, kQuotient));
    add("f'''", Substitution(nextQuotient(d2), kQuotient));
    add("Tangente bei -1,5", Substitution(tangentTerm(xterm, -1.5), kQuotient));
    add("Tangente bei 2", Substitution(tangentTerm(xterm, 2), kQuotient));
    for (const auto& [name, step] : {std::pair{"Newton f", NewtonStep::forZeros(xterm)},
                                     std::pair{"Newton f'", NewtonStep::forExtrema(xterm)}})
        out.push_back({name, [s = step](double x) { return s.statement(x); }, step.pattern()});
    return out;
}

void expectSame(const std::string& what, double x, const Outcome& text, const Outcome& compiled)
{
    const bool same = text.error == compiled.error &&
                      (text.error || std::bit_cast<std::uint64_t>(text.value) ==
                                         std::bit_cast<std::uint64_t>(compiled.value));
    if (!same)
        ADD_FAILURE() << what << " at x = " << engineText(x) << ": text gives " << bits(text)
                      << ", compiled " << bits(compiled);
}

// Checks every statement of the term at every x; counts the errors met by kind.
void checkTerm(const std::string& term, const std::vector<double>& at, std::map<int, int>& errors)
{
    const auto statements = statementsOf(term);
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
            expectSame(what, x, reference, single[i].evaluate(x));
            expectSame(what + ", compiled with the others", x, reference, together[i]);
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

TEST(Differential, NumbersReadBackAsTheEngineReadsTheirText)
{
    std::vector<double> values = {0.0, -0.0, 0.1 + 0.2, 1e-5, 99999.99999999999, 1e15, 1e16,
                                  -123456789012345678.0, DBL_MAX, -DBL_MAX, DBL_MIN, DBL_TRUE_MIN,
                                  1e-310, 9.999999999999995e22, 1e23, 1e36, 1e-7, 9.9999999999999995e-8,
                                  NAN, INFINITY, -INFINITY,
                                  // exactly halfway between two texts
                                  100000000000000.5, 100000000000001.5, 999999999999999.5,
                                  0.10000000000000005551115123125783};
    std::mt19937_64 random(11);
    for (int i = 0; i < 20000; ++i) {
        values.push_back(std::bit_cast<double>(random()));  // any exponent
        values.push_back(std::ldexp(double(random() % 1000000) - 5e5, int(random() % 120) - 60));
        // Sixteen digits ending in 5: halfway between two texts, up to rounding.
        const std::string tie = std::to_string(random() % 900000000000000 + 100000000000000) + "5e" +
                                std::to_string(int(random() % 40) - 25);
        double v = 0;
        std::from_chars(tie.data(), tie.data() + tie.size(), v);
        values.insert(values.end(), {v, std::nextafter(v, 0.0), std::nextafter(v, 1e300)});
    }
    for (int e = -9; e <= 17; ++e) {  // around powers of ten, where the digits move
        double v = std::pow(10.0, e);
        for (int i = 0; i < 4; ++i, v = std::nextafter(v, 0.0))
            values.insert(values.end(), {v, std::nextafter(v, 1e300) * (1 + 1e-16 * i), -v});
    }
    for (double v : values) {
        const Written w = written(v);
        expectSame(engineText(v) + " written", v, byText(engineText(v)), Outcome{w.error, w.value});
        if (HasFailure())
            return;
    }
}

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

TEST(Differential, NewtonQuotientOfComputedValues)
{
    Compiled quotient({NewtonStep::quotientPattern()});
    std::mt19937_64 random(5);
    const double special[] = {0.0, -0.0, 1e-300, 1e300, 1.5, -2.25, 1e-20, DBL_MAX, NAN};
    for (int i = 0; i < 5000; ++i) {
        const double numbers[] = {round2(std::ldexp(double(random() % 4001) - 2000, -4)),
                                  i < 81 ? special[i % 9] : std::ldexp(double(random() % 99999) - 5e4, int(random() % 60) - 30),
                                  i < 81 ? special[i / 9] : std::ldexp(double(random() % 99999) - 5e4, int(random() % 60) - 30)};
        const std::string text = engineText(numbers[0]) + "-((" + engineText(numbers[1]) + ")/" +
                                 engineText(numbers[2]) + ")";
        ASSERT_EQ(quotient.text(0, numbers), text);
        Outcome o;
        quotient.evaluate(numbers, std::span(&o, 1));
        expectSame(text, numbers[0], byText(text), o);
    }
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
