// Fonts and colours of the panel as the item and the page model give them.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

#include "component/page_model.h"

namespace quorin {

// An Arial font (Liberation Sans where Arial is missing; Chinese falls back to a CJK font) whose
// line (ascent + descent) is height pixels, as a Windows font of that height is. Needs a
// QGuiApplication.
QFont PanelFont(int height);

// The colour of a 0x00BBGGRR value; kButtonFaceColor is the palette's button colour.
QColor ColorOf(ColorRef color, const QPalette& palette = QPalette());

}  // namespace quorin
