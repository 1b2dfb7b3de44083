// Whole-file reading and writing for the data file. Each call opens the file once and closes it
// before it returns, whatever happens; failures come back with the platform's description.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace examora {

struct FileRead {
    bool ok = false;
    QByteArray bytes;
    QString error; // why it failed, without the file's name: the platform's words, or "it is a directory, not
                   // a file"
};

// Reads the whole file; a file larger than maxBytes is refused rather than read.
FileRead ReadWholeFile(const QString& path, qint64 maxBytes);

// Reads the file as ReadWholeFile does, handing it over piece by piece instead of holding it: the
// pieces are of one fixed size but the last, so the same content always comes in the same pieces.
// The result carries no bytes.
FileRead ReadFileInPieces(const QString& path, qint64 maxBytes,
                          const std::function<void(QByteArrayView)>& take);

// Replaces the file's content at once: the new content goes to a temporary file beside it that then
// takes the file's place, so a failure or a crash part-way leaves the previous file whole. The
// file's permissions are kept, and a symbolic link stays a link to the file it names.
// Returns the description of the failure, or nothing when the file was written. unmoved, where
// given, is asked once the new content is written, just before it takes the file's place: false
// leaves the file as it is, and the result is kFileMovedMeanwhile.
inline const QString kFileMovedMeanwhile = QStringLiteral("the file was changed while it was saved");
std::optional<QString> ReplaceWholeFile(const QString& path, const QByteArray& bytes,
                                        const std::function<bool()>& unmoved = {});

} // namespace examora
