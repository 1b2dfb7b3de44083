#include "window/widgets/button_face.h"

#include <QPushButton>

namespace examora {

void SetButtonFace(QPushButton* button, const QColor& color) {
    button->setProperty("backColor", color);
    button->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; color: black; border: 2px outset "
                       "#808080; } QPushButton:focus { border: 4px dashed black; }")
            .arg(color.name()));
}

QColor ButtonFace(const QPushButton* button) { return button->property("backColor").value<QColor>(); }

} // namespace examora
