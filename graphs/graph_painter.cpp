#include "graphs/graph_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "graphs/graph_description.h"
#include "graphs/graph_layout.h"
#include "graphs/painter_canvas.h"
#include "graphs/qt_drawing.h"
#include "graphs/rx_axes.h"
#include "platform/codepage.h"
#include "platform/numtext.h"

namespace quorin {
namespace {

constexpr double kPi = std::numbers::pi;
// Beyond this radius in pixels Qt's own arcs lose precision and dashing runs over huge lengths.
constexpr double kNativeArcLimit = 20000.0;

// Pixel coordinates stay well inside the int range, where Qt's arithmetic on them cannot overflow.
int Trunc(double v) {
    return TruncateToInt(v, -2000000000, 2000000000);
}

int PenWidth(int lineWidth, double f) {
    return Trunc(std::clamp(lineWidth, 0, 100) * f);
}

// Liang-Barsky: trims the segment a-b to r; false when nothing of it lies inside.
bool ClipSegment(QPointF& a, QPointF& b, const QRectF& r) {
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) ||
        !std::isfinite(b.y())) {
        return false;
    }
    double t0 = 0.0, t1 = 1.0;
    double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    QPointF start = a;
    a = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    b = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    return true;
}

// An arc of the ellipse with centre c and pixel radii a (across) and b (up), from startDeg
// through sweepDeg (counter-clockwise as seen, y growing downward), drawn where it can be seen
// through window.
void StrokeArc(QPainter& painter, QPointF c, double a, double b, double startDeg, double sweepDeg,
               const QRectF& window) {
    if (!(a > 0.0) || !(b > 0.0) || !std::isfinite(a) || !std::isfinite(b)) return;
    if (!std::isfinite(c.x()) || !std::isfinite(c.y())) return;
    if (!std::isfinite(startDeg) || !std::isfinite(sweepDeg) || sweepDeg == 0.0) return;
    sweepDeg = std::clamp(sweepDeg, -360.0, 360.0);
    startDeg = std::fmod(startDeg, 360.0);
    const double radius = std::max(a, b);
    if (radius <= kNativeArcLimit && std::fabs(c.x()) < 1e6 && std::fabs(c.y()) < 1e6) {
        QRectF box(c.x() - a, c.y() - b, 2.0 * a, 2.0 * b);
        QPainterPath path;
        path.arcMoveTo(box, startDeg);
        path.arcTo(box, startDeg, sweepDeg);
        painter.drawPath(path);
        return;
    }
    // Only the part of the curve near the window is sampled: in the unit-circle parameter space
    // the window lies within a disc, which meets the circle over one interval of angles.
    QPointF wc = window.center();
    double ux = (wc.x() - c.x()) / a, uy = -(wc.y() - c.y()) / b;
    double reach = std::hypot(window.width() / 2.0, window.height() / 2.0) / std::min(a, b);
    double d = std::hypot(ux, uy);
    double lo = startDeg * kPi / 180.0, hi = lo + sweepDeg * kPi / 180.0;
    if (lo > hi) std::swap(lo, hi);
    std::vector<std::pair<double, double>> pieces;
    if (d + 1.0 <= reach) {
        pieces.push_back({lo, hi});
    } else if (std::fabs(d - 1.0) <= reach && d > 0.0) {
        double alpha = std::acos(std::clamp((1.0 + d * d - reach * reach) / (2.0 * d), -1.0, 1.0));
        double phi = std::atan2(uy, ux);
        for (int k = -3; k <= 3; ++k) {
            double from = std::max(lo, phi - alpha + 2.0 * kPi * k);
            double to = std::min(hi, phi + alpha + 2.0 * kPi * k);
            if (from < to) pieces.push_back({from, to});
        }
    }
    // Chords stay within a fifth of a pixel of the curve.
    double step = 2.0 * std::sqrt(0.4 / radius);
    for (const auto& [from, to] : pieces) {
        int n = static_cast<int>(std::clamp(std::ceil((to - from) / step), 2.0, 20000.0));
        QPolygonF line;
        line.reserve(n + 1);
        for (int i = 0; i <= n; ++i) {
            double t = from + (to - from) * i / n;
            line << QPointF(c.x() + a * std::cos(t), c.y() - b * std::sin(t));
        }
        painter.drawPolyline(line);
    }
}

