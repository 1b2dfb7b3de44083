// What the program knows of its data file, so that nothing the file held is ever lost: the lines
// read that are not records (kept in memory and written back after the records), whether the file
// could be read at all (a file that could not be read is never replaced), and what the disk held
// at the last read or save, so that a save merges the changes another program made since.
#pragma once

#include "records/exam_list_model.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace examora {

// The merge of the lines on disk now with the lines held here, each line counted as often as it
// occurs. A line's count at the last read is what is held less what was added here plus what was
// erased here. Where the disk still holds that count, or already holds the count held here (the
// same change made on both sides), the count held here stands; otherwise the disk's count moves
// by the change made here. A damaged disk (emptied, or cut in the middle of a line) erased
// nothing: every line held stays, with the lines the disk holds more of. Disk lines keep their
// order; the lines held here that it lacks follow.
struct MergedLines {
    QStringList lines;
    QStringList dropped;   // lines held here that the merge leaves out, each as often as it goes
    QStringList conflicts; // names of exams changed differently here and on disk: both kept
};
MergedLines MergeLines(const QStringList& disk, const QStringList& held, const LineChanges& changes,
                       bool diskDamaged = false);

class DataFileKeeper {
public:
    explicit DataFileKeeper(QString path = {}) : path_(std::move(path)) {}
    void SetPath(QString path) { path_ = std::move(path); }
    const QString& Path() const { return path_; }

    struct ReadOutcome {
        enum Kind { Missing, Failed, Done } kind = Missing;
        QString error;     // the platform's description, for Missing and Failed
        LineStore records; // read, and sorted as the list keeps them
        qsizetype byteCount = 0;
    };
    // Reads the file afresh. A failure leaves what was known of an earlier read as it was; a save
    // tries the file again and never replaces one it cannot read.
    // progress, where given, hears how far the read has come, as a part done of a whole: the bytes
    // read count for the first half, the lines read from them for the second.
    ReadOutcome Read(const std::function<void(qint64, qint64)>& progress = {});

    // The lines of the last read or merge that are not records, in file order.
    const KeptLines& Kept() const { return kept_; }

    struct SaveOutcome {
        enum Kind { Written, NotRead, Failed } kind = Written;
        QString error;                   // why it was not written
        std::optional<LineStore> merged; // the records after a merge with changes on disk, read and sorted
        bool damaged = false;            // the disk was found emptied or cut short, and taken as damaged
        QStringList conflicts;           // names of exams changed here and on disk, both versions kept
    };
    // Asked before a merge leaves out lines held here (erased by the other program, or missing from
    // its file); true lets them go, false keeps them.
    using DropQuestion = std::function<bool(const QStringList& dropped)>;
    // Writes the records, then the kept lines. Reads the file first: where another program changed
    // it since the last read or save, the result is the merge of its lines and these changes.
    // Without a question, lines held here are never dropped.
    SaveOutcome Save(const LineStore& records, const LineChanges& changes, const DropQuestion& mayDrop = {});

private:
    struct Lines {
        LineStore records;
        KeptLines kept;
    };
    static Lines Sorted(const QStringList& lines);

    QString path_;
    KeptLines kept_;
    std::optional<size_t> diskPrint_; // the bytes on disk at the last read or save; none: no file
    bool diskWhole_ = true;           // those bytes were empty or ended with a line end
};

} // namespace examora
