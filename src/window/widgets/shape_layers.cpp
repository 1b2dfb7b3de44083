#include "window/widgets/shape_layers.h"

#include <bit>

namespace examora {

void TransposeBits(std::uint64_t words[64]) {
    std::uint64_t mask = 0x00000000ffffffffULL;
    for (int j = 32; j != 0; j >>= 1, mask ^= mask << j)
        for (int k = 0; k < 64; k = ((k | j) + 1) & ~j) {
            const std::uint64_t swapped = ((words[k] >> j) ^ words[k | j]) & mask;
            words[k] ^= swapped << j;
            words[k | j] ^= swapped;
        }
}

void WriteColumns(QRgb* line, std::uint64_t columns, QRgb colour) {
    if (columns == kAllColumns) {
        std::fill_n(line, 64, colour);
        return;
    }
    for (; columns != 0; columns &= columns - 1)
        line[std::countr_zero(columns)] = colour;
}

namespace {


// Paints from the top down. Which pixels are taken is kept one bit a pixel, in bands of 64 rows, a
// word a column: the columns a circle spans are side by side, and a band above the image and one
// below it read as taken. A column also knows from which row down it is taken to the bottom, as it
// is once a stem has reached it. The pixels of stems in the colour of the first stem met are
// written at the end, row by row, rather than down their columns.
class FromTheTop {
public:
    FromTheTop(QImage& image, ShapeMemory::Parts& memory)
        : width_(image.width()), height_(image.height()), bands_((height_ + 63) / 64),
          band_(static_cast<std::size_t>(width_)), bits_(image.bits()), bytesPerLine_(image.bytesPerLine()),
          memory_(memory) {
        std::vector<std::uint64_t>& taken = memory.taken;
        taken.assign(band_ * static_cast<std::size_t>(bands_ + 2), 0);
        std::fill_n(taken.begin(), band_, kAllColumns);
        std::fill(taken.end() - static_cast<std::ptrdiff_t>(band_), taken.end(), kAllColumns);
        if (height_ % 64 != 0)
            std::fill_n(taken.end() - 2 * static_cast<std::ptrdiff_t>(band_), band_, kAllColumns << (height_ % 64));
        memory.stems.assign(taken.size(), 0);
        memory.takenFrom.assign(band_, height_);
        memory.rims.clear();
        memory.landed.Clear();
    }

    void Paint(const ShapeRecord& shape, const PixelStyle& style) {
        const QPointF a = style.toPixels.map(shape.a);
        if (shape.kind == ShapeKind::Line)
            return Line(a, style.toPixels.map(shape.b), style.pen);
        if (shape.kind == ShapeKind::Stem)
            Line(style.toPixels.map(QPointF(shape.a.x(), shape.b.y())), a, style.pen);
        if (std::isfinite(style.radius) && Near(a))
            Circle(memory_.sprites.Place(a, style.radius, style.pen, style.fill), style.radius);
    }

    // The stems left to write and the background, row by row, and then the smoothed rims, in the
    // order painted, each over what ended up below it.
    void Finish(std::optional<QRgb> background) {
        std::uint64_t stems[64], free[64];
        for (int band = 0; (deferring_ || background) && band < bands_; ++band)
            for (int group = 0; group < width_; group += 64) {
                const std::size_t at = Band(band) + static_cast<std::size_t>(group);
                const int columns = std::min(64, width_ - group), rows = std::min(64, height_ - band * 64);
                for (int c = 0; c < 64; ++c) {
                    stems[c] = c < columns ? memory_.stems[at + c] : 0;
                    free[c] = c < columns && background ? ~memory_.taken[at + c] : 0;
                }
                TransposeBits(stems);
                if (background)
                    TransposeBits(free);
                for (int r = 0; r < rows; ++r) {
                    QRgb* const line = &Pixel(group, band * 64 + r);
                    WriteColumns(line, stems[r], deferred_);
                    WriteColumns(line, free[r], background.value_or(0));
                }
            }
        QRgb* const pixels = reinterpret_cast<QRgb*>(bits_);
        for (auto rim = memory_.rims.rbegin(); rim != memory_.rims.rend(); ++rim)
            pixels[rim->at] = Over(rim->colour, pixels[rim->at]);
    }

private:
    // Where band b (-1 above the image, bands_ below it) starts.
    std::size_t Band(int b) const { return static_cast<std::size_t>(b + 1) * band_; }
    QRgb& Pixel(int x, int y) {
        return reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(y) * bytesPerLine_)[x];
    }
    std::uint32_t IndexOf(int x, int y) const {
        return static_cast<std::uint32_t>(static_cast<qsizetype>(y) * bytesPerLine_ / 4 + x);
    }

