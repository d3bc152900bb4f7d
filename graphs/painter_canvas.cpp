#include "graphs/painter_canvas.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <limits>

#include "graphs/qt_drawing.h"

namespace quorin {
namespace {

int PixelSize(int height) {
    if (height == std::numeric_limits<int>::min()) return 100000;
    return std::clamp(std::abs(height), 1, 100000);
}

}  // namespace

CPainterCanvas::CPainterCanvas(QPainter& painter, int tickHeight, int titleHeight)
    : painter_(painter),
      tickFont_(ArialFont(PixelSize(tickHeight), false)),
      titleFont_(ArialFont(PixelSize(titleHeight), true)) {}

void CPainterCanvas::DrawLine(int x1, int y1, int x2, int y2, const CanvasPen& pen) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setPen(MakePen(pen.style, pen.width, pen.color));
    painter_.drawLine(QPoint(x1, y1), QPoint(x2, y2));
    painter_.restore();
}

void CPainterCanvas::DrawText(const CanvasRect& rect, int align, FontRole role,
                              const std::string& text) {
    int flags = Qt::AlignCenter;
    if (align == kAlignLeftMiddle) flags = Qt::AlignLeft | Qt::AlignVCenter;
    if (align == kAlignCenterTop) flags = Qt::AlignHCenter | Qt::AlignTop;
    if (align == kAlignRightMiddle) flags = Qt::AlignRight | Qt::AlignVCenter;
    painter_.save();
    painter_.setFont(role == FontRole::kTick ? tickFont_ : titleFont_);
    painter_.setPen(QColor(0, 0, 0));
    painter_.setBackgroundMode(Qt::TransparentMode);
    QRect r(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
    painter_.drawText(r.normalized(), flags | Qt::TextSingleLine | Qt::TextDontClip,
                      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    painter_.restore();
}

}  // namespace quorin
