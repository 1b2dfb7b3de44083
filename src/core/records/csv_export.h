// The records as CSV for spreadsheets.
#pragma once

#include "records/line_store.h"

#include <QByteArray>
#include <QStringList>

namespace examora {

// Commas between the fields and a point in the numbers, or, for the spreadsheets of the locales
// with a decimal comma (Italian, German, French), semicolons between the fields and a comma in the
// numbers.
enum class CsvSeparator { Comma, Semicolon };

// RFC 4180 in UTF-8: the header "name,date,mark,credits", then one row per record in list order,
// each ended by CR LF; the date in ISO form (yyyy-MM-dd), the mark and credit value as the numbers
// the statistics count. A field holding the separator, a quote or a line break is quoted, its
// quotes doubled. Lines that do not read as records are left out.
QByteArray CsvOfRecords(const QStringList& lines, CsvSeparator separator = CsvSeparator::Comma);
// The same from a store, with the readings it keeps; a line read as no record is left out.
QByteArray CsvOfRecords(const LineStore& lines, CsvSeparator separator = CsvSeparator::Comma);
// The separator the spreadsheets of the default locale expect.
CsvSeparator LocaleCsvSeparator();

} // namespace examora
