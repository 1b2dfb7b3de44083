// The data file "Examora.TXT": one record line per line, CR LF after each, written in UTF-8.
// Each line is read in its own encoding: UTF-8 where it is valid UTF-8, Windows-1252 (the older
// Windows code page) otherwise; a file that starts with a UTF-16 byte-order mark is read as UTF-16.
#pragma once

#include "records/conversions.h"
#include "records/line_store.h"
#include "records/pages_ahead.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace examora {

inline const QString kDataFileName = QStringLiteral("Examora.TXT");

// A data file larger than this is refused with a message rather than read into memory; the largest
// list of exams the program is made for takes a few megabytes.
inline constexpr qint64 kMaxDataFileBytes = qint64{256} * 1024 * 1024;

// Every non-empty line of the file: up to LF, CR LF or a lone CR; a last line without an end is a
// line too. Empty lines carry nothing and are left out. A file that starts with a UTF-16 byte-order
// mark, or whose first character has a zero byte, is read as UTF-16.
QStringList DecodeDataLines(const QByteArray& bytes);

// The lines of a file, not read as records yet. A reader that keeps apart the lines that cannot be
// records (those without four fields) puts them straight into kept, the others into lines, and
// marks where these stood among the kept ones, so that any of them that is no record either can
// join the kept lines in file order.
struct ReadLines {
    LineStore lines;
    KeptLines kept;
    struct Mark {
        qsizetype row;   // this line of lines, and those after it,
        qsizetype bytes; // came after this many bytes of kept
    };
    std::vector<Mark> keptBefore; // a mark where the kept lines grew since the last one
    DateOrderVote keptVote;       // of the dates of the kept lines that have a second field
};

// The same, fed with the file's bytes piece by piece, so that the whole file is never held at once.
class DataLineReader {
public:
    // keepApart: the lines that cannot be records go straight to the kept lines.
    explicit DataLineReader(bool keepApart = false) : keepApart_(keepApart) {}
    // Room for about as many lines and bytes as the file may hold, so that the store is not moved as
    // it grows; room never used is never touched.
    void Reserve(qsizetype lines, qsizetype bytes);
    void Feed(QByteArrayView piece);
    ReadLines Finish();

private:
    void Start();
    void Take(QByteArrayView line, bool ascii);
    void Append(QByteArrayView line, bool ascii);
    void Keep(QByteArrayView line, bool utf8);
    void AppendUtf16(QByteArrayView bytes, bool littleEndian);
    void TellAhead();

    ReadLines read_;
    bool keepApart_;
    std::unique_ptr<PagesAhead> ahead_; // for a large file, its buffers' pages made ready aside
    qsizetype expected_ = 0;            // the bytes the file is expected to hold
    qsizetype fed_ = 0;                 // the bytes fed so far
    QByteArray pending_; // the start of a line that the next piece ends; all of a UTF-16 file
    bool started_ = false;
    int utf16_ = 0; // 1 little-endian, 2 big-endian
};

// The records of the file, in file order: the lines that pass the record test, unchanged.
QStringList RecordLinesOf(const QStringList& lines);

// The file's bytes for the given lines, then the further ones: each line in UTF-8 followed by CR LF.
QByteArray EncodeDataLines(const QStringList& lines, const QStringList& further = {});

} // namespace examora
