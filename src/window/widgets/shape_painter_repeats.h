// The circles met so far while the painter looks through a list of shapes, by the pixels they land
// on: how it finds a circle that a later one of the list paints again to the same pixels.
#pragma once

#include <QColor>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace examora {

// A set of circles by where they land, each packed in 64 bits: its radius and colours and its centre
// in quarter pixels. A circle that does not pack (a far centre, too many styles) is never taken as
// met.
class LandedShapes {
public:
    // Forgets every shape, keeping the memory for the next.
    void Clear() {
        std::fill(slots_.begin(), slots_.end(), 0);
        count_ = 0;
        styles_.clear();
    }
    // Adds a circle; false when the set held it already.
    bool AddCircle(double radius, QRgb pen, QRgb fill, int quarterX, int quarterY) {
        const std::uint64_t style = StyleOf(radius, pen, fill);
        if (style == kNone || !Fits(quarterX + kHalf, 24) || !Fits(quarterY + kHalf, 24))
            return true;
        return Add(std::uint64_t{1} << 63 | style << 48 | std::uint64_t(quarterX + kHalf) << 24 |
                   std::uint64_t(quarterY + kHalf));
    }

private:
    static constexpr std::uint64_t kNone = 256;
    static constexpr int kHalf = 1 << 23;
    static bool Fits(int value, int bits) { return value >= 0 && value < (1 << bits); }

    struct Style {
        double radius;
        QRgb pen, fill;
    };
    std::uint64_t StyleOf(double radius, QRgb pen, QRgb fill) {
        for (std::size_t i = 0; i < styles_.size(); ++i)
            if (styles_[i].radius == radius && styles_[i].pen == pen && styles_[i].fill == fill)
                return i;
        if (styles_.size() == kNone)
            return kNone;
        styles_.push_back(Style{radius, pen, fill});
        return styles_.size() - 1;
    }

    bool Add(std::uint64_t key) {
        if (2 * (count_ + 1) > slots_.size())
            Grow();
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t at = Slot(key);; at = (at + 1) & mask) {
            if (slots_[at] == key)
                return false;
            if (slots_[at] == 0) {
                slots_[at] = key;
                ++count_;
                return true;
            }
        }
    }
    // The top bits of a multiplicative hash, which depend on every bit of the key.
    std::size_t Slot(std::uint64_t key) const {
        return static_cast<std::size_t>((key * 0x9e3779b97f4a7c15ULL) >> shift_);
    }
    void Grow() {
        std::vector<std::uint64_t> old(std::max<std::size_t>(1024, 2 * slots_.size()), 0);
        old.swap(slots_);
        shift_ = 64;
        for (std::size_t size = slots_.size(); size > 1; size /= 2)
            --shift_;
        const std::size_t mask = slots_.size() - 1;
        for (const std::uint64_t key : old)
            if (key != 0) {
                std::size_t at = Slot(key);
                while (slots_[at] != 0)
                    at = (at + 1) & mask;
                slots_[at] = key;
            }
    }

    std::vector<Style> styles_;        // at most 256
    std::vector<std::uint64_t> slots_; // 0: empty
    std::size_t count_ = 0;
    int shift_ = 64; // 64 less the number of bits of a slot's index
};

} // namespace examora
