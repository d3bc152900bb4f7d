#include "graphs/characteristic_plot.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "graphs/graph_layout.h"
#include "graphs/graph_painter.h"
#include "graphs/label_placement.h"
#include "graphs/qt_drawing.h"
#include "graphs/rx_axes.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/numtext.h"

namespace quorin {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr size_t kMaxLabelledZones = 64;  // labels and legend entries
constexpr int kMaxImageSide = 20000;

bool Finite(RxPoint p) {
    return std::isfinite(p.r) && std::isfinite(p.x);
}

RxPoint Mirror(RxPoint p) {
    return {-p.r, -p.x};
}

RxPoint OnCircle(RxPoint c, double radius, double degrees) {
    double a = degrees * kPi / 180.0;
    return {c.r + radius * std::cos(a), c.x + radius * std::sin(a)};
}

// Signed sweep of an arc piece in degrees: positive counter-clockwise, never 0 (equal angles
// make a whole circle).
double Sweep(const ZoneSegment& arc) {
    double d = arc.clockwise ? arc.startAngle - arc.endAngle : arc.endAngle - arc.startAngle;
    d = std::fmod(d, 360.0);
    if (d <= 1e-9) d += 360.0;
    return arc.clockwise ? -d : d;
}

double NormalizedStart(double degrees) {
    double a = std::fmod(degrees, 360.0);
    return a < 0.0 ? a + 360.0 : a;
}

// Infinities saturate like any value beyond the int range; only NaN has no place.
std::optional<int> Milli(double v) {
    if (std::isnan(v)) return std::nullopt;
    return static_cast<int>(std::llround(std::clamp(v * 1000.0, -2147483000.0, 2147483000.0)));
}

// Pixel coordinates stay well inside the int range, where Qt's arithmetic on them cannot overflow.
int Trunc(double v) {
    return TruncateToInt(v, -2000000000, 2000000000);
}

double Factor(double f) {
    return std::isfinite(f) && f > 0.0 ? std::min(f, 1000.0) : 1.0;
}

QString FromAnsi(const std::string& text) {
    return QString::fromStdString(AnsiToUtf8(text));
}

}  // namespace

ZoneSegment ZoneSegment::Line(RxPoint from, RxPoint to) {
    ZoneSegment s;
    s.type = Type::kLine;
    s.from = from;
    s.to = to;
    return s;
}

ZoneSegment ZoneSegment::Arc(RxPoint center, double radius, double startAngle, double endAngle,
                             bool clockwise) {
    ZoneSegment s;
    s.type = Type::kArc;
    s.center = center;
    s.radius = radius;
    s.startAngle = startAngle;
    s.endAngle = endAngle;
    s.clockwise = clockwise;
    return s;
}

CharacteristicPlot::CharacteristicPlot()
    : rTitle(Utf8ToAnsi("R(\xCE\xA9)")), xTitle(Utf8ToAnsi("X(\xCE\xA9)")) {}

void RxExtents::Add(RxPoint p) {
    if (!Finite(p)) return;
    if (empty) {
        rMin = rMax = p.r;
        xMin = xMax = p.x;
        empty = false;
        return;
    }
    rMin = std::min(rMin, p.r);
    rMax = std::max(rMax, p.r);
    xMin = std::min(xMin, p.x);
    xMax = std::max(xMax, p.x);
}

void RxExtents::Add(const RxExtents& other) {
    if (other.empty) return;
    Add(RxPoint{other.rMin, other.xMin});
    Add(RxPoint{other.rMax, other.xMax});
}

int DefaultZoneColor(int paletteIndex) {
    static const int kPalette[10] = {
        0x1E1EDC,  // red
        0x288C14,  // green
        0xDC501E,  // blue
        0x0078E6,  // orange
        0xAA288C,  // purple
        0x969600,  // teal
        0x285A8C,  // brown
        0x8C28D2,  // magenta
        0x00826E,  // olive
        0x5A5A5A,  // grey
    };
    return kPalette[((paletteIndex % 10) + 10) % 10];
}

