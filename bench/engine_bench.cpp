// Parse-and-evaluate cost per statement: our engine against muparser, both
// reading the same text from scratch on every iteration. And the cost per
// sample of a curve: the statement built as text and read by the engine,
// against the statement compiled once.

#include "terms/compiled.h"
#include "terms/difference_quotient.h"
#include "terms/engine.h"
#include "terms/normalize.h"
#include "terms/substitution.h"

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::string replaceAll(std::string s, const std::string& from, const std::string& to)
{
    std::string out;
    std::string::size_type pos = 0, hit;
    while ((hit = s.find(from, pos)) != std::string::npos) {
        out.append(s, pos, hit - pos);
        out += to;
        pos = hit + from.size();
    }
    out.append(s, pos);
    return out;
}

// Puts a number in place of every x, the way the graph pass does; "exp" is
// masked so that its x survives.
std::string substitute(const std::string& term, const std::string& x)
{
    std::string s = replaceAll(term, "exp", "eyp");
    s = replaceAll(replaceAll(s, "x", "*" + x), "**", "*");
    return replaceAll(s, "eyp", "exp");
}

// Third forward difference quotient of f with step 0.000456, as the
// derivative curves build it.
std::string thirdDifferenceQuotient(const std::string& f)
{
    const std::string h = "0.000456";
    auto shift = [&](const std::string& t) { return replaceAll(t, "x", "*(1x+" + h + ")"); };
    auto quotient = [&](const std::string& t, const char* minus, const char* tail) {
        std::string q = "(";
        q += shift(t);
        q += minus;
        q += t;
        q += tail;
        q += h;
        return q;
    };
    const std::string d1 = quotient(f, " - (", ")) /");
    const std::string d2 = quotient(d1, "-", ")/");
    return quotient(d2, "-", ")/");
}

// About 100 characters: a polynomial with sin and exp at a negative x.
const std::string kShort =
    substitute("0.5*1x^3-2*1x^2-1x+4+sin(1x)/exp(1x)", "-1.234567891");
const std::string kLong = substitute(thirdDifferenceQuotient("0.5*1x^3-2*1x^2-1x+4"), "1.5");

void setCounters(benchmark::State& state, const std::string& text)
{
    state.counters["chars"] = double(text.size());
    state.counters["per_char"] = benchmark::Counter(
        double(text.size()), benchmark::Counter::kIsIterationInvariantRate
                                 | benchmark::Counter::kInvert);
}

void engineStatement(benchmark::State& state, const std::string& expression)
{
    kw::Engine engine;
    double numberText = 0;
    engine.bind("Zahl3", &numberText);
    const std::string statement = "Form.Zahl3 =" + expression;
    if (engine.execute(statement) != kw::err::None) {
        state.SkipWithError("engine rejects the statement");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine.execute(statement));
        benchmark::DoNotOptimize(numberText);
    }
    setCounters(state, statement);
}

void engineExpression(benchmark::State& state, const std::string& expression)
{
    double v = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kw::Engine::evaluate(expression, v));
        benchmark::DoNotOptimize(v);
    }
    setCounters(state, expression);
}

void muparserExpression(benchmark::State& state, const std::string& expression)
{
    mu::Parser parser;
    for (auto _ : state) {
        try {
            parser.SetExpr(expression);
            benchmark::DoNotOptimize(parser.Eval());
        } catch (const mu::Parser::exception_type& e) {
            state.SkipWithError(e.GetMsg().c_str());
            break;
        }
    }
    setCounters(state, expression);
}

BENCHMARK_CAPTURE(engineStatement, short, kShort);
BENCHMARK_CAPTURE(engineExpression, short, kShort);
BENCHMARK_CAPTURE(muparserExpression, short, kShort);
BENCHMARK_CAPTURE(engineStatement, long, kLong);
BENCHMARK_CAPTURE(engineExpression, long, kLong);
BENCHMARK_CAPTURE(muparserExpression, long, kLong);

// The x of one pass over the default range at quality 50.
std::vector<double> samples()
{
    std::vector<double> xs;
    for (double x = -20; x <= 20; x += 0.02)
        xs.push_back(x);
    return xs;
}

// The statements of the graph of f and of its third derivative.
kw::Substitution curveTerm(bool third)
{
    const std::string xterm = kw::string_richten("0,5*x^3-2*x^2-x+4");
    if (!third)
        return kw::Substitution(xterm);
    const std::string d1 = kw::firstQuotient(kw::maskExp(xterm));
    return kw::Substitution(kw::nextQuotient(kw::nextQuotient(d1)),
                            {.maskExp = false, .collapseStars = true});
}

void perSample(benchmark::State& state, bool third, bool compiled)
{
    const kw::Substitution term = curveTerm(third);
    kw::Compiled statement({term.pattern()}, !compiled);
    const std::vector<double> xs = samples();
    std::string text;
    double v = 0;
    for (auto _ : state) {
        for (double x : xs) {
            if (compiled) {
                v = statement.evaluate(x).value;
            } else {
                text.clear();
                term.appendTo(text, x);
                kw::Engine::evaluate(text, v);
            }
            benchmark::DoNotOptimize(v);
        }
    }
    state.counters["per_sample"] = benchmark::Counter(
        double(xs.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK_CAPTURE(perSample, f_text, false, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(perSample, f_compiled, false, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(perSample, f3_text, true, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(perSample, f3_compiled, true, true)->Unit(benchmark::kMicrosecond);

// A number put into a statement: its text written and read back.
void writtenNumber(benchmark::State& state)
{
    const std::vector<double> xs = samples();
    for (auto _ : state)
        for (double x : xs)
            benchmark::DoNotOptimize(kw::written(x));
    state.counters["per_number"] = benchmark::Counter(
        double(xs.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(writtenNumber)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (std::getenv("KW_BENCH_SHOW_TEXT")) {
        std::cout << kShort << "\n" << kLong << "\n";
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
