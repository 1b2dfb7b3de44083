#include "graphs/graph_frame.h"

#include "records/conversions.h"
#include "records/record_line.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace examora {
namespace {

// Beyond this a value would make the scale so fine that a pixel of the surface could not be mapped
// back to it: the pointer would read an invented date.
constexpr double kLargestDrawable = 1e10;

bool FitsTheScale(double value) { return std::isfinite(value) && std::fabs(value) <= kLargestDrawable; }

} // namespace

double PlottedValueOf(const ExamReading& exam, PlottedValue value) {
    return value == PlottedValue::Mark ? exam.mark : exam.mark * exam.credits;
}

std::optional<double> AxisWidth(const QString& timeUnit, QDate earliest, QDate latest) {
    if (timeUnit == kYears)
        return static_cast<double>(DateDiff(kYears, earliest, latest)) + 1.0 / 12.0;
    if (timeUnit == kMonths)
        return static_cast<double>(DateDiff(kMonths, earliest, latest) + 1);
    if (timeUnit == kDays)
        return static_cast<double>(DateDiff(kDays, earliest, latest) + 25);
    return std::nullopt;
}

std::optional<GraphFrame> ComputeGraphFrame(const QStringList& lines, const QString& timeUnit,
                                            PlottedValue value) {
    std::vector<ExamReading> readings;
    readings.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& line : lines)
        readings.push_back(ReadExam(line).value_or(ExamReading{}));
    return ComputeGraphFrame(readings, timeUnit, value);
}

std::optional<GraphFrame> ComputeGraphFrame(const std::vector<ExamReading>& readings, const QString& timeUnit,
                                            PlottedValue value) {
    struct Exam {
        QDate date;
        double value;
    };
    std::vector<Exam> exams;
    exams.reserve(readings.size());
    GraphFrame frame;
    frame.latest = DayZero();
    for (const ExamReading& reading : readings) {
        if (!reading.date.isValid())
            continue;
        const Exam exam{reading.date, PlottedValueOf(reading, value)};
        if (exams.empty() || exam.date < frame.earliest)
            frame.earliest = exam.date;
        if (exam.date >= frame.latest)
            frame.latest = exam.date;
        if (exams.empty() || exam.date > frame.lastExam)
            frame.lastExam = exam.date;
        // A value beyond the range of a double, or too large for the scale, does not stretch the frame.
        if (FitsTheScale(exam.value) && exam.value > frame.largest)
            frame.largest = exam.value;
        exams.push_back(exam);
    }
    if (exams.empty())
        frame.earliest = DayZero();

    const std::optional<double> width = AxisWidth(timeUnit, frame.earliest, frame.latest);
    if (!width)
        return std::nullopt;
    frame.scaleWidth = static_cast<float>(*width);
    if (frame.largest > 0) {
        frame.scaleTop = frame.largest + 1;
        frame.scaleHeight = -frame.largest;
    } else {
        frame.scaleTop = 1;
        frame.scaleHeight = -1;
    }
    // The scale is held in single precision where it fits.
    if (std::fabs(frame.scaleTop) < 3.0e38) {
        frame.scaleTop = static_cast<float>(frame.scaleTop);
        frame.scaleHeight = static_cast<float>(frame.scaleHeight);
    }
    frame.points.reserve(exams.size());
    for (const Exam& exam : exams)
        frame.points.push_back(
            GraphPoint{static_cast<double>(DateDiff(timeUnit, frame.earliest, exam.date)), exam.value});
    return frame;
}

std::vector<bool> RepeatedLater(const std::vector<GraphPoint>& points) {
    std::vector<bool> repeated(points.size(), false);
    // The points met so far, from the last, in a table at most half full: a slot holds the low half
    // of a point's hash (never 0) beside its index, so that most points met are told apart without
    // reading them again.
    std::size_t size = 64;
    while (size < 2 * points.size())
        size *= 2;
    std::vector<std::uint64_t> table(size, 0);
    for (std::size_t i = points.size(); i-- > 0;) {
        const GraphPoint& point = points[i];
        // Adding 0 makes -0 the +0 that it equals.
        std::uint64_t hash = std::bit_cast<std::uint64_t>(point.x + 0.0) * 0x9e3779b97f4a7c15ULL;
        hash =
            (hash ^ (hash >> 29) ^ std::bit_cast<std::uint64_t>(point.value + 0.0)) * 0xbf58476d1ce4e5b9ULL;
        hash ^= hash >> 31;
        const std::uint64_t tag = (hash & 0xffffffffULL) | 1;
        for (std::size_t at = (hash >> 32) & (size - 1);; at = (at + 1) & (size - 1)) {
            if (table[at] == 0) {
                table[at] = tag | std::uint64_t{i} << 32;
                break;
            }
            const GraphPoint& met = points[table[at] >> 32];
            if ((table[at] & 0xffffffffULL) == tag && met.x == point.x && met.value == point.value) {
                repeated[i] = true;
                break;
            }
        }
    }
    return repeated;
}

} // namespace examora
