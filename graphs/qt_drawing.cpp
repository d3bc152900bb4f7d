#include "graphs/qt_drawing.h"

#include <algorithm>

namespace quorin {

QColor ToQColor(int bgr) {
    unsigned v = static_cast<unsigned>(bgr);
    return QColor(int(v & 0xFFu), int((v >> 8) & 0xFFu), int((v >> 16) & 0xFFu));
}

QPen MakePen(int style, int width, int bgr) {
    static const Qt::PenStyle kStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                           Qt::DashDotLine, Qt::DashDotDotLine};
    Qt::PenStyle s = style >= 0 && style < 5 ? kStyles[style] : Qt::SolidLine;
    QPen pen(ToQColor(bgr), std::clamp(width, 0, 1000), s);
    // Square caps would stretch every dot of a dotted line into a dash.
    pen.setCapStyle(s == Qt::SolidLine ? Qt::SquareCap : Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QFont ArialFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, pixelSize));
    font.setBold(bold);
    return font;
}

CanvasRect ToCanvasRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

QRect ToQRect(const CanvasRect& rect) {
    auto extent = [](int from, int to) {
        return static_cast<int>(std::clamp(static_cast<long long>(to) - from, 0LL, 2000000000LL));
    };
    return QRect(rect.left, rect.top, extent(rect.left, rect.right), extent(rect.top, rect.bottom));
}

}  // namespace quorin
