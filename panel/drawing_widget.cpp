#include "panel/drawing_widget.h"

#include <QChildEvent>
#include <QPainter>

namespace quorin {

CDrawingWidget::CDrawingWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("panelDrawing"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (parent) parent->installEventFilter(this);
}

void CDrawingWidget::SetImage(QImage image) {
    image_ = std::move(image);
    update();
}

void CDrawingWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(0, 0, image_);
}

bool CDrawingWidget::eventFilter(QObject* watched, QEvent* event) {
    // A child the host adds later would cover the drawing.
    if (watched == parent() && event->type() == QEvent::ChildAdded &&
        static_cast<QChildEvent*>(event)->child() != this)
        raise();
    return QWidget::eventFilter(watched, event);
}

}  // namespace quorin
