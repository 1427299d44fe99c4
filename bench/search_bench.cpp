// The analysis reports over the default range -20 to 20: the zero search and
// the extrema search walk 4001 grid points each, one or two engine statements
// per point; the inflection search adds up to six more; the value table is a
// few dozen statements.

#include <benchmark/benchmark.h>

#include "analysis/extrema.h"
#include "analysis/value_table.h"
#include "analysis/zeros.h"
#include "core/context.h"
#include "panel/main_panel.h"

namespace {

const char* const kTerms[] = {"(x-1)^3-3*(x-1)", "0,5*x^3-2*x^2-x+4", "sin(x*12)/5+cos(x-1)*3",
                              "(exp(x)-1)/(exp(x)+1)"};

// A context that has drawn the term with the default range.
struct Drawn {
    kw::Ui ui;  // shows nothing
    kw::Context c{ui};
    explicit Drawn(const char* term)
    {
        kw::mainPanelLoad(c);
        c.s.Eingabe = term;
        kw::zeichnen(c);
    }
};

void BM_Nullstellen(benchmark::State& state)
{
    Drawn d(kTerms[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(kw::nullstellenBericht(d.c));
    state.SetLabel(kTerms[state.range(0)]);
    state.SetItemsProcessed(state.iterations() * 4001);
}
BENCHMARK(BM_Nullstellen)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_Extrema(benchmark::State& state)
{
    Drawn d(kTerms[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(kw::extremaBericht(d.c));
    state.SetLabel(kTerms[state.range(0)]);
    state.SetItemsProcessed(state.iterations() * 4001);
}
BENCHMARK(BM_Extrema)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_Wendepunkte(benchmark::State& state)
{
    Drawn d(kTerms[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(kw::wendepunkteBericht(d.c));
    state.SetLabel(kTerms[state.range(0)]);
    state.SetItemsProcessed(state.iterations() * 4001);
}
BENCHMARK(BM_Wendepunkte)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_WerteTabelle(benchmark::State& state)
{
    Drawn d(kTerms[0]);
    d.c.s.ableitungs_test = true;
    for (auto _ : state)
        benchmark::DoNotOptimize(kw::Werte_Tabelle(d.c));
}
BENCHMARK(BM_WerteTabelle)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
