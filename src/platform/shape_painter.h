// Paints shapes, in pixels, into an image: what the drawing surface uses to put its lines and
// circles into its backing image, fast enough for a graph of tens of thousands of exams.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <memory>

namespace examora {

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

private:
    std::unique_ptr<class PixelPainter> painter_;
};

} // namespace examora
