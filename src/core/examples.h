#pragma once

#include <array>
#include <string_view>

namespace kw {

class Context;

// The example terms "Zufall f(x)" picks from.
inline constexpr std::array<std::string_view, 21> kExamples{
    "sin(x)+1/x",
    "0,5*x^3-2*x^2-x+4",
    "1/sqr(x^2+0,1)",
    "exp(x)",
    "-x/2-tan(x*2)",
    "abs(cos(x))*4-2",
    "sin(x*12)/5+cos(x-1)*3+sin(x*2)/4",
    "1,5*x-0,75",
    "sqr(x)",
    "exp(x)/(sqr(x))",
    "log(abs(1/x))",
    "1/x",
    "x^2",
    "cos(x)",
    "sin(50/x)*x",
    "exp(0,003x^3)+exp(2x^1)-exp(x)",
    "(exp(x)-1)/(exp(x)+1)",
    "(x^3)/(x-2)",
    "2,5*(exp(0.0247789x)+exp(-0.0247789x))",
    "0,25x^3+0,5x^2-2",
    "(1x^3-8)/(4x)",
};

// "Zufall f(x)": a random example into the term field; nothing is drawn.
void randomExample(Context& c);

}  // namespace kw
