// The axes' drawing surface over a QPainter: lines without anti-aliasing (one-pixel grid lines
// stay crisp), texts in Arial at the tick and title heights given.
#pragma once

#include <QFont>

#include "graphs/axis_canvas.h"

class QPainter;

namespace quorin {

class CPainterCanvas : public CAxisCanvas {
public:
    // tickHeight and titleHeight are pixel sizes (their absolute values; at least 1).
    CPainterCanvas(QPainter& painter, int tickHeight, int titleHeight);

    void DrawLine(int x1, int y1, int x2, int y2, const CanvasPen& pen) override;
    void DrawText(const CanvasRect& rect, int align, FontRole role,
                  const std::string& text) override;

private:
    QPainter& painter_;
    QFont tickFont_;
    QFont titleFont_;
};

}  // namespace quorin
