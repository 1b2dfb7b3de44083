#include "entry/entry_fields.h"

#include "records/conversions.h"
#include "records/record_line.h"

namespace examora {

bool EntryFieldsAcceptable(const QString& name, const QString& date, const QString& mark,
                           const QString& credits) {
    const bool nameOk = !name.isEmpty() && !name.contains(kFieldSeparator);
    const bool dateOk = IsDate(date);
    const bool markOk = IsNumeric(mark) && Val(mark) >= 0;
    const bool creditsOk = IsNumeric(credits) && Val(credits) >= 0;
    return nameOk && dateOk && markOk && creditsOk;
}

} // namespace examora
