#include "window/widgets/shape_sprites.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace examora {
namespace {

Sprite::Row RowOf(const QImage& image, int y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    Sprite::Row row{image.width(), 0, image.width(), 0};
    for (int x = 0; x < image.width(); ++x) {
        if (qAlpha(line[x]) != 0)
            row = Sprite::Row{std::min(row.shownFrom, x), x + 1, row.solidFrom, row.solidTo};
        if (qAlpha(line[x]) == 255)
            row = Sprite::Row{row.shownFrom, row.shownTo, std::min(row.solidFrom, x), x + 1};
    }
    bool gap = false; // a smoothed pixel between covering ones: blend the whole row
    for (int x = row.solidFrom; x < row.solidTo; ++x)
        gap = gap || qAlpha(line[x]) != 255;
    if (gap || row.solidFrom >= row.solidTo)
        row.solidFrom = row.solidTo = row.shownTo;
    return row;
}

} // namespace

PlacedSprite SpriteCache::Place(QPointF centre, double r, QRgb pen, QRgb fill) {
    const double qx = std::round(centre.x() * 4) / 4, qy = std::round(centre.y() * 4) / 4;
    const int ix = static_cast<int>(std::floor(qx)), iy = static_cast<int>(std::floor(qy));
    const Sprite& sprite =
        SpriteFor(r, pen, fill, static_cast<int>((qx - ix) * 4), static_cast<int>((qy - iy) * 4));
    return PlacedSprite{&sprite, ix - sprite.half, iy - sprite.half};
}

const Sprite& SpriteCache::SpriteFor(double r, QRgb pen, QRgb fill, int fx, int fy) {
    if (r != lastRadius_ || pen != lastPen_ || fill != lastFill_) {
        lastRadius_ = r, lastPen_ = pen, lastFill_ = fill;
        lastStyle_.fill(-1);
    }
    int& known = lastStyle_[static_cast<std::size_t>(fy * 4 + fx)];
    if (known >= 0)
        return sprites_[static_cast<std::size_t>(known)];
    for (std::size_t i = 0; i < sprites_.size(); ++i) {
        const Sprite& sprite = sprites_[i];
        if (sprite.radius == r && sprite.pen == pen && sprite.fill == fill && sprite.fx == fx &&
            sprite.fy == fy) {
            known = static_cast<int>(i);
            return sprite;
        }
    }
    const int half = static_cast<int>(std::ceil(r)) + 2, size = 2 * half + 1;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor::fromRgba(pen), 1));
    painter.setBrush(QColor::fromRgba(fill));
    painter.drawEllipse(QPointF(half + fx / 4.0, half + fy / 4.0), r, r);
    painter.end();
    if (sprites_.size() > 64) {
        sprites_.clear();
        lastStyle_.fill(-1);
    }
    Sprite sprite{r, pen, fill, fx, fy, half, image, {}, (size + 63) / 64, {}, {}};
    sprite.shown.assign(static_cast<std::size_t>(size * sprite.words), 0);
    sprite.solid = sprite.shown;
    for (int y = 0; y < size; ++y) {
        sprite.rows.push_back(RowOf(image, y));
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < size; ++x) {
            const std::size_t word = static_cast<std::size_t>(y / 64 * size + x);
            const std::uint64_t bit = std::uint64_t{1} << (y % 64);
            if (qAlpha(line[x]) != 0)
                sprite.shown[word] |= bit;
            if (qAlpha(line[x]) == 255)
                sprite.solid[word] |= bit;
        }
    }
    sprites_.push_back(std::move(sprite));
    known = static_cast<int>(sprites_.size() - 1);
    return sprites_.back();
}

} // namespace examora
