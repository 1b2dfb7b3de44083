#include "window/drawing/graph_painting.h"

#include "graphs/graph_frame.h"
#include "window/widgets/surface.h"

namespace examora {

void PaintGraph(Surface& surface, const GraphFrame& frame) {
    const QColor white(255, 255, 255);
    surface.SetScale(frame.scaleTop, frame.scaleHeight, frame.scaleWidth);
    const double radius = static_cast<float>(surface.Scale().width / 99);
    const std::vector<bool> repeated = RepeatedLater(frame.points);
    std::vector<QPointF> tops;
    tops.reserve(frame.points.size());
    for (std::size_t i = 0; i < frame.points.size(); ++i)
        if (!repeated[i])
            tops.emplace_back(frame.points[i].x, frame.points[i].value);
    surface.Stems(tops, radius, white);
}

} // namespace examora
