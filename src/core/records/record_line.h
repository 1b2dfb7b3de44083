// One exam is held only as one text line: name, date, mark and credit value joined by ";".
#pragma once

#include "records/conversions.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace examora {

inline constexpr QChar kFieldSeparator = QLatin1Char(';');

enum RecordField { ExamName = 0, ExamDate = 1, ExamMark = 2, CreditValue = 3, FieldCount = 4 };

// The fields of a line; an empty line gives none.
QStringList RecordParts(const QString& line);

// A line is a record when it has exactly four fields and the second reads as a date. The name, mark
// and credit value are not tested here.
bool IsRecordLine(const QString& line);

// What the statistics and the graphs read of a record: the date, and the mark and credit value as
// numbers (the number at the head of each field).
// The store keeps one beside each line, read once when the line comes in; a reading without a
// valid date stands for a line that is no record.
struct ExamReading {
    QDate date;
    double mark = 0.0;
    double credits = 0.0;
};
// Nothing for a line that does not split into four fields or whose date does not read. Takes the
// line apart in place, without copying it.
std::optional<ExamReading> ReadExam(QStringView line);

// One line read in one pass: its reading where it is a record, and what the text between its first
// and second ";" tells as a date (nothing where the line has no second ";").
struct LineReading {
    std::optional<ExamReading> exam;
    DateReading date;
};
LineReading ReadLine(QStringView line);
// The same for a line of ASCII characters, read where it lies.
LineReading ReadLine(QLatin1StringView line);

// The mark of an exam passed with honours ("30 e lode", "30 cum laude"), as the list stores it. The
// number at its head makes it count as 30 in every figure.
inline const QString kHonoursMark = QStringLiteral("30L");
// Whether a mark, as typed or as a file holds it, is 30 with honours: 30L, 30 L, 30 e lode or
// 30 cum laude, in any letter case, with any white space around and between the words.
bool IsHonoursMark(QStringView mark);
// Whether the mark field of a line of four fields is 30 with honours.
bool HasHonours(QStringView line);

// The four texts trimmed of the white space around them and joined by ";".
QString MakeRecordLine(const QString& name, const QString& date, const QString& mark, const QString& credits);

} // namespace examora
