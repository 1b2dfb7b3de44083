// Lines held only to be written back, never read: their UTF-8 back to back, each followed by the
// CR LF the data file puts after it, so that a line takes its own bytes and two more. A file of
// millions of short lines that are no records takes little more memory than the file itself.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace examora {

// Appends bytes of Windows-1252 (the older Windows code page) to utf8, turned into UTF-8.
void AppendWindows1252(QByteArray& utf8, QByteArrayView bytes);

class KeptLines {
public:
    KeptLines() = default;
    explicit KeptLines(const QStringList& lines);

    qsizetype Count() const { return count_; }
    bool IsEmpty() const { return count_ == 0; }
    // The lines as the data file takes them: each in UTF-8 followed by CR LF.
    const QByteArray& FileBytes() const { return bytes_; }
    QStringList Lines() const;

    // Room for about as many bytes, so that the buffer is not moved as it grows.
    void Reserve(qsizetype bytes) { bytes_.reserve(bytes); }
    // Where the bytes lie, and how many there is room for.
    const void* Begin() const { return bytes_.constData(); }
    qsizetype Capacity() const { return bytes_.capacity(); }
    // A line at the end, without a line end of its own.
    void Append(QByteArrayView utf8);
    void AppendWindows1252(QByteArrayView bytes);
    // Whole lines at the end, as FileBytes holds them.
    void AppendFileBytes(QByteArrayView lines);

private:
    QByteArray bytes_;
    qsizetype count_ = 0;
};

} // namespace examora
