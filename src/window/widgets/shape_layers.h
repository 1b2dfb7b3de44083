// What the shape painter's two ways of painting a list share: how a style and a vertical line land
// on the image, and the memory kept from one list to the next.
#pragma once

#include "window/widgets/shape_painter.h"
#include "window/widgets/shape_painter_repeats.h"
#include "window/widgets/shape_sprites.h"

#include <algorithm>
#include <cmath>

namespace examora {

// Bands of 64 rows of pixels, each column's row a bit: all 64 set.
inline constexpr std::uint64_t kAllColumns = ~std::uint64_t{0};
// Turns 64 words of 64 bits about their diagonal: bit j of word k goes to bit k of word j.
void TransposeBits(std::uint64_t words[64]);
// The colour into the pixels of a line of 64 that the bits say.
void WriteColumns(QRgb* line, std::uint64_t columns, QRgb colour);

// A style as the painters use it: colours without their alpha for lines, with it for circles.
struct PixelStyle {
    QTransform toPixels;
    double radius;
    QRgb pen, fill;
};

// A smoothed pixel of a circle's rim that waits to be blended over what ends up below it: the
// pixel's index from the image's first, and the sprite's premultiplied colour.
struct RimPixel {
    std::uint32_t at;
    QRgb colour;
};

struct ShapeMemory::Parts {
    SpriteCache sprites;
    LandedShapes landed;
    std::vector<std::uint64_t> taken, stems;
    std::vector<int> takenFrom;
    std::vector<RimPixel> rims;
};

// The pixels of a vertical line from one point to another that lie on an image of the given size.
struct Stem {
    bool empty;
    int x, first, last;
};
inline Stem StemOf(QPointF from, QPointF to, QSize image) {
    const int x = static_cast<int>(std::floor(from.x()));
    const int first = std::max(0, static_cast<int>(std::floor(std::min(from.y(), to.y()))));
    const int last = std::min(image.height() - 1, static_cast<int>(std::floor(std::max(from.y(), to.y()))));
    return Stem{x < 0 || x >= image.width() || first > last, x, first, last};
}

// Circles of this radius are copied from sprites.
inline bool SpriteSized(double radius) { return radius >= 0 && radius <= SpriteCache::kLargest; }

// Paints the shapes from the last to the first, each pixel once: a pixel that a later shape covers
// fully is never painted by an earlier one, and the smoothed rims are blended at the end, in order,
// over what lies below them then. The same pixels as painting them in order (a circle repeated on
// the same pixels painted once) over the image, or over the background when there is one. False,
// painting nothing, when one of the shapes can only be painted in order: a line that is not
// vertical, or a circle too large for a sprite.
bool PaintFromTheTop(QImage& image, const ShapeRecord* first, const ShapeRecord* last,
                     const std::vector<PixelStyle>& styles, ShapeMemory::Parts& memory,
                     std::optional<QRgb> background);

} // namespace examora
