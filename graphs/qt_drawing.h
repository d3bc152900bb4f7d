// Small conversions between the drawing values of graph descriptions and Qt.
#pragma once

#include <QColor>
#include <QFont>
#include <QPen>
#include <QRect>

#include "graphs/axis_canvas.h"

namespace quorin {

// 0x00BBGGRR -> QColor (the top byte is ignored).
QColor ToQColor(int bgr);

// A pen of a graph description's style (0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot,
// others solid), width in device pixels (0 = thinnest, bounded to 1000) and 0x00BBGGRR colour.
QPen MakePen(int style, int width, int bgr);

// Arial (Liberation Sans through fontconfig) at a pixel size of at least 1.
QFont ArialFont(int pixelSize, bool bold);

CanvasRect ToCanvasRect(const QRect& rect);  // right and bottom exclusive, as device rectangles
QRect ToQRect(const CanvasRect& rect);

}  // namespace quorin
