#include "graphs/graph_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "graphs/graph_description.h"
#include "platform/numtext.h"
#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

const CanvasRect kReportArea{0, 0, 667, 400};  // two thirds of the text width, 400 high

TEST(LayoutRxGraph, SquarePlotWithEqualScalesAndSixRoundSteps) {
    for (const auto& c : test::DataCases("rx_graph_steps.txt")) {
        std::array<double, 7> v;
        for (size_t i = 0; i < v.size(); ++i)
            v[i] = CAtof(c.at(i));
        const auto [rMin, rMax, xMin, xMax, step, shownRMin, shownXMin] = v;
        GraphLayout l = LayoutRxGraph(rMin, rMax, xMin, xMax, kReportArea, 1.0);
        SCOPED_TRACE(rMax);
        EXPECT_TRUE(l.rx);
        EXPECT_NEAR(l.xStep, step, 1e-12);
        EXPECT_NEAR(l.xMin, shownRMin, 1e-9);
        EXPECT_NEAR(l.yMin, shownXMin, 1e-9);
        EXPECT_NEAR(l.xMax - l.xMin, 6 * step, 1e-9);
        EXPECT_NEAR(l.yMax - l.yMin, 6 * step, 1e-9);
        EXPECT_TRUE(l.xMin <= std::min(rMin, 0.0) && l.xMax >= std::max(rMax, 0.0));
        EXPECT_TRUE(l.yMin <= std::min(xMin, 0.0) && l.yMax >= std::max(xMax, 0.0));
        const int side = l.plot.right - l.plot.left;
        EXPECT_EQ(std::pair(side, side % 12), std::pair(l.plot.bottom - l.plot.top, 0));
        EXPECT_EQ(std::pair(l.xScale, l.yScale), std::pair(side / (6 * step), l.xScale));
        EXPECT_DOUBLE_EQ(l.PixelX(l.xMin), l.plot.left);
        EXPECT_DOUBLE_EQ(l.PixelY(l.yMin), l.plot.bottom);
    }
}

TEST(LayoutRxGraph, PlotFitsBesideItsMarginsAndIsCentred) {
    GraphLayout l = LayoutRxGraph(-10, 20, -5, 15, kReportArea, 1.0);
    AxisMargins m = RxAxisMargins(1.0);
    // 400 - 18 - 24 = 358, down to 12s
    EXPECT_EQ(std::pair(l.plot.right - l.plot.left, l.tickFontHeight), std::pair(348, 12));
    EXPECT_TRUE(l.plot.top >= m.top && l.plot.bottom <= 400 - m.bottom);
    EXPECT_LE(std::abs((l.plot.left - m.left) - (667 - m.right - l.plot.right)), 1);  // centred
    GraphLayout printed = LayoutRxGraph(-10, 20, -5, 15, {0, 0, 4169, 2500}, 6.25);
    EXPECT_EQ(
        std::tuple(printed.tickFontHeight, printed.plot.bottom - printed.plot.top, printed.xStep),
        std::tuple(75, 2232, 5.0));
}

TEST(LayoutRxGraph, OriginMatchesTheAxesGeometry) {
    GraphLayout l = LayoutRxGraph(-3, 17, -2, 9, kReportArea, 1.0);
    RxAxesGeometry g = ComputeRxAxesGeometry(RxAxesOf(l, "R", "X", 0));
    EXPECT_EQ(std::pair(l.originX, l.originY), std::pair(double(g.x0), double(g.y0)));
    EXPECT_EQ(std::pair(g.sR, g.sX), std::pair((l.plot.right - l.plot.left) / 6, g.sR));
    RxAxes axes = RxAxesOf(l, "R", "X", 0x123456);
    EXPECT_EQ(std::tuple(axes.titleRow, axes.gridColor, axes.rTitle),
              std::tuple(l.plot.top, 0x123456, "R"));
}

TEST(LayoutRxGraph, BadLimitsAndAreasStillGiveAUsablePlane) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    GraphLayout l = LayoutRxGraph(nan, inf, -inf, nan, kReportArea, nan);
    // -10 .. 10 in cells of 4, three each side.
    EXPECT_EQ(std::tuple(l.xMin, l.xStep, l.sizeFactor), std::tuple(-12.0, 4.0, 1.0));
    GraphLayout swapped = LayoutRxGraph(20, -10, 15, -5, kReportArea, 1.0);
    EXPECT_EQ(std::pair(swapped.xMin, swapped.xStep), std::pair(-10.0, 5.0));
    GraphLayout origin = LayoutRxGraph(0, 0, 0, 0, kReportArea, 1.0);
    EXPECT_EQ(std::pair(origin.xMin, origin.yMax), std::pair(-3.0, 3.0));

    GraphLayout huge = LayoutRxGraph(-1e300, 1e300, 0, 1, kReportArea, 1e300);
    EXPECT_TRUE(std::isfinite(huge.xScale) && huge.xMax <= 1e13);
    GraphLayout tiny = LayoutRxGraph(-1, 1, -1, 1, {10, 10, 20, 20}, 1.0);
    EXPECT_TRUE(std::isfinite(tiny.xScale) && tiny.plot.right - tiny.plot.left == 12);
    GraphLayout micro = LayoutRxGraph(0, 1e-300, 0, 1e-300, kReportArea, 1.0);
    EXPECT_TRUE(std::isfinite(micro.xScale) && micro.xStep >= 0.99e-6);
}

TEST(LayoutPlainGraph, IndependentScalesFillTheArea) {
    GraphLayout l = LayoutPlainGraph(0, 100, 0, 5, kReportArea, 1.0);
    EXPECT_FALSE(l.rx);
    EXPECT_EQ(std::vector<double>({l.PixelX(0), l.PixelX(100), l.PixelY(0), l.PixelY(5)}),
              std::vector<double>({double(l.plot.left), double(l.plot.right), double(l.plot.bottom),
                                   double(l.plot.top)}));
    EXPECT_NE(l.xScale, l.yScale);
    EXPECT_EQ(std::pair(l.xStep, l.yStep), std::pair(20.0, 1.0));
    GraphLayout flat = LayoutPlainGraph(3, 3, 7, 7, kReportArea, 1.0);
    EXPECT_EQ(std::pair(flat.xMin, flat.yMax), std::pair(2.0, 8.0));
}

TEST(LayoutGraph, AxisTypeChoosesTheLayout) {
    CGraph g;
    std::tie(g.xMin, g.xMax) = std::pair(1.0, 5.0);
    GraphLayout rx = LayoutGraph(g, kReportArea, 1.0);
    EXPECT_EQ(std::pair(rx.rx, rx.xMin), std::pair(true, -8.0));  // RX planes include the origin
    g.axisType = "IT";
    GraphLayout it = LayoutGraph(g, kReportArea, 1.0);
    EXPECT_EQ(std::pair(it.rx, it.xMin), std::pair(false, 1.0));

    const std::pair<const char*, bool> types[] = {{"RX", true},   {"rx", true},   {" Rx ", true},
                                                  {"R X", false}, {"RXX", false}, {"", false},
                                                  {"XR", false}};
    for (const auto& [type, rx] : types)
        EXPECT_EQ(IsRxAxisType(type), rx) << type;
}

}  // namespace
}  // namespace quorin
