// The first graph after the statistics view, as the user meets it: from the click on "Marks VS Time"
// in the statistics view (window at normal size) to the surface painted at the size of the
// maximised window. Printed right after its floor, measured in the same run:
//   FirstGraphFloor: the same image painted with the least work (bench_graph_floor.h): the exams
//                    visited from the last to the first, skipping what a later exam already took,
//                    each pixel written once; where each exam lands worked out beforehand, no window,
//                    no screen. Its image is checked against the program's before it is timed.
// The counters tell how many times the surface was painted on the way, and the page faults of the
// process (the window system's own included) per click.
// Meaningful only under a window manager, which maximises the window in its own time:
//   QT_QPA_PLATFORM=xcb DISPLAY=:N build/bench/examora_bench --benchmark_filter=FirstGraph
// (bench/startup.py runs it so). Offscreen the window reaches its maximised size before it paints.
// Targets: 32,767 exams, Days and Years: under 30 ms; 200,000 exams, Days: under 50 ms; the painting
// itself within twice the floor.
#include "bench_graph_floor.h"
#include "bench_support.h"
#include "records/conversions.h"
#include "window/form1.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <functional>
#include <sys/resource.h>

namespace {

using namespace examora;

// Counts the surface's paints and notes the size of the last one.
class PaintWatch : public QObject {
public:
    int paints = 0;
    QSize lastSize;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            lastSize = static_cast<QWidget*>(watched)->size();
        }
        return false;
    }
};

struct FirstGraphBench : bench::StartedWindow {
    PaintWatch watch;
    int held = 0;
    QSize maximised; // the surface's size in the maximised window, learnt from the first graph
    FirstGraphBench() { bench::SurfaceOf(*window)->installEventFilter(&watch); }

    // Runs the event loop until the condition holds; false after five seconds. The loop sleeps
    // while there is nothing to do, so that the processor time counts only the work.
    static bool Await(const std::function<bool()>& done) {
        QElapsedTimer clock;
        clock.start();
        QTimer wake;
        wake.start(10);
        while (!done()) {
            if (clock.elapsed() > 5000)
                return false;
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return true;
    }
    bool Settled() {
        QElapsedTimer quiet;
        quiet.start();
        const QSize size = bench::SurfaceOf(*window)->size();
        return Await([&] {
            if (bench::SurfaceOf(*window)->size() != size)
                return false;
            return quiet.elapsed() > 150;
        });
    }
    void Hold(int count, const QString& unit) {
        Form1& w = *window;
        if (held != count) {
            bench::Exams(w).ReplaceAll(bench::ExamLines(count, 18));
            held = count;
        }
        bench::Command(w, unit == kDays ? "Days" : "Years")->trigger();
        if (!maximised.isValid()) {
            // A window manager that has not taken the window in hand yet ignores its maximising.
            Await([&] { return w.windowHandle() && w.windowHandle()->isExposed(); });
            Settled();
            const QSize normal = bench::SurfaceOf(w)->size();
            bench::Command(w, "MarksTime")->trigger();
            // The frame may take its new size well before the surface does.
            Await([&] {
                return w.frameGeometry() == w.screen()->availableGeometry() &&
                       bench::SurfaceOf(w)->size() != normal;
            });
            Settled();
            maximised = bench::SurfaceOf(w)->size();
        }
    }
    // The graph as the program paints it after the statistics view, at the maximised size.
    QImage Graph() {
        if (!InStatisticsView())
            return {};
        watch.lastSize = {};
        bench::Command(*window, "MarksTime")->trigger();
        if (!Await([&] { return watch.lastSize == maximised; }))
            return {};
        return bench::SurfaceOf(*window)->Image();
    }
    // The statistics view at normal size, painted, with nothing left to do.
    bool InStatisticsView() {
        bench::Command(*window, "ViewMainStats")->trigger();
        return Await([&] { return bench::SurfaceOf(*window)->size() != maximised; }) && Settled();
    }
};

FirstGraphBench& Bench() {
    static FirstGraphBench* bench = new FirstGraphBench;
    return *bench;
}

long MinorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

const QString& UnitOf(const benchmark::State& state) { return state.range(1) == 0 ? kDays : kYears; }

void FirstGraph(benchmark::State& state) {
    FirstGraphBench& bench = Bench();
    QAction* marksTime = bench::Command(*bench.window, "MarksTime");
    bench.Hold(static_cast<int>(state.range(0)), UnitOf(state));
    int paints = 0;
    long faults = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!bench.InStatisticsView()) {
            state.SkipWithError("the statistics view did not settle at normal size");
            break;
        }
        bench.watch.paints = 0;
        bench.watch.lastSize = {};
        const long faultsBefore = MinorFaults();
        state.ResumeTiming();
        marksTime->trigger();
        if (!FirstGraphBench::Await([&] { return bench.watch.lastSize == bench.maximised; })) {
            state.SkipWithError("the graph was not painted at the maximised size");
            break;
        }
        faults += MinorFaults() - faultsBefore;
        paints += bench.watch.paints;
    }
    state.counters["paints"] = benchmark::Counter(paints, benchmark::Counter::kAvgIterations);
    state.counters["faults"] = benchmark::Counter(static_cast<double>(faults), benchmark::Counter::kAvgIterations);
    state.SetLabel(
        QStringLiteral("%1 x %2").arg(bench.maximised.width()).arg(bench.maximised.height()).toStdString());
}

void FirstGraphFloor(benchmark::State& state) {
    FirstGraphBench& bench = Bench();
    bench.Hold(static_cast<int>(state.range(0)), UnitOf(state));
    bench::HonestFloor floor = bench::MakeHonestFloor(bench::Exams(*bench.window).Lines(), UnitOf(state),
                                                      bench.maximised, QColor(0, 64, 0), QColor(255, 255, 0));
    QImage image(bench.maximised, QImage::Format_RGB32);
    bench::PaintHonestFloor(floor, image);
    if (image != bench.Graph()) {
        state.SkipWithError("the floor's image is not the program's");
        return;
    }
    for (auto _ : state) {
        bench::PaintHonestFloor(floor, image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["rims"] = static_cast<double>(floor.rims.size());
}

void Cases(benchmark::internal::Benchmark* b) {
    b->ArgNames({"exams", "years"})->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

BENCHMARK(FirstGraphFloor)->Apply(Cases)->Args({32767, 0});
BENCHMARK(FirstGraph)->Apply(Cases)->Args({32767, 0})->Iterations(7);
BENCHMARK(FirstGraphFloor)->Apply(Cases)->Args({32767, 1});
BENCHMARK(FirstGraph)->Apply(Cases)->Args({32767, 1})->Iterations(7);
BENCHMARK(FirstGraphFloor)->Apply(Cases)->Args({200000, 0});
BENCHMARK(FirstGraph)->Apply(Cases)->Args({200000, 0})->Iterations(7);
