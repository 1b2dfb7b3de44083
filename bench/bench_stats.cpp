// The statistics figures over 32,767 and 200,000 held lines, and the statistics view filled on the
// real window with 32,767 exams. Each figure is printed right after its floor, measured in the same
// run:
//   StatsFloor: one pass over the held lines' characters that finds the four fields, reads the
//               date's numbers, the mark and the credit value, and sums the figures of both modes,
//               without allocating (bench/floor_pass.h).
// Targets: ComputeMainStats within 3x its floor; ShowMainStats under 50 ms with 32,767 exams.
#include "bench_support.h"
#include "floor_pass.h"
#include "records/conversions.h"
#include "records/exam_list_model.h"
#include "records/record_line.h"
#include "stats/main_stats.h"
#include "window/form1.h"
#include "window/widgets/caption_label.h"

#include <QAction>
#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace examora;

constexpr int kStoreLimit = 32767;

const QStringList& Lines(int count) {
    static QStringList store = bench::ExamLines(kStoreLimit, 0); // some marks of 0
    static QStringList large = bench::ExamLines(200000, 0);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    return count == kStoreLimit ? store : large;
}

void StatsFloor(benchmark::State& state) {
    const QStringList& lines = Lines(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        bench::FloorFigures figures;
        for (const QString& line : lines) {
            const auto* begin = reinterpret_cast<const char16_t*>(line.utf16());
            bench::AddFloorLine(begin, begin + line.size(), figures);
        }
        benchmark::DoNotOptimize(figures);
        if (figures.count != lines.size())
            state.SkipWithError("the floor did not read every line");
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}

void ComputeStats(benchmark::State& state) {
    const QStringList& lines = Lines(static_cast<int>(state.range(0)));
    const AverageMode mode = state.range(1) == 0 ? AverageMode::Academic : AverageMode::Math;
    // As the statistics view computes them: from the readings the store took as the lines came in.
    ExamListModel store;
    store.ReplaceAll(lines);
    for (auto _ : state) {
        MainStats stats = ComputeMainStats(store.Readings(), mode);
        benchmark::DoNotOptimize(stats);
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
    state.SetLabel(mode == AverageMode::Academic ? "academic" : "math");
}

// A shown window holding 32,767 exams.
Form1& Window() {
    static bench::StartedWindow* started = [] {
        auto* w = new bench::StartedWindow;
        bench::Exams(*w->window).ReplaceAll(Lines(kStoreLimit));
        QApplication::processEvents();
        return w;
    }();
    return *started->window;
}

// From " Stats" to the four read-outs on screen; with the second argument 1 the window is also
// painted before the clock stops.
void ShowMainStatsOnWindow(benchmark::State& state) {
    Form1& w = Window();
    const bool painted = state.range(0) == 1;
    QAction* addExam = bench::Command(w, "AddExam");
    const CaptionLabel* overall = bench::Control<CaptionLabel>(w, "Label1");
    addExam->trigger(); // another view first: the statistics view is entered, not refreshed
    QApplication::processEvents();
    for (auto _ : state) {
        bench::Command(w, "ViewMainStats")->trigger();
        if (painted)
            w.repaint();
        state.PauseTiming();
        if (overall->Caption().left(12) != QLatin1String("Overall mark"))
            state.SkipWithError("the statistics view did not open");
        addExam->trigger();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetLabel(painted ? "handler and paint, target < 50 ms" : "handler, target < 50 ms");
}

} // namespace

BENCHMARK(StatsFloor)->Arg(kStoreLimit)->Unit(benchmark::kMillisecond);
BENCHMARK(ComputeStats)->Args({kStoreLimit, 0})->Args({kStoreLimit, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(StatsFloor)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(ComputeStats)->Args({200000, 0})->Args({200000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(ShowMainStatsOnWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
