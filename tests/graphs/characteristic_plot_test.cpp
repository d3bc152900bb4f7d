#include "graphs/characteristic_plot.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>

#include "graphs/graph_layout.h"
#include "graphs/qt_drawing.h"
#include "platform/files.h"
#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

const double kNan = std::numeric_limits<double>::quiet_NaN();

// Corners (0,0) (r,-r/5) (r+x/4,x) (-2x/5,x).
CharacteristicZone Quad(const char* label, double r, double x, bool inverted = false) {
    CharacteristicZone z;
    z.label = label;
    z.inverted = inverted;
    RxPoint a{0, 0}, b{r, -r * 0.2}, c{r + x * 0.25, x}, d{-x * 0.4, x};
    z.boundary = {ZoneSegment::Line(a, b), ZoneSegment::Line(b, c), ZoneSegment::Line(c, d),
                  ZoneSegment::Line(d, a)};
    return z;
}

CharacteristicZone Circle(double forward, double angle, double reverse, bool inverted = false) {
    CharacteristicZone z;
    SetCircleFromReach(z, forward, angle, reverse);
    z.inverted = inverted;
    return z;
}

CharacteristicZone Boundary(std::vector<ZoneSegment> pieces) {
    CharacteristicZone z;
    z.boundary = std::move(pieces);
    return z;
}

CharacteristicZone Lens(LensValues values) {
    CharacteristicZone z;
    z.shape = ZoneShape::kLens;
    z.lens = values;
    return z;
}

