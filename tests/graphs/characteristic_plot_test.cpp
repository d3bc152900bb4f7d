#include "graphs/characteristic_plot.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <limits>
#include <string>

#include "graphs/graph_layout.h"
#include "graphs/qt_drawing.h"
#include "platform/files.h"
#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

constexpr double kTol = 1e-9;

CharacteristicZone Quad(const char* label, double r, double x) {
    CharacteristicZone z;
    z.label = label;
    RxPoint a{0, 0}, b{r, -r * 0.2}, c{r + x * 0.25, x}, d{-x * 0.4, x};
    z.boundary = {ZoneSegment::Line(a, b), ZoneSegment::Line(b, c), ZoneSegment::Line(c, d),
                  ZoneSegment::Line(d, a)};
    return z;
}

// Zones 1 to 3, a MHO circle, a lens and an inverted reverse zone, with test points.
CharacteristicPlot DistancePlot() {
    CharacteristicPlot plot;
    plot.title = "Distance zones";
    for (int i = 0; i < 3; ++i) {
        plot.zones.push_back(Quad(i == 0 ? "Z1" : i == 1 ? "Z2" : "Z3", 4.0 + 4 * i, 6.0 + 6 * i));
        plot.zones.back().paletteIndex = i;
    }
    CharacteristicZone mho;
    mho.label = "MHO";
    mho.paletteIndex = 3;
    mho.penStyle = 1;
    SetCircleFromReach(mho, 22, 75, 2);
    plot.zones.push_back(mho);
    CharacteristicZone lens;
    lens.label = "Lens";
    lens.paletteIndex = 5;
    lens.shape = ZoneShape::kLens;
    lens.lens = {26, 75, 0.4, 3, 0};
    plot.zones.push_back(lens);
    CharacteristicZone reverse = Quad("Z4 rev", 3, 4);
    reverse.inverted = true;
    reverse.paletteIndex = 4;
    plot.zones.push_back(reverse);
    plot.points.push_back({{3, 4}, 0, kMarkerCross, 8});
    plot.points.push_back({{-2, -2}, 0, kMarkerCircle, 8});
    return plot;
}

void ExpectExtents(const RxExtents& e, double rMin, double rMax, double xMin, double xMax) {
    EXPECT_FALSE(e.empty);
    EXPECT_NEAR(e.rMin, rMin, 1e-6);
    EXPECT_NEAR(e.rMax, rMax, 1e-6);
    EXPECT_NEAR(e.xMin, xMin, 1e-6);
    EXPECT_NEAR(e.xMax, xMax, 1e-6);
}

TEST(CharacteristicZone, CircleFromReachPassesThroughBothReaches) {
    CharacteristicZone z;
    SetCircleFromReach(z, 10, 90, 2);
    EXPECT_EQ(z.shape, ZoneShape::kCircle);
    EXPECT_NEAR(z.circleCenter.r, 0.0, kTol);
    EXPECT_NEAR(z.circleCenter.x, 4.0, kTol);
    EXPECT_EQ(z.circleRadius, 6.0);
    ExpectExtents(ZoneExtents(z), -6, 6, -2, 10);
}

TEST(CharacteristicZone, InvertedZonesAreMirroredThroughTheOrigin) {
    CharacteristicZone circle;
    SetCircleFromReach(circle, 10, 90, 2);
    circle.inverted = true;
    ExpectExtents(ZoneExtents(circle), -6, 6, -10, 2);

    CharacteristicZone quad = Quad("Q", 5, 10);  // corners (0,0) (5,-1) (7.5,10) (-4,10)
    ExpectExtents(ZoneExtents(quad), -4, 7.5, -1, 10);
    quad.inverted = true;
    ExpectExtents(ZoneExtents(quad), -7.5, 4, -10, 1);
    std::vector<ZoneSegment> pieces = ZonePieces(quad);
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_NEAR(pieces[1].from.r, -5.0, kTol);
    EXPECT_NEAR(pieces[1].from.x, 1.0, kTol);

    CharacteristicZone arc;
    arc.boundary = {ZoneSegment::Arc({1, 2}, 3, 10, 80, false)};
    arc.inverted = true;
    pieces = ZonePieces(arc);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].center.r, -1.0);
    EXPECT_EQ(pieces[0].center.x, -2.0);
    EXPECT_EQ(pieces[0].startAngle, 190.0);
    EXPECT_EQ(pieces[0].endAngle, 260.0);
    EXPECT_FALSE(pieces[0].clockwise);
}

