// Drawing both graphs with 32,767 exams on a 1920 x 1080 surface, and one pointer move over a graph.
// Each graph is printed right after its floor, measured in the same run:
//   GraphFloor: one pre-rendered circle image copied (not blended) per exam where its circle lands,
//               and its stem written as one column, on a plain QImage; no access to the records.
// A graph's figure covers the whole command: the frame computed from the lines, the shapes recorded,
// and every shape painted into the surface's image and copied to the screen.
// Targets: a full graph within 3x its floor and under 100 ms; a pointer move under 0.1 ms.
#include "bench_support.h"
#include "graphs/graph_frame.h"
#include "records/conversions.h"
#include "window/form1.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace examora;

constexpr int kExams = 32767;
const QSize kSurfaceSize(1920, 1080);

// A shown window holding 32,767 exams over twenty years, its surface made 1920 x 1080 once the
// window is maximised (drawing again keeps the window's state, so the size stays).
// The window is left for the process's end to take: it cannot outlive the application object,
// which goes before static objects do.
struct GraphBench : bench::StartedWindow {
    GraphBench() {
        bench::Exams(*window).ReplaceAll(bench::ExamLines(kExams, 18));
        bench::Command(*window, "MarksTime")->trigger();
        QApplication::processEvents();
        bench::SurfaceOf(*window)->resize(kSurfaceSize);
    }
    bool Ready() const { return bench::SurfaceOf(*window)->size() == kSurfaceSize; }
};

GraphBench& Bench() {
    static GraphBench* bench = new GraphBench;
    return *bench;
}

void GraphFloor(benchmark::State& state, PlottedValue value, QColor fill) {
    GraphBench& bench = Bench();
    const bench::GraphFloorShapes shapes =
        bench::FloorShapes(bench::Exams(*bench.window).Lines(), kYears,
                           value == PlottedValue::MarkTimesCredits, kSurfaceSize, fill);
    QImage image(kSurfaceSize, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(QColor(0, 64, 0));
        bench::PaintGraphFloor(shapes, image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["shapes"] = static_cast<double>(2 * shapes.tops.size());
}

// The graph's command, as chosen from the Graphics menu.
void DrawFullGraph(benchmark::State& state, const char* command) {
    GraphBench& bench = Bench();
    Surface* surface = bench::SurfaceOf(*bench.window);
    QAction* draw = bench::Command(*bench.window, command);
    if (!bench.Ready()) {
        state.SkipWithError("the surface is not 1920 x 1080");
        return;
    }
    for (auto _ : state) {
        draw->trigger();
        surface->repaint();
        benchmark::DoNotOptimize(surface->Image().constBits());
    }
    if (!bench.Ready() || surface->Image().size() != kSurfaceSize)
        state.SkipWithError("the surface changed size while drawing");
}

// The frame alone: every line split and its date read, without drawing.
void BM_MarksTimeFrame(benchmark::State& state) {
    const ExamListModel& exams = bench::Exams(*Bench().window);
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeGraphFrame(exams.Readings(), kYears, PlottedValue::Mark));
}

void BM_MarksTimeFloor(benchmark::State& state) {
    GraphFloor(state, PlottedValue::Mark, QColor(255, 255, 0));
}
void BM_MarksTimeGraph(benchmark::State& state) { DrawFullGraph(state, "MarksTime"); }
void BM_MarksCreditsFloor(benchmark::State& state) {
    GraphFloor(state, PlottedValue::MarkTimesCredits, QColor(0, 0, 255));
}
void BM_MarksCreditsGraph(benchmark::State& state) { DrawFullGraph(state, "MarksCredits"); }

// One pointer move over the marks graph, from the window system's event to the new caption.
void BM_PointerMove(benchmark::State& state) {
    GraphBench& bench = Bench();
    Surface* surface = bench::SurfaceOf(*bench.window);
    bench::Command(*bench.window, "MarksTime")->trigger();
    int x = 0;
    for (auto _ : state) {
        const QPointF at(x, 300 + x % 400);
        QMouseEvent move(QEvent::MouseMove, at, surface->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(surface, &move);
        x = (x + 7) % kSurfaceSize.width();
    }
    if (!bench.window->windowTitle().contains(QStringLiteral(";  Mark : ")))
        state.SkipWithError("the pointer move did not write the read-out");
}

} // namespace

BENCHMARK(BM_MarksTimeFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarksTimeFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarksTimeGraph)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarksCreditsFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarksCreditsGraph)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PointerMove)->Unit(benchmark::kMicrosecond);
