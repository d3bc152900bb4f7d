#include "graphs/graph_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "graphs/graph_description.h"

namespace quorin {
namespace {

const CanvasRect kReportArea{0, 0, 667, 400};  // two thirds of the text width, 400 high

void ExpectCovers(const GraphLayout& l, double rMin, double rMax, double xMin, double xMax) {
    EXPECT_LE(l.xMin, std::min(rMin, 0.0));
    EXPECT_GE(l.xMax, std::max(rMax, 0.0));
    EXPECT_LE(l.yMin, std::min(xMin, 0.0));
    EXPECT_GE(l.yMax, std::max(xMax, 0.0));
}

TEST(LayoutRxGraph, SquarePlotWithEqualScalesAndSixRoundSteps) {
    struct Case {
        double rMin, rMax, xMin, xMax;
        double step;
        double shownRMin, shownXMin;
    };
    const Case cases[] = {
        {-10, 20, -5, 15, 5, -10, -10},        // X has two spare cells: one each side
        {-12.2, 20, -7.7, 29.7, 8, -24, -16},  // spare cells centre the data
        {-0.1, 1, -0.1, 1, 0.2, -0.2, -0.2},
        {-0.05, 0.3, -0.01, 0.1, 0.06, -0.06, -0.12},
        {2, 3, 2, 3, 0.5, 0, 0},  // ranges widened to the origin
        {-100, 100, -300, 900, 250, -750, -500},
    };
    for (const Case& c : cases) {
        GraphLayout l = LayoutRxGraph(c.rMin, c.rMax, c.xMin, c.xMax, kReportArea, 1.0);
        SCOPED_TRACE(c.rMax);
        EXPECT_TRUE(l.rx);
        EXPECT_NEAR(l.xStep, c.step, 1e-12);
        EXPECT_NEAR(l.xMin, c.shownRMin, 1e-9);
        EXPECT_NEAR(l.yMin, c.shownXMin, 1e-9);
        EXPECT_NEAR(l.xMax - l.xMin, 6 * c.step, 1e-9);
        EXPECT_NEAR(l.yMax - l.yMin, 6 * c.step, 1e-9);
        ExpectCovers(l, c.rMin, c.rMax, c.xMin, c.xMax);
        int side = l.plot.right - l.plot.left;
        EXPECT_EQ(side, l.plot.bottom - l.plot.top);
        EXPECT_EQ(side % 12, 0);
        EXPECT_DOUBLE_EQ(l.xScale, l.yScale);
        EXPECT_DOUBLE_EQ(l.xScale, side / (6 * c.step));
        // Grid lines of the axes fall on whole multiples of the step.
        EXPECT_DOUBLE_EQ(l.PixelX(c.step) - l.PixelX(0.0), side / 6.0);
        EXPECT_DOUBLE_EQ(l.PixelX(l.xMin), l.plot.left);
        EXPECT_DOUBLE_EQ(l.PixelY(l.yMin), l.plot.bottom);
    }
}

TEST(LayoutRxGraph, PlotFitsBesideItsMarginsAndIsCentred) {
    GraphLayout l = LayoutRxGraph(-10, 20, -5, 15, kReportArea, 1.0);
    AxisMargins m = RxAxisMargins(1.0);
    EXPECT_EQ(l.plot.right - l.plot.left, 348);  // 400 - 18 - 24 = 358, down to 12s
    EXPECT_GE(l.plot.top, m.top);
    EXPECT_LE(l.plot.bottom, 400 - m.bottom);
    EXPECT_LE(std::abs((l.plot.left - m.left) - (667 - m.right - l.plot.right)), 1);  // centred
    EXPECT_EQ(l.tickFontHeight, 12);

    GraphLayout printed = LayoutRxGraph(-10, 20, -5, 15, {0, 0, 4169, 2500}, 6.25);
    EXPECT_EQ(printed.tickFontHeight, 75);
    EXPECT_EQ(printed.plot.bottom - printed.plot.top, 2232);
    EXPECT_EQ(printed.xStep, 5.0);
}

TEST(LayoutRxGraph, OriginMatchesTheAxesGeometry) {
    GraphLayout l = LayoutRxGraph(-3, 17, -2, 9, kReportArea, 1.0);
    RxAxesGeometry g = ComputeRxAxesGeometry(RxAxesOf(l, "R", "X", 0));
    EXPECT_EQ(l.originX, g.x0);
    EXPECT_EQ(l.originY, g.y0);
    EXPECT_EQ(g.sR, (l.plot.right - l.plot.left) / 6);
    EXPECT_EQ(g.sX, g.sR);
    RxAxes axes = RxAxesOf(l, "R", "X", 0x123456);
    EXPECT_EQ(axes.titleRow, l.plot.top);
    EXPECT_EQ(axes.gridColor, 0x123456);
    EXPECT_EQ(axes.rTitle, "R");
}

TEST(LayoutRxGraph, BadLimitsAndAreasStillGiveAUsablePlane) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    GraphLayout l = LayoutRxGraph(nan, inf, -inf, nan, kReportArea, nan);
    EXPECT_EQ(l.xMin, -12.0);  // -10 .. 10 in cells of 4, three each side
    EXPECT_EQ(l.xStep, 4.0);
    EXPECT_EQ(l.sizeFactor, 1.0);

