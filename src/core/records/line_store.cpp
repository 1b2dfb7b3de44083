#include "records/line_store.h"

#include "records/conversions.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstring>
#include <limits>

namespace examora {

bool IsAsciiText(QByteArrayView bytes) {
    // Eight bytes at a time: a file of a million lines is tested in a few milliseconds.
    quint64 any = 0;
    qsizetype at = 0;
    for (quint64 word; at + 8 <= bytes.size(); at += 8) {
        std::memcpy(&word, bytes.data() + at, 8);
        any |= word;
    }
    for (; at < bytes.size(); ++at)
        any |= static_cast<unsigned char>(bytes[at]);
    return (any & 0x8080808080808080u) == 0;
}

QString TextOfUtf8(QByteArrayView utf8) {
    if (!utf8.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(utf8);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(utf8);
}

LineStore::LineStore(const QStringList& lines) {
    qsizetype bytes = 0;
    for (const QString& line : lines)
        bytes += line.size();
    Reserve(lines.size(), bytes);
    for (const QString& line : lines)
        Append(line.toUtf8());
}

QStringList LineStore::Lines() const {
    QStringList lines;
    lines.reserve(Count());
    for (qsizetype i = 0; i < Count(); ++i)
        lines.append(Line(i));
    return lines;
}

LineReading LineStore::ReadAt(qsizetype i) const {
    const QByteArrayView bytes = Utf8(i);
    // The name is never read, and a ";" is never part of another character in UTF-8: where the
    // fields after it are ASCII, as they nearly always are, they are read where they lie whatever
    // letters the name has.
    const QByteArrayView fields = IsAscii(i) ? bytes : bytes.sliced(std::max<qsizetype>(0, bytes.indexOf(';')));
    if (IsAscii(i) || (fields.startsWith(';') && IsAsciiText(fields)))
        return ReadLine(QLatin1StringView(fields.data(), fields.size()));
    return ReadLine(TextOfUtf8(bytes));
}

void LineStore::ReadAll() {
    const DateReadingPass pass;
    for (qsizetype i = 0; i < Count(); ++i)
        SetReading(i, ReadAt(i).exam.value_or(ExamReading{}));
}

void LineStore::Reserve(qsizetype lines, qsizetype bytes) {
    rows_.reserve(static_cast<std::size_t>(lines));
    readings_.reserve(static_cast<std::size_t>(lines));
    text_.reserve(bytes);
}

std::array<BufferExtent, 3> LineStore::Extents() const {
    return {BufferExtent{text_.constData(), static_cast<std::size_t>(text_.size()), static_cast<std::size_t>(text_.capacity())},
            BufferExtent{rows_.data(), rows_.size() * sizeof(Row), rows_.capacity() * sizeof(Row)},
            BufferExtent{readings_.data(), readings_.size() * sizeof(ExamReading),
                         readings_.capacity() * sizeof(ExamReading)}};
}

LineStore::Row LineStore::AppendText(QByteArrayView utf8, bool ascii) {
    // Rows count in 32 bits: the largest file the program reads is far below 2 GiB, even with every
    // byte of it turned into three of UTF-8 and as much again of text no longer used.
    Q_ASSERT(text_.size() + utf8.size() <= std::numeric_limits<qint32>::max());
    const Row row{static_cast<quint32>(text_.size()), static_cast<quint32>(utf8.size()), ascii};
    text_.append(utf8);
    return row;
}

void LineStore::Append(QByteArrayView utf8, bool ascii) {
    rows_.push_back(AppendText(utf8, ascii));
    readings_.emplace_back();
}

void LineStore::AppendWindows1252(QByteArrayView bytes) {
    const auto begin = static_cast<quint32>(text_.size());
    examora::AppendWindows1252(text_, bytes);
    Q_ASSERT(text_.size() <= std::numeric_limits<qint32>::max());
    rows_.push_back(Row{begin, static_cast<quint32>(text_.size() - begin), IsAsciiText(bytes)});
    readings_.emplace_back();
}

void LineStore::Insert(qsizetype row, const QString& line) {
    const QByteArray utf8 = line.toUtf8();
    const auto at = static_cast<std::size_t>(row);
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), AppendText(utf8, IsAsciiText(utf8)));
    readings_.insert(readings_.begin() + static_cast<std::ptrdiff_t>(at), ReadExam(line).value_or(ExamReading{}));
}

