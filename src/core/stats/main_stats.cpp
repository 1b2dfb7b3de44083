#include "stats/main_stats.h"

#include "records/conversions.h"
#include "records/record_line.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace examora {
namespace {

using Exam = ExamReading;

std::vector<Exam> ReadableExams(const QStringList& lines) {
    std::vector<Exam> exams;
    exams.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& line : lines)
        if (const std::optional<Exam> exam = ReadExam(line))
            exams.push_back(*exam);
    return exams;
}

// Averages are shown to one decimal.
double RoundedRatio(double numerator, double divisor) { return Round(numerator / divisor, 1); }

void AcademicAverages(const std::vector<Exam>& exams, MainStats& stats) {
    int count = 0;
    double sum = 0.0;
    for (const Exam& exam : exams) {
        if (exam.mark > 0) {
            ++count;
            sum += exam.mark;
        }
    }
    if (count > 0)
        stats.mathAverage = RoundedRatio(sum, count);

    count = 0;
    double credits = 0.0, weighted = 0.0;
    for (const Exam& exam : exams) {
        const double product = exam.credits * exam.mark;
        if (product != 0) {
            ++count;
            credits += exam.credits;
            weighted += product;
        }
    }
    stats.weightedMarks = weighted;
    stats.markWeights = credits;
    if (count > 0 && credits != 0)
        stats.overallMark = RoundedRatio(weighted, credits);
}

void MathAverages(const std::vector<Exam>& exams, MainStats& stats) {
    double sum = 0.0;
    for (const Exam& exam : exams)
        sum += exam.mark;
    if (!exams.empty())
        stats.mathAverage = RoundedRatio(sum, static_cast<double>(exams.size()));

    double weighted = 0.0;
    for (const Exam& exam : exams)
        weighted += exam.credits * exam.mark;
    stats.weightedMarks = weighted;
    stats.markWeights = stats.totalCredits;
    if (stats.totalCredits != 0)
        stats.overallMark = RoundedRatio(weighted, stats.totalCredits);
}

} // namespace

MainStats ComputeMainStats(const QStringList& lines, AverageMode mode) {
    return ComputeMainStats(ReadableExams(lines), mode);
}

MainStats ComputeMainStats(const std::vector<ExamReading>& readings, AverageMode mode) {
    const bool allRead = std::all_of(readings.cbegin(), readings.cend(),
                                     [](const Exam& exam) { return exam.date.isValid(); });
    if (!allRead) {
        std::vector<Exam> read;
        std::copy_if(readings.cbegin(), readings.cend(), std::back_inserter(read),
                     [](const Exam& exam) { return exam.date.isValid(); });
        return ComputeMainStats(read, mode);
    }
    const std::vector<Exam>& exams = readings;
    MainStats stats;
    stats.examCount = static_cast<int>(exams.size());
    stats.latestDate = DayZero();
    stats.earliestDate = exams.empty() ? DayZero() : exams.front().date;
    for (const Exam& exam : exams) {
        if (exam.date >= stats.latestDate)
            stats.latestDate = exam.date;
        if (exam.date < stats.earliestDate)
            stats.earliestDate = exam.date;
    }
    stats.yearSpan = static_cast<int>(DateDiff(kYears, stats.earliestDate, stats.latestDate));
    if (stats.yearSpan > 0)
        stats.speed = static_cast<double>(stats.examCount) / stats.yearSpan;

    for (const Exam& exam : exams)
        stats.totalCredits += exam.credits;

    if (mode == AverageMode::Academic)
        AcademicAverages(exams, stats);
    else
        MathAverages(exams, stats);
    return stats;
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
