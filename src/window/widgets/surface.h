// The window's drawing surface. Lines and filled circles are drawn in a user scale (ScaleTop,
// ScaleHeight, ScaleWidth, with the left edge at 0 and y growing upward when ScaleHeight is negative)
// into a backing image that paintEvent copies to the screen, so a drawing stays until Cls. The
// shapes are kept, in user units, so that a resize draws them again at the new size: 40 bytes a
// shape, their scale and colours kept once for all the shapes that share them. New shapes are
// painted into the image together, with one painter, when it is next shown or read, and the first
// of them asks for the one repaint that shows them all. While the window waits for the window
// manager to maximise it, new shapes wait too, so that they are painted once, at the new size. The
// image is cleared by the painting of the shapes, and its pixels stay allocated when it shrinks, for
// the next time it grows.
// Pointer events reach the program in the same user scale.
#pragma once

#include "window/widgets/shape_painter.h"

#include <QColor>
#include <QImage>
#include <QTransform>
#include <QWidget>
#include <memory>
#include <vector>

namespace examora {

struct UserScale {
    double top = 0.0;
    double height = 0.0; // 0: not set, one unit is one twip
    double width = 0.0;
};

// From user units to the pixels of a surface of the given size. A scale that was never set measures
// in twips from the top-left corner.
QTransform UserToPixels(const UserScale& scale, QSizeF pixels);

class Surface : public QWidget {
    Q_OBJECT
public:
    explicit Surface(QWidget* parent = nullptr);

    QColor BackColor() const { return backColor_; }
    // Like any change of the background, this clears the drawing.
    void SetBackColor(const QColor& color);
    QColor FillColor() const { return fillColor_; }
    void SetFillColor(const QColor& color) { fillColor_ = color; }

    // Sets ScaleTop, ScaleHeight and ScaleWidth in this order; the left edge stays 0.
    void SetScale(double top, double height, double width);
    const UserScale& Scale() const { return scale_; }

    void Cls();
    void Line(QPointF from, QPointF to, const QColor& color);
    // A full circle, its radius in horizontal units, drawn round on screen, filled with FillColor.
    void Circle(QPointF centre, double radius, const QColor& outline);
    // For each top, Circle(top, radius, colour) and then Line((top.x, 0), top, colour), kept as one
    // shape.
    void Stems(const std::vector<QPointF>& tops, double radius, const QColor& colour);

    // The window has asked for a new size that the window manager gives in its own time: shapes
    // drawn from now on are shown once the surface has been resized, or after a second if it never
    // is. Until then the screen shows what the surface held before them.
    void AwaitResize();

    // The backing image, with every shape drawn so far.
    const QImage& Image() const;
    // Where a user point lands on the surface, in pixels.
    QPointF ToPixels(QPointF user) const;
    QPointF ToUser(QPointF pixels) const;

signals:
    // Button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt; x, y in the user scale.
    void MouseMove(int button, int shift, float x, float y);
    void MouseDown(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct Style {
        UserScale scale;
        double radius = 0.0; // circles', in horizontal units
        QColor pen, fill;
    };
    void Repaint();
    void PaintPending() const;
    void Clear() const;
    void AddShape(ShapeKind kind, QPointF a, QPointF b, const Style& style);
    std::uint32_t StyleOf(const Style& style);

    QColor backColor_;
    QColor fillColor_;
    UserScale scale_;
    int awaitedResize_ = 0; // the number of the resize awaited, or 0
    int resizesAwaited_ = 0;
    std::vector<ShapeRecord> shapes_;
    std::vector<Style> styles_;
    std::uint32_t lastStyle_ = 0;
    mutable QImage image_;
    mutable std::size_t painted_ = 0; // shapes_ before this index are in image_
    mutable bool blank_ = false;      // image_ is to be cleared to backColor_ before it is used
    mutable ShapeMemory memory_;
    // The pixels that image_ uses when it is not shared, and how many they are: they stay when the
    // image shrinks. Each image made on them holds them too.
    std::shared_ptr<QRgb[]> pixels_;
    std::size_t pixelCount_ = 0;
};

} // namespace examora
