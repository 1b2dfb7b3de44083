// The one order of the exam list: alphabetical of the whole line, ignoring case; lines that compare
// equal keep the order in which they came.
#pragma once

#include "records/line_store.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace examora {

bool SortsBefore(const QString& a, const QString& b);
// Whether the held lines are in that order already: a data file that the program wrote is.
bool InOrder(const LineStore& lines);
// The rows of the lines in that order, without moving them.
std::vector<qint32> SortedOrder(const LineStore& lines);

} // namespace examora
