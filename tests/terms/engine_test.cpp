#include "terms/engine.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <random>
#include <string>

namespace {

using kw::Engine;
namespace err = kw::err;

struct Case { const char* text; double value; int error = err::None; };

void expectAll(std::initializer_list<Case> cases)
{
    for (const Case& c : cases) {
        double v = -12345.0;  // must stay untouched on failure
        EXPECT_EQ(Engine::evaluate(c.text, v), c.error) << c.text;
        EXPECT_DOUBLE_EQ(v, c.error ? -12345.0 : c.value) << c.text;
    }
}

TEST(EngineTest, PrecedenceSignsNumbersFunctionsAndErrorKinds)
{
    expectAll({
        {"2+3*4", 14}, {"10-4-3", 3}, {"8/4/2", 1}, {"2^3^2", 64}, {"-2^2", -4},
        {"- 2 ^ 2 * 3", -12}, {"(-2)^3", -8}, {"2^ -(1)", 0.5}, {"-2^-2", -0.25},
        {" .5 ", 0.5}, {"1E-05", 1e-05}, {"2.5E+15", 2.5e15}, {"1E-400", 0},
        {"SQR (2.25)", 1.5}, {"LOG(exp(2))", 2}, {"Int(-1.5)", -2}, {"Cos(2)", std::cos(2.0)},
        {"atn(1)*4", std::acos(-1.0)}, {"sgn(-3)", -1}, {"sgn(0)", 0},
        // "1x^2" at x = -2 arrives as "1*-2^2": a sign glued between an operator and
        // a digit belongs to the number; with a blank it is an ordinary unary sign.
        {"1*-2^2", 4}, {"1--2^2", -3}, {"2^-2^2", 0.0625}, {"1*-.5^2", 0.25}, {"--2^2", -4},
        {"1*--2^2", -4}, {"1- -2^2", 5}, {"1*- 2^2", -4}, {"1*-8^0.5", 0, err::InvalidArgument},
    });
    const int S = err::Syntax, Z = err::DivisionByZero, A = err::InvalidArgument, O = err::Overflow;
    expectAll({
        {"", 0, S}, {"1+", 0, S}, {"(1", 0, S}, {"1 2", 0, S}, {"2,5*2", 0, S}, {"1.5.2", 0, S},
        {"X", 0, S}, {"a", 0, S}, {"e", 0, S}, {"sqr 4", 0, S}, {"sin()", 0, S}, {"1/0", 0, Z},
        {"0/0", 0, Z}, {"0^-1", 0, Z}, {"sqr(-1)", 0, A}, {"log(0)", 0, A}, {"(-8)^(1/3)", 0, A},
        {"exp(1000)", 0, O}, {"10^400", 0, O}, {"1E400", 0, O},
        // the first run-time error counts; a syntax error anywhere beats it
        {"1/0 + sqr(-1)", 0, Z}, {"sqr(-1) + 1/0", 0, A}, {"1/0 +", 0, S},
        {"exp(-1000)", 0}, {"1E-200^2", 0},  // underflow is no error
    });
}

// However the engine reads a decimal, it must equal from_chars bit for bit, also
// under the German locale Qt may set.
TEST(EngineTest, NumbersMatchFromCharsUnderAGermanLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");  // where installed
    std::mt19937_64 random(42);
    for (int i = 0; i < 3000; ++i) {
        // Plain decimals of up to 43 digits: read exactly by a fast path or handed on.
        const std::string t = std::to_string(i % 3 ? random() % 1000 : 0) + "." +
                              (std::to_string(random()) + std::to_string(random())).substr(0, i % 40);
        double expected = 0, v = 0;
        std::from_chars(t.data(), t.data() + t.size(), expected);
        EXPECT_EQ(Engine::evaluate(t, v) == err::None ? v : NAN, expected) << t;
    }
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(EngineTest, DeepNestingAndTextBounds)
{
    auto nested = [](int depth) { return std::string(depth, '(') + '2' + std::string(depth, ')'); };
    double v = 0;
    EXPECT_EQ(Engine::evaluate(nested(200), v), err::None);
    EXPECT_EQ(Engine::evaluate(nested(1000), v), err::Syntax);  // refused, not a stack overflow
    EXPECT_EQ(Engine::evaluate(std::string(100000, '-') + "-1", v), err::None);
    EXPECT_EQ(v, -1);
    // The view's length ends the text, whatever follows in memory.
    EXPECT_EQ(Engine::evaluate(std::string_view("1E50", 2), v), err::Syntax);
}

TEST(EngineTest, StatementsLeaveTheTargetAloneOnFailure)
{
    Engine engine;
    double numberText = 7;
    engine.bind("Zahl", &numberText);
    for (const char* bad : {"Zahl = 1", "Form .Zahl=1", "Form.Zahl2 = 1", "Form.Zahl = 1/0",
                            "Form.Zahl = exp(1000)"}) {
        EXPECT_NE(engine.execute(bad), err::None) << bad;
        EXPECT_EQ(numberText, 7) << "target changed by " << bad;
    }
    // The error stays readable until cleared or replaced by the next statement.
    EXPECT_EQ(engine.lastError(), err::Overflow);
    engine.clearError();
    EXPECT_EQ(engine.lastError(), err::None);
    EXPECT_EQ(engine.execute(" \tFORM.ZAHL   =\t 1*-2^2  "), err::None);
    EXPECT_EQ(numberText, 4);
}

}  // namespace
