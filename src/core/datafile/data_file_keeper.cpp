#include "datafile/data_file_keeper.h"

#include "datafile/text_file.h"
#include "records/conversions.h"
#include "datafile/data_file.h"
#include "records/record_line.h"
#include "records/work_aside.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>

namespace examora {
namespace {

// A print of the file's bytes, taken piece by piece as they are read, to tell whether the file
// changed; with the size in it, a file grown or cut always differs.
struct FingerPrint {
    size_t hash = 0;
    qsizetype size = 0;
    void Add(QByteArrayView piece) {
        hash = qHashBits(piece.data(), static_cast<size_t>(piece.size()), hash);
        size += piece.size();
    }
    size_t Value() const { return hash ^ static_cast<size_t>(size); }
};

size_t PrintOf(const QByteArray& bytes) {
    FingerPrint print;
    for (qsizetype at = 0; at < bytes.size(); at += qsizetype{1} << 16)
        print.Add(QByteArrayView(bytes).sliced(at, qMin(bytes.size() - at, qsizetype{1} << 16)));
    return print.Value();
}

// Splits the lines read: the records stay, read, and sorted as the list keeps them; the others go
// to kept, in file order.
// Each file has its own order of day and month: the one its unambiguous dates agree on, read into
// every ambiguous date of the file whatever the locale; the locale's where they show none. The
// lines are read once in the locale's order while the votes are gathered; where the file's order
// turns out another, the lines with an ambiguous numeric date are read again.
// linesRead, where given, hears every so many lines how many have been read.
void SplitRecords(LineStore& lines, QStringList& kept, const std::function<void(qsizetype)>& linesRead = {}) {
    // The sort needs only the text: it goes on aside while the lines are read.
    std::vector<qint32> order;
    WorkAside sorting([&lines, &order] {
        if (!InOrder(lines))
            order = SortedOrder(lines);
    });
    enum : char { kRecord = 1, kAmbiguous = 2 };
    std::vector<char> state(static_cast<std::size_t>(lines.Count()), 0);
    auto read = [&](qsizetype i, QStringView line) {
        const std::optional<ExamReading> reading = ReadExam(line);
        lines.SetReading(i, reading.value_or(ExamReading{}));
        state[static_cast<std::size_t>(i)] = static_cast<char>(reading ? kRecord : 0);
    };
    SetFileDateOrder(std::nullopt);
    const DateReadingPass pass;
    DateOrderVote vote;
    lines.ForEach([&](qsizetype i, QStringView line) {
        if (linesRead && i % 65536 == 0)
            linesRead(i);
        read(i, line);
        const qsizetype first = line.indexOf(kFieldSeparator);
        const qsizetype second = first < 0 ? -1 : line.indexOf(kFieldSeparator, first + 1);
        if (second < 0)
            return;
        const QStringView date = line.sliced(first + 1, second - first - 1).trimmed();
        if (!vote.Add(date) && !date.isEmpty() && date.front().isDigit())
            state[static_cast<std::size_t>(i)] |= kAmbiguous;
    });
    const std::optional<DateOrder> fileOrder = vote.Agreed();
    SetFileDateOrder(fileOrder);
    if (fileOrder && *fileOrder != LocaleDateOrder()) {
        for (qsizetype i = 0; i < lines.Count(); ++i)
            if (state[static_cast<std::size_t>(i)] & kAmbiguous)
                read(i, lines.Line(i));
    }
    for (qsizetype i = 0; i < lines.Count(); ++i) {
        char& line = state[static_cast<std::size_t>(i)];
        line &= kRecord;
        if (!line)
            kept.append(lines.Line(i));
    }
    sorting.Wait();
    if (!order.empty()) {
        std::vector<char> sortedState(state.size());
        std::transform(order.cbegin(), order.cend(), sortedState.begin(),
                       [&state](qint32 row) { return state[static_cast<std::size_t>(row)]; });
        state = std::move(sortedState);
        lines.Permute(order);
    }
    lines.Keep(state);
}

} // namespace

QStringList MergeLines(const QStringList& disk, const QStringList& added, const QStringList& erased) {
    QHash<QString, qsizetype> toErase;
    for (const QString& line : erased)
        ++toErase[line];
    // Each erased line takes away one equal line, of those added here first, so that a line both
    // added and erased cancels out whichever came first; then of the disk's.
    auto keep = [&toErase](const QString& line) {
        const auto erase = toErase.find(line);
        if (erase == toErase.end() || erase.value() == 0)
            return true;
        --erase.value();
        return false;
    };
    QStringList addedLeft;
    for (const QString& line : added)
        if (keep(line))
            addedLeft.append(line);
    QStringList merged;
    merged.reserve(disk.size() + addedLeft.size());
    for (const QString& line : disk)
        if (keep(line))
            merged.append(line);
    merged.append(addedLeft);
    return merged;
}

DataFileKeeper::Lines DataFileKeeper::Sorted(const QStringList& lines) {
    Lines split{LineStore(lines), {}};
    SplitRecords(split.records, split.kept);
    return split;
}

DataFileKeeper::ReadOutcome DataFileKeeper::Read(const std::function<void(qint64, qint64)>& progress) {
    ReadOutcome outcome;
    if (!QFileInfo::exists(path_)) {
        outcome.error = ReadWholeFile(path_, kMaxDataFileBytes).error;
        return outcome;
    }
    // The file is decoded as it is read, never held whole beside its lines.
    DataLineReader reader;
    FingerPrint print;
    const qint64 size = QFileInfo(path_).size();
    // A record line takes twenty bytes or more.
    reader.Reserve(static_cast<qsizetype>(size / 20), static_cast<qsizetype>(size));
    const FileRead file = ReadFileInPieces(path_, kMaxDataFileBytes, [&](QByteArrayView piece) {
        print.Add(piece);
        reader.Feed(piece);
        if (progress)
            progress(print.size, 2 * size);
    });
    if (!file.ok) {
        outcome.kind = ReadOutcome::Failed;
        outcome.error = file.error;
        unread_ = file.error;
        return outcome;
    }
    outcome.kind = ReadOutcome::Done;
    outcome.byteCount = print.size;
    diskPrint_ = print.Value();
    unread_.reset();
    outcome.records = reader.Finish();
    kept_.clear();
    SplitRecords(outcome.records, kept_, [&](qsizetype done) {
        if (progress)
            progress(size + size * done / std::max<qsizetype>(1, outcome.records.Count()), 2 * size);
    });
    return outcome;
}

DataFileKeeper::SaveOutcome DataFileKeeper::Save(const LineStore& records, const LineChanges& changes) {
    SaveOutcome outcome;
    if (unread_) {
        outcome.kind = SaveOutcome::NotRead;
        outcome.error = *unread_;
        return outcome;
    }
    // The file is read again first: only its print, and its lines when it changed.
    auto readAgain = [&](const std::function<void(QByteArrayView)>& take) {
        const FileRead file = ReadFileInPieces(path_, kMaxDataFileBytes, take);
        if (!file.ok) {
            outcome.kind = SaveOutcome::NotRead;
            outcome.error = file.error;
        }
        return file.ok;
    };
    std::optional<size_t> diskNow;
    // A file gone since it was read takes what is held, as a first save does.
    if (QFileInfo::exists(path_)) {
        FingerPrint print;
        if (!readAgain([&print](QByteArrayView piece) { print.Add(piece); }))
            return outcome;
        diskNow = print.Value();
    }
    QByteArray bytes;
    Lines merged;
    const bool changedOnDisk = diskNow && diskNow != diskPrint_;
    if (changedOnDisk) {
        DataLineReader reader;
        if (!readAgain([&reader](QByteArrayView piece) { reader.Feed(piece); }))
            return outcome;
        merged = Sorted(MergeLines(reader.Finish().Lines(), changes.added, changes.erased));
        bytes = merged.records.FileBytes(merged.kept);
    } else {
        bytes = records.FileBytes(kept_);
    }
    if (const auto error = ReplaceWholeFile(path_, bytes)) {
        outcome.kind = SaveOutcome::Failed;
        outcome.error = *error;
        return outcome;
    }
    diskPrint_ = PrintOf(bytes);
    if (changedOnDisk) {
        kept_ = std::move(merged.kept);
        outcome.merged = std::move(merged.records);
    }
    return outcome;
}

} // namespace examora
