#include "graphs/graph_layout.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "graphs/graph_description.h"

namespace quorin {
namespace {

constexpr double kLimitBound = 1e12;

// Factors beyond 1000 would only overflow pixel sums; no device is that much finer than a screen.
double Factor(double f) {
    return std::isfinite(f) && f > 0.0 ? std::min(f, 1000.0) : 1.0;
}

int Ceil(double v) {
    return static_cast<int>(std::ceil(v));
}

int ClampInt(long long v) {
    return static_cast<int>(std::clamp(v, -2000000000LL, 2000000000LL));
}

void SanitizeRange(double& lo, double& hi) {
    if (!std::isfinite(lo)) lo = -10.0;
    if (!std::isfinite(hi)) hi = 10.0;
    lo = std::clamp(lo, -kLimitBound, kLimitBound);
    hi = std::clamp(hi, -kLimitBound, kLimitBound);
    if (lo > hi) std::swap(lo, hi);
}

// Grid cells of size step needed from zero out to value (value >= 0); a hair of tolerance keeps
// a limit that is already a multiple of the step from costing a whole extra cell.
int CellsTo(double value, double step) {
    return std::max(0, Ceil(value / step - 1e-9));
}

// The smallest round step with which both ranges (each containing zero) fit in six cells.
double RxStep(double rMin, double rMax, double xMin, double xMax) {
    static const double kMantissas[] = {1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0};
    double span = std::max(rMax - rMin, xMax - xMin);
    if (!(span > 0.0)) return 1.0;
    // Below a micro-ohm step the descriptions' thousandth-ohm coordinates show nothing anyway,
    // and pixel scales would grow without bound.
    span = std::max(span, 6e-6);
    double least = span / 6.0;
    double decade = std::pow(10.0, std::floor(std::log10(least)));
    // Six cells hold any range once the step reaches span / 4, at most two decades above.
    for (int e = 0; e < 3; ++e, decade *= 10.0) {
        for (double m : kMantissas) {
            double step = m * decade;
            if (step < least * (1.0 - 1e-12)) continue;
            if (CellsTo(-rMin, step) + CellsTo(rMax, step) <= 6 &&
                CellsTo(-xMin, step) + CellsTo(xMax, step) <= 6) {
                return step;
            }
        }
    }
    return span / 4.0;
}

// Six cells from the step; the cells left over go to the sides so that the data sits as near
// the middle as whole cells allow (ties favour the high side, where zones usually reach).
void RxRange(double& lo, double& hi, double step) {
    const int below = CellsTo(-lo, step);
    const int above = CellsTo(hi, step);
    const double middle = (lo + hi) / 2.0;
    int best = below;
    for (int b = below; b <= 6 - above; ++b) {
        double offset = std::fabs((6.0 - 2.0 * b) * step / 2.0 - middle);
        double bestOffset = std::fabs((6.0 - 2.0 * best) * step / 2.0 - middle);
        if (offset < bestOffset - 1e-9 * step) best = b;
    }
    lo = -best * step;
    hi = lo + 6.0 * step;
}

double NiceStep(double least) {
    if (!(least > 0.0) || !std::isfinite(least)) return 1.0;
    double decade = std::pow(10.0, std::floor(std::log10(least)));
    for (double m : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (m * decade >= least * (1.0 - 1e-12)) return m * decade;
    }
    return 10.0 * decade;
}

}  // namespace

bool IsRxAxisType(const std::string& axisType) {
    size_t b = axisType.find_first_not_of(" \t");
    size_t e = axisType.find_last_not_of(" \t");
    if (b == std::string::npos || e - b != 1) return false;
    return std::toupper(static_cast<unsigned char>(axisType[b])) == 'R' &&
           std::toupper(static_cast<unsigned char>(axisType[e])) == 'X';
}

AxisMargins RxAxisMargins(double sizeFactor) {
    double f = Factor(sizeFactor);
    int hT = std::max(1, static_cast<int>(12.0 * f));
    return {Ceil(52.0 * f), Ceil(18.0 * f), Ceil(26.0 * f), hT + Ceil(12.0 * f)};
}

GraphLayout LayoutRxGraph(double rMin, double rMax, double xMin, double xMax,
                          const CanvasRect& area, double sizeFactor) {
    GraphLayout l;
    l.rx = true;
    l.area = area;
    l.sizeFactor = Factor(sizeFactor);
    l.tickFontHeight = std::max(1, static_cast<int>(12.0 * l.sizeFactor));
    l.titleFontHeight = std::max(1, static_cast<int>(13.0 * l.sizeFactor));

    SanitizeRange(rMin, rMax);
    SanitizeRange(xMin, xMax);
    rMin = std::min(rMin, 0.0);
    rMax = std::max(rMax, 0.0);
    xMin = std::min(xMin, 0.0);
    xMax = std::max(xMax, 0.0);
    double step = RxStep(rMin, rMax, xMin, xMax);
    RxRange(rMin, rMax, step);
    RxRange(xMin, xMax, step);
    l.xMin = rMin;
    l.xMax = rMax;
    l.yMin = xMin;
    l.yMax = xMax;
    l.xStep = l.yStep = step;

    AxisMargins m = RxAxisMargins(l.sizeFactor);
    long long availW = static_cast<long long>(area.right) - area.left - m.left - m.right;
    long long availH = static_cast<long long>(area.bottom) - area.top - m.top - m.bottom;
    long long side = std::min(availW, availH);
    side -= side % 12;
    side = std::clamp(side, 12LL, 1000000000LL);
    long long left =
        area.left + static_cast<long long>(m.left) + std::max(0LL, (availW - side) / 2);
    long long top = area.top + static_cast<long long>(m.top) + std::max(0LL, (availH - side) / 2);
    l.plot.left = ClampInt(left);
    l.plot.top = ClampInt(top);
    l.plot.right = ClampInt(left + side);
    l.plot.bottom = ClampInt(top + side);
    side = std::min(l.plot.right - l.plot.left, l.plot.bottom - l.plot.top);
    l.xScale = l.yScale = static_cast<double>(side) / (6.0 * step);

    RxAxesGeometry g = ComputeRxAxesGeometry(RxAxesOf(l, "", "", 0));
    l.originX = g.x0;
    l.originY = g.y0;
    return l;
}

GraphLayout LayoutPlainGraph(double xMin, double xMax, double yMin, double yMax,
                             const CanvasRect& area, double sizeFactor) {
    GraphLayout l;
    l.area = area;
    l.sizeFactor = Factor(sizeFactor);
    double f = l.sizeFactor;
    l.tickFontHeight = std::max(1, static_cast<int>(12.0 * f));
    l.titleFontHeight = std::max(1, static_cast<int>(13.0 * f));
    SanitizeRange(xMin, xMax);
    SanitizeRange(yMin, yMax);
    if (xMax - xMin <= 1e-9) {
        xMin -= 1.0;
        xMax += 1.0;
    }
    if (yMax - yMin <= 1e-9) {
        yMin -= 1.0;
        yMax += 1.0;
    }
    l.xMin = xMin;
    l.xMax = xMax;
    l.yMin = yMin;
    l.yMax = yMax;
    l.xStep = NiceStep((xMax - xMin) / 5.0);
    l.yStep = NiceStep((yMax - yMin) / 5.0);

    long long left = area.left + static_cast<long long>(Ceil(52.0 * f));
    long long top = area.top + static_cast<long long>(Ceil(18.0 * f));
    long long right = area.right - static_cast<long long>(Ceil(16.0 * f));
    long long bottom =
        area.bottom - static_cast<long long>(l.tickFontHeight) - l.titleFontHeight - Ceil(16.0 * f);
    l.plot.left = ClampInt(left);
    l.plot.top = ClampInt(top);
    l.plot.right = ClampInt(std::max(left + 1, right));
    l.plot.bottom = ClampInt(std::max(top + 1, bottom));
    l.xScale = (static_cast<double>(l.plot.right) - l.plot.left) / (xMax - xMin);
    l.yScale = (static_cast<double>(l.plot.bottom) - l.plot.top) / (yMax - yMin);
    l.originX = l.plot.left - xMin * l.xScale;
    l.originY = l.plot.bottom + yMin * l.yScale;
    return l;
}

GraphLayout LayoutGraph(const CGraph& graph, const CanvasRect& area, double sizeFactor) {
    if (IsRxAxisType(graph.axisType)) {
        return LayoutRxGraph(graph.xMin, graph.xMax, graph.yMin, graph.yMax, area, sizeFactor);
    }
    return LayoutPlainGraph(graph.xMin, graph.xMax, graph.yMin, graph.yMax, area, sizeFactor);
}

RxAxes RxAxesOf(const GraphLayout& layout, const std::string& rTitleUtf8,
                const std::string& xTitleUtf8, int gridColor) {
    RxAxes a;
    a.plot = layout.plot;
    a.rMin = layout.xMin;
    a.rMax = layout.xMax;
    a.xMin = layout.yMin;
    a.xMax = layout.yMax;
    a.rScale = layout.xScale;
    a.xScale = layout.yScale;
    a.sizeFactor = layout.sizeFactor;
    a.gridColor = gridColor;
    a.tickFontHeight = layout.tickFontHeight;
    a.titleFontHeight = layout.titleFontHeight;
    a.rTitle = rTitleUtf8;
    a.xTitle = xTitleUtf8;
    a.titleRow = layout.plot.top;
    return a;
}

}  // namespace quorin
