// The analysis reports over the default range -20 to 20: the zero search and
// the extrema search walk 4001 grid points each, the Newton step and the
// searched quantity per point; the inflection search takes f'', f''' and a
// step; the value table is a few dozen statements. The intersection search
// walks the same grid for all 42 ordered pairs of seven terms, the Newton step
// and the difference per pair and point. Then the searches over wide ranges,
// from the text and compiled side by side.

#include <benchmark/benchmark.h>

#include <string>
#include <tuple>

#include "analysis/extrema.h"
#include "analysis/value_table.h"
#include "analysis/zeros.h"
#include "areas/integral.h"
#include "areas/intersections.h"
#include "core/context.h"
#include "panel/main_panel.h"
#include "terms/normalize.h"

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
        c.state.main.Eingabe = term;
        kw::drawFromPanel(c);
    }
};

void BM_Nullstellen(benchmark::State& state)
{
    Drawn d(kTerms[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(kw::zerosReport(d.c));
    state.SetLabel(kTerms[state.range(0)]);
    state.SetItemsProcessed(state.iterations() * 4001);
}
BENCHMARK(BM_Nullstellen)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_Extrema(benchmark::State& state)
{
    Drawn d(kTerms[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(kw::extremaReport(d.c));
    state.SetLabel(kTerms[state.range(0)]);
    state.SetItemsProcessed(state.iterations() * 4001);
}
BENCHMARK(BM_Extrema)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_Wendepunkte(benchmark::State& state)
{
    Drawn d(kTerms[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(kw::inflectionsReport(d.c));
    state.SetLabel(kTerms[state.range(0)]);
    state.SetItemsProcessed(state.iterations() * 4001);
}
BENCHMARK(BM_Wendepunkte)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_WerteTabelle(benchmark::State& state)
{
    Drawn d(kTerms[0]);
    d.c.state.overlays.ableitungs_test = true;
    for (auto _ : state)
        benchmark::DoNotOptimize(kw::Werte_Tabelle(d.c));
}
BENCHMARK(BM_WerteTabelle)->Unit(benchmark::kMicrosecond);

const std::vector<std::string> kSieben = {"x^2",        "2x",       "sin(x)", "0,5*x^3-2*x^2-x+4",
                                          "exp(0,1x)", "1/x",      "abs(x)-3"};

// All 42 ordered pairs at once, as "Schnittpunkte berechnen" searches them.
void BM_Schnittpunkte(benchmark::State& state)
{
    const auto pairs = kw::allPairs(kSieben.size());
    std::size_t found = 0;
    for (auto _ : state)
        found = kw::findIntersections(kSieben, pairs, -20, 20, nullptr).points.size();
    state.SetLabel(std::to_string(found) + " Schnittpunkte");
    state.SetItemsProcessed(state.iterations() * 4001 * std::int64_t(pairs.size()));
}
BENCHMARK(BM_Schnittpunkte)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same, the statements read from their text: the reference.
// The area calculator's two integrals (signed and |f|) over the default range,
// over a wide one, and through a pole, where the halvings run out.
void BM_Integral(benchmark::State& state)
{
    static const std::tuple<const char*, double, double> kCases[] = {
        {"0,5*x^3-2*x^2-x+4", -20, 20}, {"sin(x*12)/5+cos(x-1)*3", -20, 20},
        {"sin(x*12)/5+cos(x-1)*3", 0, 1e4}, {"1/(x-2)", 0, 3}};
    const auto [term, a, b] = kCases[state.range(0)];
    const std::string xterm = kw::string_richten(term);
    for (auto _ : state) {
        benchmark::DoNotOptimize(kw::integrate(xterm, a, b));
        benchmark::DoNotOptimize(kw::integrate(xterm, a, b, true));
    }
    state.SetLabel(std::string(term) + " from " + std::to_string(a) + " to " + std::to_string(b));
}
BENCHMARK(BM_Integral)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_SchnittpunkteText(benchmark::State& state)
{
    const auto pairs = kw::allPairs(kSieben.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(
            kw::findIntersections(kSieben, pairs, -20, 20, nullptr, {.fromText = true}));
    state.SetItemsProcessed(state.iterations() * 4001 * std::int64_t(pairs.size()));
}
BENCHMARK(BM_SchnittpunkteText)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same pairs one after the other, each alone: on one core.
void BM_SchnittpunkteEinzeln(benchmark::State& state)
{
    const auto pairs = kw::allPairs(kSieben.size());
    for (auto _ : state)
        for (const auto& pair : pairs)
            benchmark::DoNotOptimize(
                kw::findIntersections(kSieben, std::span(&pair, 1), -20, 20, nullptr));
    state.SetItemsProcessed(state.iterations() * 4001 * std::int64_t(pairs.size()));
}
BENCHMARK(BM_SchnittpunkteEinzeln)->Unit(benchmark::kMillisecond)->UseRealTime();

// Wide ranges, side by side: the statements read from their text on one
// thread, compiled on one thread, compiled on both cores.
enum Way { Text, Compiled, TwoThreads };

kw::GridLimits limitsFor(Way way)
{
    kw::GridLimits limits;
    limits.fromText = way == Text;
    if (way != TwoThreads)
        limits.splitFrom = kw::kNeverSplit;
    return limits;
}

template <class Search>
void wide(benchmark::State& state, Search search, double from, double to, Way way)
{
    const std::string xterm = kw::string_richten(kTerms[1]);
    std::int64_t points = 0;
    for (auto _ : state) {
        auto found = search(xterm, from, to, nullptr, limitsFor(way));
        points = found.outcome.points;
        benchmark::DoNotOptimize(found.points.data());
    }
    state.SetItemsProcessed(state.iterations() * points);
    state.counters["per_point"] = benchmark::Counter(
        double(points), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Each search and range three ways, named like "extrema_1000_text".
const bool kWideRegistered = [] {
    const auto extrema = [](auto&&... a) { return kw::findExtrema(a...); };
    const auto inflections = [](auto&&... a) { return kw::findInflections(a...); };
    const std::pair<const char*, Way> ways[] = {
        {"text", Text}, {"compiled", Compiled}, {"two_threads", TwoThreads}};
    for (const char* range : {"1000", "5000"}) {
        const double r = std::stod(range);
        for (auto [way, how] : ways) {
            const std::string tail = std::string("_") + range + "_" + way;
            benchmark::RegisterBenchmark(("wide/extrema" + tail).c_str(), wide<decltype(extrema)>,
                                         extrema, -r, r, how)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("wide/inflection" + tail).c_str(),
                                         wide<decltype(inflections)>, inflections, -r, r, how)
                ->Unit(benchmark::kMillisecond);
        }
    }
    // Ended by the 10-million-point limit; the text path takes about a minute.
    for (auto [way, how] : ways) {
        auto* limit = benchmark::RegisterBenchmark((std::string("wide/extrema_limit_") + way).c_str(),
                                                   wide<decltype(extrema)>, extrema, -1e6, 1e6, how);
        limit->Unit(benchmark::kMillisecond);
        if (how == Text)
            limit->Iterations(1);
    }
    benchmark::RegisterBenchmark("wide/inflection_limit_two_threads", wide<decltype(inflections)>,
                                 inflections, -1e6, 1e6, TwoThreads)
        ->Unit(benchmark::kMillisecond);
    const auto zeros = [](auto&&... a) { return kw::findZeros(a...); };
    benchmark::RegisterBenchmark("wide/zeros_limit_two_threads", wide<decltype(zeros)>, zeros,
                                 -1e6, 1e6, TwoThreads)
        ->Unit(benchmark::kMillisecond);
    return true;
}();

// Zeros, extrema and inflection points over -1000 … 1000: the three searches
// one after the other, and in one walk as the curve discussion runs them.
void BM_DreiSuchen(benchmark::State& state)
{
    const std::string xterm = kw::string_richten(kTerms[2]);
    for (auto _ : state) {
        if (state.range(0)) {
            benchmark::DoNotOptimize(kw::findCurvePoints(xterm, -1000, 1000, nullptr));
        } else {
            benchmark::DoNotOptimize(kw::findZeros(xterm, -1000, 1000, nullptr));
            benchmark::DoNotOptimize(kw::findExtrema(xterm, -1000, 1000, nullptr));
            benchmark::DoNotOptimize(kw::findInflections(xterm, -1000, 1000, nullptr));
        }
    }
    state.SetLabel(state.range(0) ? "one walk" : "apart");
}
BENCHMARK(BM_DreiSuchen)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
