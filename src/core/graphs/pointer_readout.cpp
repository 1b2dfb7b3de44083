#include "graphs/pointer_readout.h"

#include "records/conversions.h"

#include <cmath>

namespace examora {

QString PointerReadout(const QString& timeUnit, QDate origin, double x, double y, bool marksGraph) {
    const double units = std::isfinite(x) ? std::round(x) : 0.0;
    const QDate date = DateAdd(timeUnit, static_cast<qint64>(std::clamp(units, -1e9, 1e9)), origin);
    QString dateText;
    if (date.isValid()) {
        if (timeUnit == kYears)
            dateText = Str(Year(date));
        else if (timeUnit == kMonths)
            dateText = UpperCase(MonthName(Month(date)));
        else
            dateText = FormatDateTime(date, DateFormat::Long);
    }
    const QString label = marksGraph ? QStringLiteral(";  Mark : ") : QStringLiteral(";  Mark x Credits : ");
    return dateText + label + Str(Round(y, 1));
}

} // namespace examora
