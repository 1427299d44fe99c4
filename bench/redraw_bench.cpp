// Time of whole redraws without window painting, of rendering the plane, and
// of writing it as a PNG picture.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>

#include <algorithm>
#include <chrono>
#include <string>

#include "core/context.h"
#include "gui/plane_png.h"
#include "gui/render.h"
#include "panel/main_panel.h"
#include "scene/redraw.h"

namespace {

// "Zeichnen" with the term, the default range -20 … 20 and quality 50.
void redraw(benchmark::State& state, const char* term)
{
    kw::Ui ui;  // shows nothing
    kw::Context c(ui);
    kw::mainPanelLoad(c);
    c.state.main.Eingabe = term;
    for (auto _ : state) {
        kw::Zeichnen_click(c);
        benchmark::DoNotOptimize(c.plane.items().data());
    }
    state.counters["items"] = double(c.plane.items().size());
}
BENCHMARK_CAPTURE(redraw, parabola, "x^2")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(redraw, cubic, "0,5*x^3-2*x^2-x+4")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(redraw, root, "sqr(4-x^2)")->Unit(benchmark::kMillisecond);

// Graph, all three derivatives, the tangent and the inverse function, with the
// default range and quality.
void redrawWithAnalysisCurves(benchmark::State& state)
{
    kw::Ui ui;
    kw::Context c(ui);
    kw::mainPanelLoad(c);
    c.state.main.Eingabe = "0,5*x^3-2*x^2-x+4";
    c.state.overlays.ableitungs_test = c.state.overlays.zweite_ableitungs_test = c.state.overlays.dritte_ableitungs_test = true;
    c.state.overlays.tangente_test = c.state.overlays.Umkehrfunktion_test = true;
    for (auto _ : state) {
        kw::Zeichnen_click(c);
        benchmark::DoNotOptimize(c.plane.items().data());
    }
    state.counters["items"] = double(c.plane.items().size());
}
BENCHMARK(redrawWithAnalysisCurves)->Unit(benchmark::kMillisecond);

// The longest term the program takes, "x+x-x+…" of 2000 characters, with all
// three derivatives on the largest plane (9600 pixels, range -800 … 800): how
// long the window goes at most without looking for Esc once the drawing shows
// its progress. The stand-in for the user presses Esc after five seconds.
class Watch : public kw::Ui {
public:
    using Clock = std::chrono::steady_clock;
    Clock::time_point start = Clock::now(), last;
    Clock::duration longest{};
    int looks = 0;

    void searchStarted() override
    {
        last = Clock::now();
        longest = std::max(longest, last - start);  // the time before the first look
    }
    bool stopRequested() override
    {
        const auto now = Clock::now();
        longest = std::max(longest, now - last);
        last = now;
        ++looks;
        return now - start > std::chrono::seconds(5);
    }
};

void longestTermAnswersEsc(benchmark::State& state)
{
    std::string term = "x";
    while (term.size() + 4 <= 2000)
        term += "+x-x";
    for (auto _ : state) {
        Watch ui;
        kw::Context c(ui);
        kw::mainPanelLoad(c);
        c.state.main.Eingabe = term;
        c.state.main.x_eingabe = "-800";
        c.state.main.y_eingabe = "800";
        c.state.overlays.ableitungs_test = c.state.overlays.zweite_ableitungs_test = c.state.overlays.dritte_ableitungs_test = true;
        ui.start = ui.last = Watch::Clock::now();
        kw::Zeichnen_click(c);
        state.counters["longest_ms"] =
            std::chrono::duration<double, std::milli>(ui.longest).count();
        state.counters["looks"] = ui.looks;
        state.counters["plane"] = c.plane.width();
    }
}
BENCHMARK(longestTermAnswersEsc)->Iterations(1)->Unit(benchmark::kSecond);

// Rendering the whole default plane into a reused image (export, printing).
void renderWholePlane(benchmark::State& state)
{
    kw::Ui ui;  // shows nothing
    kw::Context c(ui);
    kw::mainPanelLoad(c);
    c.state.main.Eingabe = "x^2";
    kw::Zeichnen_click(c);
    QImage image;
    for (auto _ : state) {
        kw::renderPlane(c.plane, image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(renderWholePlane)->Unit(benchmark::kMillisecond);

// A PNG picture of the drawn plane, written into memory: the whole image and
// Qt's writer with its default settings, against bands and a fast zlib level.
void exportPng(benchmark::State& state, const char* range, bool bands)
{
    kw::Ui ui;  // shows nothing
    kw::Context c(ui);
    kw::mainPanelLoad(c);
    c.state.main.Eingabe = "0,5*x^3-2*x^2-x+4";
    c.state.main.x_eingabe = QByteArray("-").append(range).toStdString();
    c.state.main.y_eingabe = range;
    kw::drawFromPanel(c);
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer file;
        file.open(QIODevice::WriteOnly);
        if (bands) {
            kw::writePlanePng(c.plane, file);
        } else {
            QImage image;
            kw::renderPlane(c.plane, image);
            QImageWriter(&file, "png").write(image);
        }
        bytes = file.size();
    }
    state.counters["side"] = c.plane.width();
    state.counters["bytes"] = double(bytes);
}
BENCHMARK_CAPTURE(exportPng, side1200_qt, "20", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportPng, side1200_bands, "20", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportPng, side9600_qt, "1000", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportPng, side9600_bands, "1000", true)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // fonts for rendering
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