int ZoneColor(const CharacteristicZone& zone) {
    return zone.color >= 0 ? zone.color & 0xFFFFFF : DefaultZoneColor(zone.paletteIndex);
}

void SetCircleFromReach(CharacteristicZone& zone, double forward, double angleDegrees,
                        double reverse) {
    zone.shape = ZoneShape::kCircle;
    double offset = (forward - reverse) / 2.0;
    double a = angleDegrees * kPi / 180.0;
    zone.circleCenter = {offset * std::cos(a), offset * std::sin(a)};
    zone.circleRadius = (forward + reverse) / 2.0;
}

std::vector<ZoneSegment> LensArcs(const LensValues& lens) {
    double forward = lens[0], angle = lens[1], ratio = lens[2], reverse = lens[3];
    if (!std::isfinite(forward) || !std::isfinite(angle) || !std::isfinite(reverse)) return {};
    double length = forward + reverse;
    if (!(length > 0.0)) return {};
    if (!std::isfinite(ratio) || !(ratio > 0.0)) ratio = 0.5;
    ratio = std::min(ratio, 1.0);
    double a = angle * kPi / 180.0;
    RxPoint u{std::cos(a), std::sin(a)}, n{-std::sin(a), std::cos(a)};
    RxPoint tipF{forward * u.r, forward * u.x}, tipB{-reverse * u.r, -reverse * u.x};
    RxPoint mid{(tipF.r + tipB.r) / 2.0, (tipF.x + tipB.x) / 2.0};
    double half = length / 2.0, bulge = ratio * half;
    // The circle through both tips and the apex mid ± bulge·n; its centre lies on the far side.
    double radius = (half * half + bulge * bulge) / (2.0 * bulge);
    double back = radius - bulge;
    auto angleTo = [](RxPoint from, RxPoint to) {
        return std::atan2(to.x - from.x, to.r - from.r) * 180.0 / kPi;
    };
    RxPoint cPlus{mid.r - back * n.r, mid.x - back * n.x};   // centre of the arc on the +n side
    RxPoint cMinus{mid.r + back * n.r, mid.x + back * n.x};  // centre of the arc on the -n side
    return {ZoneSegment::Arc(cPlus, radius, angleTo(cPlus, tipF), angleTo(cPlus, tipB)),
            ZoneSegment::Arc(cMinus, radius, angleTo(cMinus, tipB), angleTo(cMinus, tipF))};
}

std::vector<ZoneSegment> ZonePieces(const CharacteristicZone& zone) {
    std::vector<ZoneSegment> pieces;
    switch (zone.shape) {
        case ZoneShape::kCircle:
            pieces.push_back(ZoneSegment::Arc(zone.circleCenter, zone.circleRadius, 0.0, 0.0));
            break;
        case ZoneShape::kLens:
            pieces = LensArcs(zone.lens);
            break;
        case ZoneShape::kBoundary:
            pieces = zone.boundary;
            break;
    }
    std::vector<ZoneSegment> drawn;
    drawn.reserve(pieces.size());
    for (ZoneSegment s : pieces) {
        if (s.type == ZoneSegment::Type::kLine) {
            if (!Finite(s.from) || !Finite(s.to)) continue;
            if (zone.inverted) {
                s.from = Mirror(s.from);
                s.to = Mirror(s.to);
            }
        } else {
            if (!Finite(s.center) || !std::isfinite(s.radius) || !(s.radius > 0.0) ||
                !std::isfinite(s.startAngle) || !std::isfinite(s.endAngle)) {
                continue;
            }
            if (zone.inverted) {
                s.center = Mirror(s.center);
                s.startAngle += 180.0;
                s.endAngle += 180.0;
            }
        }
        drawn.push_back(s);
    }
    return drawn;
}

