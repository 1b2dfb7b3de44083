#include "records/data_file_keeper.h"

#include "platform/text_file.h"
#include "records/data_file.h"
#include "records/record_line.h"

#include <QFileInfo>
#include <QHash>

namespace examora {
namespace {

size_t FingerPrint(const QByteArray& bytes) {
    return qHashBits(bytes.constData(), static_cast<size_t>(bytes.size()), 0) ^
           static_cast<size_t>(bytes.size());
}

} // namespace

QStringList MergeLines(const QStringList& disk, const QStringList& added, const QStringList& erased) {
    QHash<QString, qsizetype> toErase;
    for (const QString& line : erased)
        ++toErase[line];
    QStringList merged;
    merged.reserve(disk.size() + added.size());
    auto take = [&](const QString& line) {
        const auto erase = toErase.find(line);
        if (erase != toErase.end() && erase.value() > 0)
            --erase.value();
        else
            merged.append(line);
    };
    // A line both added and erased cancels out, whichever came first.
    QStringList addedLeft;
    for (const QString& line : added) {
        const auto erase = toErase.find(line);
        if (erase != toErase.end() && erase.value() > 0)
            --erase.value();
        else
            addedLeft.append(line);
    }
    for (const QString& line : disk)
        take(line);
    merged.append(addedLeft);
    return merged;
}

DataFileKeeper::Lines DataFileKeeper::Sorted(QStringList lines) {
    Lines split;
    for (QString& line : lines)
        (IsRecordLine(line) ? split.records : split.kept).append(std::move(line));
    SortLines(split.records);
    return split;
}

DataFileKeeper::ReadOutcome DataFileKeeper::Read() {
    ReadOutcome outcome;
    if (!QFileInfo::exists(path_)) {
        outcome.error = ReadWholeFile(path_, kMaxDataFileBytes).error;
        return outcome;
    }
    FileRead file = ReadWholeFile(path_, kMaxDataFileBytes);
    if (!file.ok) {
        outcome.kind = ReadOutcome::Failed;
        outcome.error = file.error;
        unread_ = file.error;
        return outcome;
    }
    outcome.kind = ReadOutcome::Done;
    outcome.byteCount = file.bytes.size();
    diskPrint_ = FingerPrint(file.bytes);
    unread_.reset();
    QStringList lines = DecodeDataLines(file.bytes);
    file.bytes = {};
    kept_.clear();
    for (QString& line : lines)
        (IsRecordLine(line) ? outcome.records : kept_).append(std::move(line));
    return outcome;
}

DataFileKeeper::SaveOutcome DataFileKeeper::Save(const QStringList& records, const LineChanges& changes) {
    SaveOutcome outcome;
    if (unread_) {
        outcome.kind = SaveOutcome::NotRead;
        outcome.error = *unread_;
        return outcome;
    }
    std::optional<size_t> diskNow;
    QByteArray bytesNow;
    // A file gone since it was read takes what is held, as a first save does.
    if (QFileInfo::exists(path_)) {
        FileRead file = ReadWholeFile(path_, kMaxDataFileBytes);
        if (!file.ok) {
            outcome.kind = SaveOutcome::NotRead;
            outcome.error = file.error;
            return outcome;
        }
        diskNow = FingerPrint(file.bytes);
        bytesNow = std::move(file.bytes);
    }
    QByteArray bytes;
    Lines merged;
    const bool changedOnDisk = diskNow && diskNow != diskPrint_;
    if (changedOnDisk) {
        merged = Sorted(MergeLines(DecodeDataLines(bytesNow), changes.added, changes.erased));
        bytes = EncodeDataLines(merged.records, merged.kept);
    } else {
        bytes = EncodeDataLines(records, kept_);
    }
    bytesNow = {};
    if (const auto error = ReplaceWholeFile(path_, bytes)) {
        outcome.kind = SaveOutcome::Failed;
        outcome.error = *error;
        return outcome;
    }
    diskPrint_ = FingerPrint(bytes);
    if (changedOnDisk) {
        kept_ = std::move(merged.kept);
        outcome.merged = std::move(merged.records);
    }
    return outcome;
}

} // namespace examora
