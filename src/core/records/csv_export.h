// The records as CSV for spreadsheets.
#pragma once

#include "records/line_store.h"

#include <QByteArray>
#include <QStringList>

namespace examora {

// RFC 4180 in UTF-8: the header "name,date,mark,credits", then one row per record in list order,
// each ended by CR LF; the date in ISO form (yyyy-MM-dd), the mark and credit value as the numbers
// the statistics count, with a point as decimal separator. A field holding a comma, a quote or a
// line break is quoted, its quotes doubled. Lines that do not read as records are left out.
QByteArray CsvOfRecords(const QStringList& lines);
// The same from a store, with the readings it keeps; a line read as no record is left out.
QByteArray CsvOfRecords(const LineStore& lines);

} // namespace examora