    GraphLayout swapped = LayoutRxGraph(20, -10, 15, -5, kReportArea, 1.0);
    EXPECT_EQ(swapped.xMin, -10.0);
    EXPECT_EQ(swapped.xStep, 5.0);

    GraphLayout origin = LayoutRxGraph(0, 0, 0, 0, kReportArea, 1.0);
    EXPECT_EQ(origin.xMin, -3.0);
    EXPECT_EQ(origin.yMax, 3.0);

    GraphLayout huge = LayoutRxGraph(-1e300, 1e300, 0, 1, kReportArea, 1e300);
    EXPECT_TRUE(std::isfinite(huge.xScale));
    EXPECT_LE(huge.xMax, 1e13);

    GraphLayout tiny = LayoutRxGraph(-1, 1, -1, 1, {10, 10, 20, 20}, 1.0);
    EXPECT_EQ(tiny.plot.right - tiny.plot.left, 12);
    EXPECT_TRUE(std::isfinite(tiny.xScale));

    GraphLayout micro = LayoutRxGraph(0, 1e-300, 0, 1e-300, kReportArea, 1.0);
    EXPECT_TRUE(std::isfinite(micro.xScale));
    EXPECT_GE(micro.xStep, 0.99e-6);
}

TEST(LayoutPlainGraph, IndependentScalesFillTheArea) {
    GraphLayout l = LayoutPlainGraph(0, 100, 0, 5, kReportArea, 1.0);
    EXPECT_FALSE(l.rx);
    EXPECT_DOUBLE_EQ(l.PixelX(0), l.plot.left);
    EXPECT_DOUBLE_EQ(l.PixelX(100), l.plot.right);
    EXPECT_DOUBLE_EQ(l.PixelY(0), l.plot.bottom);
    EXPECT_DOUBLE_EQ(l.PixelY(5), l.plot.top);
    EXPECT_NE(l.xScale, l.yScale);
    EXPECT_EQ(l.xStep, 20.0);
    EXPECT_EQ(l.yStep, 1.0);
    GraphLayout flat = LayoutPlainGraph(3, 3, 7, 7, kReportArea, 1.0);
    EXPECT_EQ(flat.xMin, 2.0);
    EXPECT_EQ(flat.yMax, 8.0);
}

TEST(LayoutGraph, AxisTypeChoosesTheLayout) {
    CGraph g;
    g.xMin = 1;
    g.xMax = 5;
    EXPECT_TRUE(LayoutGraph(g, kReportArea, 1.0).rx);
    EXPECT_EQ(LayoutGraph(g, kReportArea, 1.0).xMin, -8.0);  // RX planes include the origin
    g.axisType = "IT";
    EXPECT_FALSE(LayoutGraph(g, kReportArea, 1.0).rx);
    EXPECT_EQ(LayoutGraph(g, kReportArea, 1.0).xMin, 1.0);

    const std::pair<const char*, bool> types[] = {{"RX", true},   {"rx", true},   {" Rx ", true},
                                                  {"R X", false}, {"RXX", false}, {"", false},
                                                  {"XR", false}};
    for (const auto& [type, rx] : types)
        EXPECT_EQ(IsRxAxisType(type), rx) << type;
}

}  // namespace
}  // namespace quorin
