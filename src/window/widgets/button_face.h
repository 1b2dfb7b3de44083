// A command button's face colour, shown whatever the style.
#pragma once

#include <QColor>

class QPushButton;

namespace examora {

void SetButtonFace(QPushButton* button, const QColor& color);
QColor ButtonFace(const QPushButton* button);

} // namespace examora
