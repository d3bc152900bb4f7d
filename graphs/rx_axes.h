// The impedance-plane grid and axes of an RX plot: resistance R to the right, reactance X up.
// DrawRAxis draws the vertical grid lines, the R axis with its ticks, labels and title;
// DrawXAxis the horizontal grid lines and the X axis. Every distance and pen width is multiplied
// by the size factor, so one layout serves screen and printer.
//
// The plane is divided into sixths of each range; labels give the distance from the origin in
// those steps ("%.2f" with trailing zeros trimmed). When a range does not straddle zero the axis
// is placed on the rectangle's edge nearest zero (x0 = left when rMin > 0, right when rMax < 0;
// y0 = bottom when xMin > 0, top when xMax < 0); its labels still count from that edge, so
// graph layouts always widen RX ranges to include zero (graphs/graph_layout.h).
#pragma once

#include <string>

#include "graphs/axis_canvas.h"

namespace quorin {

struct RxAxes {
    CanvasRect plot;                                              // device pixels
    double rMin = -10.0, rMax = 10.0, xMin = -10.0, xMax = 10.0;  // ohms shown
    double rScale = 1.0, xScale = 1.0;                            // pixels per ohm
    double sizeFactor = 1.0;  // a non-positive or non-finite factor counts as 1
    int gridColor = 0xC0C0C0;
    int tickFontHeight = 12;     // hT; its absolute value is used
    int titleFontHeight = 14;    // hA; its absolute value is used
    std::string rTitle, xTitle;  // UTF-8
    int titleRow = 0;            // the X title is placed just above this pixel row
};

// Derived values, truncated toward zero: origin column x0 and row y0, major and minor grid
// steps in pixels along R (sR, mR) and X (sX, mX), before any thinning.
struct RxAxesGeometry {
    int x0 = 0, y0 = 0;
    int sR = 0, mR = 0, sX = 0, mX = 0;
};

RxAxesGeometry ComputeRxAxesGeometry(const RxAxes& axes);

// Each draws nothing when the rectangle is empty or a range or scale is not finite; an axis
// whose major step is under one pixel gets its line and title but no grid, ticks or labels.
// At most 59 grid lines are drawn on each side of the origin. Only the R axis is thinned: when
// its minor step is under 10 pixels every second (or fourth) grid line and label is drawn.
void DrawRAxis(const RxAxes& axes, CAxisCanvas& canvas);
void DrawXAxis(const RxAxes& axes, CAxisCanvas& canvas);

// Shortens a number text in place: when it contains ".", trailing "0" characters go, and the
// "." too when nothing follows it ("1.50" -> "1.5", "2.00" -> "2"; "100" stays).
void TrimZeros(std::string& text);

}  // namespace quorin
