// One exam is held only as one text line: name, date, mark and credit value joined by ";".
#pragma once

#include <QString>
#include <QStringList>

namespace examora {

inline constexpr QChar kFieldSeparator = QLatin1Char(';');

enum RecordField { ExamName = 0, ExamDate = 1, ExamMark = 2, CreditValue = 3, FieldCount = 4 };

// The fields of a line; an empty line gives none.
QStringList RecordParts(const QString& line);

// A line is a record when it has exactly four fields and the second reads as a date. The name, mark
// and credit value are not tested here.
bool IsRecordLine(const QString& line);

// The four texts trimmed of their surrounding spaces and joined by ";".
QString MakeRecordLine(const QString& name, const QString& date, const QString& mark, const QString& credits);

} // namespace examora
