// The drawing surface of the impedance-plane axes: straight lines with a pen and single-line
// texts in rectangles, in device pixels (y grows downward). CPainterCanvas (graphs/
// painter_canvas.h) paints through QPainter; CRecordingCanvas keeps every call so that the axis
// layout can be checked exactly, without pixels.
#pragma once

#include <string>
#include <vector>

namespace quorin {

struct CanvasRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const CanvasRect&) const = default;
};

// style: the pen styles of graph descriptions (0 solid, 1 dash, 2 dot, 3 dash-dot,
// 4 dash-dot-dot; other values draw solid). width 0 is the thinnest line the device can draw.
// color: 0x00BBGGRR.
struct CanvasPen {
    int style = 0;
    int width = 0;
    int color = 0;
    bool operator==(const CanvasPen&) const = default;
};

enum class FontRole { kTick = 0, kTitle = 1 };

// Alignment codes of text rectangles. Any other code centres the text both ways.
enum TextAlign : int {
    kAlignLeftMiddle = 4,   // from the left edge, centred vertically: the X title beside its axis
    kAlignCenterTop = 5,    // centred across, from the top edge: R tick labels under their ticks
    kAlignRightMiddle = 6,  // up to the right edge, centred vertically: X tick labels, R title
};

class CAxisCanvas {
public:
    virtual ~CAxisCanvas() = default;
    // A line from (x1, y1) to (x2, y2), both end points included.
    virtual void DrawLine(int x1, int y1, int x2, int y2, const CanvasPen& pen) = 0;
    // One line of UTF-8 text placed in rect by align, black on a transparent background; text
    // larger than rect overflows it rather than being cut.
    virtual void DrawText(const CanvasRect& rect, int align, FontRole role,
                          const std::string& text) = 0;
};

class CRecordingCanvas : public CAxisCanvas {
public:
    struct Line {
        int x1, y1, x2, y2;
        CanvasPen pen;
    };
    struct Text {
        CanvasRect rect;
        int align;
        FontRole role;
        std::string text;
    };

    void DrawLine(int x1, int y1, int x2, int y2, const CanvasPen& pen) override;
    void DrawText(const CanvasRect& rect, int align, FontRole role,
                  const std::string& text) override;

    // Every call in order, one per line ending in "\n":
    //   line <x1> <y1> <x2> <y2> style=<s> width=<w> color=<rrggbb as 6 hex digits of 0xBBGGRR>
    //   text <left> <top> <right> <bottom> align=<a> font=<tick|title> "<text>"
    const std::string& Transcript() const { return transcript_; }

    std::vector<Line> lines;
    std::vector<Text> texts;

private:
    std::string transcript_;
};

}  // namespace quorin
