// The labels along the axes of a printed graph: round values up the side, and dates along the
// bottom in the graph's time unit, thinned so that neighbours keep a given distance.
#pragma once

#include <QDate>
#include <QString>
#include <vector>

namespace examora {

// Values from 0 up to the first one at or above `top`, in steps of 1, 2 or 5 times a power of ten:
// the smallest step that needs at most `most` steps. A top of 0 or less counts as 1.
std::vector<double> ValueTicks(double top, int most);
// A value tick as printed: "0", "2.5", "100".
QString ValueTickText(double value);

struct TimeTick {
    double x = 0.0; // in units of the time unit since the axis's origin
    QString label;
};

// The dates labelled along a time axis that starts at `origin` and is `width` units of the time
// unit wide ("d", "m" or "yyyy"), no two closer than `spacing` units. Years read "2005" and fall
// on round years; months read "Mar 2005" and fall on the first of a month, every 1, 2, 3 or 6
// months or on round years; days read as the locale's short date, every 1, 2, 7 or 14 days from
// the origin, or fall on the first of a month when those are too close. The first step whose labels
// keep the distance wins; when no label of it falls on the axis, the origin alone is labelled.
std::vector<TimeTick> TimeTicks(const QString& timeUnit, QDate origin, double width, double spacing);

} // namespace examora
