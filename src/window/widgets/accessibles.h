// What a screen reader is told of the window beyond what Qt tells by itself: the drawing surface is a
// chart whose description tells the graph on it, the shadows drawn behind controls are left out, and
// each line of the exam list is a list item that can be checked, showing only while the list shows.
#pragma once

namespace examora {

// Makes the window's own widgets known to the accessibility layer; called before the first is
// asked for. Calling it again does nothing.
void InstallAccessibles();

} // namespace examora
