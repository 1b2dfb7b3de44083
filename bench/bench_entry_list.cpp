// Inserting one exam into a list of 32,767 lines and erasing all 32,767 checked lines, on the real
// window. Each figure is printed right after its floor, measured in the same run:
//   InsertFloor: the sorted place found by binary search, ignoring case, and the line put into a
//                plain QStringList of 32,767 lines;
//   EraseFloor:  one pass over 32,767 lines and their check marks keeping the unchecked ones.
// Targets: one insertion (the click on the armed button) under 5 ms; erasing every line under 200 ms.
#include "bench_support.h"
#include "records/exam_list_model.h"
#include "window/form1.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

using namespace examora;

constexpr int kLines = 32767;

QStringList StoreLines() {
    QStringList lines = bench::ExamLines(kLines, 18);
    std::sort(lines.begin(), lines.end(), SortsBefore);
    return lines;
}

const QStringList& Lines() {
    static const QStringList lines = StoreLines();
    return lines;
}

Form1& Window() {
    static bench::StartedWindow* started = new bench::StartedWindow;
    return *started->window;
}

void InsertFloor(benchmark::State& state) {
    const QString line = QStringLiteral("Exam 50000;6/15/2015;27;9");
    for (auto _ : state) {
        state.PauseTiming();
        QStringList lines = Lines();
        lines.detach();
        state.ResumeTiming();
        lines.insert(std::upper_bound(lines.cbegin(), lines.cend(), line, SortsBefore) - lines.cbegin(),
                     line);
        benchmark::DoNotOptimize(lines);
    }
}

// The panel is filled by typing's effect (the boxes' texts set, the field test run on each change);
// the clock runs over the click on the armed button alone.
void InsertOnWindow(benchmark::State& state) {
    Form1& w = Window();
    ExamListModel& exams = bench::Exams(w);
    QPushButton* button = bench::Control<QPushButton>(w, "ExamComm");
    exams.ReplaceAll(Lines());
    bench::Command(w, "AddExam")->trigger();
    QApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        bench::Control<QLineEdit>(w, "Text0")->setText(QStringLiteral("Exam 50000"));
        bench::Control<QLineEdit>(w, "Text2")->setText(QStringLiteral("27"));
        bench::Control<QLineEdit>(w, "Text3")->setText(QStringLiteral("9"));
        if (!button->isEnabled())
            state.SkipWithError("the button did not arm");
        state.ResumeTiming();
        button->click();
        state.PauseTiming();
        if (exams.ListCount() != kLines + 1)
            state.SkipWithError("the exam was not inserted");
        exams.ReplaceAll(Lines());
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetLabel("target < 5 ms");
}

void EraseFloor(benchmark::State& state) {
    const std::vector<char> checked(kLines, 1);
    for (auto _ : state) {
        const QStringList& lines = Lines();
        QStringList kept;
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (!checked[static_cast<std::size_t>(i)])
                kept.append(lines.at(i));
        benchmark::DoNotOptimize(kept);
    }
}

// The list view showing 32,767 checked lines; the clock runs over "Erase exam(s)", and with the
// argument 1 also over the events it leaves (the list laid out and painted again).
void EraseOnWindow(benchmark::State& state) {
    Form1& w = Window();
    ExamListModel& exams = bench::Exams(w);
    const bool painted = state.range(0) == 1;
    for (auto _ : state) {
        state.PauseTiming();
        exams.ReplaceAll(Lines());
        for (int i = 0; i < kLines; ++i)
            exams.SetSelected(i, true);
        bench::Command(w, "ShowExams")->trigger();
        QApplication::processEvents();
        state.ResumeTiming();
        bench::Command(w, "EraseExams")->trigger();
        if (painted)
            QApplication::processEvents();
        state.PauseTiming();
        if (exams.ListCount() != 0)
            state.SkipWithError("lines were left");
        state.ResumeTiming();
    }
    state.SetLabel(painted ? "handler and paint, target < 200 ms" : "handler, target < 200 ms");
}

} // namespace

BENCHMARK(InsertFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(InsertOnWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(EraseFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(EraseOnWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
