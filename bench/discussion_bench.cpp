// The whole curve discussion of school terms over the default range -20 to 20:
// the symbolic derivatives, domain, symmetry, the three searches, the ends and
// the value table. Then the symbolic derivatives alone.

#include <benchmark/benchmark.h>

#include "discussion/discussion.h"
#include "symbolic/derivative.h"
#include "terms/normalize.h"

namespace {

const char* const kTerms[] = {"0,5x^3-2x^2-x+4", "x^3/(x-2)", "x^2*e^(-x)", "sin(x*12)/5+cos(x-1)*3"};

void BM_Discussion(benchmark::State& state)
{
    const char* term = kTerms[state.range(0)];
    const std::string xterm = kw::string_richten(term);
    for (auto _ : state)
        benchmark::DoNotOptimize(kw::discuss(term, xterm, -20, 20, nullptr));
    state.SetLabel(term);
}
BENCHMARK(BM_Discussion)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_SymbolicDerivatives(benchmark::State& state)
{
    const char* term = kTerms[state.range(0)];
    const std::string xterm = kw::string_richten(term);
    for (auto _ : state)
        benchmark::DoNotOptimize(kw::symbolic::derivativesOf(xterm));
    state.SetLabel(term);
}
BENCHMARK(BM_SymbolicDerivatives)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
