// Circles as the shape painter copies them: a graph draws thousands of circles of one size and
// colour, so each circle is painted once into a small transparent sprite per quarter-pixel offset of
// its centre, and copied where it lands.
#pragma once

#include <QImage>
#include <QPointF>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace examora {

struct Sprite {
    double radius;
    QRgb pen, fill;
    int fx, fy; // the centre's offset in quarter pixels
    int half;   // from the sprite's corner to the pixel that holds the centre
    QImage image;
    // Per row: the columns that show at all, and within them the ones that cover fully.
    struct Row {
        int shownFrom, shownTo, solidFrom, solidTo; // half-open ranges
    };
    std::vector<Row> rows;
    // One bit a row from the sprite's top, in slices of 64 rows (`words` of them), a word a column
    // (slice k of column x at k * image.width() + x): the pixels that show at all, and those that
    // cover fully what lies below.
    int words;
    std::vector<std::uint64_t> shown, solid;
};

// A sprite and its corner on the image.
struct PlacedSprite {
    const Sprite* sprite;
    int left, top;
};

class SpriteCache {
public:
    // Larger circles are painted directly: a sprite would cost more than it saves.
    static constexpr double kLargest = 200;

    // The sprite that paints a circle of radius r at the given centre, and where it goes. Centres
    // are taken to the nearest quarter pixel, each quarter with a sprite of its own. The sprite
    // stays valid until the next call.
    PlacedSprite Place(QPointF centre, double r, QRgb pen, QRgb fill);

private:
    const Sprite& SpriteFor(double r, QRgb pen, QRgb fill, int fx, int fy);

    std::vector<Sprite> sprites_;
    // The sprites of the style met last, by quarter offset (fy * 4 + fx), or -1.
    double lastRadius_ = -1;
    QRgb lastPen_ = 0, lastFill_ = 0;
    std::array<int, 16> lastStyle_{};
};

// A premultiplied pixel over an opaque one, two channels at a time.
inline QRgb Over(QRgb source, QRgb target) {
    const uint keep = 255 - qAlpha(source);
    uint redBlue = (target & 0xff00ff) * keep;
    redBlue = ((redBlue + ((redBlue >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
    uint alphaGreen = ((target >> 8) & 0xff00ff) * keep;
    alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
    return (source + (redBlue | alphaGreen)) | 0xff000000;
}

// Far off the image nothing shows, and pixel positions must fit in an int.
inline bool Near(QPointF p) { return std::abs(p.x()) < 1e6 && std::abs(p.y()) < 1e6; }

} // namespace examora
