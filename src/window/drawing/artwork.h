// The window icon and the info view's picture, drawn by the program itself.
#pragma once

#include <QIcon>
#include <QImage>

namespace examora {

// 292 by 275 pixels.
QImage InfoPicture();
// A mortarboard over a bar of marks, at 16, 32 and 48 pixels.
QImage IconImage(int size);
QIcon WindowIcon();

} // namespace examora
