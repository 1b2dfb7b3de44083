// Positions and sizes of the window's controls are given in twips, 15 to a pixel.
#pragma once

#include <QRect>
#include <cmath>

namespace examora {

inline constexpr int kTwipsPerPixel = 15;

inline int ToPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }
inline double ToTwips(int pixels) { return static_cast<double>(pixels) * kTwipsPerPixel; }

// Left, top, width and height in twips.
inline QRect TwipsRect(double left, double top, double width, double height) {
    return QRect(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}

} // namespace examora
