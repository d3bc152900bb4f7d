#include "graphs/graph_painter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>

#include "graphs/graph_description.h"
#include "graphs/graph_layout.h"
#include "graphs/qt_drawing.h"

namespace quorin {
namespace {

constexpr int kRed = 0x0000FF;  // 0x00BBGGRR
constexpr int kBlue = 0xFF0000;
const QRect kArea(0, 0, 667, 400);

CGraph Plane() {
    CGraph g;
    g.xMin = -10;
    g.xMax = 20;
    g.yMin = -5;
    g.yMax = 15;
    return g;
}

QImage Paint(const CGraph& g, QRect area = kArea, double f = 1.0) {
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::black);  // shows whether the background gets painted
    QPainter painter(&image);
    PaintGraph(painter, area, g, f);
    return image;
}

bool Near(QRgb pixel, int bgr) {
    QColor want = ToQColor(bgr), got(pixel);
    return std::abs(want.red() - got.red()) < 80 && std::abs(want.green() - got.green()) < 80 &&
           std::abs(want.blue() - got.blue()) < 80;
}

// Whether some pixel within radius of (x, y) has the colour.
bool ColourNear(const QImage& image, double x, double y, int bgr, int radius = 2) {
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            QPoint p(int(std::lround(x)) + dx, int(std::lround(y)) + dy);
            if (image.rect().contains(p) && Near(image.pixel(p), bgr)) return true;
        }
    }
    return false;
}

TEST(PaintGraph, FillsTheBackgroundAndDrawsTheImpedanceAxes) {
    CGraph g = Plane();
    g.bkColor = 0xE0FFFF;  // light yellow
    QImage image = Paint(g);
    GraphLayout l = LayoutGraph(g, ToCanvasRect(kArea), 1.0);
    EXPECT_TRUE(Near(image.pixel(2, 2), 0xE0FFFF));
    EXPECT_TRUE(Near(image.pixel(665, 398), 0xE0FFFF));
    // The R axis runs through the origin row, the X axis through its column, both black.
    int y0 = int(l.originY), x0 = int(l.originX);
    EXPECT_TRUE(Near(image.pixel(l.plot.left + 3, y0), 0x000000));
    EXPECT_TRUE(Near(image.pixel(x0, l.plot.top + 3), 0x000000));
    EXPECT_FALSE(Near(image.pixel(x0 + 20, y0 - 20), 0x000000));
}

TEST(PaintGraph, ShapesLandOnTheirPlaneCoordinates) {
    CGraph g = Plane();
    g.lines.push_back({-5000, 3000, 12000, 3000, kRed, 0, 2});  // X = 3 from R -5 to 12
    g.circles.push_back({5000, 5000, 4000, 1000, 9000, 9000, 1000, kBlue, 0, 2});
    g.arcs.push_back({0, 0, 8000, 0.0, 90.0, 0x00A000, 0, 2});  // quarter from +R to +X
    g.points.push_back({15000, 10000, kMarkerDot, 8, 0x800080});
    QImage image = Paint(g);
    GraphLayout l = LayoutGraph(g, ToCanvasRect(kArea), 1.0);
    auto at = [&l](double r, double x) { return QPointF(l.PixelX(r), l.PixelY(x)); };

    EXPECT_TRUE(ColourNear(image, at(0.5, 3).x(), at(0.5, 3).y(), kRed));
    EXPECT_TRUE(ColourNear(image, at(11.5, 3).x(), at(11.5, 3).y(), kRed));
    EXPECT_FALSE(ColourNear(image, at(14, 3).x(), at(14, 3).y(), kRed));  // beyond its end
    for (double deg : {0.0, 90.0, 200.0, 300.0}) {
        double a = deg * M_PI / 180.0;
        QPointF p = at(5 + 4 * std::cos(a), 5 + 4 * std::sin(a));
        EXPECT_TRUE(ColourNear(image, p.x(), p.y(), kBlue)) << deg;
    }
    QPointF inArc = at(8 * std::cos(M_PI / 4), 8 * std::sin(M_PI / 4));
    QPointF offArc = at(8 * std::cos(-M_PI / 4), 8 * std::sin(-M_PI / 4));
    EXPECT_TRUE(ColourNear(image, inArc.x(), inArc.y(), 0x00A000));
    EXPECT_FALSE(ColourNear(image, offArc.x(), offArc.y(), 0x00A000, 4));
    EXPECT_TRUE(ColourNear(image, at(15, 10).x(), at(15, 10).y(), 0x800080, 0));
}

TEST(PaintGraph, ArcsRunCounterClockwiseForPositiveSweeps) {
    CGraph g = Plane();
    g.arcs.push_back({0, 0, 6000, 90.0, -90.0, kRed, 0, 2});   // clockwise from +X to +R
    g.arcs.push_back({0, 0, 9000, 180.0, 90.0, kBlue, 0, 2});  // -R to -X
    QImage image = Paint(g);
    GraphLayout l = LayoutGraph(g, ToCanvasRect(kArea), 1.0);
    double c = std::cos(M_PI / 4);
    EXPECT_TRUE(ColourNear(image, l.PixelX(6 * c), l.PixelY(6 * c), kRed));
    EXPECT_FALSE(ColourNear(image, l.PixelX(-6 * c), l.PixelY(6 * c), kRed, 4));
    EXPECT_TRUE(ColourNear(image, l.PixelX(-9 * c), l.PixelY(-9 * c), kBlue));
    EXPECT_FALSE(ColourNear(image, l.PixelX(9 * c), l.PixelY(-9 * c), kBlue, 4));
}

