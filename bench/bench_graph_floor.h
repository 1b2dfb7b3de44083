// The honest floor of painting a graph: the same image as the program's, painted with the least work
// that gives it. The exams are visited from the last to the first, over a bitmap of the pixels that
// a later exam's stem or circle already covers fully: an exam whose pixels are all taken (or whose
// circle a later one repeats on the same pixels) is skipped, and every other pixel is written once,
// the circle's solid pixels straight away, the stems' and the background once all exams are
// visited, row by row.
// The circles' smoothed rims are then blended, in list order, over what lies below them.
// Where each exam lands and the sixteen circle sprites (one per quarter-pixel offset) are worked out
// beforehand; no records are read, no window, no screen.
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

namespace examora::bench {

struct HonestFloor {
    struct Exam {
        int stemX, stemFirst, stemLast; // no stem when stemFirst > stemLast
        int sprite, left, top;          // the circle's sprite and its corner; sprite -1: no circle
        std::uint32_t key;              // the centre in quarter pixels (on the image), never 0
    };
    struct Sprite {
        int size = 0, words = 0;                 // its side, and the words of a column's bits
        std::vector<std::uint64_t> shown, solid; // per column, a bit a row
        std::vector<QRgb> pixels;                // premultiplied, row by row
    };
    QSize size;
    QRgb back = 0, pen = 0;
    std::vector<Exam> exams;
    std::array<Sprite, 16> sprites;
    // Working memory, kept from one painting to the next.
    std::vector<std::uint64_t> taken; // band by band of 64 rows, a word a column; a last band all taken
    std::vector<std::uint64_t> stems; // the same for the pixels that stems take
    std::vector<int> takenFrom;       // per column, the row from which it is taken to the bottom
    std::vector<std::uint32_t> met;   // the keys of the circles met, 0 for none
    struct Rim {
        std::uint32_t at;
        QRgb colour;
    };
    std::vector<Rim> rims;
};

HonestFloor MakeHonestFloor(const QStringList& lines, const QString& timeUnit, QSize surface,
                            const QColor& back, const QColor& fill);
void PaintHonestFloor(HonestFloor& floor, QImage& image);

} // namespace examora::bench