// Zones 1 to 3, a MHO circle, a lens and an inverted reverse zone, with test points.
CharacteristicPlot DistancePlot() {
    CharacteristicPlot plot;
    plot.title = "Distance zones";
    for (int i = 0; i < 3; ++i)
        plot.zones.push_back(Quad(i == 0 ? "Z1" : i == 1 ? "Z2" : "Z3", 4.0 + 4 * i, 6.0 + 6 * i));
    plot.zones.push_back(Circle(22, 75, 2));
    plot.zones.push_back(Lens({26, 75, 0.4, 3, 0}));
    plot.zones.push_back(Quad("Z4 rev", 3, 4, true));
    const char* labels[] = {"Z1", "Z2", "Z3", "MHO", "Lens", "Z4 rev"};
    for (int i = 0; i < 6; ++i) {
        plot.zones[i].label = labels[i];
        plot.zones[i].paletteIndex = i < 4 ? i : i == 4 ? 5 : 4;
    }
    plot.zones[3].penStyle = 1;
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

TEST(CharacteristicZone, ExtentsCoverCirclesQuadsArcsAndLensesAsDrawn) {
    const double c10 = std::cos(10 * M_PI / 180), s10 = std::sin(10 * M_PI / 180);
    const double h = std::sqrt(0.5);
    const std::tuple<CharacteristicZone, std::array<double, 4>> cases[] = {
        {Circle(10, 90, 2), {-6, 6, -2, 10}},        // through both reaches
        {Circle(10, 90, 2, true), {-6, 6, -10, 2}},  // inverted: mirrored through the origin
        {Quad("Q", 5, 10), {-4, 7.5, -1, 10}},
        {Quad("Q", 5, 10, true), {-7.5, 4, -10, 1}},
        // Arcs include the axis directions they cross.
        {Boundary({ZoneSegment::Arc({0, 0}, 1, 45, 135, false)}), {-h, h, h, 1}},  // the top
        {Boundary({ZoneSegment::Arc({0, 0}, 1, 45, 135, true)}), {-1, 1, -1, h}},  // long way
        {Boundary({ZoneSegment::Arc({0, 0}, 1, 350, 10, false)}), {c10, 1, -s10, s10}},
        {Boundary({ZoneSegment::Arc({0, 0}, 1, 30, 30, false)}), {-1, 1, -1, 1}},  // whole circle
        // Lenses run between their reaches: width 0.5 x 12, centred on the axis.
        {Lens({10, 90, 0.5, 2, 0}), {-3, 3, -2, 10}},
        {Lens({10, 0, 1.0, 2, 0}), {-2, 10, -6, 6}},   // ratio 1: the circle through both tips
        {Lens({10, 0, -1.0, 2, 0}), {-2, 10, -3, 3}},  // a ratio not above 0 counts as 0.5
        {Lens({10, 0, 7.0, 2, 0}), {-2, 10, -6, 6}},   // above 1 counts as 1
        // Pieces with bad values are left out.
        {Boundary({ZoneSegment::Line({0, 0}, {kNan, 1}), ZoneSegment::Arc({0, 0}, 0, 0, 90),
                   ZoneSegment::Arc({0, 0}, -2, 0, 90), ZoneSegment::Arc({0, kNan}, 1, 0, 90),
                   ZoneSegment::Line({1, 1}, {2, 2})}),
         {1, 2, 1, 2}},
    };
    for (const auto& [zone, e] : cases) {
        SCOPED_TRACE(&zone - &std::get<0>(cases[0]));
        ExpectExtents(ZoneExtents(zone), e[0], e[1], e[2], e[3]);
    }
    EXPECT_TRUE(ZoneExtents(Lens({0, 0, 0, 0, 0})).empty);
}

TEST(CharacteristicZone, PiecesAreMirroredWhenInvertedAndLeftOutWhenBad) {
    CharacteristicZone circle = Circle(10, 90, 2);
    EXPECT_NEAR(circle.circleCenter.r, 0.0, 1e-9);
    EXPECT_NEAR(circle.circleCenter.x, 4.0, 1e-9);
    EXPECT_EQ(std::pair(circle.shape, circle.circleRadius), std::pair(ZoneShape::kCircle, 6.0));

    std::vector<ZoneSegment> pieces = ZonePieces(Quad("Q", 5, 10, true));
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(std::pair(pieces[1].from.r, pieces[1].from.x), std::pair(-5.0, 1.0));
    CharacteristicZone arc = Boundary({ZoneSegment::Arc({1, 2}, 3, 10, 80, false)});
    arc.inverted = true;
    pieces = ZonePieces(arc);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(std::tuple(pieces[0].center.r, pieces[0].center.x, pieces[0].startAngle,
                         pieces[0].endAngle, pieces[0].clockwise),
              std::tuple(-1.0, -2.0, 190.0, 260.0, false));

    EXPECT_EQ(ZonePieces(
                  Boundary({ZoneSegment::Line({0, 0}, {kNan, 1}),
                            ZoneSegment::Arc({0, 0}, 0, 0, 90), ZoneSegment::Line({1, 1}, {2, 2})}))
                  .size(),
              1u);
    EXPECT_TRUE(ZonePieces(Circle(kNan, 0, 0)).empty());
}

TEST(CharacteristicZone, LensArcsPassThroughBothTipsAndNeedALength) {
    std::vector<ZoneSegment> arcs = LensArcs({10, 90, 0.5, 2, 0});
    ASSERT_EQ(arcs.size(), 2u);
    for (const ZoneSegment& a : arcs)
        for (RxPoint tip : {RxPoint{0, 10}, RxPoint{0, -2}})
            EXPECT_NEAR(std::hypot(tip.r - a.center.r, tip.x - a.center.x), a.radius, 1e-9);
    EXPECT_TRUE(LensArcs({1, 0, 0.5, -1, 0}).empty());  // no length
    EXPECT_TRUE(LensArcs({kNan, 0, 0.5, 1, 0}).empty());
}

TEST(CharacteristicZone, OutlineFollowsArcsInSmallSteps) {
    CharacteristicZone z =
        Boundary({ZoneSegment::Arc({0, 0}, 5, 0, 90), ZoneSegment::Line({0, 5}, {0, 0})});
    auto outline = ZoneOutline(z, 10.0);
    ASSERT_EQ(outline.size(), 2u);
    ASSERT_EQ(outline[0].size(), 10u);  // 90 degrees in 9 steps
    EXPECT_NEAR(outline[0].front().r, 5.0, 1e-9);
    EXPECT_NEAR(outline[0].back().x, 5.0, 1e-9);
    for (RxPoint p : outline[0])
        EXPECT_NEAR(std::hypot(p.r, p.x), 5.0, 1e-9);
    EXPECT_EQ(outline[1].size(), 2u);
    EXPECT_EQ(ZoneOutline(z, kNan)[0].size(), 46u);  // the default 2 degrees
}

TEST(CharacteristicPlot, RangesCoverZonesPointsAndOriginWithAMargin) {
    CharacteristicPlot plot;
    plot.zones.push_back(Circle(10, 90, 2));  // R -6..6, X -2..10
    plot.points.push_back({{9, 1}, 0, kMarkerCross, 8});
    plot.points.push_back({{kNan, 50}, 0, kMarkerCross, 8});  // ignored
    // R -6..9 and X -2..10: the larger span is 15, the margin 1.25.
    ExpectExtents(PlotRanges(plot), -7.25, 10.25, -3.25, 11.25);

    CharacteristicPlot far;
    far.zones.push_back(Quad("Q", 2, 2));  // R -0.8..2.5, X -0.4..2
    for (ZoneSegment& s : far.zones[0].boundary) {
        s.from.r += 100;
        s.to.r += 100;
    }
    RxExtents e = PlotRanges(far);
    EXPECT_LT(e.rMin, 0.0);  // the origin stays in view
    EXPECT_GT(e.rMax, 102.5);
    ExpectExtents(PlotRanges(CharacteristicPlot()), -1, 1, -1, 1);
}

TEST(CharacteristicPlot, ZoneColoursComeFromARepeatingPaletteUnlessGiven) {
    CharacteristicZone z;
    z.paletteIndex = 12;
    const int fromPalette = ZoneColor(z);
    z.color = 0x123456;
    EXPECT_EQ(std::pair(fromPalette, ZoneColor(z)), std::pair(DefaultZoneColor(2), 0x123456));
    EXPECT_EQ(DefaultZoneColor(-1), DefaultZoneColor(9));
}

TEST(CharacteristicPlotToGraph, CarriesShapesInThousandthsOfAnOhmAndSaturates) {
    CharacteristicPlot plot;
    std::tie(plot.backgroundColor, plot.rTitle, plot.xTitle) = std::tuple(0xF0F0F0, "R", "X");
    plot.zones = {Quad("Q", 5, 10, true), Circle(10, 90, 2),
                  Boundary({ZoneSegment::Arc({1.0004, 2.0006}, 3.25, 350, 10, false),
                            ZoneSegment::Arc({0, 0}, 2, 10, 350, true)}),
                  Lens({10, 90, 0.5, 2, 0}),
                  Boundary({ZoneSegment::Line({1e300, -1e300}, {0, 0})})};
    std::tie(plot.zones[0].color, plot.zones[0].penStyle, plot.zones[0].lineWidth) =
        std::tuple(0x0000FF, 1, 3);
    plot.zones[1].paletteIndex = 1;
    plot.points.push_back({{1.2345, -6.789}, 0x00FF00, kMarkerSquare, 7});

    CGraph g = CharacteristicPlotToGraph(plot);
    RxExtents ranges = PlotRanges(plot);
    EXPECT_EQ(std::tuple(g.axisType, g.xMin, g.yMax, g.bkColor, g.xAxisName, g.yAxisName),
              std::tuple("RX", ranges.rMin, ranges.xMax, 0xF0F0F0, "R", "X"));
    ASSERT_EQ(std::tuple(g.lines.size(), g.circles.size(), g.arcs.size(), g.points.size()),
              std::tuple(5u, 1u, 4u, 1u));  // the lens gives two arcs
    const CGraphLine& l = g.lines[1];       // (5,-1)-(7.5,10) mirrored
    EXPECT_EQ(std::vector<int>({l.x1, l.y1, l.x2, l.y2, l.color, l.drawStyle, l.lineWidth}),
              std::vector<int>({-5000, 1000, -7500, -10000, 0x0000FF, 1, 3}));
    EXPECT_EQ(std::pair(g.lines[4].x1, g.lines[4].y1), std::pair(2147483000, -2147483000));
    const CGraphCircle& c = g.circles[0];
    EXPECT_EQ(std::vector<int>(
                  {c.centerX, c.centerY, c.radius, c.left, c.top, c.right, c.bottom, c.color}),
              std::vector<int>({0, 4000, 6000, -6000, 10000, 6000, -2000, DefaultZoneColor(1)}));
    // Rounded to the nearest thousandth.
    EXPECT_EQ(std::tuple(g.arcs[0].centerX, g.arcs[0].centerY, g.arcs[0].radius,
                         g.arcs[0].startAngle, g.arcs[0].sweepAngle),
              std::tuple(1000, 2001, 3250, 350.0, 20.0));
    EXPECT_EQ(std::pair(g.arcs[1].startAngle, g.arcs[1].sweepAngle), std::pair(10.0, -20.0));
    const CGraphPoint& p = g.points[0];
    EXPECT_EQ(std::vector<int>({p.x, p.y, p.drawType, p.pointDia, p.color}),
              std::vector<int>({1235, -6789, kMarkerSquare, 7, 0x00FF00}));
}

// Labelled circles of growing reach, turning by angleStep.
CharacteristicPlot Circles(int count, double first, double angle, double angleStep, double back) {
    CharacteristicPlot plot;
    for (int i = 0; i < count; ++i) {
        plot.zones.push_back(Circle(first + i, angle + angleStep * i, back));
        plot.zones.back().label = "Zone " + std::to_string(i + 1);
        plot.zones.back().paletteIndex = i;
    }
    return plot;
}

TEST(LayoutCharacteristicPlot, PlaneIsSquareLegendBesideOrBelowAndLabelsApart) {
    const CharacteristicPlot many = Circles(24, 2, 60, 5, 0.5);
    const std::tuple<CharacteristicPlot, QRect, bool> cases[] = {
        // legend below
        {DistancePlot(), QRect(0, 0, 900, 620), false},
        {DistancePlot(), QRect(0, 0, 667, 400), false},
        {DistancePlot(), QRect(0, 0, 900, 500), false},
        {DistancePlot(), QRect(0, 0, 400, 700), true},
        {many, QRect(0, 0, 667, 400), false},
    };
    for (const auto& [plot, area, below] : cases) {
        SCOPED_TRACE(area.width() + plot.zones.size());
        CharacteristicLayout l = LayoutCharacteristicPlot(plot, area);
        QRect plane = ToQRect(l.plane.plot);
        EXPECT_EQ(plane.width(), plane.height());
        EXPECT_DOUBLE_EQ(l.plane.xScale, l.plane.yScale);
        EXPECT_TRUE(area.contains(plane));
        for (const CharacteristicZone& z : plot.zones) {
            RxExtents e = ZoneExtents(z);
            EXPECT_TRUE(e.rMin >= l.plane.xMin && e.rMax <= l.plane.xMax);
            EXPECT_TRUE(e.xMin >= l.plane.yMin && e.xMax <= l.plane.yMax);
        }
        EXPECT_EQ(l.legendZones.size(), plot.zones.size());
        EXPECT_TRUE(QRectF(area).contains(l.legend));
        EXPECT_TRUE(below ? l.legend.top() >= l.plane.plot.bottom
                          : l.legend.left() >= l.plane.plot.right);
        EXPECT_EQ(l.title.isEmpty(), plot.title.empty());
        EXPECT_LE(l.title.bottom(), plane.top());
        for (size_t i = 0; i < l.labels.size(); ++i) {
            EXPECT_TRUE(QRectF(plane).contains(l.labels[i].box));
            for (size_t j = i + 1; j < l.labels.size(); ++j)
                EXPECT_FALSE(l.labels[i].box.intersects(l.labels[j].box)) << i << " " << j;
        }
    }
}

TEST(LayoutCharacteristicPlot, UnlabelledZonesAndNoLegendLeaveThemOut) {
    CharacteristicPlot plot = DistancePlot();
    plot.zones[1].label.clear();
    plot.title.clear();
    CharacteristicLayout l = LayoutCharacteristicPlot(plot, QRect(0, 0, 900, 620));
    EXPECT_EQ(std::tuple(l.legendZones, l.labels.size(), l.title.isEmpty()),
              std::tuple(std::vector<size_t>{0, 2, 3, 4, 5}, 5u, true));
    plot.legend = false;
    l = LayoutCharacteristicPlot(plot, QRect(0, 0, 900, 620));
    EXPECT_EQ(std::tuple(l.legendZones.size(), l.legend.isEmpty(), l.labels.size()),
              std::tuple(0u, true, 5u));
}

TEST(LayoutCharacteristicPlot, OnlyTheFirst64ZonesGetLabelsAndLegendEntries) {
    CharacteristicLayout l =
        LayoutCharacteristicPlot(Circles(70, 1, 0, 0, 0), QRect(0, 0, 1600, 1200));
    ASSERT_EQ(std::pair(l.legendZones.size(), l.labels.empty()), std::pair(size_t{64}, false));
    EXPECT_EQ(l.legendZones.back(), 63u);
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
    const int x = int(l.plane.PixelX(22 * std::cos(75 * M_PI / 180)));
    const int y = int(l.plane.PixelY(22 * std::sin(75 * M_PI / 180)));
    QColor mho = ToQColor(DefaultZoneColor(3));
    bool found = false;
    for (int i = 0; i < 49 && !found; ++i) {
        QColor c = image.pixelColor(x - 3 + i % 7, y - 3 + i / 7);
        found = std::abs(c.red() - mho.red()) < 60 && std::abs(c.green() - mho.green()) < 60 &&
                std::abs(c.blue() - mho.blue()) < 60;
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));
}