void LineStore::Erase(qsizetype row) {
    deadBytes_ += rows_[static_cast<std::size_t>(row)].size;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
    readings_.erase(readings_.begin() + static_cast<std::ptrdiff_t>(row));
    DropDeadText();
}

void LineStore::Keep(const std::vector<char>& keep) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (keep[i]) {
            rows_[kept] = rows_[i];
            readings_[kept++] = readings_[i];
        } else {
            deadBytes_ += rows_[i].size;
        }
    }
    rows_.resize(kept);
    readings_.resize(kept);
    DropDeadText();
}

void LineStore::InsertRows(const QList<int>& rows, const QStringList& lines) {
    std::vector<Row> merged;
    std::vector<ExamReading> mergedReadings;
    const std::size_t total = rows_.size() + static_cast<std::size_t>(lines.size());
    merged.reserve(total);
    mergedReadings.reserve(total);
    qsizetype next = 0;
    std::size_t old = 0;
    for (std::size_t i = 0; i < total; ++i) {
        if (next < rows.size() && (static_cast<std::size_t>(rows.at(next)) == i || old >= rows_.size())) {
            const QString& line = lines.at(next++);
            const QByteArray utf8 = line.toUtf8();
            merged.push_back(AppendText(utf8, IsAsciiText(utf8)));
            mergedReadings.push_back(ReadExam(line).value_or(ExamReading{}));
        } else {
            merged.push_back(rows_[old]);
            mergedReadings.push_back(readings_[old++]);
        }
    }
    rows_ = std::move(merged);
    readings_ = std::move(mergedReadings);
}

LineStore::Order LineStore::OrderOf(std::vector<qint32> order) const {
    // Gathered into new rows: the reads are independent of each other, so that the processor has
    // many of them under way at once.
    Order next;
    next.order_ = std::move(order);
    next.rows_.reserve(next.order_.size());
    for (const qint32 row : next.order_)
        next.rows_.push_back(rows_[static_cast<std::size_t>(row)]);
    next.readings_.reserve(next.order_.size());
    MakePagesReady(next.readings_.data(), next.order_.size() * sizeof(ExamReading));
    return next;
}

void LineStore::TakeOrder(Order order) {
    for (const qint32 row : order.order_)
        order.readings_.push_back(readings_[static_cast<std::size_t>(row)]);
    rows_ = std::move(order.rows_);
    readings_ = std::move(order.readings_);
}

void LineStore::DropDeadText() {
    if (deadBytes_ < 4096 || deadBytes_ < text_.size() - deadBytes_)
        return;
    QByteArray text;
    text.reserve(text_.size() - deadBytes_);
    for (Row& row : rows_) {
        const auto begin = static_cast<quint32>(text.size());
        text.append(text_.constData() + row.begin, row.size);
        row.begin = begin;
    }
    text_ = std::move(text);
    deadBytes_ = 0;
}

namespace {

// The reader takes a byte-order mark at the very start for the file's and drops it: a first line
// that starts with U+FEFF gets a mark of its own before it, so that it reads back whole.
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

bool MarkFirst(const LineStore& lines, const KeptLines& further) {
    return (lines.IsEmpty() ? QByteArrayView(further.FileBytes()) : lines.Utf8(0)).startsWith(kUtf8Mark);
}

} // namespace

qsizetype LineStore::FileSize(const KeptLines& further) const {
    qsizetype size = MarkFirst(*this, further) ? 3 : 0;
    for (const Row& row : rows_)
        size += row.size + 2;
    return size + further.FileBytes().size();
}

QByteArray LineStore::FileBytes(const KeptLines& further) const {
    QByteArray bytes;
    bytes.reserve(FileSize(further));
    if (MarkFirst(*this, further))
        bytes.append(kUtf8Mark);
    for (qsizetype i = 0; i < Count(); ++i)
        bytes.append(Utf8(i)).append("\r\n");
    return bytes.append(further.FileBytes());
}

} // namespace examora
