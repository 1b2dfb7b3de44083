#include "datafile/data_file.h"

#include "records/record_line.h"

#include <QStringDecoder>
#include <QUtf8StringView>
#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

namespace examora {
namespace {

// A line of four fields may be a record; no other line is.
bool MayBeRecord(QByteArrayView line) {
    // Eight bytes at a time: a byte equal to ';' is a zero byte of the word XOR ";;;;;;;;", found
    // without carries from one byte to the next.
    constexpr quint64 kLow7 = 0x7F7F7F7F7F7F7F7Fu, kSeparators = 0x3B3B3B3B3B3B3B3Bu;
    int separators = 0;
    qsizetype at = 0;
    for (quint64 word; at + 8 <= line.size(); at += 8) {
        std::memcpy(&word, line.data() + at, 8);
        word ^= kSeparators;
        // One high bit per match, summed by a multiplication into the top byte.
        const quint64 matches = ~(((word & kLow7) + kLow7) | word | kLow7);
        separators += static_cast<int>(((matches >> 7) * 0x0101010101010101u) >> 56);
    }
    for (; at < line.size(); ++at)
        separators += line[at] == ';';
    return separators == 3;
}

// The text between a line's first and second field separator, where it has both.
std::optional<QByteArrayView> SecondField(QByteArrayView line) {
    const qsizetype first = line.indexOf(';');
    const qsizetype second = first < 0 ? -1 : line.indexOf(';', first + 1);
    if (second < 0)
        return std::nullopt;
    return line.sliced(first + 1, second - first - 1);
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
    return reader.Finish().lines.Lines();
}

void DataLineReader::Reserve(qsizetype lines, qsizetype bytes) {
    read_.lines.Reserve(lines, bytes);
    if (keepApart_)
        read_.kept.Reserve(bytes);
    // A small file has few pages to fault in: no second thread for it.
    expected_ = bytes;
    if (bytes >= qsizetype{2} << 20)
        ahead_ = std::make_unique<PagesAhead>();
}

// Each buffer is expected to grow as it has grown so far, in step with the bytes fed: the pages
// made ready stop there, so that a buffer that grows little (the kept lines of a file of records)
// or less than its room (the rows, reserved for short lines) is not touched beyond what it takes.
void DataLineReader::TellAhead() {
    const auto expected = [this](BufferExtent extent) {
        const double grown = static_cast<double>(expected_) / static_cast<double>(std::max<qsizetype>(1, fed_));
        extent.capacity = std::min(extent.capacity, static_cast<std::size_t>(static_cast<double>(extent.used) * grown));
        return extent;
    };
    const std::array<BufferExtent, 3> lines = read_.lines.Extents();
    const KeptLines& kept = read_.kept;
    ahead_->Reached({expected(lines[0]), expected(lines[1]), expected(lines[2]),
                     expected({kept.Begin(), static_cast<std::size_t>(kept.FileBytes().size()),
                               static_cast<std::size_t>(kept.Capacity())})});
}

// One line in its own encoding, so that a single stray byte cannot turn a whole UTF-8 file into
// Windows-1252 (and every accented letter into two at the next save). Valid UTF-8 is held as it
// came; a U+FEFF at the start of a line is text, not a byte-order mark.
// ascii: the line is known to be ASCII; where false, it is tested.
void DataLineReader::Append(QByteArrayView line, bool ascii) {
    ascii = ascii || IsAsciiText(line);
    const bool utf8 = ascii || QUtf8StringView(line).isValidUtf8();
    if (keepApart_ && !MayBeRecord(line)) {
        Keep(line, utf8);
        return;
    }
    const qsizetype keptBytes = read_.kept.FileBytes().size();
    if (keptBytes > (read_.keptBefore.empty() ? 0 : read_.keptBefore.back().bytes))
        read_.keptBefore.push_back({read_.lines.Count(), keptBytes});
    if (utf8)
        read_.lines.Append(line, ascii);
    else
        read_.lines.AppendWindows1252(line);
}

// A kept line still tells, by its date, the order of day and month the file writes its dates in.
void DataLineReader::Keep(QByteArrayView line, bool utf8) {
    if (const std::optional<QByteArrayView> date = SecondField(line)) {
        QByteArray text;
        if (utf8)
            text = date->toByteArray();
        else
            AppendWindows1252(text, *date);
        read_.keptVote.Add(TextOfUtf8(text).trimmed());
    }
    if (utf8)
        read_.kept.Append(line);
    else
        read_.kept.AppendWindows1252(line);
}

// Lines end at LF, CR LF or a lone CR (the older Macs' line end).
void DataLineReader::AppendUtf16(QByteArrayView bytes, bool littleEndian) {
    QStringDecoder utf16(littleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                         QStringDecoder::Flag::Stateless);
    const QString text = utf16.decode(bytes);
    for (QStringView line : QStringView(text).tokenize(QChar(10)))
        for (QStringView part : line.tokenize(QChar(13)))
            if (!part.isEmpty())
                Append(part.toUtf8(), false);
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
// ascii: the line is known to be ASCII.
void DataLineReader::Take(QByteArrayView line, bool ascii) {
    // Nearly always a CR LF file: the one CR is the line's last byte.
    const qsizetype whole = line.endsWith('\r') ? line.size() - 1 : line.size();
    for (qsizetype start = 0, end; start < whole; start = end + 1) {
        end = line.first(whole).indexOf('\r', start);
        if (end < 0)
            end = whole;
        if (end > start)
            Append(line.sliced(start, end - start), ascii);
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
        Take(std::exchange(pending_, {}), false);
        start = end + 1;
    }
    // A piece of ASCII, as nearly every piece is, is tested once for all its lines.
    const bool ascii = IsAsciiText(piece.sliced(start));
    for (qsizetype end; (end = piece.indexOf('\n', start)) >= 0; start = end + 1)
        Take(piece.sliced(start, end - start), ascii);
    fed_ += piece.size();
    if (ahead_)
        TellAhead();
    pending_ = piece.sliced(start).toByteArray();
}

ReadLines DataLineReader::Finish() {
    ahead_.reset();
    if (!started_) {
        Start();
        if (!utf16_) {
            const QByteArray first = std::exchange(pending_, {});
            Feed(first);
        }
    }
    if (utf16_)
        AppendUtf16(std::exchange(pending_, {}), utf16_ == 1);
    else
        Take(std::exchange(pending_, {}), false);
    return std::exchange(read_, {});
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
    return LineStore(lines).FileBytes(KeptLines(further));
}

} // namespace examora
