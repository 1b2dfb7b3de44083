#include "window/widgets/shape_painter.h"

#include "window/widgets/shape_painter_repeats.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace examora {

// Paints shapes, in pixels, into an image. A graph draws thousands of circles of one size and
// colour, so each circle is painted once into a small transparent sprite per quarter-pixel offset
// and copied; a vertical line is one column of pixels written straight into the image, skipping
// the rows that a line of its colour left in place and nothing has painted over since. Circles are
// smoothed; lines stay one crisp pixel wide in their own colour.
class PixelPainter {
public:
    explicit PixelPainter(QImage& image)
        : image_(image), bits_(image.bits()), bytesPerLine_(image.bytesPerLine()),
          columns_(static_cast<std::size_t>(image.width())), painter_(&image) {}

    void Circle(QPointF centre, double r, const QColor& pen, const QColor& fill) {
        if (!std::isfinite(r) || !Near(centre))
            return;
        if (r > kLargestSprite) {
            painter_.setRenderHint(QPainter::Antialiasing, true);
            painter_.setPen(QPen(pen, 1));
            painter_.setBrush(fill);
            painter_.drawEllipse(centre, r, r);
            Covered(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r));
            return;
        }
        const Placed placed = Place(centre, r, pen, fill);
        Blit(*placed.sprite, placed.left, placed.top);
        Covered(QRectF(placed.left, placed.top, 2 * placed.sprite->half, 2 * placed.sprite->half));
    }

    void PaintInOrder(const std::vector<PixelShape>& shapes) {
        const std::vector<char> left = LeftOut(shapes);
        for (std::size_t i = 0; i < shapes.size(); ++i) {
            const PixelShape& shape = shapes[i];
            if (left[i])
                continue;
            if (shape.circle)
                Circle(shape.a, shape.radius, shape.pen, shape.fill);
            else
                Line(shape.a, shape.b, shape.pen);
        }
    }

    void Line(QPointF from, QPointF to, const QColor& pen) {
        if (!Near(from) || !Near(to))
            return;
        if (from.x() != to.x()) {
            painter_.setRenderHint(QPainter::Antialiasing, false);
            painter_.setPen(QPen(pen, 1));
            painter_.drawLine(from, to);
            Covered(QRectF(from, to).normalized());
            return;
        }
        const Stem stem = StemOf(from, to);
        if (stem.empty)
            return;
        const int x = stem.x, y0 = stem.first, y1 = stem.last;
        const QRgb colour = pen.rgb();
        Column& column = columns_[static_cast<std::size_t>(x)];
        if (column.colour != colour)
            column = Column{colour, {}};
        // Only the rows between the runs already in this colour are written.
        int next = y0;
        for (const Run& run : column.runs) {
            if (run.last < next)
                continue;
            if (run.first > y1)
                break;
            Write(x, next, std::min(run.first - 1, y1), colour);
            next = std::max(next, run.last + 1);
        }
        Write(x, next, y1, colour);
        column.Add(Run{y0, y1});
    }

