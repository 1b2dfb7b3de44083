// The graph's read-out in the window title: the date under the pointer in the graph's time unit,
// then what the graph plots and the pointer's height.
#pragma once

#include <QDate>
#include <QString>

namespace examora {

// x and y are the pointer's position in the graph's scale; x is rounded to the nearest whole unit
// so that the pointer over a stem reads that stem's date.
QString PointerReadout(const QString& timeUnit, QDate origin, double x, double y, bool marksGraph);

} // namespace examora
