// Reading the data file into the exam list at start, and saving it, for 32,767 and 200,000 lines.
// Each figure is printed right after its floor, measured in the same run on the same file:
//   LoadFloor: the file read and cut into lines, without the record test or sorting;
//   SaveFloor: the same bytes written as the program replaces the file: to a temporary file beside
//              it, flushed to the disk, then renamed over it.
// The second argument is the order of the file: 0 as the program saves it (sorted), 1 scrambled,
// as a file edited by hand might be.
// Each load also frees the list that the previous one left, which a load at start has not to do.
// Targets: load within 5x its floor and under 150 ms at 32,767 lines; save within 3x its floor.
#include "bench_support.h"
#include "datafile/data_file.h"
#include "document/exam_document.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <map>
#include <memory>
#include <unistd.h>
#include <utility>

namespace {

using namespace examora;

QStringList GeneratedRecords(int count, bool scrambled) {
    QStringList records;
    records.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int k = scrambled ? static_cast<int>((static_cast<qint64>(i) * 7919) % count) : i;
        records.append(QStringLiteral("%1 %2;%3/%4/20%5;%6;%7")
                           .arg(k % 3 ? QStringLiteral("Exam") : QStringLiteral("exam"))
                           .arg(k, 6, 10, QLatin1Char('0'))
                           .arg(1 + k % 12)
                           .arg(1 + k % 28)
                           .arg(10 + k % 15)
                           .arg(18 + k % 13)
                           .arg(3 + k % 10));
    }
    return records;
}

// One working folder per file, holding the data file and the record that the window reads it into
// and writes it from (the list is hidden at start, so nothing else is done at a read).
struct Workbench {
    QTemporaryDir dir;
    QByteArray bytes;
    std::unique_ptr<ExamDocument> document;

    Workbench(int lines, bool scrambled) : bytes(EncodeDataLines(GeneratedRecords(lines, scrambled))) {
        QFile file(path());
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the benchmark's data file");
        file.close();
        document = std::make_unique<ExamDocument>(path());
        document->Read();
    }
    QString path() const { return dir.filePath(kDataFileName); }
};

// Every file and window is made, and its list filled, before the first measurement, so that all
// figures see the same heap: a heap that grows and shrinks around one benchmark makes it slower.
Workbench& BenchFor(const benchmark::State& state) {
    static std::map<std::pair<int, bool>, std::unique_ptr<Workbench>> benches;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    if (benches.empty()) {
        for (int lines : {32767, 200000})
            for (bool scrambled : {false, true})
                benches[{lines, scrambled}] = std::make_unique<Workbench>(lines, scrambled);
    }
    Workbench& bench = *benches.at({static_cast<int>(state.range(0)), state.range(1) != 0});
    QDir::setCurrent(bench.dir.path());
    return bench;
}

void LoadFloor(benchmark::State& state) {
    Workbench& bench = BenchFor(state);
    for (auto _ : state) {
        QFile file(bench.path());
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot open the data file");
        QStringList lines = QString::fromUtf8(file.readAll()).split(QChar(10));
        benchmark::DoNotOptimize(lines);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void LoadAtStart(benchmark::State& state) {
    Workbench& bench = BenchFor(state);
    for (auto _ : state) {
        bench.document->Read();
        if (bench.document->Count() != state.range(0))
            state.SkipWithError("not every line was loaded");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void SaveFloor(benchmark::State& state) {
    Workbench& bench = BenchFor(state);
    const QByteArray path = QFile::encodeName(bench.path()), temporary = path + ".floor";
    for (auto _ : state) {
        const int handle = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const bool written =
            handle >= 0 && ::write(handle, bench.bytes.constData(), bench.bytes.size()) == bench.bytes.size();
        const bool flushed = written && ::fsync(handle) == 0;
        if (handle < 0 || ::close(handle) != 0 || !flushed ||
            ::rename(temporary.constData(), path.constData()) != 0)
            state.SkipWithError("cannot write the data file");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void SaveDataFile(benchmark::State& state) {
    Workbench& bench = BenchFor(state);
    bench.document->Read();
    for (auto _ : state) {
        if (bench.document->Save().kind != ExamDocument::SaveResult::Written)
            state.SkipWithError("the save failed");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Files(benchmark::internal::Benchmark* b) {
    b->ArgNames({"lines", "scrambled"})->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

BENCHMARK(LoadFloor)->Apply(Files)->Args({32767, 0});
BENCHMARK(LoadAtStart)->Apply(Files)->Args({32767, 0});
BENCHMARK(LoadFloor)->Apply(Files)->Args({32767, 1});
BENCHMARK(LoadAtStart)->Apply(Files)->Args({32767, 1});
BENCHMARK(SaveFloor)->Apply(Files)->Args({32767, 0});
BENCHMARK(SaveDataFile)->Apply(Files)->Args({32767, 0});
BENCHMARK(LoadFloor)->Apply(Files)->Args({200000, 0});
BENCHMARK(LoadAtStart)->Apply(Files)->Args({200000, 0});
BENCHMARK(LoadFloor)->Apply(Files)->Args({200000, 1});
BENCHMARK(LoadAtStart)->Apply(Files)->Args({200000, 1});
BENCHMARK(SaveFloor)->Apply(Files)->Args({200000, 0});
BENCHMARK(SaveDataFile)->Apply(Files)->Args({200000, 0});
