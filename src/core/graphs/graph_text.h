// The graph told in words, for those who cannot see it: what it plots over which time unit, how many
// exams, and the span of their dates and values.
#pragma once

#include "graphs/graph_frame.h"

#include <QLocale>
#include <QString>

namespace examora {

// For instance "Marks VS Time, in years: 3 exams from 1/15/04 to 12/6/06; marks from 24 to 30", the
// dates in the locale's short form.
QString GraphText(const GraphFrame& frame, PlottedValue value, const QString& timeUnit,
                  const QLocale& locale = QLocale());

} // namespace examora
