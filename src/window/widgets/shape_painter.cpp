#include "window/widgets/shape_painter.h"

#include "window/widgets/shape_layers.h"

#include <QPainter>
#include <cstring>
#include <optional>

namespace examora {
namespace {

// Paints shapes one after the other: a circle copied from its sprite (or, when large, painted by a
// QPainter), a vertical line as one column of pixels written straight into the image, any other
// line by a QPainter. Circles are smoothed; lines stay one crisp pixel wide in their own colour.
class InOrder {
public:
    InOrder(QImage& image, SpriteCache& sprites)
        : image_(image), bits_(image.bits()), bytesPerLine_(image.bytesPerLine()), sprites_(sprites) {}

    void Circle(QPointF centre, double r, QRgb pen, QRgb fill) {
        if (!std::isfinite(r) || !Near(centre))
            return;
        if (r > SpriteCache::kLargest) {
            QPainter& painter = Painter();
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setPen(QPen(QColor::fromRgba(pen), 1));
            painter.setBrush(QColor::fromRgba(fill));
            painter.drawEllipse(centre, r, r);
            return;
        }
        Blit(sprites_.Place(centre, r, pen, fill));
    }

    void Line(QPointF from, QPointF to, QRgb pen) {
        if (!Near(from) || !Near(to))
            return;
        if (from.x() != to.x()) {
            QPainter& painter = Painter();
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(QPen(QColor::fromRgb(pen), 1));
            painter.drawLine(from, to);
            return;
        }
        const Stem stem = StemOf(from, to, image_.size());
        if (stem.empty)
            return;
        uchar* pixel = bits_ + static_cast<qsizetype>(stem.first) * bytesPerLine_ + qsizetype{stem.x} * 4;
        for (int y = stem.first; y <= stem.last; ++y, pixel += bytesPerLine_)
            *reinterpret_cast<QRgb*>(pixel) = pen | 0xff000000;
    }

    // The shapes in order, but of circles repeated on the same pixels only the last.
    void PaintInOrder(const ShapeRecord* first, const ShapeRecord* last,
                      const std::vector<PixelStyle>& styles, LandedShapes& later) {
        std::vector<char> repeated(static_cast<std::size_t>(last - first), 0);
        for (std::size_t i = repeated.size(); i-- > 0;) {
            const ShapeRecord& shape = first[i];
            const PixelStyle& style = styles[shape.style];
            const QPointF centre = style.toPixels.map(shape.a);
            if (shape.kind != ShapeKind::Line && SpriteSized(style.radius) && Near(centre)) {
                const PlacedSprite placed = sprites_.Place(centre, style.radius, style.pen, style.fill);
                const Sprite& sprite = *placed.sprite;
                repeated[i] = !later.AddCircle(style.radius, style.pen, style.fill,
                                               4 * (placed.left + sprite.half) + sprite.fx,
                                               4 * (placed.top + sprite.half) + sprite.fy);
            }
        }
        for (std::size_t i = 0; i < repeated.size(); ++i) {
            const ShapeRecord& shape = first[i];
            const PixelStyle& style = styles[shape.style];
            const QPointF a = style.toPixels.map(shape.a);
            if (shape.kind != ShapeKind::Line && !repeated[i])
                Circle(a, style.radius, style.pen, style.fill);
            if (shape.kind == ShapeKind::Line)
                Line(a, style.toPixels.map(shape.b), style.pen);
            else if (shape.kind == ShapeKind::Stem)
                Line(style.toPixels.map(QPointF(shape.a.x(), shape.b.y())), a, style.pen);
        }
    }

private:
    QPainter& Painter() {
        if (!painter_)
            painter_.emplace(&image_);
        return *painter_;
    }

