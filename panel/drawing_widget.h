// CDrawingWidget: a drawing of the component shown in a host window. It owns its image, covers
// the drawing rectangle and stays above the host's other children, so the host sees the drawing
// without painting it itself.
#pragma once

#include <QImage>
#include <QWidget>

namespace quorin {

class CDrawingWidget : public QWidget {
    Q_OBJECT
public:
    explicit CDrawingWidget(QWidget* parent);

    void SetImage(QImage image);
    const QImage& Image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QImage image_;
};

}  // namespace quorin