TEST(CharacteristicZone, ArcExtentsIncludeTheCrossedAxisDirections) {
    const struct {
        double start, end;
        bool clockwise;
        double rMin, rMax, xMin, xMax;
    } cases[] = {
        {45, 135, false, -std::sqrt(0.5), std::sqrt(0.5), std::sqrt(0.5), 1},  // over the top
        {45, 135, true, -1, 1, -1, std::sqrt(0.5)},  // the long way, under
        {350, 10, false, std::cos(10 * M_PI / 180), 1, -std::sin(10 * M_PI / 180),
         std::sin(10 * M_PI / 180)},    // across 0
        {30, 30, false, -1, 1, -1, 1},  // equal angles: a whole circle
    };
    for (const auto& c : cases) {
        CharacteristicZone z;
        z.boundary = {ZoneSegment::Arc({0, 0}, 1, c.start, c.end, c.clockwise)};
        SCOPED_TRACE(c.start);
        ExpectExtents(ZoneExtents(z), c.rMin, c.rMax, c.xMin, c.xMax);
    }
}

TEST(CharacteristicZone, LensRunsBetweenItsReachesWithTheGivenWidth) {
    LensValues lens{10, 90, 0.5, 2, 0};
    std::vector<ZoneSegment> arcs = LensArcs(lens);
    ASSERT_EQ(arcs.size(), 2u);
    // Both arcs pass through both tips (0, 10) and (0, -2).
    for (const ZoneSegment& a : arcs) {
        for (RxPoint tip : {RxPoint{0, 10}, RxPoint{0, -2}}) {
            EXPECT_NEAR(std::hypot(tip.r - a.center.r, tip.x - a.center.x), a.radius, 1e-9);
        }
    }
    CharacteristicZone z;
    z.shape = ZoneShape::kLens;
    z.lens = lens;
    ExpectExtents(ZoneExtents(z), -3, 3, -2, 10);  // width 0.5 x 12, centred on the axis

    z.lens = {10, 0, 1.0, 2, 0};  // ratio 1: the circle through both tips
    ExpectExtents(ZoneExtents(z), -2, 10, -6, 6);
    z.lens = {10, 0, -1.0, 2, 0};  // a ratio not above 0 counts as 0.5
    ExpectExtents(ZoneExtents(z), -2, 10, -3, 3);
    z.lens = {10, 0, 7.0, 2, 0};  // above 1 counts as 1
    ExpectExtents(ZoneExtents(z), -2, 10, -6, 6);

    EXPECT_TRUE(LensArcs({1, 0, 0.5, -1, 0}).empty());  // no length
    EXPECT_TRUE(LensArcs({std::nan(""), 0, 0.5, 1, 0}).empty());
    z.lens = {0, 0, 0, 0, 0};
    EXPECT_TRUE(ZoneExtents(z).empty);
}

TEST(CharacteristicZone, PiecesWithBadValuesAreLeftOut) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    CharacteristicZone z;
    z.boundary = {ZoneSegment::Line({0, 0}, {nan, 1}), ZoneSegment::Arc({0, 0}, 0, 0, 90),
                  ZoneSegment::Arc({0, 0}, -2, 0, 90), ZoneSegment::Arc({0, nan}, 1, 0, 90),
                  ZoneSegment::Line({1, 1}, {2, 2})};
    EXPECT_EQ(ZonePieces(z).size(), 1u);
    ExpectExtents(ZoneExtents(z), 1, 2, 1, 2);
    CharacteristicZone circle;
    SetCircleFromReach(circle, nan, 0, 0);
    EXPECT_TRUE(ZonePieces(circle).empty());
}

