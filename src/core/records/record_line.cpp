#include "records/record_line.h"

#include "records/conversions.h"

namespace examora {

QStringList RecordParts(const QString& line) { return Split(line, kFieldSeparator); }

bool IsRecordLine(const QString& line) { return ReadExam(line).has_value(); }

namespace {

template <typename View> LineReading ReadLineOf(View line) {
    // Where the first four separators stand; a fifth makes the line no record.
    qsizetype ends[FieldCount + 1] = {};
    int separators = 0;
    for (qsizetype i = 0; i < line.size() && separators <= FieldCount; ++i)
        if (QChar(line[i]) == u';')
            ends[separators++] = i;
    LineReading reading;
    if (separators < 2)
        return reading;
    auto field = [&](int k) {
        const qsizetype begin = k == 0 ? 0 : ends[k - 1] + 1;
        const qsizetype end = k == CreditValue ? line.size() : ends[k];
        return line.sliced(begin, end - begin);
    };
    reading.date = ReadDate(field(ExamDate));
    if (separators == FieldCount - 1 && reading.date.date)
        reading.exam = ExamReading{*reading.date.date, Val(field(ExamMark)), Val(field(CreditValue))};
    return reading;
}

} // namespace

std::optional<ExamReading> ReadExam(QStringView line) { return ReadLineOf(line).exam; }
LineReading ReadLine(QStringView line) { return ReadLineOf(line); }
LineReading ReadLine(QLatin1StringView line) { return ReadLineOf(line); }

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
