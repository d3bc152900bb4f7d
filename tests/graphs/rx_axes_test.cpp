#include "graphs/rx_axes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

// A 300 x 200 plot: R from -10 to 20 and X from -5 to 15 at 10 pixels per ohm.
RxAxes Example() {
    RxAxes a;
    a.plot = {20, 10, 320, 210};
    a.rMin = -10.0;
    a.rMax = 20.0;
    a.xMin = -5.0;
    a.xMax = 15.0;
    a.rScale = 10.0;
    a.xScale = 10.0;
    a.sizeFactor = 1.0;
    a.gridColor = 0xC0C0C0;
    a.tickFontHeight = 12;
    a.titleFontHeight = 14;
    a.rTitle = "R";
    a.xTitle = "X";
    a.titleRow = 10;
    return a;
}

using test::DataBytes;

// The positions of the dotted grid lines: columns of the R axis, rows of the X axis.
std::vector<int> Grid(const CRecordingCanvas& c, bool columns) {
    std::vector<int> at;
    for (const auto& l : c.lines) {
        if (l.pen.style == 2 && (columns ? l.x1 == l.x2 : l.y1 == l.y2))
            at.push_back(columns ? l.x1 : l.y1);
    }
    return at;
}

std::vector<std::string> Labels(const CRecordingCanvas& c) {
    std::vector<std::string> texts;
    for (const auto& t : c.texts) {
        if (t.role == FontRole::kTick) texts.push_back(t.text);
    }
    return texts;
}

TEST(RxAxesGeometry, OriginAndStepsAreTruncatedTheOriginStaysOnThePlot) {
    struct Case {
        double rMin, rMax, xMin, xMax;
        int x0, y0;
    };
    const Case cases[] = {
        {-10, 20, -5, 15, 120, 160},  // left + 100, bottom - 50
        {5, 20, 2, 12, 20, 210},      // ranges missing zero: the edge nearest it
        {-20, -5, -12, -2, 320, 10},
        {0, 0, -5, 15, 20, 160},  // no range at all: the left edge
    };
    for (const Case& c : cases) {
        RxAxes a = Example();
        a.rMin = c.rMin;
        a.rMax = c.rMax;
        a.xMin = c.xMin;
        a.xMax = c.xMax;
        RxAxesGeometry g = ComputeRxAxesGeometry(a);
        EXPECT_EQ(g.x0, c.x0) << c.rMin;
        EXPECT_EQ(g.y0, c.y0) << c.rMin;
    }
    RxAxesGeometry g = ComputeRxAxesGeometry(Example());
    EXPECT_EQ(g.sR, 50);
    EXPECT_EQ(g.mR, 25);
    EXPECT_EQ(g.sX, 33);  // 33.3
    EXPECT_EQ(g.mX, 16);  // 16.7
}

TEST(DrawRAxis, ExampleGivesGridTicksLabelsAxisAndTitle) {
    CRecordingCanvas canvas;
    DrawRAxis(Example(), canvas);
    EXPECT_EQ(canvas.Transcript(), DataBytes("r_axis_example.ref"));
}

TEST(DrawXAxis, ExampleTicksRunBothWaysFromTheOrigin) {
    CRecordingCanvas canvas;
    DrawXAxis(Example(), canvas);
    EXPECT_EQ(canvas.Transcript(), DataBytes("x_axis_example.ref"));
}

TEST(DrawRAxis, ThinsGridAndLabelsWhenTheMinorStepIsUnderTenPixels) {
    struct Case {
        double rScale;
        int expectedStep;  // pixels between drawn grid lines
        std::vector<std::string> firstLabels;
    };
    // R from -10 to 20 on a 600-pixel plot from 0: the origin is at 200.
    const Case cases[] = {
        {4.0, 20, {"0", "5", "10", "15"}},   // minor 10: every line
        {2.0, 20, {"0", "10", "20", "30"}},  // minor 5: every second
        {1.0, 20, {"0", "20", "40", "60"}},  // minor 2: every fourth
    };
    for (const Case& c : cases) {
        RxAxes a = Example();
        a.plot = {0, 0, 600, 100};
        a.rScale = c.rScale;
        CRecordingCanvas canvas;
        DrawRAxis(a, canvas);
        std::vector<int> xs = Grid(canvas, true);
        ASSERT_GE(xs.size(), 4u) << c.rScale;
        EXPECT_EQ(xs[0], 200);
        EXPECT_EQ(xs[1] - xs[0], c.expectedStep) << c.rScale;
        std::vector<std::string> labels = Labels(canvas);
        ASSERT_GE(labels.size(), 4u);
        EXPECT_EQ(std::vector<std::string>(labels.begin(), labels.begin() + 4), c.firstLabels)
            << c.rScale;
    }
}

TEST(DrawXAxis, NeverThins) {
    RxAxes a = Example();
    a.plot = {0, 0, 100, 600};
    a.xMin = -10.0;
    a.xMax = 20.0;
    a.xScale = 1.0;  // major step 5 pixels, minor 2
    CRecordingCanvas canvas;
    DrawXAxis(a, canvas);
    std::vector<int> ys = Grid(canvas, false);
    ASSERT_GE(ys.size(), 2u);
    EXPECT_EQ(ys[0], 405);  // the origin row is 400; the first row below follows 5 pixels on
    EXPECT_EQ(ys[1], 410);
    EXPECT_EQ(Labels(canvas)[1], "-10");
}

