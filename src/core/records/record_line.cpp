#include "records/record_line.h"

#include "records/conversions.h"

namespace examora {

QStringList RecordParts(const QString& line) { return Split(line, kFieldSeparator); }

bool IsRecordLine(const QString& line) { return ReadExam(line).has_value(); }

std::optional<ExamReading> ReadExam(QStringView line) {
    qsizetype ends[FieldCount] = {};
    qsizetype start = 0;
    for (int field = 0; field < FieldCount - 1; ++field) {
        ends[field] = line.indexOf(kFieldSeparator, start);
        if (ends[field] < 0)
            return std::nullopt;
        start = ends[field] + 1;
    }
    if (line.indexOf(kFieldSeparator, start) >= 0)
        return std::nullopt;
    ends[CreditValue] = line.size();
    auto field = [&](int k) { return line.sliced(ends[k - 1] + 1, ends[k] - ends[k - 1] - 1); };
    const std::optional<QDate> date = DateValue(field(ExamDate));
    if (!date)
        return std::nullopt;
    return ExamReading{*date, Val(field(ExamMark)), Val(field(CreditValue))};
}

QString MakeRecordLine(const QString& name, const QString& date, const QString& mark,
                       const QString& credits) {
    return QStringList{Trim(name), Trim(date), Trim(mark), Trim(credits)}.join(kFieldSeparator);
}

} // namespace examora
