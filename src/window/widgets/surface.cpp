#include "window/widgets/surface.h"

#include "window/widgets/twips.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
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
    styles_.clear();
    Repaint();
}

void Surface::Line(QPointF from, QPointF to, const QColor& color) {
    AddShape(ShapeKind::Line, from, to, Style{scale_, 0.0, color, {}});
}

void Surface::Circle(QPointF centre, double radius, const QColor& outline) {
    AddShape(ShapeKind::Circle, centre, {}, Style{scale_, radius, outline, fillColor_});
}

void Surface::Stems(const std::vector<QPointF>& tops, double radius, const QColor& colour) {
    if (tops.empty())
        return;
    const std::uint32_t style = StyleOf(Style{scale_, radius, colour, fillColor_});
    if (shapes_.capacity() < shapes_.size() + tops.size())
        shapes_.reserve(std::max(shapes_.size() + tops.size(), 2 * shapes_.capacity()));
    const bool waiting = painted_ < shapes_.size();
    for (const QPointF& top : tops)
        shapes_.push_back(ShapeRecord{top, QPointF(top.x(), 0), style, ShapeKind::Stem});
    if (!waiting)
        update();
}

// Only the first shape that waits to be painted asks for a repaint: the later ones are shown by the
// same one.
void Surface::AddShape(ShapeKind kind, QPointF a, QPointF b, const Style& style) {
    shapes_.push_back(ShapeRecord{a, b, StyleOf(style), kind});
    if (painted_ + 1 == shapes_.size())
        update();
}

std::uint32_t Surface::StyleOf(const Style& style) {
    const auto same = [&style](const Style& kept) {
        return SameScale(kept.scale, style.scale) && kept.radius == style.radius && kept.pen == style.pen &&
               kept.fill == style.fill;
    };
    if (lastStyle_ < styles_.size() && same(styles_[lastStyle_]))
        return lastStyle_;
    // The styles drawn lately are looked for; one met again after many others is kept anew.
    for (std::size_t i = styles_.size(); i-- > 0 && i + 16 >= styles_.size();)
        if (same(styles_[i]))
            return lastStyle_ = static_cast<std::uint32_t>(i);
    styles_.push_back(style);
    return lastStyle_ = static_cast<std::uint32_t>(styles_.size() - 1);
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
    Clear();
    return image_;
}

void Surface::PaintPending() const {
    if (image_.isNull() || painted_ >= shapes_.size())
        return;
    std::vector<ShapeStyle> styles;
    styles.reserve(styles_.size());
    for (const Style& style : styles_) {
        const QTransform toPixels = UserToPixels(style.scale, image_.size());
        styles.push_back(
            ShapeStyle{toPixels, std::fabs(style.radius * toPixels.m11()), style.pen, style.fill});
    }
    ShapePainter(image_, &memory_)
        .PaintInOrder(shapes_.data() + painted_, shapes_.data() + shapes_.size(), styles,
                      blank_ ? std::optional<QColor>(backColor_) : std::nullopt);
    painted_ = shapes_.size();
    blank_ = false;
}

void Surface::Clear() const {
    if (blank_)
        image_.fill(backColor_);
    blank_ = false;
}

void Surface::Repaint() {
    if (image_.size() != size()) {
        image_ = QImage();
        const std::size_t count = static_cast<std::size_t>(std::max(0, width())) * std::max(0, height());
        if (count == 0) {
            image_ = QImage(size(), QImage::Format_RGB32);
        } else {
            if (pixels_.use_count() > 1 || pixelCount_ < count) {
                pixels_.reset(new QRgb[count]);
                pixelCount_ = count;
            }
            image_ = QImage(
                reinterpret_cast<uchar*>(pixels_.get()), width(), height(), qsizetype{width()} * 4,
                QImage::Format_RGB32, [](void* held) { delete static_cast<std::shared_ptr<QRgb[]>*>(held); },
                new std::shared_ptr<QRgb[]>(pixels_));
        }
    }
    blank_ = true;
    painted_ = 0;
    update();
}

void Surface::paintEvent(QPaintEvent* event) {
    if (awaitedResize_ == 0)
        PaintPending();
    Clear();
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
