#include "graphs/rx_axes.h"

#include <cmath>
#include <cstdint>

#include "platform/numtext.h"

namespace quorin {
namespace {

constexpr int kMaxLinesPerSide = 59;
constexpr int kPenDot = 2;
constexpr int kPenSolid = 0;

// Truncation toward zero that saturates instead of overflowing (NaN gives 0), so absurd scales
// cannot reach undefined conversions.
int Trunc(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2.0e9) return 2000000000;
    if (value <= -2.0e9) return -2000000000;
    return static_cast<int>(value);
}

// Font heights enter pixel sums; bounding them keeps those sums inside int.
int FontHeight(int height) {
    if (height < 0) height = height < -100000 ? 100000 : -height;
    return height > 100000 ? 100000 : height;
}

double SizeFactor(const RxAxes& axes) {
    double f = axes.sizeFactor;
    return std::isfinite(f) && f > 0.0 ? f : 1.0;
}

bool Drawable(const RxAxes& a) {
    return a.plot.right > a.plot.left && a.plot.bottom > a.plot.top && std::isfinite(a.rMin) &&
           std::isfinite(a.rMax) && std::isfinite(a.xMin) && std::isfinite(a.xMax) &&
           std::isfinite(a.rScale) && std::isfinite(a.xScale);
}

// Position of zero between lo and hi, measured from the near edge as the plane is laid out by
// absolute values; pinned to an edge when zero lies outside the range.
double OriginOffset(double lo, double hi, double length) {
    if (lo > 0.0) return 0.0;
    if (hi < 0.0) return length;
    double sum = std::fabs(lo) + std::fabs(hi);
    return sum > 0.0 ? std::fabs(lo) * length / sum : 0.0;
}

std::string Label(const char* format, double value) {
    std::string text = CFormat(format, value);
    TrimZeros(text);
    return text;
}

// Derived values get a millionth of a pixel of tolerance: a layout that makes them whole numbers
// must not see them cut to the number below by rounding in the last bit.
int TruncDerived(double value) {
    return Trunc(value + 1e-6);
}

}  // namespace

RxAxesGeometry ComputeRxAxesGeometry(const RxAxes& a) {
    RxAxesGeometry g;
    if (!Drawable(a)) return g;
    double width = static_cast<double>(a.plot.right) - a.plot.left;
    double height = static_cast<double>(a.plot.bottom) - a.plot.top;
    g.x0 = TruncDerived(a.plot.left + OriginOffset(a.rMin, a.rMax, width));
    g.y0 = TruncDerived(a.plot.bottom - OriginOffset(a.xMin, a.xMax, height));
    g.sR = TruncDerived((a.rMax - a.rMin) / 6.0 * a.rScale);
    g.mR = TruncDerived((a.rMax - a.rMin) / 12.0 * a.rScale);
    g.sX = TruncDerived((a.xMax - a.xMin) / 6.0 * a.xScale);
    g.mX = TruncDerived((a.xMax - a.xMin) / 12.0 * a.xScale);
    return g;
}

void DrawRAxis(const RxAxes& a, CAxisCanvas& canvas) {
    if (!Drawable(a)) return;
    const double f = SizeFactor(a);
    const RxAxesGeometry g = ComputeRxAxesGeometry(a);
    const int left = a.plot.left, right = a.plot.right, top = a.plot.top, bottom = a.plot.bottom;
    const int hT = FontHeight(a.tickFontHeight), hA = FontHeight(a.titleFontHeight);
    const CanvasPen gridPen{kPenDot, Trunc(1.0 * f), a.gridColor};
    const CanvasPen tickPen{kPenSolid, Trunc(1.0 * f), 0};

    if (g.sR >= 1) {
        int64_t minor = g.mR;
        int k = 1;
        if (minor < 10) {
            minor *= 2;
            k = 2;
            if (minor < 10) {
                minor *= 2;
                k = 4;
            }
        }
        const double step = (a.rMax - a.rMin) / 6.0;
        for (int i = 0; i <= kMaxLinesPerSide; i += k) {
            int64_t x = int64_t{g.x0} + int64_t{i} * g.sR;
            if (x < right) canvas.DrawLine(int(x), top, int(x), bottom, gridPen);
        }
        for (int i = k; i <= kMaxLinesPerSide; i += k) {
            int64_t x = int64_t{g.x0} - int64_t{i} * g.sR;
            if (x > left) canvas.DrawLine(int(x), top, int(x), bottom, gridPen);
        }
        const int tickEnd = Trunc(g.y0 + 10.0 * f);
        const int minorEnd = Trunc(g.y0 + 6.0 * f);
        const int labelTop = Trunc(g.y0 + 10.0 * f);
        const int labelBottom = Trunc(double(g.y0) + hT + 10.0 * f);
        for (int i = 0; i <= kMaxLinesPerSide; i += k) {
            int64_t x = int64_t{g.x0} + int64_t{i} * g.sR;
            if (x >= right) continue;
            canvas.DrawLine(int(x), g.y0, int(x), tickEnd, tickPen);
            canvas.DrawText({Trunc(x - 30.0 * f), labelTop, Trunc(x + 30.0 * f), labelBottom},
                            kAlignCenterTop, FontRole::kTick, Label("%.2f", i * step));
            if (x + minor < right) {
                canvas.DrawLine(int(x + minor), g.y0, int(x + minor), minorEnd, tickPen);
            }
        }
        for (int i = k; i <= kMaxLinesPerSide; i += k) {
            int64_t x = int64_t{g.x0} - int64_t{i} * g.sR;
            if (x <= left) continue;
            canvas.DrawLine(int(x), g.y0, int(x), tickEnd, tickPen);
            canvas.DrawText({Trunc(x - 30.0 * f), labelTop, Trunc(x + 30.0 * f), labelBottom},
                            kAlignCenterTop, FontRole::kTick, Label("-%.2f", i * step));
            if (x - minor > left) {
                canvas.DrawLine(int(x - minor), g.y0, int(x - minor), minorEnd, tickPen);
            }
        }
    }
    canvas.DrawLine(left, g.y0, right, g.y0, tickPen);
    canvas.DrawText(
        {Trunc(right - 30.0 * f), Trunc(double(g.y0) - hA), Trunc(right + 20.0 * f), g.y0},
        kAlignRightMiddle, FontRole::kTitle, a.rTitle);
}

