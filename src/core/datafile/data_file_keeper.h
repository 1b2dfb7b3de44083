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

// Three-way merge of multisets of lines: the lines on disk now, plus those added, minus those
// erased, each counted as often as it occurs. Disk lines keep their order; added ones follow.
QStringList MergeLines(const QStringList& disk, const QStringList& added, const QStringList& erased);

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
    // Reads the file afresh. A failure other than a missing file forbids saves until a later read
    // succeeds; a failure leaves what was known of an earlier read as it was.
    // progress, where given, hears how far the read has come, as a part done of a whole: the bytes
    // read count for the first half, the lines read from them for the second.
    ReadOutcome Read(const std::function<void(qint64, qint64)>& progress = {});

    // The lines of the last read or merge that are not records, in file order.
    const QStringList& Kept() const { return kept_; }

    struct SaveOutcome {
        enum Kind { Written, NotRead, Failed } kind = Written;
        QString error;                   // why it was not written
        std::optional<LineStore> merged; // the records after a merge with changes on disk, read and sorted
    };
    // Writes the records, then the kept lines. Reads the file first: where another program changed
    // it since the last read or save, the result is the merge of its lines and these changes.
    SaveOutcome Save(const LineStore& records, const LineChanges& changes);

private:
    struct Lines {
        LineStore records;
        QStringList kept;
    };
    static Lines Sorted(const QStringList& lines);

    QString path_;
    QStringList kept_;
    std::optional<QString> unread_;   // why the file could not be read, until a read succeeds
    std::optional<size_t> diskPrint_; // the bytes on disk at the last read or save; none: no file
};

} // namespace examora
