#include "graphs/graph_painter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <tuple>

#include "graphs/graph_description.h"
#include "graphs/graph_layout.h"
#include "graphs/qt_drawing.h"

namespace quorin {
namespace {

constexpr int kRed = 0x0000FF;  // 0x00BBGGRR
constexpr int kBlue = 0xFF0000;
const QRect kArea(0, 0, 667, 400);

CGraph Plane(double xMin = -10, double xMax = 20, double yMin = -5, double yMax = 15) {
    CGraph g;
    std::tie(g.xMin, g.xMax, g.yMin, g.yMax) = std::tuple(xMin, xMax, yMin, yMax);
    return g;
}

bool Near(QRgb pixel, int bgr) {
    QColor want = ToQColor(bgr), got(pixel);
    return std::abs(want.red() - got.red()) < 80 && std::abs(want.green() - got.green()) < 80 &&
           std::abs(want.blue() - got.blue()) < 80;
}

// A graph painted on black (which shows whether the background gets painted) and its layout.
struct Painted {
    explicit Painted(const CGraph& g, QRect area = kArea, double f = 1.0)
        : image(area.size(), QImage::Format_RGB32), l(LayoutGraph(g, ToCanvasRect(area), f)) {
        image.fill(Qt::black);
        QPainter painter(&image);
        PaintGraph(painter, area, g, f);
    }
    // Whether some pixel within radius of the plane point (r, x) has the colour.
    bool Has(double r, double x, int bgr, int radius = 2) const {
        const QPoint at(int(std::lround(l.PixelX(r))), int(std::lround(l.PixelY(x))));
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (image.rect().contains(at + QPoint(dx, dy)) &&
                    Near(image.pixel(at + QPoint(dx, dy)), bgr))
                    return true;
        return false;
    }
    QImage image;
    GraphLayout l;
};

TEST(PaintGraph, FillsTheBackgroundAndDrawsTheImpedanceAxes) {
    CGraph g = Plane();
    g.bkColor = 0xE0FFFF;  // light yellow
    Painted p(g);
    EXPECT_TRUE(Near(p.image.pixel(2, 2), 0xE0FFFF) && Near(p.image.pixel(665, 398), 0xE0FFFF));
    // The R axis runs through the origin row, the X axis through its column, both black.
    int y0 = int(p.l.originY), x0 = int(p.l.originX);
    EXPECT_TRUE(Near(p.image.pixel(p.l.plot.left + 3, y0), 0x000000));
    EXPECT_TRUE(Near(p.image.pixel(x0, p.l.plot.top + 3), 0x000000));
    EXPECT_FALSE(Near(p.image.pixel(x0 + 20, y0 - 20), 0x000000));
}

TEST(PaintGraph, ShapesLandOnTheirPlaneCoordinatesArcsTurnCounterClockwise) {
    CGraph g = Plane();
    g.lines.push_back({-5000, 3000, 12000, 3000, kRed, 0, 2});  // X = 3 from R -5 to 12
    g.circles.push_back({5000, 5000, 4000, 1000, 9000, 9000, 1000, kBlue, 0, 2});
    g.arcs.push_back({0, 0, 8000, 0.0, 90.0, 0x00A000, 0, 2});    // from +R to +X
    g.arcs.push_back({0, 0, 6000, 90.0, -90.0, 0x00A0A0, 0, 2});  // from +X back to +R
    g.arcs.push_back({0, 0, 9000, 180.0, 90.0, 0xA000A0, 0, 2});  // -R to -X
    g.points.push_back({15000, 10000, kMarkerDot, 8, 0x800080});
    Painted p(g);
    EXPECT_TRUE(p.Has(0.5, 3, kRed));
    EXPECT_TRUE(p.Has(11.5, 3, kRed));
    EXPECT_FALSE(p.Has(14, 3, kRed));  // beyond its end
    for (double deg : {0.0, 90.0, 200.0, 300.0}) {
        double a = deg * M_PI / 180.0;
        EXPECT_TRUE(p.Has(5 + 4 * std::cos(a), 5 + 4 * std::sin(a), kBlue)) << deg;
    }
    const double c = std::cos(M_PI / 4);
    EXPECT_TRUE(p.Has(8 * c, 8 * c, 0x00A000));
    EXPECT_FALSE(p.Has(8 * c, -8 * c, 0x00A000, 4));
    EXPECT_TRUE(p.Has(6 * c, 6 * c, 0x00A0A0));
    EXPECT_FALSE(p.Has(-6 * c, 6 * c, 0x00A0A0, 4));
    EXPECT_TRUE(p.Has(-9 * c, -9 * c, 0xA000A0));
    EXPECT_FALSE(p.Has(9 * c, -9 * c, 0xA000A0, 4));
    EXPECT_TRUE(p.Has(15, 10, 0x800080, 0));
}

TEST(PaintGraph, NothingIsDrawnOutsideThePlotAndHugeCirclesShowWhereTheyCrossIt) {
    CGraph g = Plane();
    g.lines.push_back({-1000000, 1000, 1000000, 1000, kRed, 0, 3});
    g.circles.push_back({0, 0, 400000, 0, 0, 0, 0, kRed, 0, 3});
    g.points.push_back({-900000, 0, kMarkerSquare, 8, kRed});
    // Centre 2,000,000 ohms to the right, radius 1,999,995: its edge passes R = 5 near X = 0.
    g.circles.push_back({2000000000, 0, 1999995000, 0, 0, 0, 0, kBlue, 0, 2});
    Painted p(g);
    QRect plot = ToQRect(p.l.plot).adjusted(-1, -1, 1, 1);
    int inside = 0;
    for (int y = 0; y < p.image.height(); ++y)
        for (int x = 0; x < p.image.width(); ++x)
            if (Near(p.image.pixel(x, y), kRed)) inside += plot.contains(x, y) ? 1 : -100000;
    EXPECT_GT(inside, 100);  // the line crosses the whole plot, nothing lies outside
    EXPECT_TRUE(p.Has(5, 4, kBlue) && p.Has(5, -4, kBlue));
    EXPECT_FALSE(p.Has(2, 4, kBlue, 4));
}

TEST(PaintGraph, PenStylesAndWidthsScaleWithTheSizeFactor) {
    CGraph g = Plane();
    g.lines.push_back({-5000, 3000, 12000, 3000, kRed, 0, 2});
    g.lines.push_back({-5000, 8000, 12000, 8000, kBlue, 2, 1});  // dotted
    Painted p(g, QRect(0, 0, 1334, 800), 2.0);
    // Two pixels wide at screen scale: four here.
    int column = int(p.l.PixelX(3)), thick = 0;
    for (int y = int(p.l.PixelY(3)) - 6; y <= int(p.l.PixelY(3)) + 6; ++y)
        thick += Near(p.image.pixel(column, y), kRed) ? 1 : 0;
    EXPECT_TRUE(thick >= 4 && thick <= 6) << thick;
    // The dotted line has gaps.
    int row = int(std::lround(p.l.PixelY(8))), on = 0, off = 0;
    for (int x = int(p.l.PixelX(0)); x < int(p.l.PixelX(10)); ++x) {
        bool hit = false;
        for (int dy = -2; dy <= 2; ++dy)
            hit = hit || Near(p.image.pixel(x, row + dy), kBlue);
        (hit ? on : off) += 1;
    }
    EXPECT_TRUE(on > 20 && off > 20) << on << " " << off;
}

TEST(PaintGraph, OtherAxisTypesGetAFrame) {
    CGraph g = Plane(0, 10, 0, 2);
    g.axisType = "IT";
    g.lineColor = kBlue;
    g.lines.push_back({0, 0, 10000, 2000, kRed, 0, 2});
    Painted p(g);
    const CanvasRect& r = p.l.plot;
    EXPECT_TRUE(Near(p.image.pixel(r.left, (r.top + r.bottom) / 2), kBlue) &&
                Near(p.image.pixel((r.left + r.right) / 2, r.bottom), kBlue));
    EXPECT_TRUE(p.Has(5, 1, kRed));
}

TEST(PaintGraph, BadInputDrawsWithoutCrashing) {
    CGraph g = Plane(std::nan(""), 20, -5, -1e308);
    g.lines.push_back({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, kRed, 99, -5});
    g.circles.push_back({0, 0, -5, 0, 0, 0, 0, kRed, -1, 1000000});
    g.arcs.push_back({0, 0, 1000, std::nan(""), 1e308, kRed, 0, 1});
    g.arcs.push_back({INT32_MAX, INT32_MIN, INT32_MAX, 1e300, -1e300, kRed, 0, 1});
    g.points.push_back({0, 0, 77, -3, kRed});
    EXPECT_TRUE(Near(Painted(g).image.pixel(1, 1), 0xFFFFFF));
    EXPECT_EQ(Painted(g, QRect(0, 0, 1, 1)).image.size(), QSize(1, 1));
    QPainter inactive;
    PaintGraph(inactive, kArea, g, 1.0);  // not active: nothing happens
}

}  // namespace
}  // namespace quorin