std::vector<std::vector<RxPoint>> ZoneOutline(const CharacteristicZone& zone,
                                              double maxStepDegrees) {
    double step = std::isfinite(maxStepDegrees) ? std::clamp(maxStepDegrees, 0.1, 45.0) : 2.0;
    std::vector<std::vector<RxPoint>> outline;
    for (const ZoneSegment& s : ZonePieces(zone)) {
        if (s.type == ZoneSegment::Type::kLine) {
            outline.push_back({s.from, s.to});
            continue;
        }
        double sweep = Sweep(s);
        int n = static_cast<int>(std::ceil(std::fabs(sweep) / step));
        std::vector<RxPoint> line;
        line.reserve(n + 1);
        double start = NormalizedStart(s.startAngle);
        for (int i = 0; i <= n; ++i)
            line.push_back(OnCircle(s.center, s.radius, start + sweep * i / n));
        outline.push_back(std::move(line));
    }
    return outline;
}

RxExtents ZoneExtents(const CharacteristicZone& zone) {
    RxExtents e;
    for (const ZoneSegment& s : ZonePieces(zone)) {
        if (s.type == ZoneSegment::Type::kLine) {
            e.Add(s.from);
            e.Add(s.to);
            continue;
        }
        double start = NormalizedStart(s.startAngle);
        double sweep = Sweep(s);
        double lo = std::min(start, start + sweep), hi = std::max(start, start + sweep);
        e.Add(OnCircle(s.center, s.radius, start));
        e.Add(OnCircle(s.center, s.radius, start + sweep));
        // The arc reaches its extremes where it crosses the directions 0, 90, 180 and 270.
        for (int k = static_cast<int>(std::ceil(lo / 90.0)); k * 90.0 <= hi; ++k) {
            e.Add(OnCircle(s.center, s.radius, k * 90.0));
        }
    }
    return e;
}

RxExtents PlotRanges(const CharacteristicPlot& plot) {
    RxExtents e;
    e.Add(RxPoint{0.0, 0.0});
    for (const CharacteristicZone& zone : plot.zones)
        e.Add(ZoneExtents(zone));
    for (const TestPoint& point : plot.points)
        e.Add(point.at);
    double span = std::max(e.rMax - e.rMin, e.xMax - e.xMin);
    double margin = span > 0.0 && std::isfinite(span) ? span / 12.0 : 1.0;
    e.rMin -= margin;
    e.rMax += margin;
    e.xMin -= margin;
    e.xMax += margin;
    return e;
}

CGraph CharacteristicPlotToGraph(const CharacteristicPlot& plot) {
    CGraph g;
    g.axisType = "RX";
    RxExtents ranges = PlotRanges(plot);
    g.xMin = ranges.rMin;
    g.xMax = ranges.rMax;
    g.yMin = ranges.xMin;
    g.yMax = ranges.xMax;
    g.bkColor = plot.backgroundColor & 0xFFFFFF;
    g.lineColor = plot.lineColor & 0xFFFFFF;
    g.xAxisName = plot.rTitle;
    g.yAxisName = plot.xTitle;
    for (const CharacteristicZone& zone : plot.zones) {
        const int color = ZoneColor(zone);
        if (zone.shape == ZoneShape::kCircle) {
            RxPoint c = zone.inverted ? Mirror(zone.circleCenter) : zone.circleCenter;
            auto cx = Milli(c.r), cy = Milli(c.x), r = Milli(zone.circleRadius);
            if (!cx || !cy || !r || *r <= 0) continue;
            CGraphCircle circle;
            circle.centerX = *cx;
            circle.centerY = *cy;
            circle.radius = *r;
            circle.left = Milli(c.r - zone.circleRadius).value_or(0);
            circle.top = Milli(c.x + zone.circleRadius).value_or(0);
            circle.right = Milli(c.r + zone.circleRadius).value_or(0);
            circle.bottom = Milli(c.x - zone.circleRadius).value_or(0);
            circle.color = color;
            circle.drawStyle = zone.penStyle;
            circle.lineWidth = zone.lineWidth;
            g.circles.push_back(circle);
            continue;
        }
        for (const ZoneSegment& s : ZonePieces(zone)) {
            if (s.type == ZoneSegment::Type::kLine) {
                // Pieces are finite, so every coordinate converts.
                g.lines.push_back({Milli(s.from.r).value_or(0), Milli(s.from.x).value_or(0),
                                   Milli(s.to.r).value_or(0), Milli(s.to.x).value_or(0), color,
                                   zone.penStyle, zone.lineWidth});
                continue;
            }
            int r = Milli(s.radius).value_or(0);
            if (r <= 0) continue;
            CGraphArc arc;
            arc.centerX = Milli(s.center.r).value_or(0);
            arc.centerY = Milli(s.center.x).value_or(0);
            arc.radius = r;
            arc.startAngle = NormalizedStart(s.startAngle);
            arc.sweepAngle = Sweep(s);
            arc.color = color;
            arc.drawStyle = zone.penStyle;
            arc.lineWidth = zone.lineWidth;
            g.arcs.push_back(arc);
        }
    }
    for (const TestPoint& p : plot.points) {
        auto x = Milli(p.at.r), y = Milli(p.at.x);
        if (!x || !y) continue;
        CGraphPoint point;
        point.x = *x;
        point.y = *y;
        point.drawType = p.marker;
        point.pointDia = p.diameter;
        point.color = p.color & 0xFFFFFF;
        g.points.push_back(point);
    }
    return g;
}

