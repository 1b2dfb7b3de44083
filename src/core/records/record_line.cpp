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
LineReading ReadLine(QLatin1StringView line) {
    // The usual line, read in one pass over its bytes: four fields, the date three groups of one
    // to four digits apart by one '/', '.' or '-', nothing around them. The general reading gives
    // the same for it; any other line, or a date that is no day, is left to the general reading.
    const char* text = line.data();
    const qsizetype size = line.size();
    qsizetype ends[FieldCount - 1];
    int separators = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (text[i] != ';')
            continue;
        if (separators == FieldCount - 1)
            return ReadLineOf(line);
        ends[separators++] = i;
    }
    if (separators != FieldCount - 1)
        return ReadLineOf(line);
    DateDigitGroups groups;
    const qsizetype dateEnd = ends[1];
    qsizetype at = ends[0] + 1;
    for (int group = 0; group < 3; ++group) {
        if (group > 0) {
            if (at >= dateEnd || (text[at] != '/' && text[at] != '.' && text[at] != '-'))
                return ReadLineOf(line);
            ++at;
        }
        const qsizetype start = at;
        for (; at < dateEnd && text[at] >= '0' && text[at] <= '9'; ++at) {
            if (at - start == 4)
                return ReadLineOf(line);
            groups.values[group] = groups.values[group] * 10 + (text[at] - '0');
        }
        groups.digits[group] = at - start;
        if (groups.digits[group] == 0)
            return ReadLineOf(line);
    }
    LineReading reading;
    if (at == dateEnd)
        reading.date = ReadDateGroups(groups);
    if (!reading.date.date)
        return ReadLineOf(line);
    const auto field = [text](qsizetype begin, qsizetype end) { return QLatin1StringView(text + begin, end - begin); };
    reading.exam = ExamReading{*reading.date.date, Val(field(ends[1] + 1, ends[2])), Val(field(ends[2] + 1, size))};
    return reading;
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
