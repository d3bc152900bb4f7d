// The description of one graph of a report item: axis settings and four lists of shapes. Stored in
// XML reports (report/graph_xml.h) and drawn by the plotting routines (graphs/).
//
// Units: XMin..YMax are in axis units (ohms on an "RX" graph). Shape coordinates and radii are
// integers in thousandths of the axis unit (milliohms on an "RX" graph), so that a description
// keeps sub-ohm characteristics exact to 0.001. Colours are 0x00BBGGRR values. A line's or
// circle's draw style is a pen style (0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot); a
// point's draw type is a marker (see PointMarker).
#pragma once

#include <string>
#include <vector>

namespace quorin {

enum PointMarker { kMarkerCross = 0, kMarkerCircle = 1, kMarkerSquare = 2, kMarkerDot = 3 };

struct CGraphLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int color = 0;
    int drawStyle = 0;
    int lineWidth = 1;
};

struct CGraphCircle {
    int centerX = 0, centerY = 0, radius = 0;
    int left = 0, top = 0, right = 0, bottom = 0;  // bounding box
    int color = 0;
    int drawStyle = 0;
    int lineWidth = 1;
};

struct CGraphArc {
    int centerX = 0, centerY = 0, radius = 0;
    double startAngle = 0.0;  // degrees from the positive x axis, counter-clockwise
    double sweepAngle = 0.0;  // degrees, positive counter-clockwise
    int color = 0;
    int drawStyle = 0;
    int lineWidth = 1;
};

struct CGraphPoint {
    int x = 0, y = 0;
    int drawType = kMarkerCross;
    int pointDia = 6;  // pixels at screen scale
    int color = 0;
};

struct CGraph {
    CGraph();  // axis type "RX", axis names "R(Ω)" and "X(Ω)" in the ANSI code page

    std::string axisType;
    double xMin = -10.0, xMax = 10.0, yMin = -10.0, yMax = 10.0;
    int bkColor = 0xFFFFFF;
    int lineColor = 0x000000;
    std::string xAxisName, yAxisName;
    std::string picName;
    std::vector<CGraphLine> lines;
    std::vector<CGraphCircle> circles;
    std::vector<CGraphArc> arcs;
    std::vector<CGraphPoint> points;
};

}  // namespace quorin
