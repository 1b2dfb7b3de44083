#include "datafile/file_messages.h"

namespace examora {
namespace {

struct Cause {
    QString words;  // the cause, in plain words
    QString remedy; // what to do before trying again
};

// The system's and Qt's descriptions of a failed write, in plain words. A description it does not
// know is given as it is.
Cause CauseOf(const QString& error) {
    const QString e = error.toLower();
    if (e.contains(QLatin1String("no space left")))
        return {QStringLiteral("the disk is full"), QStringLiteral("free some space")};
    if (e.contains(QLatin1String("read-only file system")))
        return {QStringLiteral("the disk can only be read"), QStringLiteral("make it writable or choose another")};
    if (e.contains(QLatin1String("not writable")) || e.contains(QLatin1String("permission denied")))
        return {QStringLiteral("you are not allowed to write there"),
                QStringLiteral("check the permissions of the file and its folder")};
    if (e.contains(QLatin1String("can be read back")))
        return {error, QStringLiteral("erase some exams, or the lines that are no exams,")};
    if (e.contains(QLatin1String("is a directory")))
        return {QStringLiteral("a folder stands in its place"), QStringLiteral("move the folder away")};
    if (e.contains(QLatin1String("not a regular file")))
        return {QStringLiteral("something that is not a file stands in its place"),
                QStringLiteral("move it away")};
    QString words = error;
    if (words.endsWith(QLatin1Char('.')))
        words.chop(1);
    return {words, QStringLiteral("put the cause right")};
}

} // namespace

QString ReadFailureMessage(const QString& fileName, const QString& reason, bool missing) {
    if (missing)
        return QStringLiteral("%1 could not be read: %2. Save writes it anew with the exams shown.")
            .arg(fileName, reason);
    return QStringLiteral("%1 could not be read: %2. It is never written over while it cannot be "
                          "read; put it right or move it away, then choose Load.")
        .arg(fileName, reason);
}

QString NotReadAtSaveMessage(const QString& fileName, const QString& reason) {
    return QStringLiteral("%1 could not be read, so it was not replaced: %2. Your exams are still "
                          "here; put the file right or move it away, then save again.")
        .arg(fileName, reason);
}

QString SaveFailureMessage(const QString& fileName, const QString& error) {
    const Cause cause = CauseOf(error);
    return QStringLiteral("%1 could not be saved: %2. Your exams are still here; %3 and save again.")
        .arg(fileName, cause.words, cause.remedy);
}

QString ExportFailureMessage(const QString& fileName, const QString& error) {
    const Cause cause = CauseOf(error);
    return QStringLiteral("%1 could not be written: %2. Nothing was exported; %3, or choose another "
                          "place, and export again.")
        .arg(fileName, cause.words, cause.remedy);
}

} // namespace examora
