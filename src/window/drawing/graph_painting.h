// The drawing of a graph, the same on the window and in the printed report.
#pragma once

namespace examora {

class Surface;
struct GraphFrame;

// Draws the graph of a frame on the surface, in the surface's fill colour. Each exam is a white
// stem from 0 up to its plotted value, topped by a filled circle; the circle goes first and the
// stem over it, in list order, so that the later of two exams on one x is on top. An exam that a
// later one repeats at the same x and value is left out: the later one paints the same pixels.
void PaintGraph(Surface& surface, const GraphFrame& frame);

} // namespace examora
