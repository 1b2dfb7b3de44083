// The figures of the statistics view, computed from the held record lines alone.
#pragma once

#include "records/conversions.h"
#include "records/record_line.h"

#include <QDate>
#include <QStringList>
#include <optional>
#include <span>
#include <vector>

namespace examora {

enum class AverageMode { Academic, Math };

struct MainStats {
    int examCount = 0;
    QDate earliestDate;
    QDate latestDate;
    int yearSpan = 0;
    std::optional<double> speed; // exams per year, only when the exams span calendar years
    double totalCredits = 0.0;
    std::optional<double> mathAverage; // rounded to one decimal
    std::optional<double> overallMark; // credit-weighted, rounded to one decimal
    // What the overall mark divides, unrounded: the marks times the credit values it counts, and
    // the credit values it weighs them by.
    double weightedMarks = 0.0;
    double markWeights = 0.0;
};

// What the figures are made of, gathered one exam at a time in list order, so that each sum comes
// out the same however the exams are gone through: the counts, the earliest and latest date, and
// the sums of both modes. Readings without a date count for nothing.
struct ExamSums {
    int count = 0;
    QDate earliest, latest = DayZero();
    double credits = 0.0, marks = 0.0, weighted = 0.0; // weighted: marks times credit values
    // Passed exams (a mark above 0), and those that weigh in the overall mark (a mark and a credit
    // value both not 0).
    int passed = 0, weighed = 0;
    double passedMarks = 0.0, weighedCredits = 0.0, weighedMarks = 0.0;

    void Add(const ExamReading& exam);
    MainStats Stats(AverageMode mode) const;
};
// The sums of the readings, in their order.
ExamSums SumsOf(std::span<const ExamReading> readings);

// Lines that do not split into four fields or whose date does not read count for nothing: they
// are left out of every figure, the number of exams included.
MainStats ComputeMainStats(const QStringList& lines, AverageMode mode);
// The same from the readings the store keeps beside its lines; readings without a date count for
// nothing.
MainStats ComputeMainStats(std::span<const ExamReading> readings, AverageMode mode);

// The four read-out captions, in label order; a carriage return parts title and value.
struct MainStatsCaptions {
    QString exams, overall, average, credits;
};
MainStatsCaptions CaptionsOf(const MainStats& stats);

} // namespace examora
