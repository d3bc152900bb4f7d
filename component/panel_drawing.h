// The drawings that the component shows of an item in host windows, as data: texts with their
// positions (relative to the drawing rectangle's top-left corner), colours and font height. A
// panel view paints them; nothing here needs a window.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "component/page_model.h"

namespace quorin {

class CTestItem;

struct PanelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct DrawnText {
    int x = 0;
    int y = 0;
    std::string text;  // ANSI bytes, one line
    ColorRef color = 0x000000;
    // When above 0 the text is centred in the band x .. x + centreWidth.
    int centreWidth = 0;
};

struct PanelDrawing {
    std::string fontFamily = "Arial";
    int fontHeight = 0;
    std::vector<DrawnText> texts;
};

inline constexpr ColorRef kDetailTextColor = 0x7D7D00;
inline constexpr ColorRef kParameterTextColor = 0xFF0000;  // blue

// Characters per line of the detail drawing for a rectangle width: (width / 16) * 2 - 2.
int DetailLineLength(int width);

// text with a CR LF at every lineLength bytes; a line holding an odd number of single-byte
// printable bytes (0x20..0x7E) breaks one byte earlier, so a double-byte character stays whole.
// Unchanged when lineLength is below 2.
std::string WrapDetailText(std::string_view text, int lineLength);

// The detail of one row (Arial 17): from 30 pixels below the top in lines of 20 pixels, the
// headings "1.Name", "2.Testing Method & Requires" and "3.Results" in black, each followed by its
// wrapped text in kDetailTextColor indented 20 pixels.
PanelDrawing DetailDrawing(const CPageModel::Row& row, int width);

// The detail drawing with the heading "Result" centred in the band 10..30 pixels below the top.
PanelDrawing ResultDrawing(const CPageModel::Row& row, int width);

// The parameter table of item (Arial 16): the two captions at 15 pixels below the top, then one
// line of 17 pixels per counted parameter from 35 pixels below the top: the name in black at the
// left, and bookmark "_" k "_" resultId in kParameterTextColor from the middle of the width.
PanelDrawing ParameterDrawing(const CTestItem* item, std::string_view nameCaption,
                              std::string_view parameterCaption, std::string_view bookmark,
                              std::string_view resultId, int width);

}  // namespace quorin