void DrawMarker(QPainter& painter, QPointF at, const CGraphPoint& point, double f) {
    double r = std::clamp(point.pointDia, 1, 100) * f / 2.0;
    painter.setPen(MakePen(0, std::max(1, Trunc(f)), point.color));
    painter.setBrush(Qt::NoBrush);
    switch (point.drawType) {
        case kMarkerCircle:
            painter.drawEllipse(at, r, r);
            break;
        case kMarkerSquare:
            painter.drawRect(QRectF(at.x() - r, at.y() - r, 2.0 * r, 2.0 * r));
            break;
        case kMarkerDot:
            painter.setBrush(ToQColor(point.color));
            painter.drawEllipse(at, r, r);
            break;
        default:
            painter.drawLine(QPointF(at.x() - r, at.y() - r), QPointF(at.x() + r, at.y() + r));
            painter.drawLine(QPointF(at.x() - r, at.y() + r), QPointF(at.x() + r, at.y() - r));
            break;
    }
}

int Decimals(double step) {
    return std::clamp(1 - static_cast<int>(std::floor(std::log10(step))), 0, 6);
}

void PaintPlainAxes(QPainter& painter, const GraphLayout& l, const CGraph& graph) {
    const double f = l.sizeFactor;
    const int hT = l.tickFontHeight, hA = l.titleFontHeight;
    const CanvasRect& p = l.plot;
    CPainterCanvas canvas(painter, hT, hA);
    const CanvasPen grid{2, Trunc(f), GridColor(graph)};
    const CanvasPen tick{0, Trunc(f), graph.lineColor};
    // At most 60 ticks an axis, whatever the steps say.
    for (int axis = 0; axis < 2; ++axis) {
        double lo = axis == 0 ? l.xMin : l.yMin, hi = axis == 0 ? l.xMax : l.yMax;
        double step = axis == 0 ? l.xStep : l.yStep;
        double first = std::ceil(lo / step - 1e-9);
        for (int k = 0; k < 60; ++k) {
            double v = (first + k) * step;
            if (v > hi + step * 1e-9) break;
            std::string label = FormatFixed(v, Decimals(step));
            TrimZeros(label);
            if (label == "-0") label = "0";
            if (axis == 0) {
                int x = Trunc(std::round(l.PixelX(v)));
                canvas.DrawLine(x, p.top, x, p.bottom, grid);
                canvas.DrawLine(x, p.bottom, x, Trunc(p.bottom + 6.0 * f), tick);
                canvas.DrawText({Trunc(x - 30.0 * f), Trunc(p.bottom + 8.0 * f),
                                 Trunc(x + 30.0 * f), Trunc(p.bottom + 8.0 * f + hT)},
                                kAlignCenterTop, FontRole::kTick, label);
            } else {
                int y = Trunc(std::round(l.PixelY(v)));
                canvas.DrawLine(p.left, y, p.right, y, grid);
                canvas.DrawLine(Trunc(p.left - 6.0 * f), y, p.left, y, tick);
                canvas.DrawText({Trunc(p.left - 50.0 * f), y - hT, Trunc(p.left - 8.0 * f), y + hT},
                                kAlignRightMiddle, FontRole::kTick, label);
            }
        }
    }
    canvas.DrawLine(p.left, p.top, p.right, p.top, tick);
    canvas.DrawLine(p.right, p.top, p.right, p.bottom, tick);
    canvas.DrawLine(p.right, p.bottom, p.left, p.bottom, tick);
    canvas.DrawLine(p.left, p.bottom, p.left, p.top, tick);
    int nameTop = Trunc(p.bottom + 10.0 * f + hT);
    constexpr int kCentred = 0;  // the name across sits centred under the tick labels
    canvas.DrawText({p.left, nameTop, p.right, Trunc(nameTop + hA + 4.0 * f)}, kCentred,
                    FontRole::kTitle, AnsiToUtf8(graph.xAxisName));
    canvas.DrawText(
        {p.left, Trunc(p.top - 16.0 * f), Trunc(p.left + 200.0 * f), Trunc(p.top - 2.0 * f)},
        kAlignLeftMiddle, FontRole::kTitle, AnsiToUtf8(graph.yAxisName));
}

}  // namespace

