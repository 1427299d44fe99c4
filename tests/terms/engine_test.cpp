#include "terms/engine.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace {

using kw::Engine;
namespace err = kw::err;

struct Case {
    const char* text;
    double expected;
};

struct ErrorCase {
    const char* text;
    int error;
};

// Evaluates every case and compares the value; names the failing text.
void expectValues(std::initializer_list<Case> cases)
{
    for (const Case& c : cases) {
        double v = -12345.0;
        EXPECT_EQ(Engine::evaluate(c.text, v), err::None) << c.text;
        EXPECT_DOUBLE_EQ(v, c.expected) << c.text;
    }
}

void expectErrors(std::initializer_list<ErrorCase> cases)
{
    for (const ErrorCase& c : cases) {
        double v = -12345.0;
        EXPECT_EQ(Engine::evaluate(c.text, v), c.error) << c.text;
        EXPECT_EQ(v, -12345.0) << "value written on failure: " << c.text;
    }
}

TEST(EngineTest, PrecedenceAndAssociativity)
{
    expectValues({
        {"2+3*4", 14},     {"(2+3)*4", 20},   {"10-4-3", 3},     {"8/4/2", 1},
        {"2*3^2", 18},     {"2^3*2", 16},     {"2^3^2", 64},     {"-2^2", -4},
        {"(-2^2)", -4},    {"- 2 ^ 2", -4},   {"-2^2*3", -12},   {"+3", 3},
        {"(-2)^3", -8},    {"-8^(1/3)", -2},  {"2^-1", 0.5},     {"2^ -1", 0.5},
        {"2^-(1)", 0.5},   {"-2^-2", -0.25},  {"7-2*3+8/4", 3},  {"0^0", 1},
        {"((((3))))", 3},  {"sin(-2^2)", std::sin(-4.0)},
    });
}

// A sign glued between an operator and a digit belongs to the number, as
// value substitution produces it ("1x^2" at x = -2 is "1*-2^2").
TEST(EngineTest, SignedNumberAfterOperator)
{
    expectValues({
        {"1*-2^2", 4},        {"1--2^2", -3},       {"1+-2^2", 5},
        {"1/-2^2", 0.25},     {"2^-2", 0.25},       {"2^-2^2", 0.0625},
        {"1*+2^2", 4},        {"1*-2^3", -8},       {"1*-.5^2", 0.25},
        {"-3*-2", 6},         {"--2^2", -4},        {"1*--2^2", -4},
        // a blank on either side makes it an ordinary unary minus again
        {"1- -2^2", 5},       {"1*- 2^2", -4},      {"1 *-2^2", 4},
    });
    double v = 0;
    EXPECT_EQ(Engine::evaluate("1*-8^0.5", v), err::InvalidArgument);
}

TEST(EngineTest, Numbers)
{
    expectValues({
        {"12", 12},           {"1.5", 1.5},        {".5", 0.5},         {"5.", 5},
        {"1E-05", 1e-05},     {"2.5E+15", 2.5e15}, {"1e5", 1e5},        {"1E5", 1e5},
        {"0.000456", 0.000456}, {"  7  ", 7},      {"1E-400", 0},
        {"0.5*1*1.5^3-2*1*1.5^2-1*1.5+4", -0.3125},
    });
}

TEST(EngineTest, Functions)
{
    const double pi = std::acos(-1.0);
    expectValues({
        {"sqr(16)", 4},       {"SQR (2.25)", 1.5},  {"Sqr(0)", 0},
        {"log(1)", 0},        {"LOG(exp(2))", 2},   {"exp(0)", 1},     {"Exp(1)", std::exp(1.0)},
        {"abs(-3)", 3},       {"ABS(2)", 2},
        {"int(2.7)", 2},      {"int(-1.5)", -2},    {"INT(-2)", -2},
        {"sin(0)", 0},        {"SIN(1)", std::sin(1.0)},
        {"cos(0)", 1},        {"Cos(2)", std::cos(2.0)},
        {"tan(1)", std::tan(1.0)}, {"TAN(0)", 0},
        {"atn(1)*4", pi},     {"ATN(-1)", -pi / 4},
        {"sgn(-3)", -1},      {"sgn(0)", 0},        {"SGN(2.5)", 1},
        {"sqr(abs(-16))+1", 5}, {"exp(1)^1*1.5", std::exp(1.0) * 1.5},
        {"  sin  ( 1 * 2 )  ", std::sin(2.0)},
    });
}

