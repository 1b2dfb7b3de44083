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

bool IsHonoursMark(QStringView mark) {
    mark = mark.trimmed();
    if (!mark.startsWith(u"30") || mark.size() < 3 || !(mark[2].isSpace() || mark[2].isLetter()))
        return false;
    const QStringList words = mark.sliced(2).toString().simplified().toLower().split(QLatin1Char(' '));
    static const QList<QStringList> honours{
        {QStringLiteral("l")}, {QStringLiteral("e"), QStringLiteral("lode")},
        {QStringLiteral("cum"), QStringLiteral("laude")}};
    return honours.contains(words);
}

bool HasHonours(QStringView line) {
    const qsizetype first = line.indexOf(kFieldSeparator);
    const qsizetype second = first < 0 ? -1 : line.indexOf(kFieldSeparator, first + 1);
    const qsizetype third = second < 0 ? -1 : line.indexOf(kFieldSeparator, second + 1);
    return third >= 0 && IsHonoursMark(line.sliced(second + 1, third - second - 1));
}

QString MakeRecordLine(const QString& name, const QString& date, const QString& mark,
                       const QString& credits) {
    return QStringList{Trim(name), Trim(date), Trim(mark), Trim(credits)}.join(kFieldSeparator);
}

} // namespace examora
