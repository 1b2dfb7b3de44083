// The conversions on arbitrary text: none of them may crash, and what they write reads back.
//  - Val never gives NaN, and Str of a finite number reads back through Val to 15 digits.
//  - Str always starts with a blank or a minus sign, and IsNumeric accepts it in every locale.
//  - Round moves a number by at most half a tenth and is stable when applied again.
//  - A text that DateValue reads names a valid day whose short date text reads back to that day.
#include "fuzz_input.h"
#include "records/conversions.h"

#include <cfloat>
#include <cmath>

using namespace examora;
using examora::fuzz::Broken;

namespace {

void CheckNumber(double v, const QString& text) {
    if (std::isnan(v))
        Broken("Val never gives NaN", text);
    if (!std::isfinite(v))
        return;
    const QString written = Str(v);
    if (written.isEmpty() || (written.front() != u' ' && written.front() != u'-'))
        Broken("Str starts with a blank or a minus sign", written);
    if ((v < 0) != (written.front() == u'-'))
        Broken("Str's sign follows the number", written);
    if (!IsNumeric(written))
        Broken("IsNumeric accepts what Str writes", written);
    const double back = Val(written);
    // 15 significant digits; below the normal range only the absolute distance means anything.
    const double allowed = std::fabs(v) < DBL_MIN ? DBL_MIN : std::fabs(v) * 1e-14;
    if (!(std::fabs(back - v) <= allowed))
        Broken("Val reads back what Str writes", text + QStringLiteral(" -> ") + written);

    const double rounded = Round(v, 1);
    if (!std::isfinite(rounded))
        Broken("Round of a finite number is finite", written);
    if (std::fabs(v) < 1e14 && !(std::fabs(rounded - v) <= 0.05 + std::fabs(v) * 1e-15))
        Broken("Round moves a number by at most half a tenth", written);
    if (Round(rounded, 1) != rounded)
        Broken("Round is stable when applied again", written);
}

void CheckDate(const QString& text) {
    const std::optional<QDate> date = DateValue(text);
    if (IsDate(text) != date.has_value())
        Broken("IsDate agrees with DateValue", text);
    if (!date)
        return;
    if (!date->isValid())
        Broken("DateValue gives a valid day", text);
    const QString shortText = FormatDateTime(*date, DateFormat::Short);
    const std::optional<QDate> back = DateValue(shortText);
    if (!back || *back != *date)
        Broken("the short date text reads back to the same day",
               text + QStringLiteral(" -> ") + shortText + QStringLiteral(" in ") + QLocale().name());
    (void)FormatDateTime(*date, DateFormat::Long);
    (void)MonthName(Month(*date));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::Input input = fuzz::TakeInput(data, size);
    const QString& text = input.text;
    CheckNumber(Val(text), text);
    if (IsNumeric(text) && text.trimmed().isEmpty())
        Broken("IsNumeric refuses a blank text", text);
    CheckDate(text);
    (void)Trim(text);
    (void)UpperCase(text);
    return 0;
}
