// The statistics as plain text, for the command line's report.
#pragma once

#include <QString>
#include <QStringList>

namespace examora {

// The figures of the statistics view in the academic and in the mathematical mode, the number of
// honours, then the exams, credits and overall mark of each calendar year, oldest first; one figure
// a line, each line ended by LF.
// Lines that do not read as records count for nothing, as in the statistics view.
QString StatsReport(const QStringList& lines);

} // namespace examora
