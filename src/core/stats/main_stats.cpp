#include "stats/main_stats.h"

#include "records/conversions.h"
#include "records/record_line.h"


namespace examora {
namespace {

// Averages are shown to one decimal.
double RoundedRatio(double numerator, double divisor) { return Round(numerator / divisor, 1); }

} // namespace

void ExamSums::Add(const ExamReading& exam) {
    if (!exam.date.isValid())
        return;
    earliest = count == 0 || exam.date < earliest ? exam.date : earliest;
    latest = exam.date >= latest ? exam.date : latest;
    ++count;
    credits += exam.credits;
    marks += exam.mark;
    const double product = exam.credits * exam.mark;
    weighted += product;
    if (exam.mark > 0) {
        ++passed;
        passedMarks += exam.mark;
    }
    if (product != 0) {
        ++weighed;
        weighedCredits += exam.credits;
        weighedMarks += product;
    }
}

MainStats ExamSums::Stats(AverageMode mode) const {
    MainStats stats;
    stats.examCount = count;
    stats.earliestDate = count > 0 ? earliest : DayZero();
    stats.latestDate = latest;
    stats.yearSpan = static_cast<int>(DateDiff(kYears, stats.earliestDate, stats.latestDate));
    if (stats.yearSpan > 0)
        stats.speed = static_cast<double>(stats.examCount) / stats.yearSpan;
    stats.totalCredits = credits;
    if (mode == AverageMode::Academic) {
        // Only passed exams count: a mark above 0, and for the overall mark a credit value too.
        if (passed > 0)
            stats.mathAverage = RoundedRatio(passedMarks, passed);
        stats.weightedMarks = weighedMarks;
        stats.markWeights = weighedCredits;
        if (weighed > 0 && weighedCredits != 0)
            stats.overallMark = RoundedRatio(weighedMarks, weighedCredits);
    } else {
        if (count > 0)
            stats.mathAverage = RoundedRatio(marks, static_cast<double>(count));
        stats.weightedMarks = weighted;
        stats.markWeights = credits;
        if (credits != 0)
            stats.overallMark = RoundedRatio(weighted, credits);
    }
    return stats;
}

MainStats ComputeMainStats(const QStringList& lines, AverageMode mode) {
    ExamSums sums;
    for (const QString& line : lines)
        if (const std::optional<ExamReading> exam = ReadExam(line))
            sums.Add(*exam);
    return sums.Stats(mode);
}

ExamSums SumsOf(std::span<const ExamReading> readings) {
    ExamSums sums;
    for (const ExamReading& exam : readings)
        sums.Add(exam);
    return sums;
}

MainStats ComputeMainStats(std::span<const ExamReading> readings, AverageMode mode) {
    return SumsOf(readings).Stats(mode);
}

MainStatsCaptions CaptionsOf(const MainStats& stats) {
    const QString cr(kCarriageReturn);
    MainStatsCaptions captions;
    if (stats.speed)
        captions.exams = QStringLiteral("Exams :") + Str(stats.examCount) + cr + QStringLiteral("Speed :") +
                         Str(Round(*stats.speed, 1)) + QStringLiteral(" / year");
    else
        captions.exams = QStringLiteral("Exams") + cr + Str(stats.examCount);
    captions.overall = QStringLiteral("Overall mark") + cr + Str(stats.overallMark);
    captions.average = QStringLiteral("Math average") + cr + Str(stats.mathAverage);
    captions.credits = QStringLiteral("Total credits") + cr + Str(stats.totalCredits);
    return captions;
}

} // namespace examora
