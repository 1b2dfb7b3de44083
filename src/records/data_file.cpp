#include "records/data_file.h"

#include "records/record_line.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace examora {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F; the five unused codes stay as they are.
constexpr char16_t kWindows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString FromWindows1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        *out++ = (code >= 0x80 && code < 0xA0) ? QChar(kWindows1252High[code - 0x80]) : QChar(code);
    }
    return text;
}

QString DecodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return FromWindows1252(bytes);
}

} // namespace

QStringList DecodeDataLines(const QByteArray& bytes) {
    const QString text = DecodeText(bytes);
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(QChar(10), Qt::KeepEmptyParts);
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines)
        if (line.endsWith(QChar(13)))
            line.chop(1);
    return lines;
}

QStringList RecordLinesOf(const QStringList& lines) {
    QStringList records;
    records.reserve(lines.size());
    for (const QString& line : lines)
        if (IsRecordLine(line))
            records.append(line);
    return records;
}

QByteArray EncodeDataLines(const QStringList& lines) {
    // One buffer with room for the longest possible UTF-8, filled line by line and cut to size;
    // the pages never written are never touched.
    QStringEncoder utf8(QStringEncoder::Utf8);
    qsizetype room = 0;
    for (const QString& line : lines)
        room += utf8.requiredSpace(line.size()) + 2;
    // The reader takes a U+FEFF at the very start for a byte-order mark and drops it: a first line
    // that starts with one gets a mark of its own before it, so that it reads back whole.
    const bool markFirst = !lines.isEmpty() && lines.first().startsWith(QChar(0xFEFF));
    QByteArray bytes;
    bytes.resize(room + (markFirst ? 3 : 0));
    char* out = bytes.data();
    if (markFirst)
        out = std::copy_n("\xEF\xBB\xBF", 3, out);
    for (const QString& line : lines) {
        out = utf8.appendToBuffer(out, line);
        *out++ = '\r';
        *out++ = '\n';
    }
    bytes.truncate(out - bytes.constData());
    return bytes;
}

} // namespace examora
