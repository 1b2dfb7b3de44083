#include "datafile/text_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace examora {

FileRead ReadFileInPieces(const QString& path, qint64 maxBytes,
                          const std::function<void(QByteArrayView)>& take) {
    QFile file(path);
    const QFileInfo info(path);
    if (info.isDir())
        return {false, {}, QStringLiteral("it is a directory, not a file")};
    // A pipe would wait for a writer without end, and a device such as /dev/zero never ends.
    if (info.exists() && !info.isFile())
        return {false, {}, QStringLiteral("it is not a regular file")};
    if (!file.open(QIODevice::ReadOnly))
        return {false, {}, file.errorString()};
    const qint64 size = file.size();
    if (size > maxBytes) {
        return {false, {}, QStringLiteral("it is too large (%1 bytes; at most %2)").arg(size).arg(maxBytes)};
    }
    // Read in pieces: a file that grows while it is read is cut at maxBytes instead of filling memory.
    constexpr qint64 kPiece = qint64{1} << 16;
    std::unique_ptr<char[]> buffer(new char[kPiece]);
    qint64 total = 0;
    for (;;) {
        qint64 n = 0;
        // A short read is not the end: fill the piece, so that pieces never depend on timing.
        while (n < kPiece) {
            const qint64 got = file.read(buffer.get() + n, kPiece - n);
            if (got < 0)
                return {false, {}, file.errorString()};
            if (got == 0)
                break;
            n += got;
        }
        if (n == 0)
            break;
        total += n;
        if (total > maxBytes)
            return {false, {}, QStringLiteral("it is too large (more than %1 bytes)").arg(maxBytes)};
        take(QByteArrayView(buffer.get(), n));
        if (n < kPiece)
            break;
    }
    return {true, {}, {}};
}

FileRead ReadWholeFile(const QString& path, qint64 maxBytes) {
    QByteArray bytes;
    bytes.reserve(qMin(QFileInfo(path).size(), maxBytes));
    FileRead result =
        ReadFileInPieces(path, maxBytes, [&bytes](QByteArrayView piece) { bytes.append(piece); });
    if (result.ok)
        result.bytes = std::move(bytes);
    return result;
}

namespace {

// The new content takes the old file's owner and permissions before it takes the old file's place:
// the temporary file is its writer's, with the bits the writer is allowed, which differ when root
// saves a file that is someone else's or read-only. Where the owner cannot be given, the file stays
// the writer's, as any file the writer creates.
void KeepOwnerAndMode(const QString& path, int handle) {
    struct stat old {};
    if (handle < 0 || ::stat(QFile::encodeName(path).constData(), &old) != 0)
        return;
    if (::fchown(handle, old.st_uid, old.st_gid) != 0) {
        // Not root: the file stays its writer's.
    }
    ::fchmod(handle, old.st_mode & 07777);
}

} // namespace

std::optional<QString> ReplaceWholeFile(const QString& path, const QByteArray& bytes,
                                        const std::function<bool()>& unmoved) {
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("%1 is a directory, not a file").arg(path);
    // Followed through links: a device or a pipe would become a plain file in its place.
    if (info.exists() && !info.isFile())
        return QStringLiteral("%1 is not a regular file").arg(path);
    QSaveFile file(path);
    // Unbuffered, so that each write reports what really reached the file: on a full disk a
    // buffered write can come back short without an error and the commit would then succeed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const qint64 written = file.write(data, left);
        if (written <= 0) {
            // Keep the first description: after cancelWriting() it would only read 'Unknown error'.
            QString error = file.errorString();
            if (file.error() == QFileDevice::NoError)
                error = QStringLiteral("Could not write %1: no space left on the device").arg(path);
            file.cancelWriting();
            return error;
        }
        data += written;
        left -= written;
    }
    KeepOwnerAndMode(path, file.handle());
    if (unmoved && !unmoved()) {
        file.cancelWriting();
        return kFileMovedMeanwhile;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace examora
