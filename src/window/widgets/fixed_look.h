// The views paint their own dark backgrounds, so the controls on them cannot take the desktop's
// colours: a dark theme drew the list's check boxes dark grey on near black. These controls get one
// look of their own, the same under a light, a dark or a high-contrast theme: dark text on white,
// a clear focus frame and a strong selection.
#pragma once

class QPalette;
class QStyle;
class QWidget;

namespace examora {

// Light fields with black text, a navy selection with white text.
QPalette FixedPalette();
// Qt's own Fusion style, which draws check boxes, frames and focus from the palette alone; one for
// the program, made on first use.
QStyle* FixedStyle();
// Gives the control and its children the fixed palette and style.
void GiveFixedLook(QWidget* control);

} // namespace examora