private:
    static constexpr double kLargestSprite = 200;
    struct Sprite;
    struct Placed {
        const Sprite* sprite;
        int left, top; // the sprite's corner on the image
    };

    // The sprite that paints a circle at the given centre, and where it goes. Centres are taken to
    // the nearest quarter pixel, each quarter with a sprite of its own.
    Placed Place(QPointF centre, double r, const QColor& pen, const QColor& fill) {
        const double qx = std::round(centre.x() * 4) / 4, qy = std::round(centre.y() * 4) / 4;
        const int ix = static_cast<int>(std::floor(qx)), iy = static_cast<int>(std::floor(qy));
        const Sprite& sprite =
            SpriteFor(r, pen, fill, static_cast<int>((qx - ix) * 4), static_cast<int>((qy - iy) * 4));
        return Placed{&sprite, ix - sprite.half, iy - sprite.half};
    }

    // Which pixels the shapes after the one in hand cover whatever lies below: one bit a pixel.
    class CoverMask {
    public:
        CoverMask(int width, int height)
            : width_(width), height_(height), words_((width + 63) / 64),
              bits_(static_cast<std::size_t>(words_) * static_cast<std::size_t>(height), 0) {}
        // Every pixel of the row from first up to last, both within the image, is covered.
        bool Covers(int y, int first, int last) const {
            for (int x = first; x <= last;) {
                const int to = std::min(last, x | 63);
                if ((Word(y, x) & Bits(x, to)) != Bits(x, to))
                    return false;
                x = to + 1;
            }
            return true;
        }
        void Cover(int y, int first, int last) {
            for (int x = first; x <= last;) {
                const int to = std::min(last, x | 63);
                Word(y, x) |= Bits(x, to);
                x = to + 1;
            }
        }
        int width() const { return width_; }
        int height() const { return height_; }

    private:
        static std::uint64_t Bits(int from, int to) {
            const int span = to - from + 1;
            return (span == 64 ? ~std::uint64_t{0} : ((std::uint64_t{1} << span) - 1)) << (from & 63);
        }
        std::uint64_t& Word(int y, int x) {
            return bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(words_) +
                         static_cast<std::size_t>(x >> 6)];
        }
        std::uint64_t Word(int y, int x) const { return const_cast<CoverMask*>(this)->Word(y, x); }
        int width_, height_, words_;
        std::vector<std::uint64_t> bits_;
    };

    // The pixels of a vertical line from one point to another that lie on the image.
    struct Stem {
        bool empty;
        int x, first, last;
    };
    Stem StemOf(QPointF from, QPointF to) const {
        const int x = static_cast<int>(std::floor(from.x()));
        const int first = std::max(0, static_cast<int>(std::floor(std::min(from.y(), to.y()))));
        const int last =
            std::min(image_.height() - 1, static_cast<int>(std::floor(std::max(from.y(), to.y()))));
        return Stem{x < 0 || x >= image_.width() || first > last, x, first, last};
    }

    // The shapes left out, since painting them changes nothing that shows once the list is painted:
    //  - a circle or a vertical line that a later one of the list paints again on the same pixels in
    //    the same colours. The later one paints over every pixel that this one covers fully, so only
    //    the smoothed rim, blended once instead of twice, differs; and the last of them is the one
    //    painted, so what lies on top stays on top;
    //  - a circle every pixel of which the solid part of a later circle paints over, whatever lies
    //    below.
    std::vector<char> LeftOut(const std::vector<PixelShape>& shapes) {
        std::vector<char> left(shapes.size(), 0);
        CoverMask mask(image_.width(), image_.height());
        LandedShapes later;
        for (std::size_t i = shapes.size(); i-- > 0;) {
            const PixelShape& shape = shapes[i];
            if (!shape.circle) {
                if (shape.a.x() != shape.b.x() || !Near(shape.a) || !Near(shape.b))
                    continue;
                const Stem stem = StemOf(shape.a, shape.b);
                left[i] = !stem.empty && !later.AddStem(shape.pen.rgb(), stem.x, stem.first, stem.last);
                continue;
            }
            if (!std::isfinite(shape.radius) || shape.radius > kLargestSprite || !Near(shape.a))
                continue;
            const Placed placed = Place(shape.a, shape.radius, shape.pen, shape.fill);
            const Sprite& sprite = *placed.sprite;
            // A repeat is left out before the longer test of whether later circles cover it.
            left[i] = !later.AddCircle(shape.radius, sprite.pen, sprite.fill,
                                       4 * (placed.left + sprite.half) + sprite.fx,
                                       4 * (placed.top + sprite.half) + sprite.fy) ||
                      CoveredBy(mask, placed);
            if (!left[i])
                AddSolid(mask, placed);
        }
        return left;
    }

    // Calls visit(row, first, last) for each row of the placed sprite within the mask, over the
    // columns [from, to) that span takes of the row; stops at the first visit that says false.
    template <typename Span, typename Visit>
    static bool EachRow(const CoverMask& mask, const Placed& placed, Span span, Visit visit) {
        const auto& rows = placed.sprite->rows;
        for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
            const auto [from, to] = span(rows[static_cast<std::size_t>(y)]);
            const int row = placed.top + y;
            const int first = std::max(0, placed.left + from);
            const int last = std::min(mask.width(), placed.left + to) - 1;
            if (row >= 0 && row < mask.height() && first <= last && !visit(row, first, last))
                return false;
        }
        return true;
    }

    static bool CoveredBy(const CoverMask& mask, const Placed& placed) {
        return EachRow(
            mask, placed, [](const auto& r) { return std::pair(r.shownFrom, r.shownTo); },
            [&mask](int row, int first, int last) { return mask.Covers(row, first, last); });
    }

    static void AddSolid(CoverMask& mask, const Placed& placed) {
        EachRow(
            mask, placed, [](const auto& r) { return std::pair(r.solidFrom, r.solidTo); },
            [&mask](int row, int first, int last) {
                mask.Cover(row, first, last);
                return true;
            });
    }

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
    };

    static Sprite::Row RowOf(const QImage& image, int y) {
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

    // Copies a sprite with its corner at (left, top): solid pixels as they are, the smoothed rim
    // blended over what is there.
    void Blit(const Sprite& sprite, int left, int top) {
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

    // A premultiplied pixel over an opaque one, two channels at a time.
    static QRgb Over(QRgb source, QRgb target) {
        const uint keep = 255 - qAlpha(source);
        uint redBlue = (target & 0xff00ff) * keep;
        redBlue = ((redBlue + ((redBlue >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
        uint alphaGreen = ((target >> 8) & 0xff00ff) * keep;
        alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
        return (source + (redBlue | alphaGreen)) | 0xff000000;
    }
    // Runs of rows, first to last, that a line left in the column's colour and nothing has painted
    // over since; sorted and apart.
    struct Run {
        int first, last;
    };
    struct Column {
        QRgb colour = 0;
        std::vector<Run> runs;

        void Add(Run added) {
            auto at = runs.begin();
            while (at != runs.end() && at->last + 1 < added.first)
                ++at;
            auto end = at;
            while (end != runs.end() && end->first <= added.last + 1) {
                added = Run{std::min(added.first, end->first), std::max(added.last, end->last)};
                ++end;
            }
            runs.insert(runs.erase(at, end), added);
        }
        void Remove(int first, int last) {
            for (std::size_t i = 0; i < runs.size();) {
                Run& run = runs[i];
                if (run.last < first || run.first > last) {
                    ++i;
                } else if (run.first < first && run.last > last) {
                    const Run below{last + 1, run.last};
                    run.last = first - 1;
                    runs.insert(runs.begin() + static_cast<std::ptrdiff_t>(i) + 1, below);
                    return;
                } else if (run.first < first) {
                    run.last = first - 1;
                    ++i;
                } else if (run.last > last) {
                    run.first = last + 1;
                    ++i;
                } else {
                    runs.erase(runs.begin() + static_cast<std::ptrdiff_t>(i));
                }
            }
        }
    };

    void Write(int x, int first, int last, QRgb colour) {
        uchar* pixel = bits_ + static_cast<qsizetype>(first) * bytesPerLine_ + static_cast<qsizetype>(x) * 4;
        for (int y = first; y <= last; ++y, pixel += bytesPerLine_)
            *reinterpret_cast<QRgb*>(pixel) = colour;
    }

    // Something other than a vertical line painted within the given pixels.
    void Covered(const QRectF& area) {
        const int left = std::max(0, static_cast<int>(std::floor(area.left())) - 1);
        const int right = std::min(image_.width() - 1, static_cast<int>(std::ceil(area.right())) + 1);
        const int top = static_cast<int>(std::floor(area.top())) - 1;
        const int bottom = static_cast<int>(std::ceil(area.bottom())) + 1;
        for (int x = left; x <= right; ++x)
            if (!columns_[static_cast<std::size_t>(x)].runs.empty())
                columns_[static_cast<std::size_t>(x)].Remove(top, bottom);
    }

    // Far off the image nothing shows, and pixel positions must fit in an int.
    static bool Near(QPointF p) { return std::fabs(p.x()) < 1e6 && std::fabs(p.y()) < 1e6; }

    const Sprite& SpriteFor(double r, const QColor& pen, const QColor& fill, int fx, int fy) {
        const QRgb penRgb = pen.rgb(), fillRgb = fill.rgb();
        for (const Sprite& sprite : sprites_)
            if (sprite.radius == r && sprite.pen == penRgb && sprite.fill == fillRgb && sprite.fx == fx &&
                sprite.fy == fy)
                return sprite;
        const int half = static_cast<int>(std::ceil(r)) + 2;
        QImage image(2 * half + 1, 2 * half + 1, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(pen, 1));
        painter.setBrush(fill);
        painter.drawEllipse(QPointF(half + fx / 4.0, half + fy / 4.0), r, r);
        painter.end();
        if (sprites_.size() > 64)
            sprites_.clear();
        std::vector<Sprite::Row> rows;
        for (int y = 0; y < image.height(); ++y)
            rows.push_back(RowOf(image, y));
        sprites_.push_back(Sprite{r, pen.rgb(), fill.rgb(), fx, fy, half, image, std::move(rows)});
        return sprites_.back();
    }

    QImage& image_;
    uchar* bits_;
    qsizetype bytesPerLine_;
    std::vector<Column> columns_;
    QPainter painter_;
    std::vector<Sprite> sprites_;
};

ShapePainter::ShapePainter(QImage& image) : painter_(std::make_unique<PixelPainter>(image)) {}
ShapePainter::~ShapePainter() = default;

void ShapePainter::Circle(QPointF centre, double r, const QColor& pen, const QColor& fill) {
    painter_->Circle(centre, r, pen, fill);
}

void ShapePainter::Line(QPointF from, QPointF to, const QColor& pen) { painter_->Line(from, to, pen); }

void ShapePainter::PaintInOrder(const std::vector<PixelShape>& shapes) { painter_->PaintInOrder(shapes); }

} // namespace examora