    // Copies a sprite: solid pixels as they are, the smoothed rim blended over what is there.
    void Blit(const PlacedSprite& placed) {
        const Sprite& sprite = *placed.sprite;
        const int left = placed.left, top = placed.top;
        const int height = std::min(sprite.image.height(), image_.height() - top), width = image_.width();
        for (int y = std::max(0, -top); y < height; ++y) {
            const Sprite::Row& row = sprite.rows[static_cast<std::size_t>(y)];
            const QRgb* source = reinterpret_cast<const QRgb*>(sprite.image.constScanLine(y));
            QRgb* line = reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(top + y) * bytesPerLine_);
            const int from = std::max(row.shownFrom, -left), to = std::min(row.shownTo, width - left);
            const int solidFrom = std::clamp(row.solidFrom, from, std::max(from, to));
            const int solidTo = std::clamp(row.solidTo, solidFrom, std::max(solidFrom, to));
            for (int x = from; x < solidFrom; ++x)
                line[left + x] = Over(source[x], line[left + x]);
            if (solidTo > solidFrom)
                std::memcpy(line + left + solidFrom, source + solidFrom,
                            static_cast<std::size_t>(solidTo - solidFrom) * 4);
            for (int x = solidTo; x < to; ++x)
                line[left + x] = Over(source[x], line[left + x]);
        }
    }

    QImage& image_;
    uchar* bits_;
    qsizetype bytesPerLine_;
    SpriteCache& sprites_;
    std::optional<QPainter> painter_; // begun on the image only when a shape needs it
};

std::vector<PixelStyle> PixelStyles(const std::vector<ShapeStyle>& styles) {
    std::vector<PixelStyle> pixels;
    pixels.reserve(styles.size());
    for (const ShapeStyle& style : styles)
        pixels.push_back(PixelStyle{style.toPixels, style.radius, style.pen.rgba(), style.fill.rgba()});
    return pixels;
}

} // namespace

ShapeMemory::ShapeMemory() : parts_(std::make_unique<Parts>()) {}
ShapeMemory::~ShapeMemory() = default;

ShapePainter::ShapePainter(QImage& image, ShapeMemory* memory)
    : own_(memory ? nullptr : std::make_unique<ShapeMemory>()), memory_(memory ? *memory : *own_),
      image_(image) {}
ShapePainter::~ShapePainter() = default;

void ShapePainter::Circle(QPointF centre, double r, const QColor& pen, const QColor& fill) {
    InOrder(image_, memory_.parts().sprites).Circle(centre, r, pen.rgba(), fill.rgba());
}

void ShapePainter::Line(QPointF from, QPointF to, const QColor& pen) {
    InOrder(image_, memory_.parts().sprites).Line(from, to, pen.rgba());
}

void ShapePainter::PaintInOrder(const std::vector<PixelShape>& shapes) {
    std::vector<ShapeRecord> records;
    std::vector<ShapeStyle> styles;
    records.reserve(shapes.size());
    for (const PixelShape& shape : shapes) {
        const ShapeStyle style{QTransform(), shape.circle ? shape.radius : 0.0, shape.pen,
                               shape.circle ? shape.fill : QColor()};
        if (styles.empty() || styles.back().radius != style.radius || styles.back().pen != style.pen ||
            styles.back().fill != style.fill)
            styles.push_back(style);
        records.push_back(ShapeRecord{shape.a, shape.b, static_cast<std::uint32_t>(styles.size() - 1),
                                      shape.circle ? ShapeKind::Circle : ShapeKind::Line});
    }
    PaintInOrder(records.data(), records.data() + records.size(), styles);
}

void ShapePainter::PaintInOrder(const ShapeRecord* first, const ShapeRecord* last,
                                const std::vector<ShapeStyle>& styles, std::optional<QColor> background) {
    const std::vector<PixelStyle> pixels = PixelStyles(styles);
    ShapeMemory::Parts& memory = memory_.parts();
    const std::optional<QRgb> blank = background ? std::optional<QRgb>(background->rgb()) : std::nullopt;
    if (!PaintFromTheTop(image_, first, last, pixels, memory, blank)) {
        if (background)
            image_.fill(*background);
        memory.landed.Clear();
        InOrder(image_, memory.sprites).PaintInOrder(first, last, pixels, memory.landed);
    }
}

} // namespace examora
