#include "stats/stats_report.h"

#include "records/conversions.h"
#include "records/record_line.h"
#include "stats/main_stats.h"

#include <map>

namespace examora {
namespace {

QString Figure(const QString& title, const QString& value) {
    return QStringLiteral("  ") + title + QStringLiteral(": ") + value.trimmed() + QLatin1Char('\n');
}

QString ModeSection(const std::vector<ExamReading>& readings, AverageMode mode) {
    const MainStats stats = ComputeMainStats(readings, mode);
    QString text =
        mode == AverageMode::Academic ? QStringLiteral("Academic Mode\n") : QStringLiteral("Math Mode\n");
    text += Figure(QStringLiteral("Exams"), Str(stats.examCount));
    if (stats.speed)
        text += Figure(QStringLiteral("Speed"), Str(Round(*stats.speed, 1)) + QStringLiteral(" / year"));
    text += Figure(QStringLiteral("Overall mark"), Str(stats.overallMark));
    text += Figure(QStringLiteral("Math average"), Str(stats.mathAverage));
    text += Figure(QStringLiteral("Total credits"), Str(stats.totalCredits));
    return text;
}

QString YearSection(const std::vector<ExamReading>& readings) {
    std::map<int, int> examsOfYear;
    for (const ExamReading& exam : readings)
        if (exam.date.isValid())
            ++examsOfYear[exam.date.year()];
    QString text = QStringLiteral("Exams passed per year\n");
    for (const auto& [year, count] : examsOfYear)
        text += Figure(QString::number(year), Str(count));
    return text;
}

} // namespace

QString StatsReport(const QStringList& lines) {
    std::vector<ExamReading> readings;
    readings.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& line : lines)
        readings.push_back(ReadExam(line).value_or(ExamReading{}));
    return StatsReport(readings);
}

QString StatsReport(const std::vector<ExamReading>& readings) {
    return ModeSection(readings, AverageMode::Academic) + QLatin1Char('\n') +
           ModeSection(readings, AverageMode::Math) + QLatin1Char('\n') + YearSection(readings);
}

} // namespace examora
