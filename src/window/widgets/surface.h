// The window's drawing surface. Lines and filled circles are drawn in a user scale (ScaleTop,
// ScaleHeight, ScaleWidth, with the left edge at 0 and y growing upward when ScaleHeight is negative)
// into a backing image that paintEvent copies to the screen, so a drawing stays until Cls. The
// shapes are kept, in user units, so that a resize draws them again at the new size; new shapes are
// painted into the image together, with one painter, when it is next shown or read, and the first
// of them asks for the one repaint that shows them all. While the window waits for the window
// manager to maximise it, new shapes wait too, so that they are painted once, at the new size.
// Pointer events reach the program in the same user scale.
#pragma once

#include <QColor>
#include <QImage>
#include <QTransform>
#include <QWidget>
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
    struct Shape {
        bool circle = false;
        QPointF a, b; // line ends, or the centre
        double radius = 0.0;
        QColor pen, fill;
        UserScale scale;
    };
    void Repaint();
    void PaintPending() const;
    void AddShape(const Shape& shape);

    QColor backColor_;
    QColor fillColor_;
    UserScale scale_;
    int awaitedResize_ = 0; // the number of the resize awaited, or 0
    int resizesAwaited_ = 0;
    std::vector<Shape> shapes_;
    mutable QImage image_;
    mutable std::size_t painted_ = 0; // shapes_ before this index are in image_
};

} // namespace examora
