// While a graph is on the surface the pointer writes the date and value under it into the window
// title, and the right button opens the Units pop-up at the pointer.
#include "app/form1.h"
#include "graphs/pointer_readout.h"

#include <QAction>
#include <QMenu>

namespace examora {

void Form1::Form_MouseMove(int, int, float x, float y) {
    if (!graphShown)
        return;
    SetCaption(PointerReadout(timeUnit, graphOrigin, x, y, MarksTime->isChecked()));
}

void Form1::Form_MouseDown(int button, int, float x, float y) {
    if (!graphShown || button != 2)
        return;
    SetTimeUnits->popup(surface->mapToGlobal(surface->ToPixels(QPointF(x, y)).toPoint()));
}

} // namespace examora
