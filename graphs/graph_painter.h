// Draws graph descriptions (graphs/graph_description.h) into a rectangle of a QPainter.
#pragma once

#include <QRect>

class QPainter;

namespace quorin {

struct CGraph;
struct GraphLayout;

// Draws graph into area: the background colour, then the layout of LayoutGraph with the
// impedance-plane grid and axes ("RX") or a plain frame with ticks (other axis types), then the
// lines, circles, arcs and points, clipped to the plot. Axis names are ANSI texts. sizeFactor
// multiplies every pixel size: 1 on screen, the printer-to-screen resolution ratio when printing.
// The painter's state is left as it was.
void PaintGraph(QPainter& painter, const QRect& area, const CGraph& graph, double sizeFactor);

// The two layers of PaintGraph, for callers that lay out the graph themselves and add layers.
// PaintGraphAxes draws the grid, axes, tick labels and axis names; PaintGraphShapes the shapes,
// clipped to layout.plot. Circles and arcs so large that they cannot show as curves are drawn
// only where they cross the plot, as fine polylines.
void PaintGraphAxes(QPainter& painter, const GraphLayout& layout, const CGraph& graph);
void PaintGraphShapes(QPainter& painter, const GraphLayout& layout, const CGraph& graph);

// The dotted grid's colour for a graph: its line colour faded three quarters of the way to its
// background colour (0x00BBGGRR).
int GridColor(const CGraph& graph);

}  // namespace quorin
