#include "graphs/axis_canvas.h"

#include "platform/numtext.h"

namespace quorin {

void CRecordingCanvas::DrawLine(int x1, int y1, int x2, int y2, const CanvasPen& pen) {
    lines.push_back({x1, y1, x2, y2, pen});
    transcript_ += CFormat("line %d %d %d %d style=%d width=%d color=%06x\n", x1, y1, x2, y2,
                           pen.style, pen.width, static_cast<unsigned>(pen.color) & 0xFFFFFFu);
}

void CRecordingCanvas::DrawText(const CanvasRect& rect, int align, FontRole role,
                                const std::string& text) {
    texts.push_back({rect, align, role, text});
    transcript_ +=
        CFormat("text %d %d %d %d align=%d font=%s \"%s\"\n", rect.left, rect.top, rect.right,
                rect.bottom, align, role == FontRole::kTick ? "tick" : "title", text.c_str());
}

}  // namespace quorin