TEST(RenderCharacteristicPlot, PngSvgAndPdfFilesByTheirExtension) {
    test::TempDir dir("plot");
    std::string error, bytes;
    ASSERT_TRUE(
        RenderCharacteristicPlot(DistancePlot(), dir.file("plot.PNG"), QSize(640, 480), &error))
        << error;
    QImage image(QString::fromStdString(dir.file("plot.PNG")));
    EXPECT_EQ(image.size(), QSize(640, 480));
    int coloured = 0, dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            QColor c = image.pixelColor(x, y);
            coloured += c.saturation() > 100;
            dark += c.value() < 80;
        }
    }
    EXPECT_GT(coloured, 2000);  // zone lines and labels
    EXPECT_GT(dark, 500);       // axes, ticks, text

    for (const char* name : {"plot.pdf", "plot.svg"}) {
        ASSERT_TRUE(
            RenderCharacteristicPlot(DistancePlot(), dir.file(name), QSize(600, 400), &error))
            << error;
        ASSERT_TRUE(ReadFileBytes(dir.file(name), bytes));
        EXPECT_EQ(bytes.substr(0, 5), std::string(name) == "plot.svg" ? "<?xml" : "%PDF-");
    }
    // Labels and legend entries are real text.
    for (const char* text : {">Z1<", ">Z4 rev<", "viewBox=\"0 0 600 400\""})
        EXPECT_NE(bytes.find(text), std::string::npos) << text;
}

