#include "graphs/axis_ticks.h"

#include "records/conversions.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <optional>

namespace examora {
namespace {

// One way of placing the date labels: every `days` days from the origin, or on the first of every
// `months` months counted from January of year 0.
struct TimeStep {
    qint64 days = 0;
    qint64 months = 0;
};

// 1, 2, 5, 10, 20, 50... times the factor, up to beyond the limit.
std::vector<qint64> RoundMultiples(qint64 factor, double limit) {
    std::vector<qint64> steps;
    for (qint64 power = 1; steps.empty() || double(steps.back()) <= limit; power *= 10)
        for (qint64 m : {1, 2, 5})
            steps.push_back(m * power * factor);
    return steps;
}

std::vector<TimeStep> StepsOf(const QString& unit, double width) {
    std::vector<TimeStep> steps;
    if (unit == kDays)
        for (qint64 days : {1, 2, 7, 14})
            steps.push_back({days, 0});
    if (unit != kYears)
        for (qint64 months : {1, 2, 3, 6})
            steps.push_back({0, months});
    const double widthInYears = unit == kYears ? width : unit == kMonths ? width / 12 : width / 365;
    for (qint64 months : RoundMultiples(12, widthInYears * 12))
        steps.push_back({0, months});
    return steps;
}

// The largest distance between two neighbouring labels of the step, in units.
double LargestDistance(const QString& unit, const TimeStep& step) {
    if (step.days)
        return double(step.days);
    if (unit == kYears)
        return double(step.months) / 12;
    return unit == kMonths ? double(step.months) : 31.0 * double(step.months);
}

QString MonthLabel(QDate date) {
    return QLocale().standaloneMonthName(date.month(), QLocale::ShortFormat) + QLatin1Char(' ') +
           QString::number(date.year());
}

QString LabelOf(const QString& unit, const TimeStep& step, QDate date) {
    if (unit == kYears)
        return QString::number(date.year());
    return step.days ? FormatDateTime(date, DateFormat::Short) : MonthLabel(date);
}

qint64 MonthIndex(QDate date) { return qint64(date.year()) * 12 + date.month() - 1; }

QDate FirstOfMonth(qint64 index) {
    const qint64 year = index >= 0 ? index / 12 : (index - 11) / 12;
    return QDate(int(year), int(index - year * 12) + 1, 1);
}

// The labels of one step, or nothing once two of them come closer than the spacing.
std::optional<std::vector<TimeTick>> TicksOf(const QString& unit, const TimeStep& step, QDate origin,
                                             double width, double spacing) {
    std::vector<TimeTick> ticks;
    auto add = [&](double x, QDate date) {
        if (!ticks.empty() && x - ticks.back().x < spacing)
            return false;
        ticks.push_back({x, LabelOf(unit, step, date)});
        return true;
    };
    if (step.days) {
        for (qint64 x = 0; double(x) <= width; x += step.days)
            if (!add(double(x), origin.addDays(x)))
                return std::nullopt;
        return ticks;
    }
    // A year axis counts whole calendar years: its origin's year is labelled from its January.
    const qint64 first = unit == kYears ? qint64(origin.year()) * 12 : MonthIndex(origin);
    // The first month of the step at or after that.
    const qint64 remainder = ((first % step.months) + step.months) % step.months;
    for (qint64 month = remainder ? first + step.months - remainder : first;; month += step.months) {
        const QDate date = FirstOfMonth(month);
        const double x = unit == kYears    ? double(date.year() - origin.year())
                         : unit == kMonths ? double(month - first)
                                           : double(origin.daysTo(date));
        if (x > width)
            break;
        if (x >= 0 && !add(x, date))
            return std::nullopt;
    }
    return ticks;
}

} // namespace

std::vector<double> ValueTicks(double top, int most) {
    if (!(top > 0) || !std::isfinite(top))
        top = 1;
    most = std::max(most, 1);
    const int exponent = int(std::floor(std::log10(top / most)));
    for (int e = exponent - 1; e <= exponent + 1; ++e)
        for (double m : {1.0, 2.0, 5.0}) {
            const double step = m * std::pow(10.0, e);
            const double count = std::ceil(top / step - 1e-9);
            if (count > most)
                continue;
            std::vector<double> ticks;
            for (int i = 0; i <= int(count); ++i)
                ticks.push_back(e < 0 ? Round(i * step, -e) : i * step);
            return ticks;
        }
    return {0.0, top};
}

QString ValueTickText(double value) { return Str(value).trimmed(); }

std::vector<TimeTick> TimeTicks(const QString& timeUnit, QDate origin, double width, double spacing) {
    if (!origin.isValid() || !(width > 0) || !std::isfinite(width))
        return {};
    // Never more than about a thousand labels, whatever spacing is asked for.
    spacing = std::max(spacing, width / 1000);
    for (const TimeStep& step : StepsOf(timeUnit, width)) {
        // A step whose labels are always too close is not tried at all.
        if (LargestDistance(timeUnit, step) < spacing)
            continue;
        if (std::optional<std::vector<TimeTick>> ticks = TicksOf(timeUnit, step, origin, width, spacing)) {
            if (ticks->empty())
                break;
            return *ticks;
        }
    }
    const TimeStep coarsest{timeUnit == kDays ? 1 : 0, timeUnit == kDays ? 0 : 12};
    return {TimeTick{0.0, LabelOf(timeUnit, coarsest, origin)}};
}

} // namespace examora