    void Line(QPointF from, QPointF to, QRgb pen) {
        if (!Near(from) || !Near(to))
            return;
        const Stem stem = StemOf(from, to, QSize(width_, height_));
        if (stem.empty)
            return;
        int& takenFrom = memory_.takenFrom[static_cast<std::size_t>(stem.x)];
        if (stem.first >= takenFrom)
            return;
        const QRgb colour = pen | 0xff000000;
        if (!deferring_)
            deferring_ = true, deferred_ = colour;
        for (int band = stem.first / 64; band <= stem.last / 64; ++band) {
            const int from = std::max(stem.first, band * 64) % 64,
                      to = std::min(stem.last, band * 64 + 63) % 64;
            const std::uint64_t rows = (kAllColumns >> (63 - to + from)) << from;
            std::uint64_t& taken = memory_.taken[Band(band) + static_cast<std::size_t>(stem.x)];
            const std::uint64_t free = rows & ~taken;
            taken |= rows;
            if (colour == deferred_)
                memory_.stems[Band(band) + static_cast<std::size_t>(stem.x)] |= free;
            else
                for (std::uint64_t left = free; left != 0; left &= left - 1)
                    Pixel(stem.x, band * 64 + std::countr_zero(left)) = colour;
        }
        if (stem.last + 1 >= takenFrom)
            takenFrom = stem.first;
    }

    // A circle: nothing when every pixel of it that shows is taken, or when a later circle of the
    // list landed on the same pixels; otherwise its solid pixels that are not taken yet, and its
    // rim's to blend at the end. The sprite is looked at in slices of 64 rows, each spanning two
    // bands; a slice beyond the bands around the image is off it.
    void Circle(const PlacedSprite& placed, double radius) {
        const Sprite& sprite = *placed.sprite;
        const int size = sprite.image.width(), top = placed.top, left = placed.left;
        const int first = std::max(0, -left), last = std::min(size, width_ - left);
        const int topBand = static_cast<int>(std::floor(top / 64.0)), shift = top - 64 * topBand;
        const int firstSlice = std::max(0, -1 - topBand),
                  lastSlice = std::min(sprite.words, bands_ - topBand);
        std::uint64_t* const taken = memory_.taken.data();
        const auto takenAt = [&](std::size_t upper, int c) {
            return taken[upper + c] >> shift | (taken[upper + band_ + c] << 1) << (63 - shift);
        };
        std::uint64_t showing = 0;
        for (int slice = firstSlice; slice < lastSlice; ++slice) {
            const std::uint64_t* const shown = sprite.shown.data() + static_cast<std::size_t>(slice * size);
            const std::size_t upper = Band(topBand + slice) + static_cast<std::size_t>(left);
            for (int c = first; c < last; ++c)
                showing |= shown[c] & ~takenAt(upper, c);
        }
        if (showing == 0 ||
            !memory_.landed.AddCircle(radius, sprite.pen, sprite.fill, 4 * (left + sprite.half) + sprite.fx,
                                      4 * (top + sprite.half) + sprite.fy))
            return;
        const uchar* const source = sprite.image.constBits();
        const qsizetype sourceLine = sprite.image.bytesPerLine();
        for (int slice = firstSlice; slice < lastSlice; ++slice) {
            const std::size_t at = static_cast<std::size_t>(slice * size);
            const std::size_t upper = Band(topBand + slice) + static_cast<std::size_t>(left);
            for (int c = first; c < last; ++c) {
                const std::uint64_t free = sprite.shown[at + c] & ~takenAt(upper, c);
                const std::uint64_t solid = free & sprite.solid[at + c];
                taken[upper + c] |= solid << shift;
                taken[upper + band_ + c] |= (solid >> 1) >> (63 - shift);
                for (std::uint64_t bits = free; bits != 0; bits &= bits - 1) {
                    const int row = slice * 64 + std::countr_zero(bits);
                    const QRgb colour = reinterpret_cast<const QRgb*>(source + row * sourceLine)[c];
                    if (solid >> (row % 64) & 1)
                        Pixel(left + c, top + row) = colour;
                    else
                        memory_.rims.push_back(RimPixel{IndexOf(left + c, top + row), colour});
                }
            }
        }
    }

    const int width_, height_, bands_;
    const std::size_t band_;
    uchar* const bits_;
    const qsizetype bytesPerLine_;
    ShapeMemory::Parts& memory_;
    bool deferring_ = false;
    QRgb deferred_ = 0;
};

// A shape that only painting in order can put on the image.
bool OnlyInOrder(const ShapeRecord& shape, const PixelStyle& style) {
    if (shape.kind != ShapeKind::Line)
        return std::isfinite(style.radius) && !SpriteSized(style.radius);
    const QPointF from = style.toPixels.map(shape.a), to = style.toPixels.map(shape.b);
    return Near(from) && Near(to) && from.x() != to.x();
}

} // namespace

bool PaintFromTheTop(QImage& image, const ShapeRecord* first, const ShapeRecord* last,
                     const std::vector<PixelStyle>& styles, ShapeMemory::Parts& memory,
                     std::optional<QRgb> background) {
    for (const ShapeRecord* shape = first; shape != last; ++shape)
        if (OnlyInOrder(*shape, styles[shape->style]))
            return false;
    if (image.isNull())
        return true;
    FromTheTop painter(image, memory);
    for (const ShapeRecord* shape = last; shape-- != first;)
        painter.Paint(*shape, styles[shape->style]);
    painter.Finish(background);
    return true;
}

} // namespace examora
