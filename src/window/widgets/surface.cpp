#include "window/widgets/surface.h"

#include "window/widgets/shape_painter.h"
#include "window/widgets/twips.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <cmath>

namespace examora {
namespace {

int ButtonCode(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int ShiftCode(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

bool Usable(double v) { return std::isfinite(v) && v != 0.0; }

bool SameScale(const UserScale& a, const UserScale& b) {
    return a.top == b.top && a.height == b.height && a.width == b.width;
}

} // namespace

QTransform UserToPixels(const UserScale& scale, QSizeF pixels) {
    if (!Usable(scale.height) || !Usable(scale.width) || !std::isfinite(scale.top))
        return QTransform::fromScale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
    const double sx = pixels.width() / scale.width;
    const double sy = pixels.height() / scale.height;
    return QTransform(sx, 0, 0, sy, 0, -scale.top * sy);
}

Surface::Surface(QWidget* parent) : QWidget(parent), backColor_(Qt::black), fillColor_(Qt::black) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

void Surface::SetBackColor(const QColor& color) {
    backColor_ = color;
    Cls();
}

void Surface::SetScale(double top, double height, double width) { scale_ = UserScale{top, height, width}; }

void Surface::Cls() {
    shapes_.clear();
    Repaint();
}

void Surface::Line(QPointF from, QPointF to, const QColor& color) {
    AddShape(Shape{false, from, to, 0.0, color, {}, scale_});
}

void Surface::Circle(QPointF centre, double radius, const QColor& outline) {
    AddShape(Shape{true, centre, {}, radius, outline, fillColor_, scale_});
}

// Only the first shape that waits to be painted asks for a repaint: the later ones are shown by the
// same one.
void Surface::AddShape(const Shape& shape) {
    shapes_.push_back(shape);
    if (painted_ + 1 == shapes_.size())
        update();
}

void Surface::AwaitResize() {
    const int awaited = ++resizesAwaited_;
    awaitedResize_ = awaited;
    QTimer::singleShot(1000, this, [this, awaited] {
        if (awaitedResize_ == awaited) {
            awaitedResize_ = 0;
            update();
        }
    });
}

QPointF Surface::ToPixels(QPointF user) const { return UserToPixels(scale_, size()).map(user); }
QPointF Surface::ToUser(QPointF pixels) const { return UserToPixels(scale_, size()).inverted().map(pixels); }

const QImage& Surface::Image() const {
    PaintPending();
    return image_;
}

void Surface::PaintPending() const {
    if (image_.isNull() || painted_ >= shapes_.size())
        return;
    const UserScale* scale = nullptr;
    QTransform toPixels;
    std::vector<PixelShape> pixels;
    pixels.reserve(shapes_.size() - painted_);
    for (std::size_t i = painted_; i < shapes_.size(); ++i) {
        const Shape& shape = shapes_[i];
        if (!scale || !SameScale(*scale, shape.scale)) {
            scale = &shape.scale;
            toPixels = UserToPixels(shape.scale, image_.size());
        }
        if (shape.circle)
            pixels.push_back(PixelShape{true,
                                        toPixels.map(shape.a),
                                        {},
                                        std::fabs(shape.radius * toPixels.m11()),
                                        shape.pen,
                                        shape.fill});
        else
            pixels.push_back(
                PixelShape{false, toPixels.map(shape.a), toPixels.map(shape.b), 0.0, shape.pen, {}});
    }
    ShapePainter(image_).PaintInOrder(pixels);
    painted_ = shapes_.size();
}

void Surface::Repaint() {
    if (image_.size() != size())
        image_ = QImage(size(), QImage::Format_RGB32);
    image_.fill(backColor_);
    painted_ = 0;
    update();
}

void Surface::paintEvent(QPaintEvent* event) {
    if (awaitedResize_ == 0)
        PaintPending();
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}

void Surface::resizeEvent(QResizeEvent*) {
    awaitedResize_ = 0;
    Repaint();
}

void Surface::mouseMoveEvent(QMouseEvent* event) {
    const QPointF user = UserToPixels(scale_, size()).inverted().map(event->position());
    emit MouseMove(ButtonCode(event->buttons()), ShiftCode(event->modifiers()), static_cast<float>(user.x()),
                   static_cast<float>(user.y()));
}

void Surface::mousePressEvent(QMouseEvent* event) {
    const QPointF user = UserToPixels(scale_, size()).inverted().map(event->position());
    emit MouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()), static_cast<float>(user.x()),
                   static_cast<float>(user.y()));
}

} // namespace examora
