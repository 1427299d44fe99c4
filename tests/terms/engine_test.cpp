#include "terms/engine.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

using kw::Engine;
namespace err = kw::err;

struct Case {
    const char* text;
    double value;
    int error = err::None;
};

void expectAll(std::initializer_list<Case> cases)
{
    for (const Case& c : cases) {
        double v = -12345.0;
        EXPECT_EQ(Engine::evaluate(c.text, v), c.error) << c.text;
        EXPECT_DOUBLE_EQ(v, c.error ? -12345.0 : c.value) << c.text;
    }
}

TEST(EngineTest, PrecedenceAndNumbers)
{
    expectAll({
        {"2+3*4", 14}, {"10-4-3", 3}, {"8/4/2", 1}, {"2*3^2", 18}, {"2^3^2", 64},
        {"-2^2", -4}, {"(-2^2)", -4}, {"- 2 ^ 2 * 3", -12}, {"+3", 3}, {"(-2)^3", -8},
        {"-8^(1/3)", -2}, {"2^ -(1)", 0.5}, {"-2^-2", -0.25}, {"0^0", 1},
        {" .5 ", 0.5}, {"5.", 5}, {"1E-05", 1e-05}, {"2.5E+15", 2.5e15}, {"1e5", 1e5},
        {"1E-400", 0}, {"0.5*1*1.5^3-2*1*1.5^2-1*1.5+4", -0.3125},
    });
}

// "1x^2" at x = -2 arrives as "1*-2^2": a sign glued between an operator and
// a digit belongs to the number; with a blank it is an ordinary unary sign.
TEST(EngineTest, SignedNumberAfterOperator)
{
    expectAll({
        {"1*-2^2", 4}, {"1--2^2", -3}, {"1/-2^2", 0.25}, {"2^-2^2", 0.0625}, {"1*+2^2", 4},
        {"1*-.5^2", 0.25}, {"--2^2", -4}, {"1*--2^2", -4}, {"1 *-2^2", 4},
        {"sin(-2^2)", std::sin(-4.0)}, {"1- -2^2", 5}, {"1*- 2^2", -4},
        {"1*-8^0.5", 0, err::InvalidArgument},
    });
}

// However the engine reads a decimal, it must equal from_chars bit for bit.
TEST(EngineTest, NumbersMatchFromChars)
{
    std::uint64_t seed = 42;
    for (int i = 0; i < 3000; ++i) {
        std::string t = i % 2 ? "1" : "0.000000";
        for (int n = i % 41; n > 0; --n) {
            seed = seed * 6364136223846793005u + 1442695040888963407u;
            t += n == 20 && i % 2 ? '.' : char('0' + (seed >> 40) % 10);
        }
        double expected = 0, v = 0;
        std::from_chars(t.data(), t.data() + t.size(), expected);
        ASSERT_EQ(Engine::evaluate(t, v), err::None) << t;
        EXPECT_EQ(v, expected) << t;
    }
}

TEST(EngineTest, Functions)
{
    expectAll({
        {"SQR (2.25)", 1.5}, {"LOG(exp(2))", 2}, {"Exp(1)", std::exp(1.0)}, {"abs(-3)", 3},
        {"int(2.7)", 2}, {"Int(-1.5)", -2}, {"SIN(1)", std::sin(1.0)}, {"Cos(2)", std::cos(2.0)},
        {"tan(1)", std::tan(1.0)}, {"atn(1)*4", std::acos(-1.0)}, {"sgn(-3)", -1},
        {"sgn(0)", 0}, {"SGN(2.5)", 1},
    });
}

TEST(EngineTest, ErrorKinds)
{
    const int S = err::Syntax, Z = err::DivisionByZero, A = err::InvalidArgument,
              O = err::Overflow;
    expectAll({
        {"", 0, S}, {"  ", 0, S}, {"1+", 0, S}, {"(1", 0, S}, {"1)", 0, S}, {"1 2", 0, S},
        {"1**2", 0, S}, {"2,5*2", 0, S}, {"1E", 0, S}, {"1.5.2", 0, S}, {".", 0, S},
        {"2x", 0, S}, {"1 = 1", 0, S}, {"inf", 0, S}, {"X", 0, S}, {"a", 0, S}, {"e", 0, S},
        {"pi", 0, S}, {"sqrt(4)", 0, S}, {"sqr 4", 0, S}, {"sin", 0, S}, {"sin()", 0, S},
        {"1/0", 0, Z}, {"0/0", 0, Z}, {"0^-1", 0, Z}, {"0^(-0.5)", 0, Z},
        {"sqr(-1)", 0, A}, {"log(0)", 0, A}, {"log(-1)", 0, A}, {"(-8)^(1/3)", 0, A},
        {"exp(1000)", 0, O}, {"10^400", 0, O}, {"1E308*10", 0, O}, {"1E400", 0, O},
        {"0.00000000001E400", 0, O}, {"-1E308-1E308", 0, O}, {"1E200^2", 0, O},
        // the first run-time error counts; a syntax error anywhere beats it
        {"1/0 + sqr(-1)", 0, Z}, {"sqr(-1) + 1/0", 0, A}, {"1/0 +", 0, S}, {"sqr(-1)*x", 0, S},
        // underflow is no error
        {"exp(-1000)", 0}, {"1E-200^2", 0}, {"0.0000000001E-330", 0},
    });
}

