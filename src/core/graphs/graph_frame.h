// The frame shared by the two graphs over time: where each exam stands on the time axis, how high
// its stem rises, and the user scale that fits them all on the surface.
#pragma once

#include "records/record_line.h"

#include <QDate>
#include <QStringList>
#include <optional>
#include <vector>

namespace examora {

enum class PlottedValue { Mark, MarkTimesCredits };

// The value one exam plots: its mark, or its mark times its credit value.
double PlottedValueOf(const ExamReading& exam, PlottedValue value);

struct GraphPoint {
    double x = 0.0; // whole units of the time unit since the earliest exam
    double value = 0.0;
};

struct GraphFrame {
    QDate earliest; // the graph's origin
    QDate latest;
    QDate lastExam; // the latest exam's own date, which the axis may run past
    double largest = 0.0;
    // The surface scale: top edge, height (negative, y grows upward) and width; the left edge is 0.
    double scaleTop = 0.0;
    double scaleHeight = 0.0;
    double scaleWidth = 0.0;
    std::vector<GraphPoint> points; // one per drawable line, in list order
};

// The width of the axis in units: the span between the earliest and the latest exam plus a margin
// of 25 days, one month or a twelfth of a year. Nothing for a time unit that is none of the three.
std::optional<double> AxisWidth(const QString& timeUnit, QDate earliest, QDate latest);

// The frame for the held lines. Lines that do not split into four fields or whose date does not
// read are left out; values that do not fit the scale are plotted but do not stretch the frame. When
// no value rises above 0 the frame runs from 0 at the bottom edge to 1 at the top, so that the exams
// still show on the bottom edge. Nothing for an unknown time unit.
std::optional<GraphFrame> ComputeGraphFrame(const QStringList& lines, const QString& timeUnit,
                                            PlottedValue value);
// The same from the readings the store keeps beside its lines; readings without a date are left out.
std::optional<GraphFrame> ComputeGraphFrame(const std::vector<ExamReading>& readings, const QString& timeUnit,
                                            PlottedValue value);

// Which points a later point of the list repeats, at the same x and value: drawn in list order, the
// later one paints the same pixels over them.
std::vector<bool> RepeatedLater(const std::vector<GraphPoint>& points);

} // namespace examora
