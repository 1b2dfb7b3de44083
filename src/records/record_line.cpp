#include "records/record_line.h"

#include "records/conversions.h"

namespace examora {

QStringList RecordParts(const QString& line) { return Split(line, kFieldSeparator); }

bool IsRecordLine(const QString& line) {
    if (line.count(kFieldSeparator) != FieldCount - 1)
        return false;
    const qsizetype dateStart = line.indexOf(kFieldSeparator) + 1;
    const qsizetype dateEnd = line.indexOf(kFieldSeparator, dateStart);
    return IsDate(QStringView(line).sliced(dateStart, dateEnd - dateStart));
}

QString MakeRecordLine(const QString& name, const QString& date, const QString& mark, const QString& credits) {
    return QStringList{Trim(name), Trim(date), Trim(mark), Trim(credits)}.join(kFieldSeparator);
}

} // namespace examora
