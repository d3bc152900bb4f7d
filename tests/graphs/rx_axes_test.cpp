#include "graphs/rx_axes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "platform/files.h"

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

// Expected outputs lie in QUORIN_TEST_DATA, or in data/ below the working directory (CTest runs
// the tests in their source folder).
std::string Reference(const std::string& name) {
    const char* env = std::getenv("QUORIN_TEST_DATA");
    std::string dir = env && *env ? env : "data";
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(dir + "/" + name, bytes)) << dir << "/" << name;
    return bytes;
}

std::vector<int> GridColumns(const CRecordingCanvas& c) {
    std::vector<int> xs;
    for (const auto& l : c.lines) {
        if (l.pen.style == 2 && l.x1 == l.x2) xs.push_back(l.x1);
    }
    return xs;
}

std::vector<int> GridRows(const CRecordingCanvas& c) {
    std::vector<int> ys;
    for (const auto& l : c.lines) {
        if (l.pen.style == 2 && l.y1 == l.y2) ys.push_back(l.y1);
    }
    return ys;
}

std::vector<std::string> Labels(const CRecordingCanvas& c) {
    std::vector<std::string> texts;
    for (const auto& t : c.texts) {
        if (t.role == FontRole::kTick) texts.push_back(t.text);
    }
    return texts;
}

TEST(RxAxesGeometry, DerivedValuesAreTruncated) {
    RxAxesGeometry g = ComputeRxAxesGeometry(Example());
    EXPECT_EQ(g.x0, 120);  // left + 100
    EXPECT_EQ(g.y0, 160);  // bottom - 50
    EXPECT_EQ(g.sR, 50);
    EXPECT_EQ(g.mR, 25);
    EXPECT_EQ(g.sX, 33);  // 33.3
    EXPECT_EQ(g.mX, 16);  // 16.7
}

TEST(RxAxesGeometry, OriginSitsOnTheEdgeNearestZeroWhenARangeMissesIt) {
    RxAxes a = Example();
    a.rMin = 5.0;
    a.rMax = 20.0;
    a.xMin = 2.0;
    a.xMax = 12.0;
    RxAxesGeometry g = ComputeRxAxesGeometry(a);
    EXPECT_EQ(g.x0, 20);
    EXPECT_EQ(g.y0, 210);
    a.rMin = -20.0;
    a.rMax = -5.0;
    a.xMin = -12.0;
    a.xMax = -2.0;
    g = ComputeRxAxesGeometry(a);
    EXPECT_EQ(g.x0, 320);
    EXPECT_EQ(g.y0, 10);
    a.rMin = a.rMax = 0.0;  // no range at all: the origin stays at the left edge
    EXPECT_EQ(ComputeRxAxesGeometry(a).x0, 20);
}

TEST(DrawRAxis, ExampleGivesGridTicksLabelsAxisAndTitle) {
    CRecordingCanvas canvas;
    DrawRAxis(Example(), canvas);
    EXPECT_EQ(canvas.Transcript(), Reference("r_axis_example.ref"));
}

TEST(DrawRAxis, ColumnsOnTheEdgeGetNoLineAndNoLabel) {
    CRecordingCanvas canvas;
    DrawRAxis(Example(), canvas);
    EXPECT_EQ(GridColumns(canvas), (std::vector<int>{120, 170, 220, 270, 70}));
    EXPECT_EQ(Labels(canvas), (std::vector<std::string>{"0", "5", "10", "15", "-5"}));
    for (const auto& l : canvas.lines) {
        if (l.x1 == l.x2) {
            EXPECT_GT(l.x1, 20);
            EXPECT_LT(l.x1, 320);
        }
    }
}

TEST(DrawXAxis, ExampleTicksRunBothWaysFromTheOrigin) {
    CRecordingCanvas canvas;
    DrawXAxis(Example(), canvas);
    EXPECT_EQ(canvas.Transcript(), Reference("x_axis_example.ref"));
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
        std::vector<int> xs = GridColumns(canvas);
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
    std::vector<int> ys = GridRows(canvas);
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
    std::vector<int> xs = GridColumns(r);
    EXPECT_EQ(std::count_if(xs.begin(), xs.end(), [](int x) { return x > 2000; }), 59);
    EXPECT_EQ(std::count_if(xs.begin(), xs.end(), [](int x) { return x < 2000; }), 59);
    EXPECT_EQ(std::count(xs.begin(), xs.end(), 2000), 1);
    EXPECT_EQ(Labels(r).size(), 119u);
    CRecordingCanvas x;
    DrawXAxis(a, x);
    std::vector<int> ys = GridRows(x);
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
    EXPECT_EQ(negative.Transcript(), Reference("r_axis_example.ref"));

    a = Example();
    a.rScale = 1e300;  // steps far beyond the int range
    a.tickFontHeight = std::numeric_limits<int>::min();
    CRecordingCanvas huge;
    DrawRAxis(a, huge);
    EXPECT_EQ(GridColumns(huge), (std::vector<int>{120}));
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
