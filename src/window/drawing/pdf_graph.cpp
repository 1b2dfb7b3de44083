#include "window/drawing/pdf_graph.h"

#include "graphs/axis_ticks.h"
#include "records/conversions.h"
#include "window/drawing/pdf_look.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace examora::pdf {
namespace {

constexpr int kMostValueSteps = 6;

QString TimeAxisTitle(const QString& timeUnit) {
    if (timeUnit == kDays)
        return QStringLiteral("Date (days)");
    return timeUnit == kMonths ? QStringLiteral("Date (months)") : QStringLiteral("Date (years)");
}

// Where each label of the time axis goes: centred under its tick, but kept within the area.
std::vector<QRectF> LabelPlaces(const std::vector<TimeTick>& ticks, const QFontMetricsF& metrics, double left,
                                double perUnit, double top, const QRectF& area) {
    std::vector<QRectF> places;
    places.reserve(ticks.size());
    for (const TimeTick& tick : ticks) {
        const double width = metrics.horizontalAdvance(tick.label);
        const double centre = left + tick.x * perUnit;
        const double start = std::clamp(centre - width / 2, area.left(), area.right() - width);
        places.emplace_back(start, top, width, metrics.height());
    }
    return places;
}

// The labels of the time axis, thinned until neighbours stand apart by a gap.
std::vector<TimeTick> TimeLabels(const GraphFrame& frame, const QString& timeUnit,
                                 const QFontMetricsF& metrics, double left, double perUnit, double top,
                                 const QRectF& area, std::vector<QRectF>& places) {
    const double gap = Mm(3);
    double spacing = (metrics.horizontalAdvance(QStringLiteral("0000")) + gap) / perUnit;
    for (int attempt = 0; attempt < 60; ++attempt, spacing *= 1.25) {
        std::vector<TimeTick> ticks = TimeTicks(timeUnit, frame.earliest, frame.scaleWidth, spacing);
        places = LabelPlaces(ticks, metrics, left, perUnit, top, area);
        bool apart = true;
        for (std::size_t i = 1; i < places.size() && apart; ++i)
            apart = places[i].left() - places[i - 1].right() >= gap;
        if (apart)
            return ticks;
    }
    places.clear();
    return {};
}

} // namespace

void DrawPdfGraph(QPainter& painter, const QRectF& area, const std::optional<GraphFrame>& frame,
                  const QString& timeUnit, const QString& valueName) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont tickFont = ReportFont(8), titleFont = ReportFont(8, true);
    const QFontMetricsF tickMetrics(tickFont, painter.device()), titleMetrics(titleFont, painter.device());

    const double largest = frame && std::isfinite(frame->largest) ? frame->largest : 0.0;
    const std::vector<double> values = ValueTicks(largest, kMostValueSteps);
    double labelWidth = 0;
    for (double value : values)
        labelWidth = std::max(labelWidth, tickMetrics.horizontalAdvance(ValueTickText(value)));
    const double tickLength = Mm(1.2);
    // The axes' box; within it the plot is padded by a circle's radius and its outline, so that no
    // circle crosses it.
    const QRectF axes(
        QPointF(area.left() + labelWidth + tickLength + Mm(1.5), area.top() + titleMetrics.height() + Mm(2)),
        QPointF(area.right() - Mm(1), area.bottom() - 2 * tickMetrics.height() - tickLength - Mm(2.5)));
    // Exams a unit or less apart get thinner stems and smaller circles, so that they stay apart.
    const double unitWidth = frame && frame->scaleWidth > 0 ? axes.width() / frame->scaleWidth : axes.width();
    const double radius = std::clamp(unitWidth * 0.45, Mm(0.5), Mm(1.1));
    const double stemWidth = std::clamp(unitWidth * 0.25, Mm(0.1), Mm(0.3));
    const double pad = radius + Mm(0.3);
    const QRectF plot = axes.adjusted(pad, pad, -pad, -pad);
    const double top = values.back();
    auto yOf = [&](double value) {
        const double shown = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, top);
        return plot.bottom() - shown / top * plot.height();
    };

    // The value axis: light lines across at each round value, labelled on the left.
    painter.setFont(tickFont);
    for (double value : values) {
        const double y = yOf(value);
        painter.setPen(QPen(kGrid, Mm(0.15)));
        painter.drawLine(QPointF(axes.left(), y), QPointF(axes.right(), y));
        painter.setPen(QPen(kInk, Mm(0.25)));
        painter.drawLine(QPointF(axes.left() - tickLength, y), QPointF(axes.left(), y));
        painter.drawText(QRectF(area.left(), y - tickMetrics.height() / 2, labelWidth, tickMetrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, ValueTickText(value));
    }
    painter.setFont(titleFont);
    painter.drawText(QRectF(area.left(), area.top(), area.width(), titleMetrics.height()),
                     Qt::AlignLeft | Qt::AlignTop, valueName);

    if (!frame || frame->points.empty() || !(frame->scaleWidth > 0)) {
        painter.setFont(tickFont);
        painter.drawText(axes, Qt::AlignCenter, QStringLiteral("No exams to plot"));
    } else {
        const double perUnit = plot.width() / frame->scaleWidth;
        // The time axis: a tick and a date under each label's place.
        std::vector<QRectF> places;
        const std::vector<TimeTick> ticks = TimeLabels(*frame, timeUnit, tickMetrics, plot.left(), perUnit,
                                                       axes.bottom() + tickLength + Mm(0.5), area, places);
        painter.setFont(tickFont);
        painter.setPen(QPen(kInk, Mm(0.25)));
        for (std::size_t i = 0; i < ticks.size(); ++i) {
            const double x = plot.left() + ticks[i].x * perUnit;
            painter.drawLine(QPointF(x, axes.bottom()), QPointF(x, axes.bottom() + tickLength));
            painter.drawText(places[i], Qt::AlignCenter, ticks[i].label);
        }
        // The exams: stems first, then the circles over them.
        painter.setPen(QPen(kStem, stemWidth));
        for (const GraphPoint& point : frame->points) {
            const double x = plot.left() + point.x * perUnit;
            painter.drawLine(QPointF(x, yOf(0)), QPointF(x, yOf(point.value)));
        }
        painter.setPen(QPen(kStem, std::min(stemWidth, Mm(0.25))));
        painter.setBrush(kFill);
        for (const GraphPoint& point : frame->points)
            painter.drawEllipse(QPointF(plot.left() + point.x * perUnit, yOf(point.value)), radius, radius);
        painter.setBrush(Qt::NoBrush);
    }
    painter.setFont(titleFont);
    painter.setPen(kInk);
    painter.drawText(
        QRectF(axes.left(), area.bottom() - titleMetrics.height(), axes.width(), titleMetrics.height()),
        Qt::AlignHCenter | Qt::AlignBottom, TimeAxisTitle(timeUnit));
    // The axes last, over the grid.
    painter.setPen(QPen(kInk, Mm(0.3)));
    painter.drawLine(axes.topLeft(), axes.bottomLeft());
    painter.drawLine(axes.bottomLeft(), axes.bottomRight());
    painter.restore();
}

} // namespace examora::pdf
