// Paints shapes, in pixels, into an image: what the drawing surface uses to put its lines and
// circles into its backing image, fast enough for a graph of tens of thousands of exams.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <memory>
#include <vector>

namespace examora {

// A shape in pixels: a circle (centre a, radius in pixels, outlined with pen and filled with fill)
// or a line from a to b in pen.
struct PixelShape {
    bool circle = false;
    QPointF a, b;
    double radius = 0.0;
    QColor pen, fill;
};

class ShapePainter {
public:
    explicit ShapePainter(QImage& image);
    ~ShapePainter();
    ShapePainter(const ShapePainter&) = delete;
    ShapePainter& operator=(const ShapePainter&) = delete;

    // A full circle of radius r pixels, smoothed, outlined with pen and filled with fill.
    void Circle(QPointF centre, double r, const QColor& pen, const QColor& fill);
    // A line one crisp pixel wide.
    void Line(QPointF from, QPointF to, const QColor& pen);
    // The shapes in order, each as Circle or Line would paint it, leaving out what would not show: a
    // circle that the later circles of the list paint over entirely, and a circle or a vertical line
    // that a later shape of the list paints again on the same pixels in the same colours (only the
    // last of them is painted, so that what lies on top stays on top; the smoothed rim of such a
    // circle is blended once, not once per repeat).
    void PaintInOrder(const std::vector<PixelShape>& shapes);

private:
    std::unique_ptr<class PixelPainter> painter_;
};

} // namespace examora