namespace {

struct Fonts {
    QFont title, label, legend;
};

Fonts FontsFor(double f) {
    return {ArialFont(Trunc(15.0 * f), true), ArialFont(Trunc(12.0 * f), true),
            ArialFont(Trunc(12.0 * f), false)};
}

// Where a tick label or axis title actually shows inside its rectangle.
LabelBox TextBox(const CRecordingCanvas::Text& t, const QFontMetricsF& fm) {
    double w = fm.horizontalAdvance(QString::fromStdString(t.text));
    double h = fm.height();
    double left = t.rect.left, top = t.rect.top;
    double rw = t.rect.right - t.rect.left, rh = t.rect.bottom - t.rect.top;
    if (t.align == kAlignCenterTop) return {left + (rw - w) / 2.0, top, w, h};
    if (t.align == kAlignRightMiddle) return {left + rw - w, top + (rh - h) / 2.0, w, h};
    if (t.align == kAlignLeftMiddle) return {left, top + (rh - h) / 2.0, w, h};
    return {left + (rw - w) / 2.0, top + (rh - h) / 2.0, w, h};
}

std::vector<PlacedZoneLabel> PlaceZoneLabels(const GraphLayout& layout,
                                             const CharacteristicPlot& plot, const Fonts& fonts,
                                             const QPaintDevice* device, double f) {
    const CanvasRect& pr = layout.plot;
    CLabelPlacer placer(
        {pr.left + 2.0, pr.top + 2.0, pr.right - pr.left - 4.0, pr.bottom - pr.top - 4.0});
    auto pixel = [&layout](RxPoint p) {
        return LabelPoint{layout.PixelX(p.r), layout.PixelY(p.x)};
    };
    std::vector<std::vector<std::vector<LabelPoint>>> outlines;
    for (const CharacteristicZone& zone : plot.zones) {
        std::vector<std::vector<LabelPoint>> outline;
        for (const auto& line : ZoneOutline(zone)) {
            std::vector<LabelPoint> pixels;
            pixels.reserve(line.size());
            for (RxPoint p : line)
                pixels.push_back(pixel(p));
            placer.AddLine(pixels);
            outline.push_back(std::move(pixels));
        }
        outlines.push_back(std::move(outline));
    }
    const LabelPoint origin{layout.originX, layout.originY};
    placer.AddLine({{double(pr.left), origin.y}, {double(pr.right), origin.y}});
    placer.AddLine({{origin.x, double(pr.top)}, {origin.x, double(pr.bottom)}});

    // Tick labels and titles, where the axes will put them.
    CRecordingCanvas axes;
    RxAxes input =
        RxAxesOf(layout, AnsiToUtf8(plot.rTitle), AnsiToUtf8(plot.xTitle), plot.lineColor);
    DrawRAxis(input, axes);
    DrawXAxis(input, axes);
    QFontMetricsF tickMetrics(ArialFont(layout.tickFontHeight, false), device);
    QFontMetricsF titleMetrics(ArialFont(layout.titleFontHeight, true), device);
    for (const CRecordingCanvas::Text& t : axes.texts) {
        placer.AddObstacle(TextBox(t, t.role == FontRole::kTick ? tickMetrics : titleMetrics));
    }
    for (const TestPoint& p : plot.points) {
        LabelPoint at = pixel(p.at);
        double r = std::clamp(p.diameter, 1, 100) * f / 2.0 + 2.0;
        placer.AddObstacle({at.x - r, at.y - r, 2.0 * r, 2.0 * r});
    }

    QFontMetricsF fm(fonts.label, device);
    std::vector<PlacedZoneLabel> placed;
    for (size_t i = 0; i < plot.zones.size() && i < kMaxLabelledZones; ++i) {
        const CharacteristicZone& zone = plot.zones[i];
        if (zone.label.empty()) continue;
        QString text = FromAnsi(zone.label);
        double w = fm.horizontalAdvance(text) + 6.0 * f, h = fm.height() + 2.0 * f;
        // Labels lean away from the origin, toward where the zone itself lies.
        double sx = 0.0, sy = 0.0;
        int count = 0;
        for (const auto& line : outlines[i]) {
            for (LabelPoint p : line) {
                if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
                sx += p.x;
                sy += p.y;
                ++count;
            }
        }
        LabelPoint preferred{0.0, -1.0};
        if (count > 0) {
            double dx = sx / count - origin.x, dy = sy / count - origin.y;
            double len = std::hypot(dx, dy);
            if (len > 1.0 && std::isfinite(len)) preferred = {dx / len, dy / len};
        }
        std::optional<LabelBox> box = placer.Place(w, h, outlines[i], preferred);
        if (box) placed.push_back({i, QRectF(box->left, box->top, box->width, box->height)});
    }
    return placed;
}

}  // namespace

