// Symbolic derivatives against difference quotients, and their texts read back
// through the engine as a typed term would be.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "support/generated_terms.h"
#include "support/oracle.h"
#include "symbolic/derivative.h"
#include "terms/compiled.h"
#include "terms/normalize.h"
#include "terms/numtext.h"

using namespace kw;
using namespace kw::symbolic;

namespace {

bool close(double a, double b, double tolerance)
{
    return std::fabs(a - b) <= tolerance * (1 + std::fabs(a) + std::fabs(b));
}

// The slope of g at x where g is smooth there: two central quotients of step
// h and 2h that agree; nothing at jumps, kinks, poles and gaps.
std::optional<double> slope(const Expr& g, double x)
{
    const double h = 1e-4 * (1 + std::fabs(x));
    double v[4];
    const double at[4] = {x - 2 * h, x - h, x + h, x + 2 * h};
    for (int i = 0; i < 4; ++i) {
        const Value r = evaluate(g, at[i]);
        if (r.error != err::None || std::fabs(r.value) > 1e8)
            return std::nullopt;
        v[i] = r.value;
    }
    const double near = (v[2] - v[1]) / (2 * h), far = (v[3] - v[0]) / (4 * h);
    if (!close(near, far, 1e-6))
        return std::nullopt;
    return (4 * near - far) / 3;  // Richardson: error of order h^4
}

// Each derivative's text reads back to its tree's values, and the tree agrees
// with the quotient of the order before. Gives the points where a quotient
// existed and was compared.
int check(const std::string& term)
{
    int compared = 0;
    const Derivatives d = derivativesOf(string_richten(term));
    if (!d.f)
        return 0;
    Expr before = *d.f;
    for (int order = 0; order < 3; ++order) {
        if (!d.trees[order])
            break;
        const Expr& tree = *d.trees[order];
        const std::optional<std::string>& text = d.texts[order];
        if (text) {
            EXPECT_TRUE(readTerm(string_richten(*text))) << term << ": " << *text;
        }
        for (double x = -7.31; x < 7.4; x += 0.377) {
            const std::string where =
                term + ", order " + std::to_string(order + 1) + " (" + text.value_or("") + ") at " + engineText(x);
            if (text) {
                // The engine reads x from its text: the tree gets the same number.
                const Value mine = evaluate(tree, written(x).value);
                const Outcome engine = test::typedAt(*text, x);
                if (mine.error == err::None && engine.error == err::None) {
                    EXPECT_TRUE(close(mine.value, engine.value, 1e-9)) << where << ": " << mine.value << " read back " << engine.value;
                } else if (std::fabs(mine.value) < 1e300) {
                    EXPECT_EQ(mine.error, engine.error) << where;
                }
            }
            const auto expected = slope(before, x);
            const Value got = evaluate(tree, x);
            // A written-out derivative may overflow on the way to a small value.
            if (!expected || std::fabs(*expected) > 1e6 || got.error == err::Overflow)
                continue;
            ++compared;
            EXPECT_EQ(got.error, err::None) << where;
            EXPECT_TRUE(close(got.value, *expected, 1e-5)) << where << ": " << got.value << " against " << *expected;
        }
        before = tree;
    }
    return compared;
}

TEST(SymbolicDerivative, ExampleWorkedAndGeneratedTermsAgreeWithQuotientsAndReadBack)
{
    std::vector<std::string> terms = allTerms();
    const auto generated = generatedTerms(400);
    terms.insert(terms.end(), generated.begin(), generated.end());
    int withDerivative = 0, compared = 0;
    for (const std::string& term : terms) {
        const int points = check(term);
        withDerivative += points > 0;
        compared += points;
    }
    // Most terms are smooth somewhere: the comparison must not be vacuous.
    EXPECT_GT(withDerivative, 300);
    EXPECT_GT(compared, 30000);
}

// The forms a teacher writes: polynomials expanded and ordered, coefficients
// in front, quotients without a gap cancelled away.
TEST(SymbolicDerivative, TeachersForms)
{
    const std::array<const char*, 4> rows[] = {  // f, f', f'', f'''
        {"0,5x^3-2x^2-x+4", "1,5x^2-4x-1", "3x-4", "3"}, {"(x-1)^3-3*(x-1)", "3x^2-6x", "6x-6", "6"},
        {"(x-2)(4+2x)", "4x", "4", "0"}, {"-x^4/4+x", "-x^3+1", "-3x^2", "-6x"}, {"x^2/3", "2x/3", "2/3", "0"},
        {"(1,5x)^10", "576,650390625x^9", "5189,853515625x^8", "41518,828125x^7"},
        {"1/(x-1)", "-1/(x-1)^2", "2/(x-1)^3", "-6/(x-1)^4"},
        {"x^3/(x-2)", "(2x^3-6x^2)/(x-2)^2", "(2x^3-12x^2+24x)/(x-2)^3", "-48/(x-2)^4"},
        {"ln(x)", "1/x", "-1/x^2", "2/x^3"}, {"x*e^x", "e^x+x*e^x", "2e^x+x*e^x", "3e^x+x*e^x"},
        {"2^x", "2^x*ln(2)", "2^x*ln(2)^2", "2^x*ln(2)^3"}, {"sqr(x)", "0,5/sqr(x)", "-0,25/sqr(x)^3", "0,375/sqr(x)^5"},
        {"x^-2", "-2x^(-3)", "6x^(-4)", "-24x^(-5)"}, {"3sin(2x)", "6cos(2x)", "-12sin(2x)", "-24cos(2x)"},
        {"abs(x)", "sgn(x)", "0", "0"},
        // The gap at 1 stays in every derivative.
        {"x-1+0/(x-1)", "1+0/(x-1)^2", "0/(x-1)^4", "0/(x-1)^8"},
    };
    for (const auto& r : rows) {
        const Derivatives d = derivativesOf(string_richten(r[0]));
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(d.texts[k].value_or("-"), r[k + 1]) << r[0] << ", order " << k + 1;
    }
}

// Nothing is cancelled that would close a gap: f' stays undefined where f is.
// Terms the engine cannot read have no derivative; long chains whose
// derivatives explode give up at once, without a text.
TEST(SymbolicDerivative, GapsStayAndNoTextWhereThereIsNone)
{
    for (auto [term, gap] : {std::pair{"x-1+0/(x-1)", 1}, {"x/x", 0}, {"(x-1)/(x-1)", 1}, {"x+0*ln(x)", 0}}) {
        const Derivatives d = derivativesOf(string_richten(term));
        ASSERT_TRUE(d.texts[0]) << term;
        EXPECT_NE(test::typedAt(*d.texts[0], gap).error, err::None) << term << ": " << *d.texts[0];
    }
    for (const char* term : {"x2", "2x.5", "sin x", "x+", "", "1E999x"})
        EXPECT_FALSE(derivativesOf(string_richten(term)).f) << term;
    std::string quotients = "1", tower = "x";
    for (int i = 1; i < 300; ++i) {
        quotients += "/(x-" + std::to_string(i % 7) + ")";
        tower += "^x";
    }
    for (const std::string& term : {quotients, tower}) {
        const Derivatives d = derivativesOf(string_richten(term));
        ASSERT_TRUE(d.f);
        EXPECT_FALSE(d.texts[0]) << term.substr(0, 40);
    }
}

}  // namespace