TEST(RenderCharacteristicPlot, FailuresSayWhyAndLeaveOldFilesAlone) {
    test::TempDir dir("plot");
    const std::string existing = dir.file("keep.bmp");
    ASSERT_TRUE(WriteFileAtomic(existing, "old"));
    const std::pair<std::string, std::string> cases[] = {
        {"/nonexistent-quorin-dir/plot.png", "cannot write /nonexistent-quorin-dir/plot.png"},
        {existing, "unknown plot file type \".bmp\": use .png, .svg or .pdf"},
        {"/tmp/no.extension/plot", "unknown plot file type \"\": use .png, .svg or .pdf"},
    };
    std::string error;
    for (const auto& [path, message] : cases) {
        EXPECT_FALSE(RenderCharacteristicPlot(DistancePlot(), path, QSize(100, 100), &error));
        EXPECT_EQ(error, message);
    }
    EXPECT_EQ(test::FileBytes(existing), "old");
    EXPECT_FALSE(RenderCharacteristicPlot(DistancePlot(), dir.file("x.png"), QSize(0, 10), &error));
    EXPECT_EQ(error, "image size 0x10 is outside 1..20000");
    EXPECT_FALSE(RenderCharacteristicPlot(DistancePlot(), dir.file("x.png"), QSize(30000, 10),
                                          nullptr));  // no error text wanted
}

TEST(RenderCharacteristicPlot, BadZonesAndTinyImagesStillRender) {
    CharacteristicPlot plot;
    plot.zones = {
        Boundary({ZoneSegment::Line({kNan, 0}, {1, 1}), ZoneSegment::Arc({0, 0}, 1e300, 0, 90),
                  ZoneSegment::Line({-100000, -100000}, {5, 5})}),
        Lens({})};
    plot.zones[0].label = "bad";
    plot.zones[1].label = std::string("\xD6\xD0\xCE\xC4");  // GBK text
    plot.points.push_back({{kNan, kNan}, 0, 42, -7});
    test::TempDir dir("plot");
    const std::string path = dir.file("bad.png");
    std::string error;
    EXPECT_TRUE(RenderCharacteristicPlot(plot, path, QSize(300, 200), &error)) << error;
    EXPECT_TRUE(RenderCharacteristicPlot(plot, path, QSize(1, 1), &error)) << error;
    EXPECT_TRUE(RenderCharacteristicPlot(plot, path, QSize(300, 200), &error, -1.0)) << error;
}

}  // namespace
}  // namespace quorin
