// How a graph fills its drawing area: the plot rectangle, the ranges shown and the pixel scales.
//
// An "RX" graph (the impedance plane) keeps one scale on both axes: its plot is the largest
// square, a multiple of 12 pixels wide, that fits beside the axis labels and titles, and each
// range is exactly six grid steps of one round value (1, 1.5, 2, 2.5, 3, 4, 5, 6 or 8 times a
// power of ten), widened to include zero so the axes run through the origin. Any other graph
// fills its area with independent scales and round tick steps.
#pragma once

#include <string>

#include "graphs/axis_canvas.h"
#include "graphs/rx_axes.h"

namespace quorin {

struct CGraph;

struct AxisMargins {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct GraphLayout {
    bool rx = false;  // impedance plane, equal scales
    CanvasRect area;  // the whole drawing area
    CanvasRect plot;  // where shapes go; drawing is clipped to it
    double xMin = 0.0, xMax = 0.0, yMin = 0.0, yMax = 0.0;  // axis units shown across and up
    double xScale = 1.0, yScale = 1.0;                      // pixels per axis unit
    double originX = 0.0, originY = 0.0;  // pixel position of the axis values (0, 0)
    double xStep = 1.0, yStep = 1.0;      // grid (RX) or tick step in axis units
    double sizeFactor = 1.0;
    int tickFontHeight = 12, titleFontHeight = 13;  // pixels

    double PixelX(double value) const { return originX + value * xScale; }
    double PixelY(double value) const { return originY - value * yScale; }
};

// True for the impedance-plane axis type "RX" (any case, surrounding blanks ignored).
bool IsRxAxisType(const std::string& axisType);

// The room an RX plot needs around its square for tick labels and titles at size factor f.
AxisMargins RxAxisMargins(double sizeFactor);

// Lays out an impedance plane showing at least R in [rMin, rMax] and X in [xMin, xMax] (ohms)
// inside area, the square centred in it. Non-finite limits count as -10 and 10, swapped limits
// are put in order, and limits are bounded to 1e12 ohms. A non-positive or non-finite size
// factor counts as 1. An area too small for a 12-pixel plot still gets one (it overflows).
GraphLayout LayoutRxGraph(double rMin, double rMax, double xMin, double xMax,
                          const CanvasRect& area, double sizeFactor);

// Lays out a plain graph with independent scales filling area, showing [xMin, xMax] across and
// [yMin, yMax] up; limits are sanitised as above, and equal limits are widened by 1 each way.
GraphLayout LayoutPlainGraph(double xMin, double xMax, double yMin, double yMax,
                             const CanvasRect& area, double sizeFactor);

// LayoutRxGraph or LayoutPlainGraph by the graph's axis type, from its XMin..YMax.
GraphLayout LayoutGraph(const CGraph& graph, const CanvasRect& area, double sizeFactor);

// The axes input of an RX layout (titles UTF-8). The title row is the plot's top.
RxAxes RxAxesOf(const GraphLayout& layout, const std::string& rTitleUtf8,
                const std::string& xTitleUtf8, int gridColor);

}  // namespace quorin
