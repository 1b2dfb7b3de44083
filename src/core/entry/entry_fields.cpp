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
    return EntryTexts{Trim(name), AsciiDigits(Trim(date)), CleanNumber(mark), CleanNumber(credits)};
}

bool EntryFieldsAcceptable(const QString& name, const QString& date, const QString& mark,
                           const QString& credits) {
    const EntryTexts t = CleanEntryTexts(name, date, mark, credits);
    const bool nameOk = !t.name.isEmpty() && !t.name.contains(kFieldSeparator);
    const bool plain =
        !HoldsControl(t.name) && !HoldsControl(t.date) && !HoldsControl(t.mark) && !HoldsControl(t.credits);
    return nameOk && plain && IsDate(t.date) && FitsDateOrder(t.date) && NonNegativeNumber(t.mark) &&
           NonNegativeNumber(t.credits);
}

QString EntryRecordLine(const QString& name, const QString& date, const QString& mark,
                        const QString& credits) {
    const EntryTexts t = CleanEntryTexts(name, date, mark, credits);
    return MakeRecordLine(t.name, t.date, t.mark, t.credits);
}

} // namespace examora