CharacteristicLayout LayoutCharacteristicPlot(const CharacteristicPlot& plot, const QRect& area,
                                              double sizeFactor, const QPaintDevice* device) {
    const double f = Factor(sizeFactor);
    const Fonts fonts = FontsFor(f);
    CharacteristicLayout out;

    QRect inner = area;
    if (!plot.title.empty()) {
        QFontMetricsF fm(fonts.title, device);
        int height = static_cast<int>(std::ceil(fm.height() + 8.0 * f));
        out.title = QRect(area.left(), area.top() + Trunc(4.0 * f), area.width(), height);
        inner.setTop(area.top() + height);
    }

    if (plot.legend) {
        for (size_t i = 0; i < plot.zones.size() && i < kMaxLabelledZones; ++i) {
            if (!plot.zones[i].label.empty()) out.legendZones.push_back(i);
        }
    }
    QFontMetricsF lm(fonts.legend, device);
    const double pad = 6.0 * f, gap = 10.0 * f;
    out.legendSwatch = 26.0 * f;
    out.legendRowHeight = std::ceil(lm.height() + 5.0 * f);
    double textW = 0.0;
    for (size_t i : out.legendZones) {
        textW = std::max(textW, lm.horizontalAdvance(FromAnsi(plot.zones[i].label)));
    }
    out.legendColumnWidth = std::ceil(pad + out.legendSwatch + 6.0 * f + textW + pad);
    const double rowH = out.legendRowHeight, colW = out.legendColumnWidth;

    const AxisMargins m = RxAxisMargins(f);
    const double W = inner.width(), H = inner.height();
    auto sideFor = [&](double legendW, double legendH) {
        double side = std::min(W - m.left - m.right - legendW, H - m.top - m.bottom - legendH);
        return side - std::fmod(std::max(side, 0.0), 12.0);
    };
    // Beside the plane or below it, whichever leaves the larger plane.
    double side = sideFor(0.0, 0.0);
    bool legendRight = true;
    double legendW = 0.0, legendH = 0.0;
    if (!out.legendZones.empty()) {
        const int n = static_cast<int>(out.legendZones.size());
        int rowsRight = std::clamp(static_cast<int>((H - m.top - 2.0 * pad) / rowH), 1, n);
        int colsRight = (n + rowsRight - 1) / rowsRight;
        int colsBelow = std::clamp(static_cast<int>((W - 2.0 * pad) / colW), 1, n);
        int rowsBelow = (n + colsBelow - 1) / colsBelow;
        double sideRight = sideFor(gap + colsRight * colW, 0.0);
        double sideBelow = sideFor(0.0, gap + rowsBelow * rowH + 2.0 * pad);
        legendRight = sideRight >= sideBelow;
        out.legendRows = legendRight ? rowsRight : rowsBelow;
        int cols = legendRight ? colsRight : colsBelow;
        legendW = cols * colW;
        legendH = out.legendRows * rowH + 2.0 * pad;
        side = std::max(sideRight, sideBelow);
    }
    side = std::max(side, 12.0);

    // The plane and its legend form one block, centred in the area.
    const double graphW = side + m.left + m.right, graphH = side + m.top + m.bottom;
    QRect graphArea;
    if (out.legendZones.empty() || legendRight) {
        double blockW = graphW + (out.legendZones.empty() ? 0.0 : gap + legendW);
        double x = inner.left() + std::max(0.0, (W - blockW) / 2.0);
        double y = inner.top() + std::max(0.0, (H - graphH) / 2.0);
        graphArea = QRect(Trunc(x), Trunc(y), Trunc(graphW), Trunc(graphH));
        if (!out.legendZones.empty()) {
            out.legend = QRectF(graphArea.left() + graphW + gap, y + m.top, legendW, legendH);
        }
    } else {
        double blockH = graphH + gap + legendH;
        double x = inner.left() + std::max(0.0, (W - graphW) / 2.0);
        double y = inner.top() + std::max(0.0, (H - blockH) / 2.0);
        graphArea = QRect(Trunc(x), Trunc(y), Trunc(graphW), Trunc(graphH));
        out.legend = QRectF(inner.left() + std::max(0.0, (W - legendW) / 2.0), y + graphH + gap,
                            legendW, legendH);
    }

    RxExtents ranges = PlotRanges(plot);
    out.plane = LayoutRxGraph(ranges.rMin, ranges.rMax, ranges.xMin, ranges.xMax,
                              ToCanvasRect(graphArea), f);
    out.labels = PlaceZoneLabels(out.plane, plot, fonts, device, f);
    return out;
}

