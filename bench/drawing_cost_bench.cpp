// What a large drawing costs after its statements: exporting families,
// scrolling the window over a large plane, the time the window stays busy
// after Esc, and two searches whose points are rounded to their text.
// Run each benchmark alone (--benchmark_filter) for a meaningful peak_mb.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QFile>
#include <QWidget>

#include <chrono>
#include <sstream>
#include <string>

#include "analysis/extrema.h"
#include "app/batch.h"
#include "core/context.h"
#include "panel/main_panel.h"
#include "plane/plane_widget.h"
#include "scene/redraw.h"
#include "terms/normalize.h"

namespace {

using Clock = std::chrono::steady_clock;

double cpuSeconds()
{
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    auto s = [](timeval t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return s(use.ru_utime) + s(use.ru_stime);
}

double peakMb()
{
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    return double(use.ru_maxrss) / 1024.0;
}

void familyExport(benchmark::State& state, std::string file, std::string term,
                  kw::ThreeTexts family, std::string from, std::string to)
{
    kw::BatchOptions o;
    o.exportFile = "/tmp/kw_drawing_cost_" + file;
    o.term = term;
    o.family = family;
    if (!from.empty()) {
        o.from = from;
        o.to = to;
    }
    int code = 0;
    const double cpu = cpuSeconds();
    for (auto _ : state) {
        std::ostringstream err;
        code = kw::runBatch(o, err);
    }
    state.counters["cpu_s_all_threads"] = (cpuSeconds() - cpu) / double(state.iterations());
    state.counters["exit"] = code;
    state.counters["file_mb"] = double(QFile(QString::fromStdString(o.exportFile)).size()) / 1e6;
    state.counters["peak_mb"] = peakMb();
    QFile::remove(QString::fromStdString(o.exportFile));
}

const kw::ThreeTexts kSinFamily{"-5", "4,99", "0,01"};
const kw::ThreeTexts kWideFamily{"0", "999", "1"};
BENCHMARK_CAPTURE(familyExport, sin1000_png, "f.png", "@*sin(x)", kSinFamily, "", "")
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(familyExport, sin1000_svg, "f.svg", "@*sin(x)", kSinFamily, "", "")
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(familyExport, wide1000_svg, "w.svg", "sin(@*x)+@", kWideFamily, "-32768", "32767")
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(familyExport, wide1000_pdf, "w.pdf", "sin(@*x)+@", kWideFamily, "-32768", "32767")
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(familyExport, wide1000_png, "w.png", "sin(@*x)+@", kWideFamily, "-32768", "32767")
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// A stand-in for the user that presses Esc once the drawing has run `after`.
class EscUi : public kw::StreamUi {
public:
    EscUi(std::ostream& err, kw::ThreeTexts answers, Clock::duration after)
        : StreamUi(err, {answers.begin(), answers.end()}), after_(after)
    {
    }
    void searchStarted() override { start_ = Clock::now(); }
    bool stopRequested() override
    {
        if (after_ == Clock::duration::zero() || Clock::now() - start_ < after_)
            return false;
        if (pressed == Clock::time_point())
            pressed = Clock::now();
        return true;
    }
    Clock::time_point pressed;

private:
    Clock::duration after_;
    Clock::time_point start_ = Clock::now();
};

// The family "sin(@*x)+@", 0 … 999, at 2400 × 2400 pixels (range -40 … 40)
// and quality 500, drawn into a plane shown in a 541 × 458 frame.
struct LargeFamily {
    std::ostringstream err;
    EscUi ui;
    kw::Context c{ui};
    QWidget frame;
    kw::PlaneWidget* plane;

    explicit LargeFamily(Clock::duration escAfter = {})
        : ui(err, {"0", "999", "1"}, escAfter)
    {
        kw::mainPanelLoad(c);
        c.state.main.Eingabe = "sin(@*x)+@";
        c.state.main.x_eingabe = "-40";
        c.state.main.y_eingabe = "40";
        c.state.main.qualitaet_eingabe = "500";
        frame.resize(541, 458);
        plane = new kw::PlaneWidget(c.plane, &frame);
        frame.show();
        QCoreApplication::processEvents();
    }
    void draw()
    {
        kw::drawFromPanel(c);
        plane->refresh();
        plane->move(-(c.plane.width() - 541) / 2, -(c.plane.height() - 458) / 2);
        plane->repaint();
    }
};

// One click on a scroll-bar arrow: the plane moves by a hundredth of what
// lies outside the frame and the frame paints.
void scrollStep(benchmark::State& state)
{
    LargeFamily f;
    const auto t0 = Clock::now();
    f.draw();
    state.counters["draw_and_first_paint_s"] =
        std::chrono::duration<double>(Clock::now() - t0).count();
    const int step = (f.c.plane.width() - 541) / 100;
    int dir = -1;
    for (auto _ : state) {
        f.plane->move(f.plane->pos() + QPoint(dir * step, 0));
        dir = -dir;
        f.plane->repaint();
    }
    state.counters["side"] = f.c.plane.width();
    state.counters["peak_mb"] = peakMb();
}
BENCHMARK(scrollStep)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// Esc one second into the redraw of the large family: the time from the
// moment the drawing sees it until the window has painted and is idle.
void busyAfterEsc(benchmark::State& state)
{
    for (auto _ : state) {
        LargeFamily f(std::chrono::seconds(1));
        f.draw();
        if (f.ui.pressed == Clock::time_point()) {
            state.SkipWithError("the drawing ended before Esc");
            break;
        }
        const double busy = std::chrono::duration<double>(Clock::now() - f.ui.pressed).count();
        state.SetIterationTime(busy);
        state.counters["busy_after_esc_ms"] = busy * 1000;
    }
}
BENCHMARK(busyAfterEsc)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

// Inflection points over wide ranges, as the report finds them (both cores).
void inflections(benchmark::State& state, const char* term, double range)
{
    const std::string xterm = kw::string_richten(term);
    std::size_t found = 0;
    const double cpu = cpuSeconds();
    for (auto _ : state)
        found = kw::findInflections(xterm, -range, range, nullptr).points.size();
    state.counters["found"] = double(found);
    // Both threads' time, per search.
    state.counters["cpu_s_all_threads"] = (cpuSeconds() - cpu) / double(state.iterations());
}
BENCHMARK_CAPTURE(inflections, trig_1000, "sin(x*12)/5+cos(x-1)*3", 1000)
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(inflections, cube_1e9, "x^3", 1e9)->Unit(benchmark::kMillisecond)->UseRealTime();

// Extrema over the widest range, ended by the grid-point limit like the inflections.
void extrema(benchmark::State& state, const char* term, double range)
{
    const std::string xterm = kw::string_richten(term);
    const double cpu = cpuSeconds();
    for (auto _ : state)
        benchmark::DoNotOptimize(kw::findExtrema(xterm, -range, range, nullptr).points.size());
    state.counters["cpu_s_all_threads"] = (cpuSeconds() - cpu) / double(state.iterations());
}
BENCHMARK_CAPTURE(extrema, cube_1e9, "x^3", 1e9)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