TEST(EngineTest, ErrorKinds)
{
    expectErrors({
        // does not parse
        {"", err::Syntax},        {"   ", err::Syntax},      {"1+", err::Syntax},
        {"(1", err::Syntax},      {"1)", err::Syntax},       {"()", err::Syntax},
        {"1 2", err::Syntax},     {"1**2", err::Syntax},     {"*1", err::Syntax},
        {"2,5*2", err::Syntax},   {"1E", err::Syntax},       {"1E+", err::Syntax},
        {"1.5.2", err::Syntax},   {".", err::Syntax},        {"2x", err::Syntax},
        {"1 = 1", err::Syntax},   {"inf", err::Syntax},      {"nan", err::Syntax},
        // unknown names and functions without brackets
        {"X", err::Syntax},       {"a", err::Syntax},        {"e", err::Syntax},
        {"pi", err::Syntax},      {"sqrt(4)", err::Syntax},  {"ln(2)", err::Syntax},
        {"sqr 4", err::Syntax},   {"sin", err::Syntax},      {"sin()", err::Syntax},
        {"(*1.5-2)*(4+2*1.5)", err::Syntax},
        {"exp(1)*1.5p(1*1.5)", err::Syntax},
        // division by zero
        {"1/0", err::DivisionByZero},   {"0/0", err::DivisionByZero},
        {"1/(1-1)", err::DivisionByZero}, {"0^-1", err::DivisionByZero},
        {"0^(-0.5)", err::DivisionByZero},
        // outside the domain
        {"sqr(-1)", err::InvalidArgument},    {"log(0)", err::InvalidArgument},
        {"log(-1)", err::InvalidArgument},    {"(-8)^(1/3)", err::InvalidArgument},
        {"(-2)^0.5", err::InvalidArgument},
        // overflow from finite inputs
        {"exp(1000)", err::Overflow},   {"10^400", err::Overflow},
        {"1E308*10", err::Overflow},    {"1E400", err::Overflow},
        {"1E308+1E308", err::Overflow}, {"-1E308-1E308", err::Overflow},
        {"1E200^2", err::Overflow},     {"1/1E-320", err::Overflow},
        {"0.00000000001E400", err::Overflow},
        // the first run-time error counts, a syntax error anywhere beats it
        {"1/0 + sqr(-1)", err::DivisionByZero}, {"sqr(-1) + 1/0", err::InvalidArgument},
        {"exp(1000)/0", err::Overflow},
        {"1/0 +", err::Syntax},         {"sqr(-1)*x", err::Syntax},
        {"1/0)", err::Syntax},
    });
    expectValues({{"exp(-1000)", 0}, {"1E-200^2", 0}, {"0.0000000001E-330", 0}});
}

// The view's length is the end of the text, whatever follows in memory.
TEST(EngineTest, ReadsOnlyTheGivenView)
{
    double v = 0;
    EXPECT_EQ(Engine::evaluate(std::string_view("1+23", 3), v), err::None);
    EXPECT_EQ(v, 3);
    EXPECT_EQ(Engine::evaluate(std::string_view("1E50", 2), v), err::Syntax);
    EXPECT_EQ(Engine::evaluate(std::string_view("sin(1)", 5), v), err::Syntax);
    EXPECT_EQ(Engine::evaluate(std::string_view("1*-2", 3), v), err::Syntax);

    Engine engine;
    double zahl = 0;
    engine.bind("Zahl", &zahl);
    EXPECT_EQ(engine.execute(std::string_view("Form.Zahl=12", 11)), err::None);
    EXPECT_EQ(zahl, 1);
}

TEST(EngineTest, DeepNesting)
{
    double v = 0;
    auto nested = [](int depth, const char* open) {
        std::string text;
        for (int i = 0; i < depth; ++i)
            text += open;
        text += '2';
        text.append(std::size_t(depth), ')');
        return text;
    };
    EXPECT_EQ(Engine::evaluate(nested(200, "("), v), err::None);
    EXPECT_EQ(v, 2);
    EXPECT_EQ(Engine::evaluate(nested(200, "abs ("), v), err::None);
    EXPECT_EQ(v, 2);
    EXPECT_EQ(Engine::evaluate(nested(1000, "("), v), err::Syntax);
    EXPECT_EQ(Engine::evaluate(nested(1000, "abs("), v), err::Syntax);

    // Long sign chains: the last sign is glued to the number, the rest negate.
    std::string text(100001, '-');
    text += '1';
    EXPECT_EQ(Engine::evaluate(text, v), err::None);
    EXPECT_EQ(v, -1);
    text = std::string(100000, '(');
    EXPECT_EQ(Engine::evaluate(text, v), err::Syntax);
}