TEST(CharacteristicZone, OutlineFollowsArcsInSmallSteps) {
    CharacteristicZone z;
    z.boundary = {ZoneSegment::Arc({0, 0}, 5, 0, 90), ZoneSegment::Line({0, 5}, {0, 0})};
    auto outline = ZoneOutline(z, 10.0);
    ASSERT_EQ(outline.size(), 2u);
    ASSERT_EQ(outline[0].size(), 10u);  // 90 degrees in 9 steps
    EXPECT_NEAR(outline[0].front().r, 5.0, kTol);
    EXPECT_NEAR(outline[0].back().x, 5.0, kTol);
    for (RxPoint p : outline[0])
        EXPECT_NEAR(std::hypot(p.r, p.x), 5.0, kTol);
    EXPECT_EQ(outline[1].size(), 2u);
    EXPECT_EQ(ZoneOutline(z, std::nan(""))[0].size(), 46u);  // the default 2 degrees
}

TEST(CharacteristicPlot, RangesCoverZonesPointsAndOriginWithAMargin) {
    CharacteristicPlot plot;
    CharacteristicZone z;
    SetCircleFromReach(z, 10, 90, 2);  // R -6..6, X -2..10
    plot.zones.push_back(z);
    plot.points.push_back({{9, 1}, 0, kMarkerCross, 8});
    plot.points.push_back({{std::nan(""), 50}, 0, kMarkerCross, 8});  // ignored
    // R -6..9 and X -2..10: the larger span is 15, the margin 1.25.
    ExpectExtents(PlotRanges(plot), -7.25, 10.25, -3.25, 11.25);

    CharacteristicPlot far;
    CharacteristicZone away = Quad("Q", 2, 2);  // R -0.8..2.5, X -0.4..2
    for (ZoneSegment& s : away.boundary) {
        s.from.r += 100;
        s.to.r += 100;
    }
    far.zones.push_back(away);
    RxExtents e = PlotRanges(far);
    EXPECT_LT(e.rMin, 0.0);  // the origin stays in view
    EXPECT_GT(e.rMax, 102.5);

    ExpectExtents(PlotRanges(CharacteristicPlot()), -1, 1, -1, 1);
}

TEST(CharacteristicPlot, ZoneColoursComeFromARepeatingPaletteUnlessGiven) {
    CharacteristicZone z;
    z.paletteIndex = 12;
    EXPECT_EQ(ZoneColor(z), DefaultZoneColor(2));
    z.color = 0x123456;
    EXPECT_EQ(ZoneColor(z), 0x123456);
    EXPECT_EQ(DefaultZoneColor(-1), DefaultZoneColor(9));
}

