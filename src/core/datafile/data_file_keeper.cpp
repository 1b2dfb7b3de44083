#include "datafile/data_file_keeper.h"

#include "datafile/data_file.h"
#include "datafile/text_file.h"
#include "records/conversions.h"
#include "records/record_line.h"
#include "records/vector_state.h"
#include "records/work_aside.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <utility>

namespace examora {
namespace {

// A print of the file's bytes, taken piece by piece as they are read, to tell whether the file
// changed; with the size in it, a file grown or cut always differs. It keeps the last two bytes,
// which tell whether the file ends with a whole line.
// The pieces are whole multiples of eight bytes but the last, which is padded with zeros. The hash
// is the program's own: Qt's leaves the processor's wide vector registers marked in use, which
// slows the plain vector code of the read that follows to less than half its speed.
struct FingerPrint {
    quint64 hash = 0;
    qsizetype size = 0;
    char last[2] = {1, 1};
    void Add(QByteArrayView piece) {
        auto mix = [this](quint64 word) {
            hash = (hash ^ word) * 0x9E3779B97F4A7C15u;
            hash ^= hash >> 32;
        };
        qsizetype at = 0;
        for (quint64 word; at + 8 <= piece.size(); at += 8) {
            std::memcpy(&word, piece.data() + at, 8);
            mix(word);
        }
        if (at < piece.size()) {
            quint64 word = 0;
            std::memcpy(&word, piece.data() + at, static_cast<std::size_t>(piece.size() - at));
            mix(word);
        }
        size += piece.size();
        for (char byte : piece.last(std::min<qsizetype>(2, piece.size())))
            last[0] = std::exchange(last[1], byte);
    }
    size_t Value() const { return static_cast<size_t>(hash ^ static_cast<quint64>(size)); }
    // Empty, or ending with a line end in UTF-8 or in UTF-16 of either order.
    bool EndsWholeLine() const {
        auto isEnd = [](char c) { return c == '\n' || c == '\r'; };
        return size == 0 || isEnd(last[1]) || (last[1] == 0 && isEnd(last[0])) ||
               (last[0] == 0 && isEnd(last[1]));
    }
};

size_t PrintOf(const QByteArray& bytes) {
    FingerPrint print;
    for (qsizetype at = 0; at < bytes.size(); at += qsizetype{1} << 16)
        print.Add(QByteArrayView(bytes).sliced(at, qMin(bytes.size() - at, qsizetype{1} << 16)));
    return print.Value();
}

// Puts the lines of the given rows (ascending) among the kept lines, each where it stood in the file.
void KeepInFileOrder(ReadLines& read, const std::vector<qint32>& rows) {
    if (rows.empty())
        return;
    const QByteArrayView before = read.kept.FileBytes();
    qsizetype bytes = before.size();
    for (const qint32 row : rows)
        bytes += read.lines.Utf8(row).size() + 2;
    KeptLines kept;
    kept.Reserve(bytes);
    qsizetype copied = 0;
    auto mark = read.keptBefore.cbegin();
    for (const qint32 row : rows) {
        qsizetype keptBytes = copied;
        for (; mark != read.keptBefore.cend() && mark->row <= row; ++mark)
            keptBytes = mark->bytes;
        kept.AppendFileBytes(before.sliced(copied, keptBytes - copied));
        copied = keptBytes;
        kept.Append(read.lines.Utf8(row));
    }
    kept.AppendFileBytes(before.sliced(copied));
    read.kept = std::move(kept);
}

// Splits the lines read: the records stay, read, and sorted as the list keeps them; the others join
// the kept lines, in file order.
// Each file has its own order of day and month: the one its unambiguous dates agree on, read into
// every ambiguous date of the file whatever the locale; the locale's where they show none. The
// lines are read once in the locale's order while the votes are gathered; where the file's order
// turns out another, the lines with an ambiguous numeric date are read again.
// The lines are read in chunks, taken in turn by this thread and by a second one, which first
// looks whether the lines are in the list's order, and sorts them where they are not.
// linesRead, where given, hears every so many lines how many have been read.
void SplitRecords(ReadLines& read, const std::function<void(qsizetype)>& linesRead = {}) {
    LineStore& lines = read.lines;
    const qsizetype count = lines.Count();
    enum : char { kRecord = 1, kAmbiguous = 2 };
    std::vector<char> state(static_cast<std::size_t>(count), 0);
    SetFileDateOrder(std::nullopt);
    CurrentYear(); // settled before two threads read dates
    const DateReadingPass pass;
    constexpr qsizetype kChunk = 8192;
    std::atomic<qsizetype> nextChunk{0};
    // Each thread votes on its own stack: two votes side by side, written on every line, would pass
    // their cache line from one processor to the other all along.
    auto readChunks = [&](bool tell) {
        ClearWideVectorState();
        DateOrderVote vote;
        // The chunks are taken by both threads: this one tells how far they have come together
        // each time that passes another 65,536 lines.
        qsizetype told = -1;
        for (qsizetype begin; (begin = nextChunk.fetch_add(kChunk)) < count;) {
            if (tell && linesRead && (told < 0 || begin / 65536 > told / 65536)) {
                linesRead(told = begin);
                ClearWideVectorState(); // the window may have run Qt's code meanwhile
            }
            for (qsizetype i = begin; i < std::min(count, begin + kChunk); ++i) {
                const LineReading line = lines.ReadAt(i);
                lines.SetReading(i, line.exam.value_or(ExamReading{}));
                state[static_cast<std::size_t>(i)] =
                    static_cast<char>((line.exam ? kRecord : 0) | (line.date.ambiguous ? kAmbiguous : 0));
                if (line.date.fixed)
                    vote.Add(*line.date.fixed);
            }
        }
        return vote;
    };
    std::optional<LineStore::Order> sorted;
    DateOrderVote asideVote;
    WorkAside aside([&] {
        if (!InOrder(lines))
            sorted = lines.OrderOf(SortedOrder(lines));
        const DateReadingPass asidePass(pass, DateReadingPass::OnAnotherThread{});
        asideVote = readChunks(false);
    });
    DateOrderVote vote = readChunks(true);
    aside.Wait();
    vote.Add(asideVote);
    vote.Add(read.keptVote);
    const std::optional<DateOrder> fileOrder = vote.Agreed();
    SetFileDateOrder(fileOrder);
    if (fileOrder && *fileOrder != LocaleDateOrder()) {
        for (qsizetype i = 0; i < lines.Count(); ++i) {
            if (!(state[static_cast<std::size_t>(i)] & kAmbiguous))
                continue;
            const std::optional<ExamReading> exam = lines.ReadAt(i).exam;
            lines.SetReading(i, exam.value_or(ExamReading{}));
            state[static_cast<std::size_t>(i)] = exam ? kRecord : 0;
        }
    }
    std::vector<qint32> kept;
    for (qsizetype i = 0; i < lines.Count(); ++i) {
        char& line = state[static_cast<std::size_t>(i)];
        line &= kRecord;
        if (!line)
            kept.push_back(static_cast<qint32>(i));
    }
    KeepInFileOrder(read, kept);
    if (sorted) {
        const std::vector<qint32>& order = sorted->Rows();
        std::vector<char> sortedState(state.size());
        std::transform(order.cbegin(), order.cend(), sortedState.begin(),
                       [&state](qint32 row) { return state[static_cast<std::size_t>(row)]; });
        state = std::move(sortedState);
        lines.TakeOrder(std::move(*sorted));
    }
    lines.Keep(state);
}

} // namespace

MergedLines MergeLines(const QStringList& disk, const QStringList& held, const LineChanges& changes,
                       bool diskDamaged) {
    QHash<QString, qsizetype> heldCount, change, diskCount;
    for (const QString& line : held)
        ++heldCount[line];
    for (const QString& line : changes.added)
        ++change[line];
    for (const QString& line : changes.erased)
        --change[line];
    for (const QString& line : disk)
        ++diskCount[line];
    auto countOf = [&](const QString& line) {
        const qsizetype here = heldCount.value(line), there = diskCount.value(line);
        const qsizetype base = here - change.value(line);
        if (diskDamaged)
            return std::max(here, there);
        if (there == base || there == here)
            return here;
        return std::max<qsizetype>(0, there + change.value(line));
    };
    MergedLines merged;
    QHash<QString, qsizetype> left; // copies of each line still to write
    auto take = [&](const QString& line) {
        auto at = left.find(line);
        if (at == left.end())
            at = left.insert(line, countOf(line));
        if (at.value() == 0)
            return false;
        --at.value();
        merged.lines.append(line);
        return true;
    };
    for (const QString& line : disk)
        take(line);
    // Each line held here: one of the copies the disk gave, one more to write, or one left out.
    QHash<QString, qsizetype> seen;
    for (const QString& line : held) {
        if (seen[line]++ < std::min(diskCount.value(line), countOf(line)))
            continue;
        if (!take(line))
            merged.dropped.append(line);
    }
    // An exam erased on both sides, each side having put a version of its own in its place: the
    // names of the lines added here, and of the disk's lines this side never held, are taken once.
    auto nameOf = [](const QString& line) { return RecordParts(line).value(0); };
    QSet<QString> mine, theirs;
    for (const QString& line : changes.added)
        mine.insert(nameOf(line));
    for (auto line = diskCount.cbegin(); line != diskCount.cend(); ++line)
        if (!heldCount.contains(line.key()))
            theirs.insert(nameOf(line.key()));
    for (auto erased = change.cbegin(); erased != change.cend(); ++erased) {
        const QString& line = erased.key();
        if (erased.value() >= 0 || diskCount.value(line) >= heldCount.value(line) - erased.value())
            continue;
        const QString name = nameOf(line);
        if (mine.contains(name) && theirs.contains(name) && !merged.conflicts.contains(name))
            merged.conflicts.append(name);
    }
    return merged;
}

DataFileKeeper::Lines DataFileKeeper::Sorted(const QStringList& lines) {
    ReadLines read{LineStore(lines), {}, {}, {}};
    SplitRecords(read);
    return {std::move(read.lines), std::move(read.kept)};
}

DataFileKeeper::ReadOutcome DataFileKeeper::Read(const std::function<void(qint64, qint64)>& progress) {
    ReadOutcome outcome;
    ClearWideVectorState();
    if (!QFileInfo::exists(path_)) {
        outcome.error = ReadWholeFile(path_, kMaxDataFileBytes).error;
        return outcome;
    }
    // The file is decoded as it is read, never held whole beside its lines.
    DataLineReader reader(true);
    FingerPrint print;
    const qint64 size = QFileInfo(path_).size();
    // A record line takes twenty bytes or more. A file over the cap is refused by the read: nothing
    // is reserved for it.
    if (size <= kMaxDataFileBytes)
        reader.Reserve(static_cast<qsizetype>(size / 20), static_cast<qsizetype>(size));
    const FileRead file = ReadFileInPieces(path_, kMaxDataFileBytes, [&](QByteArrayView piece) {
        print.Add(piece);
        reader.Feed(piece);
        if (progress) {
            progress(print.size, 2 * size);
            ClearWideVectorState(); // the window may have run Qt's code meanwhile
        }
    });
    if (!file.ok) {
        outcome.kind = ReadOutcome::Failed;
        outcome.error = file.error;
        return outcome;
    }
    outcome.kind = ReadOutcome::Done;
    outcome.byteCount = print.size;
    diskPrint_ = print.Value();
    diskWhole_ = print.EndsWholeLine();
    ReadLines read = reader.Finish();
    SplitRecords(read, [&](qsizetype done) {
        if (progress)
            progress(size + size * done / std::max<qsizetype>(1, read.lines.Count()), 2 * size);
    });
    outcome.records = std::move(read.lines);
    kept_ = std::move(read.kept);
    return outcome;
}

DataFileKeeper::SaveOutcome DataFileKeeper::Save(const LineStore& records, const LineChanges& changes,
                                                 const DropQuestion& mayDrop) {
    SaveOutcome outcome;
    // The file is read again first: only its print, and its lines when it changed. A file that
    // could not be read before is tried again: where it still cannot be, it is not replaced; where
    // it now can, what is held here is merged into it.
    auto readAgain = [&](const std::function<void(QByteArrayView)>& take) {
        const FileRead file = ReadFileInPieces(path_, kMaxDataFileBytes, take);
        if (!file.ok) {
            outcome.kind = SaveOutcome::NotRead;
            outcome.error = file.error;
        }
        return file.ok;
    };
    // The print of the bytes on disk; none when there is no file.
    auto printNow = [&](std::optional<size_t>& print) {
        print.reset();
        if (!QFileInfo::exists(path_))
            return true;
        FingerPrint bytes;
        if (!readAgain([&bytes](QByteArrayView piece) { bytes.Add(piece); }))
            return false;
        print = bytes.Value();
        return true;
    };
    // Another program may write the file while this save goes on (while a question waits for its
    // answer, or a large file is written): its print is taken again just before the new file takes
    // the old one's place, and where it moved the save starts over and merges with it too.
    for (int attempt = 1;; ++attempt) {
        outcome = {};
        std::optional<size_t> diskNow;
        if (!printNow(diskNow))
            return outcome;
        Lines merged;
        const bool changedOnDisk = diskNow && diskNow != diskPrint_;
        if (changedOnDisk) {
            DataLineReader reader;
            FingerPrint read;
            if (!readAgain([&](QByteArrayView piece) {
                    reader.Feed(piece);
                    read.Add(piece);
                }))
                return outcome;
            // A file read whole that is now empty, or ends in the middle of a line, was cut by a crash
            // or a placeholder, not edited: what it lacks was not erased.
            outcome.damaged = diskWhole_ && diskPrint_ && (read.size == 0 || !read.EndsWholeLine());
            QStringList disk = reader.Finish().lines.Lines();
            if (outcome.damaged && read.size > 0)
                disk.removeLast(); // the line cut in its middle
            MergedLines lines = MergeLines(disk, records.Lines() + kept_.Lines(), changes, outcome.damaged);
            if (!lines.dropped.isEmpty() && !(mayDrop && mayDrop(lines.dropped)))
                lines.lines.append(lines.dropped);
            outcome.conflicts = std::move(lines.conflicts);
            merged = Sorted(lines.lines);
        }
        const LineStore& written = changedOnDisk ? merged.records : records;
        const KeptLines& writtenKept = changedOnDisk ? merged.kept : kept_;
        // Whatever is written must read at the next start: a file that grows past the size cap
        // (lines of Windows-1252 written back in UTF-8 take more bytes) is not written, nor made.
        if (const qsizetype size = written.FileSize(writtenKept); size > kMaxDataFileBytes) {
            outcome.kind = SaveOutcome::Failed;
            outcome.error = QStringLiteral("it would take %1 bytes, more than the %2 that can be read back")
                                .arg(size)
                                .arg(kMaxDataFileBytes);
            return outcome;
        }
        const QByteArray bytes = written.FileBytes(writtenKept);
        constexpr int kAttempts = 3;
        const auto unmoved = [&] {
            std::optional<size_t> again;
            return printNow(again) && again == diskNow;
        };
        const auto error =
            ReplaceWholeFile(path_, bytes, attempt < kAttempts ? unmoved : std::function<bool()>());
        if (error == kFileMovedMeanwhile)
            continue;
        if (error) {
            outcome.kind = SaveOutcome::Failed;
            outcome.error = *error;
            return outcome;
        }
        diskPrint_ = PrintOf(bytes);
        diskWhole_ = true;
        if (changedOnDisk) {
            kept_ = std::move(merged.kept);
            outcome.merged = std::move(merged.records);
        }
        return outcome;
    }
}

} // namespace examora
