#include "stats/stats_report.h"

#include "records/conversions.h"
#include "records/record_line.h"
#include "stats/main_stats.h"
#include "stats/term.h"

namespace examora {
namespace {

QString Figure(const QString& title, const QString& value) {
    return QStringLiteral("  ") + title + QStringLiteral(": ") + value.trimmed() + QLatin1Char('\n');
}

QString ModeSection(const ExamSums& sums, AverageMode mode) {
    const MainStats stats = sums.Stats(mode);
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

// The figures of each calendar year with exams, oldest first, the overall mark in both modes.
QString YearSection(const std::vector<ExamReading>& readings) {
    QString text = QStringLiteral("Per year\n");
    for (const auto& sums : SumsPerYear(readings)) {
        const YearFigures year = FiguresOfYear(sums, AverageMode::Academic);
        text += Figure(QString::number(year.year),
                       QStringLiteral("%1 %2, %3 credits, overall mark %4 (Academic Mode), %5 (Math Mode)")
                           .arg(year.exams)
                           .arg(year.exams == 1 ? QStringLiteral("exam") : QStringLiteral("exams"),
                                Str(year.credits).trimmed(), Str(year.overallMark).trimmed(),
                                Str(FiguresOfYear(sums, AverageMode::Math).overallMark).trimmed()));
    }
    return text;
}

} // namespace

QString StatsReport(const QStringList& lines) {
    std::vector<ExamReading> readings;
    readings.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& line : lines)
        readings.push_back(ReadExam(line).value_or(ExamReading{}));
    return StatsReport(readings, CountHonours(lines));
}

QString StatsReport(const LineStore& records) { return StatsReport(records.Readings(), CountHonours(records)); }

QString StatsReport(const std::vector<ExamReading>& readings, int honours) {
    const ExamSums sums = SumsOf(readings);
    return ModeSection(sums, AverageMode::Academic) + QLatin1Char('\n') +
           ModeSection(sums, AverageMode::Math) + QLatin1Char('\n') + QStringLiteral("Honours (30L): ") +
           QString::number(honours) + QStringLiteral("\n\n") + YearSection(readings);
}

} // namespace examora
