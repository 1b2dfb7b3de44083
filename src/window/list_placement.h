// Where start-up puts the exam list and its shadow, from the maximised window's outer size.
#pragma once

#include <QRectF>

namespace examora {

struct ListPlacement {
    QRectF list;   // twips
    QRectF shadow; // twips
};

// The list takes 95% of the width and 90% of the height, 1% from the left and 2% from the top; its
// shadow lies 1.5% of the height below and to the right of it.
ListPlacement PlaceExamList(float outerWidth, float outerHeight);

} // namespace examora
