// The first graph after the statistics view, as the user meets it: from the click on "Marks VS Time"
// in the statistics view (window at normal size) to the surface painted at the size of the
// maximised window. Printed right after its floor, measured in the same run:
//   FirstGraphFloor: one pre-rendered circle image copied (not blended) per exam, and its stem
//                    written, into an image of the maximised surface's size; no records read, no
//                    window, no screen.
// The counter "paints" tells how many times the surface was painted on the way.
// Meaningful only under a window manager, which maximises the window in its own time:
//   QT_QPA_PLATFORM=xcb DISPLAY=:N build/bench/examora_bench --benchmark_filter=FirstGraph
// (bench/startup.py runs it so). Offscreen the window reaches its maximised size before it paints.
// Targets: 32,767 exams, Days and Years: under 40 ms; 200,000 exams, Days: under 100 ms.
#include "bench_support.h"
#include "records/conversions.h"
#include "window/form1.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <functional>

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
            bench::Command(w, "MarksTime")->trigger();
            Await([&] { return w.frameGeometry() == w.screen()->availableGeometry(); });
            Settled();
            maximised = bench::SurfaceOf(w)->size();
        }
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

const QString& UnitOf(const benchmark::State& state) { return state.range(1) == 0 ? kDays : kYears; }

void FirstGraph(benchmark::State& state) {
    FirstGraphBench& bench = Bench();
    QAction* marksTime = bench::Command(*bench.window, "MarksTime");
    bench.Hold(static_cast<int>(state.range(0)), UnitOf(state));
    int paints = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!bench.InStatisticsView()) {
            state.SkipWithError("the statistics view did not settle at normal size");
            break;
        }
        bench.watch.paints = 0;
        bench.watch.lastSize = {};
        state.ResumeTiming();
        marksTime->trigger();
        if (!FirstGraphBench::Await([&] { return bench.watch.lastSize == bench.maximised; })) {
            state.SkipWithError("the graph was not painted at the maximised size");
            break;
        }
        paints += bench.watch.paints;
    }
    state.counters["paints"] = benchmark::Counter(paints, benchmark::Counter::kAvgIterations);
    state.SetLabel(
        QStringLiteral("%1 x %2").arg(bench.maximised.width()).arg(bench.maximised.height()).toStdString());
}

void FirstGraphFloor(benchmark::State& state) {
    FirstGraphBench& bench = Bench();
    bench.Hold(static_cast<int>(state.range(0)), UnitOf(state));
    const bench::GraphFloorShapes shapes = bench::FloorShapes(
        bench::Exams(*bench.window).Lines(), UnitOf(state), false, bench.maximised, QColor(255, 255, 0));
    QImage image(bench.maximised, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(QColor(0, 64, 0));
        bench::PaintGraphFloor(shapes, image);
        benchmark::DoNotOptimize(image.constBits());
    }
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