TEST(EngineTest, Statements)
{
    Engine engine;
    double zahl = 0, zahl2 = 0, zahl3 = 0, umkehr = 0;
    engine.bind("Zahl", &zahl);
    engine.bind("Zahl2", &zahl2);
    engine.bind("Zahl3", &zahl3);
    engine.bind("Umkehrfunktionswert", &umkehr);

    EXPECT_EQ(engine.execute("Form.Zahl = 1*-2^2"), err::None);
    EXPECT_EQ(zahl, 4);
    EXPECT_EQ(engine.execute("Form.zahl2=3"), err::None);
    EXPECT_EQ(zahl2, 3);
    EXPECT_EQ(engine.execute("  FORM.ZAHL2   =   7  "), err::None);
    EXPECT_EQ(zahl2, 7);
    EXPECT_EQ(engine.execute("form.umkehrfunktionswert =\t2"), err::None);
    EXPECT_EQ(umkehr, 2);
    // The expression starts after "=": a sign there is an ordinary unary minus.
    EXPECT_EQ(engine.execute("Form.Zahl =-2^2"), err::None);
    EXPECT_EQ(zahl, -4);
    EXPECT_EQ(engine.execute("Form.Zahl3 =(1*(1*2+0.000456)^2 - (1*2^2)) /0.000456"), err::None);
    EXPECT_NEAR(zahl3, 4.000456, 1e-9);
    EXPECT_EQ(zahl, -4) << "other targets stay untouched";

    // Rebinding a name, in any case, replaces the target.
    double other = 0;
    engine.bind("ZAHL", &other);
    EXPECT_EQ(engine.execute("Form.Zahl = 5"), err::None);
    EXPECT_EQ(other, 5);
    EXPECT_EQ(zahl, -4);

    for (const char* bad : {"Zahl2 = 1", "Form.Zahl2 1", "Form.=1", "Formular.Zahl2=1",
                            "Form .Zahl2=1", "Form.Zahl2 = ", "Form.Zahl2", "Form.Zahl22 = 1",
                            "Form.Zahl4 = 1", "Form.2 = 1", "Form.Zahl2 = 1 2", ""}) {
        EXPECT_EQ(engine.execute(bad), err::Syntax) << bad;
        EXPECT_EQ(zahl2, 7) << bad;
    }
}

TEST(EngineTest, FailureKeepsTargetAndErrorStaysReadable)
{
    Engine engine;
    double zahl = 1.5;
    engine.bind("Zahl", &zahl);
    EXPECT_EQ(engine.lastError(), err::None);

    EXPECT_EQ(engine.execute("Form.Zahl = 1/0"), err::DivisionByZero);
    EXPECT_EQ(zahl, 1.5);
    EXPECT_EQ(engine.lastError(), err::DivisionByZero);
    EXPECT_EQ(engine.lastError(), err::DivisionByZero) << "reading does not clear";
    engine.clearError();
    EXPECT_EQ(engine.lastError(), err::None);

    EXPECT_EQ(engine.execute("Form.Zahl = sqr(-4)"), err::InvalidArgument);
    EXPECT_EQ(engine.execute("Form.Zahl = exp(1000)"), err::Overflow);
    EXPECT_EQ(engine.lastError(), err::Overflow);
    EXPECT_EQ(engine.execute("Form.Zahl = 1/0 +"), err::Syntax);
    EXPECT_EQ(engine.execute("Form.Nichtda = 2"), err::Syntax);
    EXPECT_EQ(engine.lastError(), err::Syntax);
    EXPECT_EQ(zahl, 1.5);

    EXPECT_EQ(engine.execute("Form.Zahl = 2"), err::None);
    EXPECT_EQ(engine.lastError(), err::None);
    EXPECT_EQ(zahl, 2);
}

// Third forward difference quotient of 0.5x^3-2x^2-x+4 at x = 1.5, written
// out as the derivative curves build it: a long statement with f eight times.
TEST(EngineTest, LongDifferenceQuotient)
{
    auto shift = [](const std::string& t) {
        std::string out;
        for (char c : t)
            out += c == 'x' ? std::string("*(1x+0.000456)") : std::string(1, c);
        return out;
    };
    auto quotient = [&](const std::string& t, const char* minus, const char* tail) {
        std::string q = "(";
        q += shift(t);
        q += minus;
        q += t;
        q += tail;
        return q;
    };
    const std::string f = "0.5*1x^3-2*1x^2-1x+4";
    const std::string d1 = quotient(f, " - (", ")) /0.000456");
    const std::string d2 = quotient(d1, "-", ")/0.000456");
    const std::string d3 = quotient(d2, "-", ")/0.000456");
    std::string statement = "Form.zahl9 =";
    for (char c : d3)
        statement += c == 'x' ? std::string("*1.5") : std::string(1, c);
    std::string::size_type pos;
    while ((pos = statement.find("**")) != std::string::npos)
        statement.erase(pos, 1);

    Engine engine;
    double zahl9 = 0;
    engine.bind("zahl9", &zahl9);
    ASSERT_EQ(engine.execute(statement), err::None) << statement;
    EXPECT_NEAR(zahl9, 3.0, 1e-2);
}

TEST(EngineTest, GermanLocaleDoesNotChangeNumbers)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 not installed";

    double v = 0;
    EXPECT_EQ(Engine::evaluate("1.5", v), err::None);
    EXPECT_EQ(v, 1.5);
    EXPECT_EQ(Engine::evaluate("1*-2.5E-1^2", v), err::None);
    EXPECT_EQ(v, 0.0625);
    EXPECT_EQ(Engine::evaluate("2,5*2", v), err::Syntax);
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
