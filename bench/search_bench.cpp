// The analysis reports over the default range -20 to 20: the zero search and
// the extrema search walk 4001 grid points each, one or two engine statements
// per point; the inflection search adds up to six more; the value table is a
// few dozen statements. The intersection search walks the same grid for all 42
// ordered pairs of seven terms, one Newton statement per pair and point.

#include <benchmark/benchmark.h>

#include "analysis/extrema.h"
#include "analysis/value_table.h"
#include "analysis/zeros.h"
#include "areas/intersections.h"
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

const std::vector<std::string> kSieben = {"x^2",        "2x",       "sin(x)", "0,5*x^3-2*x^2-x+4",
                                          "exp(0,1x)", "1/x",      "abs(x)-3"};

// All 42 ordered pairs at once, as "Schnittpunkte berechnen" searches them.
void BM_Schnittpunkte(benchmark::State& state)
{
    const auto pairs = kw::allePaare(kSieben.size());
    std::size_t found = 0;
    for (auto _ : state)
        found = kw::findSchnittpunkte(kSieben, pairs, -20, 20, nullptr).points.size();
    state.SetLabel(std::to_string(found) + " Schnittpunkte");
    state.SetItemsProcessed(state.iterations() * 4001 * std::int64_t(pairs.size()));
}
BENCHMARK(BM_Schnittpunkte)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same pairs one after the other, each alone: on one core.
void BM_SchnittpunkteEinzeln(benchmark::State& state)
{
    const auto pairs = kw::allePaare(kSieben.size());
    for (auto _ : state)
        for (const auto& pair : pairs)
            benchmark::DoNotOptimize(
                kw::findSchnittpunkte(kSieben, std::span(&pair, 1), -20, 20, nullptr));
    state.SetItemsProcessed(state.iterations() * 4001 * std::int64_t(pairs.size()));
}
BENCHMARK(BM_SchnittpunkteEinzeln)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