void DrawXAxis(const RxAxes& a, CAxisCanvas& canvas) {
    if (!Drawable(a)) return;
    const double f = SizeFactor(a);
    const RxAxesGeometry g = ComputeRxAxesGeometry(a);
    const int left = a.plot.left, right = a.plot.right, top = a.plot.top, bottom = a.plot.bottom;
    const int hT = FontHeight(a.tickFontHeight), hA = FontHeight(a.titleFontHeight);
    const CanvasPen gridPen{kPenDot, Trunc(1.0 * f), a.gridColor};
    const CanvasPen tickPen{kPenSolid, Trunc(1.0 * f), 0};

    if (g.sX >= 1) {
        for (int i = 1; i <= kMaxLinesPerSide; ++i) {
            int64_t y = int64_t{g.y0} + int64_t{i} * g.sX;
            if (y < bottom) canvas.DrawLine(left, int(y), right, int(y), gridPen);
        }
        for (int i = 1; i <= kMaxLinesPerSide; ++i) {
            int64_t y = int64_t{g.y0} - int64_t{i} * g.sX;
            if (y > top) canvas.DrawLine(left, int(y), right, int(y), gridPen);
        }
        const double step = (a.xMax - a.xMin) / 6.0;
        const int tickEnd = Trunc(g.x0 + 10.0 * f);
        const int minorEnd = Trunc(g.x0 + 6.0 * f);
        const int labelLeft = Trunc(g.x0 - 50.0 * f);
        const int labelRight = Trunc(g.x0 - f);
        for (int i = 1; i <= kMaxLinesPerSide; ++i) {
            int64_t y = int64_t{g.y0} + int64_t{i} * g.sX;
            if (y >= bottom) continue;
            canvas.DrawLine(g.x0, int(y), tickEnd, int(y), tickPen);
            canvas.DrawText({labelLeft, Trunc(double(y) - hT), labelRight, Trunc(double(y) + hT)},
                            kAlignRightMiddle, FontRole::kTick, Label("-%.2f", i * step));
            if (y + g.mX < bottom) {
                canvas.DrawLine(g.x0, int(y + g.mX), minorEnd, int(y + g.mX), tickPen);
            }
        }
        for (int i = 0; i <= kMaxLinesPerSide; ++i) {
            int64_t y = int64_t{g.y0} - int64_t{i} * g.sX;
            if (y <= top) continue;
            canvas.DrawLine(g.x0, int(y), tickEnd, int(y), tickPen);
            canvas.DrawText({labelLeft, Trunc(double(y) - hT), labelRight, Trunc(double(y) + hT)},
                            kAlignRightMiddle, FontRole::kTick, Label("%.2f", i * step));
            if (y - g.mX > top) {
                canvas.DrawLine(g.x0, int(y - g.mX), minorEnd, int(y - g.mX), tickPen);
            }
        }
    }
    canvas.DrawLine(g.x0, top, g.x0, bottom, tickPen);
    canvas.DrawText({Trunc(g.x0 - 4.0 * f), Trunc(a.titleRow - 16.0 * f), Trunc(g.x0 + 60.0 * f),
                     Trunc(a.titleRow - 6.0 * f + hA)},
                    kAlignLeftMiddle, FontRole::kTitle, a.xTitle);
}

void TrimZeros(std::string& text) {
    if (text.find('.') == std::string::npos) return;
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
}

}  // namespace quorin