TEST(CharacteristicPlotToGraph, CarriesShapesInThousandthsOfAnOhm) {
    CharacteristicPlot plot;
    plot.backgroundColor = 0xF0F0F0;
    plot.rTitle = "R";
    plot.xTitle = "X";
    CharacteristicZone quad = Quad("Q", 5, 10);
    quad.color = 0x0000FF;
    quad.penStyle = 1;
    quad.lineWidth = 3;
    quad.inverted = true;
    plot.zones.push_back(quad);
    CharacteristicZone circle;
    SetCircleFromReach(circle, 10, 90, 2);
    circle.paletteIndex = 1;
    plot.zones.push_back(circle);
    CharacteristicZone arc;
    arc.boundary = {ZoneSegment::Arc({1.0004, 2.0006}, 3.25, 350, 10, false),
                    ZoneSegment::Arc({0, 0}, 2, 10, 350, true)};
    plot.zones.push_back(arc);
    plot.points.push_back({{1.2345, -6.789}, 0x00FF00, kMarkerSquare, 7});

    CGraph g = CharacteristicPlotToGraph(plot);
    EXPECT_EQ(g.axisType, "RX");
    RxExtents ranges = PlotRanges(plot);
    EXPECT_EQ(g.xMin, ranges.rMin);
    EXPECT_EQ(g.yMax, ranges.xMax);
    EXPECT_EQ(g.bkColor, 0xF0F0F0);
    EXPECT_EQ(g.xAxisName, "R");
    EXPECT_EQ(g.yAxisName, "X");

    ASSERT_EQ(g.lines.size(), 4u);
    const CGraphLine& l = g.lines[1];  // (5,-1)-(7.5,10) mirrored
    EXPECT_EQ(std::vector<int>({l.x1, l.y1, l.x2, l.y2, l.color, l.drawStyle, l.lineWidth}),
              std::vector<int>({-5000, 1000, -7500, -10000, 0x0000FF, 1, 3}));
    ASSERT_EQ(g.circles.size(), 1u);
    const CGraphCircle& c = g.circles[0];
    EXPECT_EQ(std::vector<int>(
                  {c.centerX, c.centerY, c.radius, c.left, c.top, c.right, c.bottom, c.color}),
              std::vector<int>({0, 4000, 6000, -6000, 10000, 6000, -2000, DefaultZoneColor(1)}));
    ASSERT_EQ(g.arcs.size(), 2u);
    EXPECT_EQ(g.arcs[0].centerX, 1000);  // rounded to the nearest thousandth
    EXPECT_EQ(g.arcs[0].centerY, 2001);
    EXPECT_EQ(g.arcs[0].radius, 3250);
    EXPECT_EQ(g.arcs[0].startAngle, 350.0);
    EXPECT_EQ(g.arcs[0].sweepAngle, 20.0);
    EXPECT_EQ(g.arcs[1].startAngle, 10.0);
    EXPECT_EQ(g.arcs[1].sweepAngle, -20.0);
    ASSERT_EQ(g.points.size(), 1u);
    const CGraphPoint& p = g.points[0];
    EXPECT_EQ(std::vector<int>({p.x, p.y, p.drawType, p.pointDia, p.color}),
              std::vector<int>({1235, -6789, kMarkerSquare, 7, 0x00FF00}));
}

TEST(CharacteristicPlotToGraph, HugeValuesSaturateAndLensesBecomeArcs) {
    CharacteristicPlot plot;
    CharacteristicZone z;
    z.boundary = {ZoneSegment::Line({1e300, -1e300}, {0, 0})};
    plot.zones.push_back(z);
    CharacteristicZone lens;
    lens.shape = ZoneShape::kLens;
    lens.lens = {10, 90, 0.5, 2, 0};
    plot.zones.push_back(lens);
    CGraph g = CharacteristicPlotToGraph(plot);
    ASSERT_EQ(g.lines.size(), 1u);
    EXPECT_EQ(g.lines[0].x1, 2147483000);
    EXPECT_EQ(g.lines[0].y1, -2147483000);
    EXPECT_EQ(g.arcs.size(), 2u);
}

TEST(LayoutCharacteristicPlot, PlaneIsSquareLegendBesideAndLabelsApart) {
    CharacteristicPlot many;
    for (int i = 0; i < 24; ++i) {
        CharacteristicZone z;
        z.label = "Zone " + std::to_string(i + 1);
        z.paletteIndex = i;
        SetCircleFromReach(z, 2.0 + i, 60 + 5 * i, 0.5);
        many.zones.push_back(z);
    }
    const std::pair<CharacteristicPlot, QRect> cases[] = {
        {DistancePlot(), QRect(0, 0, 900, 620)},
        {DistancePlot(), QRect(0, 0, 667, 400)},
        {many, QRect(0, 0, 667, 400)},
    };
    for (const auto& [plot, area] : cases) {
        SCOPED_TRACE(area.width() + plot.zones.size());
        CharacteristicLayout l = LayoutCharacteristicPlot(plot, area);
        QRect plane = ToQRect(l.plane.plot);
        EXPECT_EQ(plane.width(), plane.height());
        EXPECT_DOUBLE_EQ(l.plane.xScale, l.plane.yScale);
        EXPECT_TRUE(area.contains(plane));
        for (const CharacteristicZone& z : plot.zones) {
            RxExtents e = ZoneExtents(z);
            EXPECT_GE(e.rMin, l.plane.xMin);
            EXPECT_LE(e.rMax, l.plane.xMax);
            EXPECT_GE(e.xMin, l.plane.yMin);
            EXPECT_LE(e.xMax, l.plane.yMax);
        }
        EXPECT_EQ(l.legendZones.size(), plot.zones.size());
        EXPECT_FALSE(l.legend.intersects(QRectF(plane)));
        EXPECT_TRUE(QRectF(area).contains(l.legend));
        EXPECT_EQ(l.title.isEmpty(), plot.title.empty());
        EXPECT_LE(l.title.bottom(), plane.top());
        for (size_t i = 0; i < l.labels.size(); ++i) {
            EXPECT_TRUE(QRectF(plane).contains(l.labels[i].box));
            for (size_t j = i + 1; j < l.labels.size(); ++j) {
                EXPECT_FALSE(l.labels[i].box.intersects(l.labels[j].box)) << i << " " << j;
            }
        }
    }
}

