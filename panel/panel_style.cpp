#include "panel/panel_style.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace quorin {

QFont PanelFont(int height) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    // Windows sizes a font by its whole line; Qt by its em. Measure the line of a large probe
    // once and scale.
    static const double lineToEm = [] {
        QFont probe(QStringLiteral("Arial"));
        probe.setStyleHint(QFont::SansSerif);
        probe.setPixelSize(100);
        const QFontMetricsF metrics(probe);
        const double line = metrics.ascent() + metrics.descent();
        return line > 0.0 ? 100.0 / line : 1.0;
    }();
    const int clamped = std::clamp(height, 1, 1000);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(clamped * lineToEm))));
    return font;
}

QColor ColorOf(ColorRef color, const QPalette& palette) {
    if (color == kButtonFaceColor) return palette.color(QPalette::Button);
    const Rgb rgb = RgbOf(color);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

}  // namespace quorin
