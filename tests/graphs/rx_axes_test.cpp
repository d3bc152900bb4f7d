#include "graphs/rx_axes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "tests/common/temp_dir.h"

namespace quorin::test {
namespace {

// A 300 x 200 plot: R from -10 to 20 and X from -5 to 15 at 10 pixels per ohm.
RxAxes Example() {
    RxAxes a{.plot = {20, 10, 320, 210}, .rTitle = "R", .xTitle = "X", .titleRow = 10};
    std::tie(a.rMin, a.rMax, a.xMin, a.xMax) = std::tuple(-10.0, 20.0, -5.0, 15.0);
    a.rScale = a.xScale = 10.0;
    return a;
}

using Draw = void (*)(const RxAxes&, CAxisCanvas&);

CRecordingCanvas Drawn(const RxAxes& axes, std::vector<Draw> draws = {DrawRAxis}) {
    CRecordingCanvas canvas;
    for (Draw draw : draws)
        draw(axes, canvas);
    return canvas;
}

// The positions of the dotted grid lines: columns of the R axis, rows of the X axis.
std::vector<int> Grid(const CRecordingCanvas& c, bool columns) {
    std::vector<int> at;
    for (const auto& l : c.lines)
        if (l.pen.style == 2 && (columns ? l.x1 == l.x2 : l.y1 == l.y2))
            at.push_back(columns ? l.x1 : l.y1);
    return at;
}

std::vector<std::string> Labels(const CRecordingCanvas& c) {
    std::vector<std::string> texts;
    for (const auto& t : c.texts)
        if (t.role == FontRole::kTick) texts.push_back(t.text);
    return texts;
}

TEST(RxAxesGeometry, OriginAndStepsAreTruncatedTheOriginStaysOnThePlot) {
    const std::vector<double> cases[] = {
        // rMin, rMax, xMin, xMax, x0, y0
        {-10, 20, -5, 15, 120, 160},  // left + 100, bottom - 50
        {5, 20, 2, 12, 20, 210},      // ranges missing zero: the edge nearest it
        {-20, -5, -12, -2, 320, 10},
        {0, 0, -5, 15, 20, 160},  // no range at all: the left edge
    };
    for (const std::vector<double>& c : cases) {
        RxAxes a = Example();
        std::tie(a.rMin, a.rMax, a.xMin, a.xMax) = std::tuple(c[0], c[1], c[2], c[3]);
        RxAxesGeometry g = ComputeRxAxesGeometry(a);
        EXPECT_EQ(std::vector<double>({double(g.x0), double(g.y0)}),
                  std::vector<double>(c.begin() + 4, c.end()))
            << c[0];
    }
    RxAxesGeometry g = ComputeRxAxesGeometry(Example());
    EXPECT_EQ(std::vector<int>({g.sR, g.mR, g.sX, g.mX}), std::vector<int>({50, 25, 33, 16}));
}

TEST(DrawAxes, ExampleGivesGridTicksLabelsAxisAndTitle) {
    RxAxes odd = Example();
    odd.sizeFactor = -3.0;  // counts as 1
    odd.tickFontHeight = -12;
    odd.titleFontHeight = -14;
    // The X axis ticks run both ways from the origin.
    const std::tuple<RxAxes, Draw, const char*> cases[] = {
        {Example(), DrawRAxis, "r_axis_example.ref"},
        {Example(), DrawXAxis, "x_axis_example.ref"},
        {odd, DrawRAxis, "r_axis_example.ref"},
    };
    for (const auto& [axes, draw, ref] : cases)
        EXPECT_EQ(Drawn(axes, {draw}).Transcript(), DataBytes(ref)) << ref;
}

TEST(DrawRAxis, ThinsGridAndLabelsWhenTheMinorStepIsUnderTenPixels) {
    // R from -10 to 20 on a 600-pixel plot from 0: the origin is at 200; grid lines 20 apart.
    const std::pair<double, std::vector<std::string>> cases[] = {
        {4.0, {"0", "5", "10", "15"}},   // minor 10: every line
        {2.0, {"0", "10", "20", "30"}},  // minor 5: every second
        {1.0, {"0", "20", "40", "60"}},  // minor 2: every fourth
    };
    for (const auto& [scale, firstLabels] : cases) {
        RxAxes a = Example();
        a.plot = {0, 0, 600, 100};
        a.rScale = scale;
        CRecordingCanvas canvas = Drawn(a);
        std::vector<int> xs = Grid(canvas, true);
        std::vector<std::string> labels = Labels(canvas);
        ASSERT_TRUE(xs.size() >= 4 && labels.size() >= 4) << scale;
        EXPECT_EQ(std::pair(xs[0], xs[1]), std::pair(200, 220)) << scale;
        EXPECT_EQ(std::vector(labels.begin(), labels.begin() + 4), firstLabels) << scale;
    }
}

TEST(DrawXAxis, NeverThins) {
    RxAxes a = Example();
    a.plot = {0, 0, 100, 600};
    std::tie(a.xMin, a.xMax, a.xScale) = std::tuple(-10.0, 20.0, 1.0);  // major step 5, minor 2
    CRecordingCanvas canvas = Drawn(a, {DrawXAxis});
    std::vector<int> ys = Grid(canvas, false);
    ASSERT_GE(ys.size(), 2u);
    // The origin row is 400; the first row below follows 5 pixels on.
    EXPECT_EQ(std::tuple(ys[0], ys[1], Labels(canvas).at(1)), std::tuple(405, 410, "-10"));
}

TEST(DrawRAxis, LabelTextsAreTrimmed) {
    RxAxes a = Example();
    std::tie(a.rMin, a.rMax, a.rScale) = std::tuple(0.0, 15.0, 20.0);  // sixths of 2.5
    EXPECT_EQ(Labels(Drawn(a)), (std::vector<std::string>{"0", "2.5", "5", "7.5", "10", "12.5"}));
}

TEST(DrawAxes, AtMost59GridLinesOnEachSide) {
    RxAxes a = Example();
    a.plot = {0, 0, 4000, 4000};
    a.rMin = a.xMin = -1.0;
    a.rMax = a.xMax = 1.0;
    a.rScale = a.xScale = 60.0;  // 20-pixel steps, no thinning; 100 steps fit each way
    for (bool r : {true, false}) {
        CRecordingCanvas canvas = Drawn(a, {r ? DrawRAxis : DrawXAxis});
        std::vector<int> at = Grid(canvas, r);
        EXPECT_EQ(std::count_if(at.begin(), at.end(), [](int v) { return v > 2000; }), 59);
        EXPECT_EQ(std::count_if(at.begin(), at.end(), [](int v) { return v < 2000; }), 59);
        EXPECT_EQ(std::count(at.begin(), at.end(), 2000), r ? 1 : 0);  // X: the axis itself
        EXPECT_EQ(Labels(canvas).size(), 119u);
    }
}

TEST(DrawAxes, SizeFactorScalesTicksLabelsAndPens) {
    RxAxes a = Example();
    a.sizeFactor = 2.0;
    CRecordingCanvas canvas = Drawn(a);
    const auto& tick = canvas.lines[5];  // the first tick follows the five grid lines
    EXPECT_EQ(std::pair(tick.y2 - tick.y1, tick.pen), std::pair(20, CanvasPen{0, 2, 0}));
    EXPECT_EQ(canvas.lines[0].pen, (CanvasPen{2, 2, 0xC0C0C0}));
    EXPECT_EQ(canvas.texts[0].rect, (CanvasRect{60, 180, 180, 192}));  // x +- 60, y0 + 20 .. + hT
    EXPECT_EQ(canvas.texts.back().rect, (CanvasRect{260, 146, 360, 160}));
}

TEST(DrawAxes, BadInputDrawsNothingOrOnlyTheAxis) {
    RxAxes nan = Example(), empty = Example(), flat = Example(), huge = Example();
    nan.rMax = std::nan("");
    EXPECT_EQ(Drawn(nan, {DrawRAxis, DrawXAxis}).Transcript(), "");
    empty.plot = {100, 100, 100, 200};  // no width
    EXPECT_EQ(Drawn(empty).Transcript(), "");

    flat.rScale = 0.1;  // a major step under one pixel
    flat.xMax = flat.xMin;
    CRecordingCanvas axes = Drawn(flat, {DrawRAxis, DrawXAxis});
    ASSERT_EQ(std::tuple(axes.lines.size(), axes.texts.size()), std::tuple(2u, 2u));  // two titles
    EXPECT_EQ(axes.lines[0].pen.style, 0);

    huge.rScale = 1e300;  // steps far beyond the int range
    huge.tickFontHeight = std::numeric_limits<int>::min();
    EXPECT_EQ(Grid(Drawn(huge), true), (std::vector<int>{120}));
}

TEST(TrimZeros, DropsTrailingZerosAfterThePointOnly) {
    std::vector<std::string> texts = {"1.50",  "2.00", "10.5", "100", "0.00",
                                      "-5.00", "3.33", "",     "10",  "0.10"};
    for (std::string& text : texts)
        TrimZeros(text);
    EXPECT_EQ(texts, (std::vector<std::string>{"1.5", "2", "10.5", "100", "0", "-5", "3.33", "",
                                               "10", "0.1"}));
}

}  // namespace
}  // namespace quorin::test
