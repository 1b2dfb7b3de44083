// The figures of a student's term beyond those of the statistics view: the honours, the figures of
// each calendar year, and what planned exams would make of the overall mark.
#pragma once

#include "records/line_store.h"
#include "stats/main_stats.h"

#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace examora {

// How many records carry a mark of 30 with honours; lines that are no records count for nothing.
int CountHonours(const QStringList& lines);
int CountHonours(const LineStore& lines);

struct YearFigures {
    int year = 0;
    int exams = 0;
    double credits = 0.0;
    std::optional<double> overallMark; // in the mode asked for, as the statistics view reckons it
};
// One row per calendar year with exams, oldest first; readings without a date count for nothing.
std::vector<YearFigures> FiguresPerYear(const std::vector<ExamReading>& readings, AverageMode mode);
// The sums of each calendar year with exams, oldest first, from which the rows of either mode come.
std::vector<std::pair<int, ExamSums>> SumsPerYear(const std::vector<ExamReading>& readings);
YearFigures FiguresOfYear(const std::pair<int, ExamSums>& year, AverageMode mode);

// The base that the degree's final mark starts from: the overall mark times 110/30, to one decimal.
std::optional<double> GraduationBase(const MainStats& stats);

// An exam still to take, as the what-if view plans it.
struct PlannedExam {
    double credits = 0.0;
    double mark = 0.0;
    bool honours = false;
};
// A planned exam as typed: a credit value and a mark that the entry panel would accept (30L and its
// other forms for honours). Nothing when either is not.
std::optional<PlannedExam> ReadPlannedExam(const QString& credits, const QString& mark);
// The figures of the held exams with the planned ones added. The plan has no dates: of the result,
// only the counts, credits, averages and their sums mean anything.
MainStats StatsWithPlan(const std::vector<ExamReading>& readings, const std::vector<PlannedExam>& plan,
                        AverageMode mode);

// What the remaining credits of the degree need to bring the overall mark to a target.
struct TargetOutlook {
    enum Kind {
        Reachable,   // with the needed average over the missing credits
        Unreachable, // the needed average is above 30
        Sure,        // the needed average is below 18: any pass reaches it
        NoneMissing  // the degree's credits are all there: the overall mark is what it is
    } kind = Reachable;
    double missingCredits = 0.0;
    double neededAverage = 0.0; // unrounded
};
// The remaining exams are taken to count towards the overall mark in full (a mark above 0).
TargetOutlook OutlookFor(const MainStats& stats, double target, double degreeCredits);
// The outlook in one sentence, as the what-if view shows it.
QString OutlookText(const TargetOutlook& outlook, double target);

} // namespace examora