TEST(LayoutCharacteristicPlot, TallAreasPutTheLegendBelow) {
    CharacteristicLayout l = LayoutCharacteristicPlot(DistancePlot(), QRect(0, 0, 400, 700));
    EXPECT_GE(l.legend.top(), l.plane.plot.bottom);
    CharacteristicLayout wide = LayoutCharacteristicPlot(DistancePlot(), QRect(0, 0, 900, 500));
    EXPECT_GE(wide.legend.left(), wide.plane.plot.right);
}

TEST(LayoutCharacteristicPlot, UnlabelledZonesAndNoLegendLeaveThemOut) {
    CharacteristicPlot plot = DistancePlot();
    plot.zones[1].label.clear();
    plot.title.clear();
    CharacteristicLayout l = LayoutCharacteristicPlot(plot, QRect(0, 0, 900, 620));
    EXPECT_EQ(l.legendZones, (std::vector<size_t>{0, 2, 3, 4, 5}));
    EXPECT_EQ(l.labels.size(), 5u);
    EXPECT_TRUE(l.title.isEmpty());
    plot.legend = false;
    l = LayoutCharacteristicPlot(plot, QRect(0, 0, 900, 620));
    EXPECT_TRUE(l.legendZones.empty());
    EXPECT_TRUE(l.legend.isEmpty());
    EXPECT_EQ(l.labels.size(), 5u);
}

TEST(LayoutCharacteristicPlot, OnlyTheFirst64ZonesGetLabelsAndLegendEntries) {
    CharacteristicPlot plot;
    for (int i = 0; i < 70; ++i) {
        CharacteristicZone z;
        z.label = "Z";
        SetCircleFromReach(z, 1.0 + i, 0, 0);
        plot.zones.push_back(z);
    }
    CharacteristicLayout l = LayoutCharacteristicPlot(plot, QRect(0, 0, 1600, 1200));
    ASSERT_EQ(l.legendZones.size(), 64u);
    EXPECT_EQ(l.legendZones.back(), 63u);
    EXPECT_FALSE(l.labels.empty());
    for (const PlacedZoneLabel& label : l.labels)
        EXPECT_LT(label.zone, 64u);
}

TEST(DrawCharacteristicPlot, PaintsZonesInTheirColours) {
    CharacteristicPlot plot = DistancePlot();
    QImage image(900, 620, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    DrawCharacteristicPlot(painter, image.rect(), plot);
    painter.end();
    CharacteristicLayout l = LayoutCharacteristicPlot(plot, image.rect(), 1.0, &image);
    // The MHO circle's far point along 75 degrees, at 22 ohms.
    double r = 22 * std::cos(75 * M_PI / 180), x = 22 * std::sin(75 * M_PI / 180);
    QColor mho = ToQColor(DefaultZoneColor(3));
    bool found = false;
    for (int dy = -3; dy <= 3 && !found; ++dy) {
        for (int dx = -3; dx <= 3 && !found; ++dx) {
            QColor c = image.pixelColor(int(l.plane.PixelX(r)) + dx, int(l.plane.PixelY(x)) + dy);
            found = std::abs(c.red() - mho.red()) < 60 && std::abs(c.green() - mho.green()) < 60 &&
                    std::abs(c.blue() - mho.blue()) < 60;
        }
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));
}