void DrawCharacteristicPlot(QPainter& painter, const QRect& area, const CharacteristicPlot& plot,
                            double sizeFactor) {
    if (!painter.isActive()) return;
    const double f = Factor(sizeFactor);
    const Fonts fonts = FontsFor(f);
    const CharacteristicLayout layout = LayoutCharacteristicPlot(plot, area, f, painter.device());
    const CGraph graph = CharacteristicPlotToGraph(plot);

    painter.save();
    painter.fillRect(area, ToQColor(plot.backgroundColor));
    if (!layout.title.isEmpty()) {
        painter.setFont(fonts.title);
        painter.setPen(ToQColor(plot.lineColor));
        painter.drawText(layout.title, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                         FromAnsi(plot.title));
    }
    PaintGraphAxes(painter, layout.plane, graph);
    PaintGraphShapes(painter, layout.plane, graph);

    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setFont(fonts.label);
    QColor back = ToQColor(plot.backgroundColor);
    back.setAlpha(225);  // the grid shows faintly through, zone lines do not run under labels
    for (const PlacedZoneLabel& label : layout.labels) {
        const CharacteristicZone& zone = plot.zones[label.zone];
        painter.setPen(Qt::NoPen);
        painter.setBrush(back);
        painter.drawRoundedRect(label.box, 2.0 * f, 2.0 * f);
        painter.setPen(ToQColor(ZoneColor(zone)));
        painter.drawText(label.box, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip,
                         FromAnsi(zone.label));
    }

    if (!layout.legendZones.empty()) {
        const double pad = 6.0 * f;
        painter.setPen(MakePen(0, Trunc(f), GridColor(graph)));
        painter.setBrush(ToQColor(plot.backgroundColor));
        painter.drawRect(layout.legend);
        painter.setFont(fonts.legend);
        for (size_t i = 0; i < layout.legendZones.size(); ++i) {
            const CharacteristicZone& zone = plot.zones[layout.legendZones[i]];
            int col = static_cast<int>(i) / layout.legendRows;
            int row = static_cast<int>(i) % layout.legendRows;
            double x = layout.legend.left() + col * layout.legendColumnWidth + pad;
            double y = layout.legend.top() + pad + row * layout.legendRowHeight;
            double mid = y + layout.legendRowHeight / 2.0;
            painter.setPen(MakePen(zone.penStyle, Trunc(std::clamp(zone.lineWidth, 0, 100) * f),
                                   ZoneColor(zone)));
            painter.drawLine(QPointF(x, mid), QPointF(x + layout.legendSwatch, mid));
            painter.setPen(ToQColor(plot.lineColor));
            double textX = x + layout.legendSwatch + 6.0 * f;
            painter.drawText(
                QRectF(textX, y, layout.legend.right() - textX, layout.legendRowHeight),
                Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, FromAnsi(zone.label));
        }
    }
    painter.restore();
}

