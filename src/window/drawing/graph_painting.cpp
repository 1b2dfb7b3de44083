#include "window/drawing/graph_painting.h"

#include "graphs/graph_frame.h"
#include "window/widgets/surface.h"

namespace examora {

void PaintGraph(Surface& surface, const GraphFrame& frame) {
    const QColor white(255, 255, 255);
    surface.SetScale(frame.scaleTop, frame.scaleHeight, frame.scaleWidth);
    const double radius = static_cast<float>(surface.Scale().width / 99);
    for (const GraphPoint& point : frame.points) {
        surface.Circle(QPointF(point.x, point.value), radius, white);
        surface.Line(QPointF(point.x, 0), QPointF(point.x, point.value), white);
    }
}

} // namespace examora
