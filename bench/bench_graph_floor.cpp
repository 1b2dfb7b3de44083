#include "bench_graph_floor.h"

#include "graphs/graph_frame.h"
#include "records/exam_list_model.h"
#include "window/widgets/shape_layers.h"
#include "window/widgets/surface.h"

#include <QPainter>
#include <bit>
#include <cmath>

namespace examora::bench {
namespace {


HonestFloor::Sprite SpriteOf(double radius, int fx, int fy, const QColor& fill) {
    const int half = static_cast<int>(std::ceil(radius)) + 2;
    HonestFloor::Sprite sprite;
    sprite.size = 2 * half + 1;
    sprite.words = (sprite.size + 63) / 64;
    QImage image(sprite.size, sprite.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(fill);
    painter.drawEllipse(QPointF(half + fx / 4.0, half + fy / 4.0), radius, radius);
    painter.end();
    sprite.shown.assign(static_cast<std::size_t>(sprite.size * sprite.words), 0);
    sprite.solid = sprite.shown;
    for (int y = 0; y < sprite.size; ++y)
        for (int x = 0; x < sprite.size; ++x) {
            const QRgb pixel = reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
            sprite.pixels.push_back(pixel);
            const std::size_t word = static_cast<std::size_t>(x * sprite.words + y / 64);
            sprite.shown[word] |= std::uint64_t{qAlpha(pixel) != 0} << (y % 64);
            sprite.solid[word] |= std::uint64_t{qAlpha(pixel) == 255} << (y % 64);
        }
    return sprite;
}

bool Near(QPointF p) { return std::abs(p.x()) < 1e6 && std::abs(p.y()) < 1e6; }

// False when a later circle with the same key was met; otherwise notes this one.
bool FirstMet(std::vector<std::uint32_t>& met, std::uint32_t key) {
    const std::size_t mask = met.size() - 1;
    for (std::size_t at = ((key * 0x9e3779b97f4a7c15ULL) >> 32) & mask;; at = (at + 1) & mask) {
        if (met[at] == 0) {
            met[at] = key;
            return true;
        }
        if (met[at] == key)
            return false;
    }
}

} // namespace

HonestFloor MakeHonestFloor(const QStringList& lines, const QString& timeUnit, QSize surface,
                            const QColor& back, const QColor& fill) {
    ExamListModel store;
    store.ReplaceAll(lines);
    const GraphFrame frame = *ComputeGraphFrame(store.Readings(), timeUnit, PlottedValue::Mark);
    const QTransform toPixels =
        UserToPixels(UserScale{frame.scaleTop, frame.scaleHeight, frame.scaleWidth}, QSizeF(surface));
    const double radius = std::fabs(static_cast<float>(frame.scaleWidth / 99) * toPixels.m11());
    HonestFloor floor;
    floor.size = surface;
    floor.back = back.rgb();
    floor.pen = qRgb(255, 255, 255);
    for (int offset = 0; offset < 16; ++offset)
        floor.sprites[static_cast<std::size_t>(offset)] = SpriteOf(radius, offset % 4, offset / 4, fill);
    const int half = floor.sprites[0].size / 2;
    for (const GraphPoint& point : frame.points) {
        HonestFloor::Exam exam{0, 1, 0, -1, 0, 0, 0};
        const QPointF top = toPixels.map(QPointF(point.x, point.value)),
                      foot = toPixels.map(QPointF(point.x, 0));
        if (Near(top) && Near(foot)) {
            exam.stemX = static_cast<int>(std::floor(foot.x()));
            exam.stemFirst = std::max(0, static_cast<int>(std::floor(std::min(foot.y(), top.y()))));
            exam.stemLast =
                std::min(surface.height() - 1, static_cast<int>(std::floor(std::max(foot.y(), top.y()))));
            if (exam.stemX < 0 || exam.stemX >= surface.width())
                exam.stemFirst = exam.stemLast + 1;
        }
        if (Near(top)) {
            const double qx = std::round(top.x() * 4) / 4, qy = std::round(top.y() * 4) / 4;
            const int ix = static_cast<int>(std::floor(qx)), iy = static_cast<int>(std::floor(qy));
            const int fx = static_cast<int>((qx - ix) * 4), fy = static_cast<int>((qy - iy) * 4);
            exam.sprite = fy * 4 + fx;
            exam.left = ix - half;
            exam.top = iy - half;
            // Within 256 quarter pixels of the image, as every circle that shows is.
            exam.key = std::uint32_t(4 * ix + fx + 256) << 16 | std::uint32_t(4 * iy + fy + 256);
        }
        floor.exams.push_back(exam);
    }
    std::size_t tableSize = 1024;
    while (tableSize <= floor.exams.size())
        tableSize *= 2;
    floor.met.assign(tableSize, 0);
    return floor;
}

void PaintHonestFloor(HonestFloor& floor, QImage& image) {
    const int width = floor.size.width(), height = floor.size.height(), bands = (height + 63) / 64;
    uchar* const bits = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();
    const auto pixel = [&](int x, int y) -> QRgb& {
        return reinterpret_cast<QRgb*>(bits + static_cast<qsizetype>(y) * bytesPerLine)[x];
    };
    // Band b holds the rows from 64 (b - 1): a band above the image and one below it read as taken.
    const std::size_t bandSize = static_cast<std::size_t>(width);
    floor.taken.assign(bandSize * static_cast<std::size_t>(bands + 2), 0);
    std::fill_n(floor.taken.begin(), bandSize, kAllColumns);
    std::fill(floor.taken.end() - static_cast<std::ptrdiff_t>(bandSize), floor.taken.end(), kAllColumns);
    if (height % 64 != 0)
        std::fill_n(floor.taken.end() - 2 * static_cast<std::ptrdiff_t>(bandSize), bandSize,
                    kAllColumns << (height % 64));
    floor.stems.assign(floor.taken.size(), 0);
    floor.takenFrom.assign(bandSize, height);
    std::fill(floor.met.begin(), floor.met.end(), 0);
    floor.rims.clear();
    std::uint64_t* const taken = floor.taken.data();
    for (auto exam = floor.exams.rbegin(); exam != floor.exams.rend(); ++exam) {
        const int x = exam->stemX;
        if (exam->stemFirst <= exam->stemLast &&
            exam->stemFirst < floor.takenFrom[static_cast<std::size_t>(x)]) {
            for (int band = exam->stemFirst / 64; band <= exam->stemLast / 64; ++band) {
                const int from = std::max(exam->stemFirst, band * 64) % 64;
                const int to = std::min(exam->stemLast, band * 64 + 63) % 64;
                const std::uint64_t rows = (kAllColumns >> (63 - to + from)) << from;
                const std::size_t at =
                    static_cast<std::size_t>(band + 1) * bandSize + static_cast<std::size_t>(x);
                floor.stems[at] |= rows & ~taken[at];
                taken[at] |= rows;
            }
            if (exam->stemLast + 1 >= floor.takenFrom[static_cast<std::size_t>(x)])
                floor.takenFrom[static_cast<std::size_t>(x)] = exam->stemFirst;
        }
        if (exam->sprite < 0)
            continue;
        const HonestFloor::Sprite& sprite = floor.sprites[static_cast<std::size_t>(exam->sprite)];
        const int first = std::max(0, -exam->left), last = std::min(sprite.size, width - exam->left);
        // A circle of at most 64 rows (a surface up to 2,900 pixels wide) spans two bands at most.
        if (first >= last || sprite.words != 1 || exam->top < -64 || exam->top >= 64 * bands ||
            !FirstMet(floor.met, exam->key))
            continue;
        const int shift = (exam->top + 64) % 64;
        std::uint64_t* const upper =
            taken + static_cast<std::size_t>((exam->top + 64) / 64) * bandSize + exam->left;
        std::uint64_t* const lower = upper + bandSize;
        const std::uint64_t* const shown = sprite.shown.data();
        std::uint64_t showing = 0;
        for (int c = first; c < last; ++c)
            showing |= shown[c] & ~(upper[c] >> shift | (lower[c] << 1) << (63 - shift));
        if (showing == 0)
            continue;
        for (int c = first; c < last; ++c) {
            const std::uint64_t free = shown[c] & ~(upper[c] >> shift | (lower[c] << 1) << (63 - shift));
            const std::uint64_t solid = free & sprite.solid[static_cast<std::size_t>(c)];
            upper[c] |= solid << shift;
            lower[c] |= (solid >> 1) >> (63 - shift);
            for (std::uint64_t left = free; left != 0; left &= left - 1) {
                const int y = std::countr_zero(left);
                const QRgb colour = sprite.pixels[static_cast<std::size_t>(y * sprite.size + c)];
                if (solid >> y & 1)
                    pixel(exam->left + c, exam->top + y) = colour;
                else
                    floor.rims.push_back(HonestFloor::Rim{
                        static_cast<std::uint32_t>(static_cast<qsizetype>(exam->top + y) * bytesPerLine / 4 +
                                                   exam->left + c),
                        colour});
            }
        }
    }
    // The stems and the background, row by row: 64 rows by 64 columns at a time, turned about the
    // diagonal so that a word holds a row.
    std::uint64_t stems[64], free[64];
    for (int band = 0; band < bands; ++band)
        for (int group = 0; group < width; group += 64) {
            const std::size_t at =
                static_cast<std::size_t>(band + 1) * bandSize + static_cast<std::size_t>(group);
            const int columns = std::min(64, width - group);
            for (int c = 0; c < 64; ++c) {
                stems[c] = c < columns ? floor.stems[at + static_cast<std::size_t>(c)] : 0;
                free[c] = c < columns ? ~taken[at + static_cast<std::size_t>(c)] : 0;
            }
            TransposeBits(stems);
            TransposeBits(free);
            for (int r = 0; r < std::min(64, height - band * 64); ++r) {
                QRgb* const line = &pixel(group, band * 64 + r);
                WriteColumns(line, stems[r], floor.pen);
                WriteColumns(line, free[r], floor.back);
            }
        }
    QRgb* const pixels = reinterpret_cast<QRgb*>(bits);
    for (auto rim = floor.rims.rbegin(); rim != floor.rims.rend(); ++rim) {
        const uint keep = 255 - qAlpha(rim->colour);
        const QRgb target = pixels[rim->at];
        uint redBlue = (target & 0xff00ff) * keep;
        redBlue = ((redBlue + ((redBlue >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
        uint alphaGreen = ((target >> 8) & 0xff00ff) * keep;
        alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
        pixels[rim->at] = (rim->colour + (redBlue | alphaGreen)) | 0xff000000;
    }
}

} // namespace examora::bench
