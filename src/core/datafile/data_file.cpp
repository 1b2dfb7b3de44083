#include "datafile/data_file.h"

#include "records/record_line.h"

#include <QStringDecoder>
#include <QUtf8StringView>
#include <utility>

namespace examora {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F; the five unused codes stay as they are.
constexpr char16_t kWindows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString FromWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        *out++ = (code >= 0x80 && code < 0xA0) ? QChar(kWindows1252High[code - 0x80]) : QChar(code);
    }
    return text;
}

// One line in its own encoding, so that a single stray byte cannot turn a whole UTF-8 file into
// Windows-1252 (and every accented letter into two at the next save). Valid UTF-8 is held as it
// came; a U+FEFF at the start of a line is text, not a byte-order mark.
void AppendLine(LineStore& lines, QByteArrayView bytes) {
    const bool ascii = IsAsciiText(bytes);
    if (ascii || QUtf8StringView(bytes).isValidUtf8())
        lines.Append(bytes, ascii);
    else
        lines.Append(FromWindows1252(bytes).toUtf8());
}

// Lines end at LF, CR LF or a lone CR (the older Macs' line end).
void AppendUtf16Lines(LineStore& lines, QByteArrayView bytes, QStringDecoder::Encoding encoding) {
    QStringDecoder utf16(encoding, QStringDecoder::Flag::Stateless);
    const QString text = utf16.decode(bytes);
    for (QStringView line : QStringView(text).tokenize(QChar(10)))
        for (QStringView part : line.tokenize(QChar(13)))
            if (!part.isEmpty())
                lines.Append(part.toUtf8());
}

// The bytes a file's start is judged on: its byte-order mark, or its first characters.
constexpr qsizetype kStartBytes = 16;

// A file without a byte-order mark is UTF-16 when its first characters, plain letters as a name
// is, each have one zero byte, always the same one: no other text file starts so.
int Utf16WithoutMark(QByteArrayView start) {
    start = start.first(std::min(start.size(), kStartBytes) & ~qsizetype{1});
    if (start.size() < 4)
        return 0;
    for (int zero : {1, 0}) {
        bool all = true;
        for (qsizetype i = 0; i < start.size() && all; i += 2)
            all = start[i + zero] == 0 && start[i + 1 - zero] != 0;
        if (all)
            return zero == 1 ? 1 : 2;
    }
    return 0;
}

} // namespace

QStringList DecodeDataLines(const QByteArray& bytes) {
    DataLineReader reader;
    reader.Feed(bytes);
    return reader.Finish().Lines();
}

void DataLineReader::Start() {
    started_ = true;
    if (pending_.startsWith("\xFF\xFE"))
        utf16_ = 1;
    else if (pending_.startsWith("\xFE\xFF"))
        utf16_ = 2;
    // A UTF-8 byte-order mark at the very start is no part of the first line.
    else if (pending_.startsWith("\xEF\xBB\xBF"))
        pending_.remove(0, 3);
    if (utf16_)
        pending_.remove(0, 2);
    else
        utf16_ = Utf16WithoutMark(pending_);
}

// A CR ends a line too, alone or before the LF.
void DataLineReader::Take(QByteArrayView line) {
    for (qsizetype start = 0, end; start < line.size(); start = end + 1) {
        end = line.indexOf('\r', start);
        if (end < 0)
            end = line.size();
        if (end > start)
            AppendLine(lines_, line.sliced(start, end - start));
    }
}

void DataLineReader::Feed(QByteArrayView piece) {
    if (!started_) {
        // The byte-order mark decides how the file is read: wait for its three bytes.
        pending_.append(piece);
        if (pending_.size() < kStartBytes)
            return;
        Start();
        piece = {};
        if (!utf16_) {
            const QByteArray first = std::exchange(pending_, {});
            Feed(first);
            return;
        }
    }
    if (utf16_) {
        pending_.append(piece);
        return;
    }
    qsizetype start = 0;
    if (!pending_.isEmpty()) {
        const qsizetype end = piece.indexOf('\n');
        if (end < 0) {
            pending_.append(piece);
            return;
        }
        pending_.append(piece.first(end));
        Take(std::exchange(pending_, {}));
        start = end + 1;
    }
    for (qsizetype end; (end = piece.indexOf('\n', start)) >= 0; start = end + 1)
        Take(piece.sliced(start, end - start));
    pending_ = piece.sliced(start).toByteArray();
}

LineStore DataLineReader::Finish() {
    if (!started_) {
        Start();
        if (!utf16_) {
            const QByteArray first = std::exchange(pending_, {});
            Feed(first);
        }
    }
    if (utf16_)
        AppendUtf16Lines(lines_, std::exchange(pending_, {}),
                         utf16_ == 1 ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    else
        Take(std::exchange(pending_, {}));
    return std::exchange(lines_, {});
}

QStringList RecordLinesOf(const QStringList& lines) {
    QStringList records;
    records.reserve(lines.size());
    for (const QString& line : lines)
        if (IsRecordLine(line))
            records.append(line);
    return records;
}

QByteArray EncodeDataLines(const QStringList& lines, const QStringList& further) {
    return LineStore(lines).FileBytes(further);
}

} // namespace examora
