// Paints shapes, in pixels, into an image: what the drawing surface uses to put its lines and
// circles into its backing image, fast enough for a graph of hundreds of thousands of exams.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QTransform>
#include <cstdint>
#include <memory>
#include <optional>
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

// A shape as the surface keeps it, in the units of its style: a line from a to b, a circle centred
// on a, or a stem: a circle centred on a and over it a line from (a.x, b.y) to a.
enum class ShapeKind : std::uint8_t { Line, Circle, Stem };
struct ShapeRecord {
    QPointF a, b;
    std::uint32_t style = 0;
    ShapeKind kind = ShapeKind::Line;
};
// How the shapes of one style land on the image: the map from their units to pixels, the radius of
// a circle in pixels, the colour of lines and outlines, and the fill of circles.
struct ShapeStyle {
    QTransform toPixels;
    double radius = 0.0;
    QColor pen, fill;
};

// What painting keeps from one list of shapes to the next: the circles' sprites and the working
// buffers, so that a second graph allocates nothing.
class ShapeMemory {
public:
    ShapeMemory();
    ~ShapeMemory();
    ShapeMemory(const ShapeMemory&) = delete;
    ShapeMemory& operator=(const ShapeMemory&) = delete;
    struct Parts;
    Parts& parts() { return *parts_; }

private:
    std::unique_ptr<Parts> parts_;
};

class ShapePainter {
public:
    // Without memory of its own to keep, the painter keeps what it needs while it lives.
    explicit ShapePainter(QImage& image, ShapeMemory* memory = nullptr);
    ~ShapePainter();
    ShapePainter(const ShapePainter&) = delete;
    ShapePainter& operator=(const ShapePainter&) = delete;

    // A full circle of radius r pixels, smoothed, outlined with pen and filled with fill.
    void Circle(QPointF centre, double r, const QColor& pen, const QColor& fill);
    // A line one crisp pixel wide.
    void Line(QPointF from, QPointF to, const QColor& pen);
    // The shapes in order, each as Circle or Line would paint it, except that of a circle that a
    // later one of the list paints again on the same pixels in the same colours, only the last is
    // painted: the smoothed rim of such a circle is blended once, not once per repeat. What the
    // later shapes paint over is never painted.
    void PaintInOrder(const std::vector<PixelShape>& shapes);
    // The same for shapes kept in the units of their styles. With a background, what the image held
    // does not count: the shapes are painted over that colour.
    void PaintInOrder(const ShapeRecord* first, const ShapeRecord* last,
                      const std::vector<ShapeStyle>& styles, std::optional<QColor> background = std::nullopt);

private:
    std::unique_ptr<ShapeMemory> own_;
    ShapeMemory& memory_;
    QImage& image_;
};

} // namespace examora
