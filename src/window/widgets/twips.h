// Positions and sizes of the window's controls are given in twips, 15 to a pixel. Where the
// design's size does not fit the screen, the whole layout shrinks by one factor, its type with it.
#pragma once

#include <QRect>
#include <QSize>
#include <algorithm>
#include <cmath>

namespace examora {

inline constexpr int kTwipsPerPixel = 15;

namespace layout_detail {
inline double scale = 1.0;
}
// The factor by which the layout is drawn smaller than designed: 1 where it fits.
inline double LayoutScale() { return layout_detail::scale; }
inline void SetLayoutScale(double scale) { layout_detail::scale = scale; }

inline int ToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel * LayoutScale()));
}
inline double ToTwips(int pixels) { return static_cast<double>(pixels) * kTwipsPerPixel / LayoutScale(); }
// A type size of the design as it is drawn.
inline double ScaledPoints(double points) { return points * LayoutScale(); }

// Left, top, width and height in twips.
inline QRect TwipsRect(double left, double top, double width, double height) {
    return QRect(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}

// The factor that fits a window of the given client size in twips, plus the pixels around it that
// do not scale (menu bar, frame), into the screen's available area; never above 1.
inline double FittingScale(QSizeF designTwips, QSize fixedPixels, QSize available) {
    const double across = (available.width() - fixedPixels.width()) * kTwipsPerPixel / designTwips.width();
    const double down = (available.height() - fixedPixels.height()) * kTwipsPerPixel / designTwips.height();
    return std::max(0.25, std::min({1.0, across, down}));
}

} // namespace examora