TEST(PaintGraph, NothingIsDrawnOutsideThePlot) {
    CGraph g = Plane();
    g.lines.push_back({-1000000, 1000, 1000000, 1000, kRed, 0, 3});
    g.circles.push_back({0, 0, 400000, 0, 0, 0, 0, kRed, 0, 3});
    g.points.push_back({-900000, 0, kMarkerSquare, 8, kRed});
    QImage image = Paint(g);
    GraphLayout l = LayoutGraph(g, ToCanvasRect(kArea), 1.0);
    QRect plot = ToQRect(l.plot);
    int inside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!Near(image.pixel(x, y), kRed)) continue;
            EXPECT_TRUE(plot.adjusted(-1, -1, 1, 1).contains(x, y)) << x << "," << y;
            ++inside;
        }
    }
    EXPECT_GT(inside, 100);  // the line crosses the whole plot
}

TEST(PaintGraph, HugeCircleShowsWhereItCrossesThePlot) {
    // Centre 2,000,000 ohms to the right, radius 1,999,995: its edge passes R = 5 near X = 0.
    CGraph g = Plane();
    g.circles.push_back({2000000000, 0, 1999995000, 0, 0, 0, 0, kBlue, 0, 2});
    QImage image = Paint(g);
    GraphLayout l = LayoutGraph(g, ToCanvasRect(kArea), 1.0);
    EXPECT_TRUE(ColourNear(image, l.PixelX(5), l.PixelY(4), kBlue));
    EXPECT_TRUE(ColourNear(image, l.PixelX(5), l.PixelY(-4), kBlue));
    EXPECT_FALSE(ColourNear(image, l.PixelX(2), l.PixelY(4), kBlue, 4));
}

TEST(PaintGraph, PenStylesAndWidthsScaleWithTheSizeFactor) {
    CGraph g = Plane();
    g.lines.push_back({-5000, 3000, 12000, 3000, kRed, 0, 2});
    g.lines.push_back({-5000, 8000, 12000, 8000, kBlue, 2, 1});  // dotted
    QRect area(0, 0, 1334, 800);
    QImage image = Paint(g, area, 2.0);
    GraphLayout l = LayoutGraph(g, ToCanvasRect(area), 2.0);
    // Two pixels wide at screen scale: four here.
    int column = int(l.PixelX(3)), thick = 0;
    for (int y = int(l.PixelY(3)) - 6; y <= int(l.PixelY(3)) + 6; ++y) {
        thick += Near(image.pixel(column, y), kRed) ? 1 : 0;
    }
    EXPECT_GE(thick, 4);
    EXPECT_LE(thick, 6);
    // The dotted line has gaps.
    int row = int(std::lround(l.PixelY(8))), on = 0, off = 0;
    for (int x = int(l.PixelX(0)); x < int(l.PixelX(10)); ++x) {
        bool hit = false;
        for (int dy = -2; dy <= 2; ++dy)
            hit = hit || Near(image.pixel(x, row + dy), kBlue);
        (hit ? on : off) += 1;
    }
    EXPECT_GT(on, 20);
    EXPECT_GT(off, 20);
}

TEST(PaintGraph, OtherAxisTypesGetAFrame) {
    CGraph g;
    g.axisType = "IT";
    g.xMin = 0;
    g.xMax = 10;
    g.yMin = 0;
    g.yMax = 2;
    g.lineColor = kBlue;
    g.lines.push_back({0, 0, 10000, 2000, kRed, 0, 2});
    QImage image = Paint(g);
    GraphLayout l = LayoutGraph(g, ToCanvasRect(kArea), 1.0);
    EXPECT_TRUE(Near(image.pixel(l.plot.left, (l.plot.top + l.plot.bottom) / 2), kBlue));
    EXPECT_TRUE(Near(image.pixel((l.plot.left + l.plot.right) / 2, l.plot.bottom), kBlue));
    EXPECT_TRUE(ColourNear(image, l.PixelX(5), l.PixelY(1), kRed));
}

TEST(PaintGraph, BadInputDrawsWithoutCrashing) {
    CGraph g = Plane();
    g.xMin = std::nan("");
    g.yMax = -1e308;
    g.lines.push_back({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, kRed, 99, -5});
    g.circles.push_back({0, 0, -5, 0, 0, 0, 0, kRed, -1, 1000000});
    g.arcs.push_back({0, 0, 1000, std::nan(""), 1e308, kRed, 0, 1});
    g.arcs.push_back({INT32_MAX, INT32_MIN, INT32_MAX, 1e300, -1e300, kRed, 0, 1});
    g.points.push_back({0, 0, 77, -3, kRed});
    QImage image = Paint(g);
    EXPECT_TRUE(Near(image.pixel(1, 1), 0xFFFFFF));
    QImage empty = Paint(g, QRect(0, 0, 1, 1));
    EXPECT_EQ(empty.size(), QSize(1, 1));

    QPainter inactive;
    PaintGraph(inactive, kArea, g, 1.0);  // not active: nothing happens
}

TEST(GridColor, FadesTheLineColourTowardTheBackground) {
    const struct {
        int line, back, grid;
    } cases[] = {
        {0x000000, 0xFFFFFF, 0xBFBFBF},
        {0xFFFFFF, 0x000000, 0x404040},
        {0x0000FF, 0xFFFFFF, 0xBFBFFF},
        {0x123456, 0x123456, 0x123456},
    };
    for (const auto& c : cases) {
        CGraph g;
        g.lineColor = c.line;
        g.bkColor = c.back;
        EXPECT_EQ(GridColor(g), c.grid) << std::hex << c.line;
    }
}

}  // namespace
}  // namespace quorin