int GridColor(const CGraph& graph) {
    int color = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int line = (graph.lineColor >> shift) & 0xFF;
        int back = (graph.bkColor >> shift) & 0xFF;
        color |= (line + (back - line) * 3 / 4) << shift;
    }
    return color;
}

void PaintGraphAxes(QPainter& painter, const GraphLayout& layout, const CGraph& graph) {
    painter.save();
    if (layout.rx) {
        CPainterCanvas canvas(painter, layout.tickFontHeight, layout.titleFontHeight);
        RxAxes axes = RxAxesOf(layout, AnsiToUtf8(graph.xAxisName), AnsiToUtf8(graph.yAxisName),
                               GridColor(graph));
        DrawRAxis(axes, canvas);
        DrawXAxis(axes, canvas);
    } else {
        PaintPlainAxes(painter, layout, graph);
    }
    painter.restore();
}

void PaintGraphShapes(QPainter& painter, const GraphLayout& l, const CGraph& graph) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    QRect plot = ToQRect(l.plot);
    painter.setClipRect(plot);
    const double f = l.sizeFactor;
    // Geometry is trimmed a little outside the clip so that line ends and markers stay whole.
    const double pad = 8.0 + 100.0 * f;
    const QRectF window = QRectF(plot).adjusted(-pad, -pad, pad, pad);
    auto at = [&l](int x, int y) { return QPointF(l.PixelX(x / 1000.0), l.PixelY(y / 1000.0)); };

    for (const CGraphLine& line : graph.lines) {
        QPointF a = at(line.x1, line.y1), b = at(line.x2, line.y2);
        if (!ClipSegment(a, b, window)) continue;
        painter.setPen(MakePen(line.drawStyle, PenWidth(line.lineWidth, f), line.color));
        painter.drawLine(a, b);
    }
    for (const CGraphCircle& circle : graph.circles) {
        painter.setPen(MakePen(circle.drawStyle, PenWidth(circle.lineWidth, f), circle.color));
        double r = circle.radius / 1000.0;
        StrokeArc(painter, at(circle.centerX, circle.centerY), r * l.xScale, r * l.yScale, 0.0,
                  360.0, window);
    }
    for (const CGraphArc& arc : graph.arcs) {
        painter.setPen(MakePen(arc.drawStyle, PenWidth(arc.lineWidth, f), arc.color));
        double r = arc.radius / 1000.0;
        StrokeArc(painter, at(arc.centerX, arc.centerY), r * l.xScale, r * l.yScale, arc.startAngle,
                  arc.sweepAngle, window);
    }
    for (const CGraphPoint& point : graph.points) {
        QPointF p = at(point.x, point.y);
        if (!window.contains(p)) continue;
        DrawMarker(painter, p, point, f);
    }
    painter.restore();
}

void PaintGraph(QPainter& painter, const QRect& area, const CGraph& graph, double sizeFactor) {
    if (!painter.isActive()) return;
    painter.save();
    painter.fillRect(area, ToQColor(graph.bkColor));
    GraphLayout layout = LayoutGraph(graph, ToCanvasRect(area), sizeFactor);
    PaintGraphAxes(painter, layout, graph);
    PaintGraphShapes(painter, layout, graph);
    painter.restore();
}

}  // namespace quorin
