// The shapes met so far while the painter looks through a list of shapes, by the pixels they land
// on: how it finds a circle or a stem that a later one of the list paints again to the same pixels.
#pragma once

#include <QColor>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace examora {

// Where a shape lands, in pixels, and in what colours. A circle: its radius, its centre in quarter
// pixels (x, y), pen and fill. A vertical line: radius -1, its column x, its rows first to last, pen.
struct LandedShape {
    double radius = -1;
    QRgb pen = 0, fill = 0;
    int x = 0, y = 0, first = 0, last = 0;

    bool operator==(const LandedShape&) const = default;
};

// A set of landed shapes: open addressing over indices into the shapes kept, grown at half full.
class LandedShapes {
public:
    // Adds the shape; false when the set held it already.
    bool Add(const LandedShape& shape) {
        if (2 * (kept_.size() + 1) > slots_.size())
            Grow();
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t at = Hash(shape) & mask;; at = (at + 1) & mask) {
            const std::uint32_t slot = slots_[at];
            if (slot == 0) {
                kept_.push_back(shape);
                slots_[at] = static_cast<std::uint32_t>(kept_.size());
                return true;
            }
            if (kept_[slot - 1] == shape)
                return false;
        }
    }

private:
    static std::size_t Hash(const LandedShape& shape) {
        std::uint64_t radius = 0;
        std::memcpy(&radius, &shape.radius, sizeof radius);
        std::uint64_t h = radius ^ (std::uint64_t{shape.pen} << 32 | shape.fill);
        for (const int field : {shape.x, shape.y, shape.first, shape.last})
            h = (h ^ static_cast<std::uint32_t>(field)) * 0x9e3779b97f4a7c15ULL;
        return static_cast<std::size_t>(h ^ (h >> 29));
    }

    void Grow() {
        slots_.assign(std::max<std::size_t>(64, 2 * slots_.size()), 0);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = 0; i < kept_.size(); ++i) {
            std::size_t at = Hash(kept_[i]) & mask;
            while (slots_[at] != 0)
                at = (at + 1) & mask;
            slots_[at] = static_cast<std::uint32_t>(i + 1);
        }
    }

    std::vector<std::uint32_t> slots_; // 0: empty, else one past the index into kept_
    std::vector<LandedShape> kept_;
};

} // namespace examora