TEST(DrawRAxis, LabelTextsAreTrimmed) {
    RxAxes a = Example();
    a.rMin = 0.0;
    a.rMax = 15.0;  // sixths of 2.5
    a.rScale = 20.0;
    CRecordingCanvas canvas;
    DrawRAxis(a, canvas);
    EXPECT_EQ(Labels(canvas), (std::vector<std::string>{"0", "2.5", "5", "7.5", "10", "12.5"}));
}

TEST(DrawAxes, AtMost59GridLinesOnEachSide) {
    RxAxes a = Example();
    a.plot = {0, 0, 4000, 4000};
    a.rMin = a.xMin = -1.0;
    a.rMax = a.xMax = 1.0;
    a.rScale = a.xScale = 60.0;  // 20-pixel steps, no thinning; 100 steps fit each way
    CRecordingCanvas r;
    DrawRAxis(a, r);
    std::vector<int> xs = Grid(r, true);
    EXPECT_EQ(std::count_if(xs.begin(), xs.end(), [](int x) { return x > 2000; }), 59);
    EXPECT_EQ(std::count_if(xs.begin(), xs.end(), [](int x) { return x < 2000; }), 59);
    EXPECT_EQ(std::count(xs.begin(), xs.end(), 2000), 1);
    EXPECT_EQ(Labels(r).size(), 119u);
    CRecordingCanvas x;
    DrawXAxis(a, x);
    std::vector<int> ys = Grid(x, false);
    EXPECT_EQ(std::count_if(ys.begin(), ys.end(), [](int y) { return y > 2000; }), 59);
    EXPECT_EQ(std::count_if(ys.begin(), ys.end(), [](int y) { return y < 2000; }), 59);
    EXPECT_EQ(Labels(x).size(), 119u);
}

TEST(DrawAxes, SizeFactorScalesTicksLabelsAndPens) {
    RxAxes a = Example();
    a.sizeFactor = 2.0;
    CRecordingCanvas canvas;
    DrawRAxis(a, canvas);
    const auto& tick = canvas.lines[5];  // the first tick follows the five grid lines
    EXPECT_EQ(tick.y2 - tick.y1, 20);
    EXPECT_EQ(tick.pen, (CanvasPen{0, 2, 0}));
    EXPECT_EQ(canvas.lines[0].pen, (CanvasPen{2, 2, 0xC0C0C0}));
    const auto& label = canvas.texts[0];
    EXPECT_EQ(label.rect, (CanvasRect{60, 180, 180, 192}));  // x +- 60, y0 + 20 .. + hT
    EXPECT_EQ(canvas.texts.back().rect, (CanvasRect{260, 146, 360, 160}));
}

TEST(DrawAxes, BadInputDrawsNothingOrOnlyTheAxis) {
    RxAxes a = Example();
    a.rMax = std::nan("");
    CRecordingCanvas nan;
    DrawRAxis(a, nan);
    DrawXAxis(a, nan);
    EXPECT_EQ(nan.Transcript(), "");

    a = Example();
    a.plot = {100, 100, 100, 200};  // no width
    CRecordingCanvas empty;
    DrawRAxis(a, empty);
    EXPECT_EQ(empty.Transcript(), "");

    a = Example();
    a.rScale = 0.1;  // a major step under one pixel
    a.xMax = a.xMin;
    CRecordingCanvas flat;
    DrawRAxis(a, flat);
    DrawXAxis(a, flat);
    ASSERT_EQ(flat.lines.size(), 2u);
    EXPECT_EQ(flat.texts.size(), 2u);  // the two titles
    EXPECT_EQ(flat.lines[0].pen.style, 0);

    a = Example();
    a.sizeFactor = -3.0;  // counts as 1
    a.tickFontHeight = -12;
    a.titleFontHeight = -14;
    CRecordingCanvas negative;
    DrawRAxis(a, negative);
    EXPECT_EQ(negative.Transcript(), DataBytes("r_axis_example.ref"));

    a = Example();
    a.rScale = 1e300;  // steps far beyond the int range
    a.tickFontHeight = std::numeric_limits<int>::min();
    CRecordingCanvas huge;
    DrawRAxis(a, huge);
    EXPECT_EQ(Grid(huge, true), (std::vector<int>{120}));
}

TEST(TrimZeros, DropsTrailingZerosAfterThePointOnly) {
    const std::pair<std::string, std::string> cases[] = {
        {"1.50", "1.5"}, {"2.00", "2"},    {"10.5", "10.5"}, {"100", "100"}, {"0.00", "0"},
        {"-5.00", "-5"}, {"3.33", "3.33"}, {"", ""},         {"10", "10"},   {"0.10", "0.1"},
    };
    for (const auto& [in, out] : cases) {
        std::string text = in;
        TrimZeros(text);
        EXPECT_EQ(text, out) << in;
    }
}

}  // namespace
}  // namespace quorin
