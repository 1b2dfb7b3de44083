#include "graphs/graph_text.h"

#include "records/conversions.h"

#include <algorithm>

namespace examora {
namespace {

QString UnitName(const QString& timeUnit) {
    if (timeUnit == kYears)
        return QStringLiteral("years");
    if (timeUnit == kMonths)
        return QStringLiteral("months");
    return QStringLiteral("days");
}

// "from A to B", or "A" alone when both ends are the same.
QString Span(const QString& from, const QString& to, const QString& one) {
    return from == to ? one + from : QStringLiteral("from %1 to %2").arg(from, to);
}

} // namespace

QString GraphText(const GraphFrame& frame, PlottedValue value, const QString& timeUnit,
                  const QLocale& locale) {
    const bool marks = value == PlottedValue::Mark;
    const QString title = marks ? QStringLiteral("Marks VS Time") : QStringLiteral("Marks x Credits VS Time");
    const QString head = title + QStringLiteral(", in ") + UnitName(timeUnit) + QStringLiteral(": ");
    const auto count = frame.points.size();
    if (count == 0)
        return head + QStringLiteral("no exams");
    const auto [lowest, highest] =
        std::minmax_element(frame.points.begin(), frame.points.end(),
                            [](const GraphPoint& a, const GraphPoint& b) { return a.value < b.value; });
    const auto number = [&](double v) { return locale.toString(v, 'g', QLocale::FloatingPointShortest); };
    const auto date = [&](QDate d) { return locale.toString(d, QLocale::ShortFormat); };
    return head + QString::number(count) +
           (count == 1 ? QStringLiteral(" exam ") : QStringLiteral(" exams ")) +
           Span(date(frame.earliest), date(frame.lastExam), QStringLiteral("on ")) + QStringLiteral("; ") +
           (marks ? QStringLiteral("marks ") : QStringLiteral("marks x credits ")) +
           Span(number(lowest->value), number(highest->value), QString());
}

} // namespace examora