TEST(RenderCharacteristicPlot, PngSvgAndPdfFilesByTheirExtension) {
    test::TempDir dir("plot");
    std::string error;
    ASSERT_TRUE(
        RenderCharacteristicPlot(DistancePlot(), dir.file("plot.PNG"), QSize(640, 480), &error))
        << error;
    QImage image(QString::fromStdString(dir.file("plot.PNG")));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(640, 480));
    int coloured = 0, dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            QColor c = image.pixelColor(x, y);
            if (c.saturation() > 100) ++coloured;
            if (c.value() < 80) ++dark;
        }
    }
    EXPECT_GT(coloured, 2000);  // zone lines and labels
    EXPECT_GT(dark, 500);       // axes, ticks, text

    for (const char* name : {"plot.svg", "plot.pdf"}) {
        ASSERT_TRUE(
            RenderCharacteristicPlot(DistancePlot(), dir.file(name), QSize(600, 400), &error))
            << error;
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(dir.file(name), bytes));
        EXPECT_EQ(bytes.substr(0, 5), std::string(name) == "plot.svg" ? "<?xml" : "%PDF-");
    }
    std::string svg;
    ASSERT_TRUE(ReadFileBytes(dir.file("plot.svg"), svg));
    // Labels and legend entries are real text.
    EXPECT_NE(svg.find(">Z1<"), std::string::npos);
    EXPECT_NE(svg.find(">Z4 rev<"), std::string::npos);
    EXPECT_NE(svg.find("viewBox=\"0 0 600 400\""), std::string::npos);
}

TEST(RenderCharacteristicPlot, FailuresSayWhyAndLeaveOldFilesAlone) {
    test::TempDir dir("plot");
    std::string error;
    EXPECT_FALSE(RenderCharacteristicPlot(DistancePlot(), "/nonexistent-quorin-dir/plot.png",
                                          QSize(100, 100), &error));
    EXPECT_EQ(error, "cannot write /nonexistent-quorin-dir/plot.png");

    const std::string existing = dir.file("keep.bmp");
    ASSERT_TRUE(WriteFileAtomic(existing, "old"));
    EXPECT_FALSE(RenderCharacteristicPlot(DistancePlot(), existing, QSize(100, 100), &error));
    EXPECT_EQ(error, "unknown plot file type \".bmp\": use .png, .svg or .pdf");
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(existing, bytes));
    EXPECT_EQ(bytes, "old");

    EXPECT_FALSE(
        RenderCharacteristicPlot(DistancePlot(), "/tmp/no.extension/plot", QSize(10, 10), &error));
    EXPECT_EQ(error, "unknown plot file type \"\": use .png, .svg or .pdf");

    EXPECT_FALSE(RenderCharacteristicPlot(DistancePlot(), dir.file("x.png"), QSize(0, 10), &error));
    EXPECT_EQ(error, "image size 0x10 is outside 1..20000");
    EXPECT_FALSE(RenderCharacteristicPlot(DistancePlot(), dir.file("x.png"), QSize(30000, 10),
                                          nullptr));  // no error text wanted
}

TEST(RenderCharacteristicPlot, BadZonesAndTinyImagesStillRender) {
    CharacteristicPlot plot;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    CharacteristicZone z;
    z.label = "bad";
    z.boundary = {ZoneSegment::Line({nan, 0}, {1, 1}), ZoneSegment::Arc({0, 0}, 1e300, 0, 90),
                  ZoneSegment::Line({-100000, -100000}, {5, 5})};
    plot.zones.push_back(z);
    CharacteristicZone empty;
    empty.label = std::string("\xD6\xD0\xCE\xC4");  // GBK text
    empty.shape = ZoneShape::kLens;
    plot.zones.push_back(empty);
    plot.points.push_back({{nan, nan}, 0, 42, -7});
    test::TempDir dir("plot");
    const std::string path = dir.file("bad.png");
    std::string error;
    EXPECT_TRUE(RenderCharacteristicPlot(plot, path, QSize(300, 200), &error)) << error;
    EXPECT_TRUE(RenderCharacteristicPlot(plot, path, QSize(1, 1), &error)) << error;
    EXPECT_TRUE(RenderCharacteristicPlot(plot, path, QSize(300, 200), &error, -1.0)) << error;
}

}  // namespace
}  // namespace quorin