bool RenderCharacteristicPlot(const CharacteristicPlot& plot, const std::string& path, QSize size,
                              std::string* error, double sizeFactor) {
    auto fail = [error](std::string message) {
        if (error) *error = std::move(message);
        return false;
    };
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        return fail("plotting needs a QGuiApplication");
    }
    if (size.width() < 1 || size.height() < 1 || size.width() > kMaxImageSide ||
        size.height() > kMaxImageSide) {
        return fail(CFormat("image size %dx%d is outside 1..%d", size.width(), size.height(),
                            kMaxImageSide));
    }
    size_t slash = path.find_last_of('/');
    size_t dot = path.find_last_of('.');
    std::string extension;
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        extension = path.substr(dot);
    }
    std::string lower = extension;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QRect area(QPoint(0, 0), size);
    if (lower == ".png") {
        QImage image(size, QImage::Format_RGB32);
        if (image.isNull()) {
            return fail(CFormat("cannot make a %dx%d image", size.width(), size.height()));
        }
        image.fill(ToQColor(plot.backgroundColor));
        QPainter painter(&image);
        DrawCharacteristicPlot(painter, area, plot, sizeFactor);
        painter.end();
        image.save(&buffer, "PNG");
    } else if (lower == ".svg") {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        // The file states its size in millimetres; at 96 dots per inch browsers show it at size
        // pixels.
        svg.setResolution(96);
        svg.setSize(size);
        svg.setViewBox(area);
        svg.setTitle(FromAnsi(plot.title));
        QPainter painter(&svg);
        DrawCharacteristicPlot(painter, area, plot, sizeFactor);
        painter.end();
    } else if (lower == ".pdf") {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(72);
        pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(FromAnsi(plot.title));
        QPainter painter(&pdf);
        DrawCharacteristicPlot(painter, area, plot, sizeFactor);
        painter.end();
    } else {
        return fail("unknown plot file type \"" + extension + "\": use .png, .svg or .pdf");
    }
    buffer.close();
    if (bytes.isEmpty() ||
        !WriteFileAtomic(path, std::string_view(bytes.constData(), size_t(bytes.size())))) {
        return fail("cannot write " + path);
    }
    return true;
}

}  // namespace quorin
