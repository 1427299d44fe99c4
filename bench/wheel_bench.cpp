// One wheel notch at the largest default zoom: the redraw of the plane at
// 3600 × 3600 pixels plus painting the 541 × 458 view the window shows; and
// one to the largest plane, with the statements as text and compiled.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "core/context.h"
#include "gui/render.h"
#include "panel/main_panel.h"
#include "plane/mouse.h"

namespace {

// One notch from `before` pixels and painting the 541 × 458 view in the middle
// of the plane, where the origin and the curves are.
void notch(benchmark::State& state, kw::Context& c, int before, int side)
{
    QImage view(541, 458, QImage::Format_RGB32);
    for (auto _ : state) {
        c.state.picture.sizex = c.state.picture.sizey = before;
        kw::MouseWheel(c, 120);
        const QRectF shown((side - 541) / 2, (side - 458) / 2, 541, 458);
        QPainter painter(&view);
        painter.translate(-shown.topLeft());
        kw::paintPlane(painter, c.plane, shown);
        painter.end();
        benchmark::DoNotOptimize(view.constBits());
    }
    state.counters["side"] = c.state.picture.sizex;
    state.counters["items"] = double(c.plane.items().size());
}

void BM_WheelNotchAt3600(benchmark::State& state)
{
    kw::Ui ui;  // shows nothing
    kw::Context c(ui);
    kw::mainPanelLoad(c);
    c.state.main.Eingabe = "0,5*x^3-2*x^2-x+4";
    // The derivative curves draw once their procedures are in the redraw table.
    c.state.overlays.ableitungs_test = c.state.overlays.zweite_ableitungs_test = c.state.overlays.dritte_ableitungs_test = true;
    kw::drawFromPanel(c);
    notch(state, c, 3480, 3600);
}
BENCHMARK(BM_WheelNotchAt3600)->Unit(benchmark::kMillisecond);

// One notch to the largest plane, 9600 pixels (range -100 to 100, 10001
// samples per curve), with or without the derivative curves, whose statements
// go to the engine as text or compiled.
void wheelAt9600(benchmark::State& state, bool derivatives, bool compiled)
{
    kw::Ui ui;
    kw::Context c(ui);
    kw::mainPanelLoad(c);
    c.engine.setCompiles(compiled);
    c.state.main.Eingabe = "0,5*x^3-2*x^2-x+4";
    c.state.main.x_eingabe = "-100";
    c.state.main.y_eingabe = "100";
    c.state.overlays.ableitungs_test = c.state.overlays.zweite_ableitungs_test = c.state.overlays.dritte_ableitungs_test = derivatives;
    kw::drawFromPanel(c);
    notch(state, c, 9360, 9600);  // outside the standard range a notch adds 120 twice
}
BENCHMARK_CAPTURE(wheelAt9600, f_text, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(wheelAt9600, f_compiled, false, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(wheelAt9600, derivatives_text, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(wheelAt9600, derivatives_compiled, true, true)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // fonts for the labels
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
