// Paints the component's drawings (component/panel_drawing.h) with Qt: each text at its position
// (the top of its line), in its colour, in an Arial font of the drawing's height.
#pragma once

#include <QImage>
#include <QSize>

#include "component/panel_drawing.h"

class QPainter;

namespace quorin {

// The largest image side a drawing gets; larger rectangles are cut to it.
inline constexpr int kMaxDrawingSide = 4096;

// Paints the texts of drawing with painter (origin at the drawing rectangle's top-left corner).
void PaintDrawing(QPainter& painter, const PanelDrawing& drawing);

// The drawing on a white image of size (each side cut to 0..kMaxDrawingSide); a null image for
// an empty size.
QImage RenderDrawing(const PanelDrawing& drawing, QSize size);

}  // namespace quorin
