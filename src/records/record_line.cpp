#include "records/record_line.h"

#include "records/conversions.h"

namespace examora {

QStringList RecordParts(const QString& line) { return Split(line, kFieldSeparator); }

bool IsRecordLine(const QString& line) {
    // One pass finds the three separators and makes sure there is no fourth.
    qsizetype separators[FieldCount - 1] = {};
    int found = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] != kFieldSeparator)
            continue;
        if (found == FieldCount - 1)
            return false;
        separators[found++] = i;
    }
    if (found != FieldCount - 1)
        return false;
    return IsDate(QStringView(line).sliced(separators[0] + 1, separators[1] - separators[0] - 1));
}

std::optional<ExamReading> ReadExam(const QString& line) {
    const QStringList parts = RecordParts(line);
    if (parts.size() != FieldCount)
        return std::nullopt;
    const std::optional<QDate> date = DateValue(parts[ExamDate]);
    if (!date)
        return std::nullopt;
    return ExamReading{*date, Val(parts[ExamMark]), Val(parts[CreditValue])};
}

QString MakeRecordLine(const QString& name, const QString& date, const QString& mark,
                       const QString& credits) {
    return QStringList{Trim(name), Trim(date), Trim(mark), Trim(credits)}.join(kFieldSeparator);
}

} // namespace examora
