// The reference script's work done by the program's own code, in a fresh process and without a
// window: the data file read, its record lines kept, sorted into the store, and the statistics
// figures computed in both modes, printed as bench/reference_figures.py prints them.
//   examora_figures FILE          the program's own functions
//   examora_figures --floor FILE  the floor: the file read, and one allocation-free pass over its
//                                 bytes reading the same fields (no sorting)
// bench/startup.py times both beside the script on the same files.
#include "datafile/data_file.h"
#include "datafile/data_file_keeper.h"
#include "datafile/text_file.h"
#include "floor_pass.h"
#include "records/conversions.h"
#include "records/exam_list_model.h"
#include "stats/main_stats.h"

#include <QLocale>
#include <cstdio>
#include <cstring>

namespace {

using namespace examora;

void PrintFigures(int count, int years, double credits, std::optional<double> academicAverage,
                  std::optional<double> academicOverall, std::optional<double> average,
                  std::optional<double> overall) {
    std::printf("exams %d; per year %g; credits %g\n", count, years > 0 ? Round(double(count) / years, 1) : 0,
                credits);
    std::printf("academic: average %g; overall %g\n", academicAverage.value_or(0),
                academicOverall.value_or(0));
    std::printf("math: average %g; overall %g\n", average.value_or(0), overall.value_or(0));
}

int Floor(const QByteArray& bytes) {
    const bench::FloorFigures f = bench::FloorOfBytes(bytes.constData(), bytes.size());
    auto ratio = [](double a, double b) {
        return b != 0 ? std::optional<double>(Round(a / b, 1)) : std::nullopt;
    };
    PrintFigures(f.count, f.lastYear - f.firstYear, f.credits, ratio(f.passedMarkSum, f.passedMarks),
                 ratio(f.passedWeighted, f.passedCredits), ratio(f.marks, f.count),
                 ratio(f.weighted, f.credits));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool floor = argc == 3 && std::strcmp(argv[1], "--floor") == 0;
    if (argc != 2 && !floor) {
        std::fprintf(stderr, "usage: examora_figures [--floor] FILE\n");
        return 2;
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QString path = QString::fromLocal8Bit(argv[argc - 1]);
    if (floor) {
        const FileRead file = ReadWholeFile(path, kMaxDataFileBytes);
        if (!file.ok) {
            std::fprintf(stderr, "%s\n", qPrintable(file.error));
            return 1;
        }
        return Floor(file.bytes);
    }
    // As the program reads its file at start: in pieces, each line read once, then sorted.
    DataFileKeeper dataFile(path);
    DataFileKeeper::ReadOutcome read = dataFile.Read();
    if (read.kind != DataFileKeeper::ReadOutcome::Done) {
        std::fprintf(stderr, "%s\n", qPrintable(read.error));
        return 1;
    }
    ExamListModel store;
    store.ReplaceAllSorted(std::move(read.records));
    const ExamSums sums = SumsOf(store.Readings());
    const MainStats academic = sums.Stats(AverageMode::Academic);
    const MainStats math = sums.Stats(AverageMode::Math);
    PrintFigures(academic.examCount, academic.yearSpan, academic.totalCredits, academic.mathAverage,
                 academic.overallMark, math.mathAverage, math.overallMark);
    return 0;
}
