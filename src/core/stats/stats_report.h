// The statistics as plain text, for the command line's report.
#pragma once

#include "records/line_store.h"
#include "records/record_line.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace examora {

// The figures of the statistics view in the academic and in the mathematical mode, the number of
// honours, then the exams, credits and overall mark of each calendar year, oldest first; one figure
// a line, each line ended by LF. Lines that do not read as records count for nothing, as in the
// statistics view.
QString StatsReport(const QStringList& lines);
// The same from a store, with the readings it keeps beside its lines.
QString StatsReport(const LineStore& records);
QString StatsReport(const std::vector<ExamReading>& readings, int honours);

} // namespace examora
