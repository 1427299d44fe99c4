// One whole redraw as the program does it after "Zeichnen", without painting
// a window: coordinate system, graph and the switched-on overlays.

#include <benchmark/benchmark.h>

#include "panel/context.h"
#include "panel/main_panel.h"
#include "terms/redraw.h"

namespace {

// Shows nothing and answers nothing.
class SilentUi : public kw::Ui {
public:
    void message(std::string_view, std::string_view) override {}
    using Ui::message;
    std::optional<std::string> input(std::string_view, std::string_view, std::string_view) override
    {
        return std::nullopt;
    }
    void setProgressMaximum(double) override {}
    void setProgressValue(double) override {}
    void setStatus(int, std::string_view) override {}
    void planeChanged() override {}
    void fieldsChanged() override {}
};

// Graph, all three derivatives, the tangent and the inverse function, with the
// default range and quality.
void BM_RedrawWithAnalysisCurves(benchmark::State& state)
{
    SilentUi ui;
    kw::Context c(ui);
    kw::mainPanelLoad(c);
    c.s.Eingabe = "0,5*x^3-2*x^2-x+4";
    c.s.ableitungs_test = c.s.zweite_ableitungs_test = c.s.dritte_ableitungs_test = true;
    c.s.tangente_test = c.s.Umkehrfunktion_test = true;
    for (auto _ : state) {
        kw::Zeichnen_click(c);
        benchmark::DoNotOptimize(c.ebene.items().data());
    }
    state.counters["items"] = double(c.ebene.items().size());
}
BENCHMARK(BM_RedrawWithAnalysisCurves)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
