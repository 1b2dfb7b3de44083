#include "stats/term.h"

#include "entry/entry_fields.h"
#include "records/conversions.h"
#include "records/record_line.h"

#include <algorithm>

namespace examora {
namespace {

QString Number(double number) { return Str(number).trimmed(); }

} // namespace

int CountHonours(const QStringList& lines) {
    int count = 0;
    for (const QString& line : lines)
        count += HasHonours(line) && ReadExam(line).has_value();
    return count;
}

// The lines are looked at where they lie, in UTF-8; only a mark that starts "30" and goes on is
// made text and tested.
int CountHonours(const LineStore& lines) {
    int count = 0;
    const std::vector<ExamReading>& readings = lines.Readings();
    for (qsizetype i = 0; i < lines.Count(); ++i) {
        if (!readings[static_cast<std::size_t>(i)].date.isValid() || readings[static_cast<std::size_t>(i)].mark != 30)
            continue;
        const QByteArrayView line = lines.Utf8(i);
        qsizetype start = 0;
        for (int field = 0; field < ExamMark; ++field)
            start = line.indexOf(';', start) + 1;
        const qsizetype end = line.indexOf(';', start);
        const QByteArrayView mark = line.sliced(start, end - start).trimmed();
        count += mark.size() > 2 && IsHonoursMark(QString::fromUtf8(mark));
    }
    return count;
}

std::vector<std::pair<int, ExamSums>> SumsPerYear(const std::vector<ExamReading>& readings) {
    // The years met, ascending: few, so that finding one is a few comparisons.
    std::vector<std::pair<int, ExamSums>> years;
    for (const ExamReading& exam : readings) {
        if (!exam.date.isValid())
            continue;
        const int year = Year(exam.date);
        auto at = std::lower_bound(years.begin(), years.end(), year,
                                   [](const std::pair<int, ExamSums>& y, int value) { return y.first < value; });
        if (at == years.end() || at->first != year)
            at = years.insert(at, {year, ExamSums{}});
        at->second.Add(exam);
    }
    return years;
}

YearFigures FiguresOfYear(const std::pair<int, ExamSums>& year, AverageMode mode) {
    const MainStats stats = year.second.Stats(mode);
    return YearFigures{year.first, stats.examCount, stats.totalCredits, stats.overallMark};
}

std::vector<YearFigures> FiguresPerYear(const std::vector<ExamReading>& readings, AverageMode mode) {
    std::vector<YearFigures> figures;
    for (const auto& year : SumsPerYear(readings))
        figures.push_back(FiguresOfYear(year, mode));
    return figures;
}

std::optional<double> GraduationBase(const MainStats& stats) {
    if (!stats.overallMark)
        return std::nullopt;
    return Round(*stats.overallMark * 110.0 / 30.0, 1);
}

std::optional<PlannedExam> ReadPlannedExam(const QString& credits, const QString& mark) {
    const EntryTexts typed = CleanEntryTexts(QStringLiteral("x"), {}, mark, credits);
    const bool honours = typed.mark == kHonoursMark;
    const auto number = [](const QString& text) { return IsNumeric(text) && Val(text) >= 0; };
    if (!number(typed.credits) || !(honours || number(typed.mark)))
        return std::nullopt;
    return PlannedExam{Val(typed.credits), Val(typed.mark), honours};
}

MainStats StatsWithPlan(const std::vector<ExamReading>& readings, const std::vector<PlannedExam>& plan,
                        AverageMode mode) {
    std::vector<ExamReading> all;
    all.reserve(readings.size() + plan.size());
    for (const ExamReading& exam : readings)
        if (exam.date.isValid())
            all.push_back(exam);
    const QDate someDay = all.empty() ? DayZero() : all.back().date;
    for (const PlannedExam& exam : plan)
        all.push_back(ExamReading{someDay, exam.mark, exam.credits});
    return ComputeMainStats(all, mode);
}

TargetOutlook OutlookFor(const MainStats& stats, double target, double degreeCredits) {
    TargetOutlook outlook;
    outlook.missingCredits = degreeCredits - stats.totalCredits;
    if (outlook.missingCredits <= 0) {
        outlook.kind = TargetOutlook::NoneMissing;
        return outlook;
    }
    // (weighted + needed x missing) / (weights + missing) = target
    outlook.neededAverage =
        (target * (stats.markWeights + outlook.missingCredits) - stats.weightedMarks) / outlook.missingCredits;
    if (outlook.neededAverage > 30)
        outlook.kind = TargetOutlook::Unreachable;
    else if (outlook.neededAverage < 18)
        outlook.kind = TargetOutlook::Sure;
    return outlook;
}

QString OutlookText(const TargetOutlook& outlook, double target) {
    const QString missing = Number(outlook.missingCredits);
    switch (outlook.kind) {
    case TargetOutlook::NoneMissing:
        return QStringLiteral("No credits are missing: the overall mark is final.");
    case TargetOutlook::Unreachable:
        return QStringLiteral("%1 can no longer be reached: the %2 missing credits would need an average "
                              "of %3, above 30.")
            .arg(Number(target), missing, Number(Round(outlook.neededAverage, 1)));
    case TargetOutlook::Sure:
        return QStringLiteral("%1 is already sure: any pass in the %2 missing credits reaches it.")
            .arg(Number(target), missing);
    case TargetOutlook::Reachable:
        break;
    }
    return QStringLiteral("The %1 missing credits need an average of %2 to reach %3.")
        .arg(missing, Number(Round(outlook.neededAverage, 1)), Number(target));
}

} // namespace examora
