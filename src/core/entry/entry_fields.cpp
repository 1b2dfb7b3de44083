#include "entry/entry_fields.h"

#include "records/conversions.h"
#include "records/record_line.h"

#include <QLocale>
#include <algorithm>

namespace examora {
namespace {

QString CleanNumber(const QString& text) {
    QString number = AsciiDigits(Trim(text));
    const QString decimal = QLocale().decimalPoint();
    if (decimal != QLatin1String(".") && decimal != QLatin1String(","))
        number.replace(decimal, QLatin1String("."));
    return number;
}

bool HoldsControl(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const QChar::Category kind = c.category();
        return kind == QChar::Other_Control || kind == QChar::Separator_Line ||
               kind == QChar::Separator_Paragraph;
    });
}

bool NonNegativeNumber(const QString& text) { return IsNumeric(text) && Val(text) >= 0; }

} // namespace

EntryTexts CleanEntryTexts(const QString& name, const QString& date, const QString& mark,
                           const QString& credits) {
    const QString cleanMark = IsHonoursMark(AsciiDigits(mark)) ? kHonoursMark : CleanNumber(mark);
    return EntryTexts{Trim(name), AsciiDigits(Trim(date)), cleanMark, CleanNumber(credits)};
}

bool EntryFieldsAcceptable(const QString& name, const QString& date, const QString& mark,
                           const QString& credits) {
    return EntryFieldProblem(name, date, mark, credits).isEmpty();
}

QString EntryFieldProblem(const QString& name, const QString& date, const QString& mark,
                          const QString& credits) {
    const EntryTexts t = CleanEntryTexts(name, date, mark, credits);
    const QString controls = QStringLiteral(": no line breaks, tabs or other control characters");
    if (t.name.isEmpty() || t.name.contains(kFieldSeparator))
        return QStringLiteral("Exam: a name, without \";\"");
    if (HoldsControl(t.name))
        return QStringLiteral("Exam") + controls;
    if (HoldsControl(t.date) || !IsDate(t.date))
        return QStringLiteral("Date: a date, such as ") + FormatDateTime(QDate(2026, 12, 31), DateFormat::Short);
    if (!FitsDateOrder(t.date))
        return QStringLiteral("Date: day and month in the order of the file's other dates");
    if (HoldsControl(t.mark) || (t.mark != kHonoursMark && !NonNegativeNumber(t.mark)))
        return QStringLiteral("Mark: a number, or 30L for honours");
    if (HoldsControl(t.credits) || !NonNegativeNumber(t.credits))
        return QStringLiteral("Credit value: a number of 0 or more");
    return {};
}

QString EntryRecordLine(const QString& name, const QString& date, const QString& mark,
                        const QString& credits) {
    const EntryTexts t = CleanEntryTexts(name, date, mark, credits);
    return MakeRecordLine(t.name, t.date, t.mark, t.credits);
}

} // namespace examora
