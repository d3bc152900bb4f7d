#include "panel/drawing_painter.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

#include "panel/ansi_text.h"
#include "panel/panel_style.h"

namespace quorin {

void PaintDrawing(QPainter& painter, const PanelDrawing& drawing) {
    QFont font = PanelFont(drawing.fontHeight > 0 ? drawing.fontHeight : 16);
    if (!drawing.fontFamily.empty() && drawing.fontFamily != "Arial")
        font.setFamily(QString::fromStdString(drawing.fontFamily));
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (const DrawnText& text : drawing.texts) {
        painter.setPen(ColorOf(text.color));
        const QString shown = FromAnsi(text.text);
        if (text.centreWidth > 0) {
            painter.drawText(QRect(text.x, text.y, text.centreWidth, metrics.height()),
                             Qt::AlignHCenter | Qt::AlignTop, shown);
        } else {
            painter.drawText(QPoint(text.x, text.y + metrics.ascent()), shown);
        }
    }
}

QImage RenderDrawing(const PanelDrawing& drawing, QSize size) {
    const QSize cut(std::clamp(size.width(), 0, kMaxDrawingSide),
                    std::clamp(size.height(), 0, kMaxDrawingSide));
    if (cut.isEmpty()) return QImage();
    QImage image(cut, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PaintDrawing(painter, drawing);
    return image;
}

}  // namespace quorin
