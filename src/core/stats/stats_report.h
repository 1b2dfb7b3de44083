// The statistics as plain text, for the command line's report.
#pragma once

#include "records/record_line.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace examora {

// The figures of the statistics view in the academic and in the mathematical mode, then the number
// of exams passed in each calendar year, oldest first; one figure a line, each line ended by LF.
// Lines that do not read as records count for nothing, as in the statistics view.
QString StatsReport(const QStringList& lines);
// The same from the readings a store keeps beside its lines.
QString StatsReport(const std::vector<ExamReading>& readings);

} // namespace examora
