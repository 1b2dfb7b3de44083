// A graph over time as the report prints it: each exam a stem from 0 up to its value with a circle
// on top, black axes with the dates along the bottom and round values up the side, drawn in vector
// form straight on the page.
#pragma once

#include "graphs/graph_frame.h"

#include <QRectF>
#include <QString>
#include <optional>

class QPainter;

namespace examora::pdf {

// `valueName` titles the value axis ("Mark"); `timeUnit` is the frame's ("d", "m" or "yyyy").
// Nothing is plotted outside the area, circles included.
void DrawPdfGraph(QPainter& painter, const QRectF& area, const std::optional<GraphFrame>& frame,
                  const QString& timeUnit, const QString& valueName);

} // namespace examora::pdf
