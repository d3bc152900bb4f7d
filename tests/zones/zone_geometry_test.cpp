#include "zones/zone_geometry.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <string>

#include "platform/numtext.h"
#include "tests/common/temp_dir.h"
#include "tests/zones/test_evaluator.h"

namespace quorin::test {
namespace {

constexpr float kTol = 1e-4f;

TEST(LineIntersection, MeetsAtTheCommonPointOrTheSecondPointWhenParallel) {
    const double vertical = std::tan(std::numbers::pi / 2);
    const std::array<double, 8> cases[] = {
        // two lines by point and slope, where they meet
        {1, 0, 0, 0, 1, vertical, 0, 0},   {0, 1, vertical, 1, 0, 0, 0, 0},
        {0, 0, 1, 0, 2, -1, 1, 1},         {0, 0, 1, 5, 7, 1.00005, 5, 7},
        {3, 0, 1e6, 0, 1, 0, 3.000001, 1},  // y from the line that is not steep
    };
    for (const auto& [x1, y1, s1, x2, y2, s2, atX, atY] : cases) {
        double x = NAN, y = NAN;
        EXPECT_EQ(LineIntersection(x1, y1, s1, x2, y2, s2, x, y), 1);
        EXPECT_NEAR(x, atX, 1e-9) << x1 << " " << y1 << " " << s1;
        EXPECT_NEAR(y, atY, 1e-9) << x1 << " " << y1 << " " << s1;
    }
}

TEST(LineCircleIntersection, ChoosesThePointByNearnessSlotAndShapeIndex) {
    for (const auto& c : test::DataCases("line_circle_intersection.txt")) {
        SCOPED_TRACE(testing::PrintToString(c));
        ASSERT_EQ(c.size(), 14u);
        float v[14];
        for (size_t i = 0; i < 14; ++i)
            v[i] = static_cast<float>(CAtof(c[i]));
        float a = NAN, b = NAN, x = NAN, y = NAN;
        EXPECT_EQ(LineCircleIntersection(v[0], v[1], v[2], 0, 0, v[3], v[4], v[5], int(v[6]),
                                         int(v[7]), int(v[8]), int(v[9]), a, b, x, y),
                  1);
        EXPECT_NEAR(x, v[10], kTol);
        EXPECT_NEAR(y, v[11], kTol);
        EXPECT_NEAR(a, v[12], kTol);
        EXPECT_NEAR(b, v[13], kTol);
    }
    float a = 7, b = 7, x = 7, y = 7;
    EXPECT_EQ(LineCircleIntersection(0, 10, 0, 0, 0, 5, 0, 90, 3, 0, 0, 0, a, b, x, y), 0);
    EXPECT_EQ(LineCircleIntersection(6, 0, 90, 0, 0, 5, 0, 90, 3, 0, 0, 0, a, b, x, y), 0);
    EXPECT_EQ(a + b + x + y, 28);
}

// A number rounded to four decimals, "%g" (so "-0" reads "0").
std::string Num(double v) {
    const double r = std::round(v * 1e4) / 1e4;
    return CFormat("%g", r == 0 ? 0.0 : r);
}

// The geometry of a zone on one line (see data/zone_geometry.txt).
std::string Geometry(const CZoneTable& table, const CZone& z) {
    std::string out;
    for (int j = 0; j < z.shapeCount; ++j) {
        const CZoneShape& s = z.shapes[j];
        out += s.cornerFound ? "(" + Num(s.cornerX) + "," + Num(s.cornerY) + ")" : "-";
        if (s.cornerX2 != s.cornerX || s.cornerY2 != s.cornerY)
            out += "/(" + Num(s.cornerX2) + "," + Num(s.cornerY2) + ")";
        if (s.radius != 0)
            out += " @" + Num(s.centerX) + "," + Num(s.centerY) + " r" + Num(s.radius) + " " +
                   Num(s.startAngle) + ">" + Num(s.endAngle);
        out += s.arcToArc ? " +; " : "; ";
    }
    if (z.kind == kZoneCircle)
        out += "circle " + Num(z.circleCenterX) + "," + Num(z.circleCenterY) + " r" +
               Num(z.circleRadius) + "; ";
    if (z.kind == kZoneLens) {
        out += "lens";
        for (float f : z.lens)
            out += " " + Num(f);
        out += "; ";
    }
    const CZoneBox& b = table.Box();
    return out + "box " + Num(b.rMin) + "," + Num(b.rMax) + "," + Num(b.xMin) + "," + Num(b.xMax);
}

TEST(BuildZone, CornersArcsAndTheBoxFollowTheShapesSlotAndInvert) {
    TestEvaluator eval({{"HUGE", 1e300}});
    for (const auto& c : test::DataCases("zone_geometry.txt")) {
        CZoneTable table;
        const std::string source =
            "BEGINZONEINDEX=1;INVERT=" + c.at(2) + ";BEGINSHAPE" + c.at(0) + "ENDSHAPEENDZONE";
        const int slot = std::stoi(c.at(1));
        std::string text;
        int pos = -1;
        ASSERT_EQ(BuildZone(table, source, slot, 1, text, pos, eval), slot) << c[0];
        EXPECT_EQ(Geometry(table, table.Zone(slot)), c.at(3)) << c[0];
    }
}

}  // namespace
}  // namespace quorin::test
