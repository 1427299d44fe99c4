// One wheel notch at the largest default zoom: the redraw of the plane at
// 3600 × 3600 pixels plus painting the 541 × 458 view the window shows.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "core/context.h"
#include "gui/render.h"
#include "panel/main_panel.h"
#include "plane/mouse.h"

namespace {

void BM_WheelNotchAt3600(benchmark::State& state)
{
    kw::Ui ui;  // shows nothing
    kw::Context c(ui);
    kw::mainPanelLoad(c);
    c.s.Eingabe = "0,5*x^3-2*x^2-x+4";
    // The derivative curves draw once their procedures are in the redraw table.
    c.s.ableitungs_test = c.s.zweite_ableitungs_test = c.s.dritte_ableitungs_test = true;
    kw::zeichnen(c);

    QImage view(541, 458, QImage::Format_RGB32);
    for (auto _ : state) {
        c.w.sizex = c.w.sizey = 3480;
        kw::MouseWheel(c, 120);
        // The view in the middle of the plane, where the origin and the curves are.
        const QRectF shown((3600 - 541) / 2, (3600 - 458) / 2, 541, 458);
        QPainter painter(&view);
        painter.translate(-shown.topLeft());
        kw::paintPlane(painter, c.ebene, shown);
        painter.end();
        benchmark::DoNotOptimize(view.constBits());
    }
    state.counters["items"] = double(c.ebene.items().size());
}
BENCHMARK(BM_WheelNotchAt3600)->Unit(benchmark::kMillisecond);

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