TEST(EngineTest, NestingAndTextBounds)
{
    auto nested = [](int depth, const char* open) {
        std::string text;
        for (int i = 0; i < depth; ++i)
            text += open;
        text += '2';
        return text.append(std::size_t(depth), ')');
    };
    double v = 0;
    EXPECT_EQ(Engine::evaluate(nested(200, "abs ("), v), err::None);
    EXPECT_EQ(Engine::evaluate(nested(1000, "("), v), err::Syntax);
    EXPECT_EQ(Engine::evaluate(nested(1000, "sin("), v), err::Syntax);
    std::string signs(100001, '-');  // the last one is glued to the number
    EXPECT_EQ(Engine::evaluate(signs.append(1, '1'), v), err::None);
    EXPECT_EQ(v, -1);
    // The view's length ends the text, whatever follows in memory.
    EXPECT_EQ(Engine::evaluate(std::string_view("1+23", 3), v), err::None);
    EXPECT_EQ(v, 3);
    EXPECT_EQ(Engine::evaluate(std::string_view("1E50", 2), v), err::Syntax);
}

TEST(EngineTest, Statements)
{
    Engine engine;
    double zahl = 0, zahl2 = 0, zahl3 = 0;
    engine.bind("Zahl", &zahl);
    engine.bind("Zahl2", &zahl2);
    engine.bind("Zahl3", &zahl3);

    EXPECT_EQ(engine.execute("Form.Zahl = 1*-2^2"), err::None);
    EXPECT_EQ(zahl, 4);
    EXPECT_EQ(engine.execute("Form.zahl2=3"), err::None);
    EXPECT_EQ(zahl2, 3);
    EXPECT_EQ(engine.execute(" \tFORM.ZAHL2   =\t 7  "), err::None);
    EXPECT_EQ(zahl2, 7);
    EXPECT_EQ(engine.execute("Form.Zahl =-2^2"), err::None) << "sign after = is unary";
    EXPECT_EQ(zahl, -4);
    EXPECT_EQ(engine.execute("Form.Zahl3 =(1*(1*2+0.000456)^2 - (1*2^2)) /0.000456"), err::None);
    EXPECT_NEAR(zahl3, 4.000456, 1e-9);
    EXPECT_EQ(engine.execute(std::string_view("Form.Zahl3=12", 12)), err::None);
    EXPECT_EQ(zahl3, 1);

    for (const char* bad : {"Zahl2 = 1", "Form.Zahl2 1", "Form.=1", "Formular.Zahl2=1",
                            "Form .Zahl2=1", "Form.Zahl2 = ", "Form.Zahl22 = 1", "",
                            "Form.Zahl2 = 1/0", "Form.Zahl2 = exp(1000)"}) {
        EXPECT_NE(engine.execute(bad), err::None) << bad;
        EXPECT_EQ(zahl2, 7) << "target changed by " << bad;
    }

    // The error stays readable until cleared or replaced by the next statement.
    EXPECT_EQ(engine.lastError(), err::Overflow);
    EXPECT_EQ(engine.lastError(), err::Overflow);
    engine.clearError();
    EXPECT_EQ(engine.lastError(), err::None);
    EXPECT_EQ(engine.execute("Form.Nichtda = 2"), err::Syntax);
    EXPECT_EQ(engine.lastError(), err::Syntax);
    EXPECT_EQ(engine.execute("Form.Zahl2 = 2"), err::None);
    EXPECT_EQ(engine.lastError(), err::None);

    double other = 0;
    engine.bind("ZAHL", &other);  // rebinding in any case replaces the target
    EXPECT_EQ(engine.execute("Form.Zahl = 5"), err::None);
    EXPECT_EQ(other, 5);
    EXPECT_EQ(zahl, -4);
}

TEST(EngineTest, GermanLocaleDoesNotChangeNumbers)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 not installed";
    expectAll({{"1.5", 1.5}, {"1*-2.5E-1^2", 0.0625}, {"2,5*2", 0, err::Syntax}});
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
