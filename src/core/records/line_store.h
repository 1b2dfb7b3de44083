// Many text lines held together: their UTF-8 back to back in one buffer, each line a row of where it
// starts and how long it is, with the reading taken of it beside. A list of a million exams takes
// about one allocation per kind instead of one per line, and reads its lines where they lie.
#pragma once

#include "records/kept_lines.h"
#include "records/pages_ahead.h"
#include "records/record_line.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

namespace examora {

// True when every byte is below 0x80.
bool IsAsciiText(QByteArrayView bytes);
// The text of a line held in UTF-8, a U+FEFF at its start kept as text.
QString TextOfUtf8(QByteArrayView utf8);

class LineStore {
public:
    LineStore() = default;
    // The lines, in their order, not read yet.
    explicit LineStore(const QStringList& lines);

    qsizetype Count() const { return static_cast<qsizetype>(rows_.size()); }
    bool IsEmpty() const { return rows_.empty(); }
    QByteArrayView Utf8(qsizetype i) const {
        const Row row = rows_[static_cast<std::size_t>(i)];
        return QByteArrayView(text_.constData() + row.begin, row.size);
    }
    QString Line(qsizetype i) const { return TextOfUtf8(Utf8(i)); }
    // Whether the line is plain ASCII, as nearly every line is: then its bytes are its code units.
    bool IsAscii(qsizetype i) const { return rows_[static_cast<std::size_t>(i)].ascii; }
    QStringList Lines() const;
    // What the figures and graphs read of each line; a line not read yet reads as no record.
    const std::vector<ExamReading>& Readings() const { return readings_; }
    void SetReading(qsizetype i, const ExamReading& reading) { readings_[static_cast<std::size_t>(i)] = reading; }

    // The line read as it lies: from its bytes where all but the name is ASCII, else from its text.
    LineReading ReadAt(qsizetype i) const;
    // Reads every line. Dates read in the file date order that is set, so it is set first.
    void ReadAll();

    // Room for about as many lines and bytes, so that the buffers are not moved as they grow.
    void Reserve(qsizetype lines, qsizetype bytes);
    // Where the buffers lie: the text, the rows and the readings.
    std::array<BufferExtent, 3> Extents() const;
    // A line at the end, not read yet; the bytes are UTF-8, ASCII where the caller says so.
    void Append(QByteArrayView utf8) { Append(utf8, IsAsciiText(utf8)); }
    void Append(QByteArrayView utf8, bool ascii);
    // A line of Windows-1252 at the end, held in UTF-8, not read yet.
    void AppendWindows1252(QByteArrayView bytes);
    // The line at the given row, read.
    void Insert(qsizetype row, const QString& line);
    void Erase(qsizetype row);
    // Keeps the rows whose flag is set, in their order.
    void Keep(const std::vector<char>& keep);
    // Puts lines, read, at the given rows of the list they make (ascending).
    void InsertRows(const QList<int>& rows, const QStringList& lines);
    // Puts the rows in the given order: order[k] is the row that goes to place k.
    void Permute(std::vector<qint32> order) { TakeOrder(OrderOf(std::move(order))); }
    // The same in two steps, so that the first may go on on another thread while the readings are
    // still being taken: the rows gathered in the new order and the readings' room made ready, then
    // the readings gathered into it.
    class Order;
    Order OrderOf(std::vector<qint32> order) const;
    void TakeOrder(Order order);

    // The data file's bytes: each line followed by CR LF, then the further lines.
    QByteArray FileBytes(const KeptLines& further = {}) const;
    // How many bytes FileBytes gives, without making them.
    qsizetype FileSize(const KeptLines& further = {}) const;

private:
    struct Row {
        quint32 begin;
        quint32 size : 31;
        quint32 ascii : 1;
    };

public:
    class Order {
    public:
        // order[k] is the row that goes to place k.
        const std::vector<qint32>& Rows() const { return order_; }

    private:
        friend class LineStore;
        std::vector<qint32> order_;
        std::vector<Row> rows_;
        std::vector<ExamReading> readings_;
    };

private:
    Row AppendText(QByteArrayView utf8, bool ascii);
    // Text no row uses any more is dropped once it outweighs the text in use.
    void DropDeadText();

    QByteArray text_;
    std::vector<Row> rows_;
    std::vector<ExamReading> readings_;
    qsizetype deadBytes_ = 0;
};

} // namespace examora
