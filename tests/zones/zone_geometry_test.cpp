#include "zones/zone_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "platform/numtext.h"
#include "tests/zones/test_evaluator.h"

namespace quorin {
namespace {

using test::TestEvaluator;
constexpr double kTol = 1e-4;

TEST(LineIntersection, MeetsAtTheCommonPointOrTheSecondPointWhenParallel) {
    const double vertical = std::tan(std::numbers::pi / 2);
    const struct {
        double x1, y1, s1, x2, y2, s2, x, y;
    } cases[] = {
        {1, 0, 0, 0, 1, vertical, 0, 0},   {0, 1, vertical, 1, 0, 0, 0, 0},
        {0, 0, 1, 0, 2, -1, 1, 1},         {0, 0, 1, 5, 7, 1.00005, 5, 7},
        {3, 0, 1e6, 0, 1, 0, 3.000001, 1},  // y from the line that is not steep
    };
    for (const auto& c : cases) {
        double x = NAN, y = NAN;
        EXPECT_EQ(LineIntersection(c.x1, c.y1, c.s1, c.x2, c.y2, c.s2, x, y), 1);
        EXPECT_NEAR(x, c.x, 1e-9) << c.x1 << " " << c.y1 << " " << c.s1;
        EXPECT_NEAR(y, c.y, 1e-9) << c.x1 << " " << c.y1 << " " << c.s1;
    }
}

TEST(LineCircleIntersection, ChoosesThePointByNearnessSlotAndShapeIndex) {
    const struct {
        float px, py, angle, r, start, end;
        int slot, index, direction, swap;
        float x, y, a, b;
    } cases[] = {
        {0, 0, 0, 5, 0, 90, 3, 1, 0, 0, 5, 0, 0, 180},  // near: point 1
        {0, 0, 0, 5, 0, 90, 1, 0, 0, 1, 5, 0, 180, 0},  // slots 1, 2 swap the angles
        {0, 0, 0, 5, 0, 90, 1, 1, 0, 0, -5, 0, 180, 0},
        {0, 0, 0, 5, 0, 90, 2, 1, 0, 1, -5, 0, 0, 180},
        {0, 0, 0, 5, 120, 150, 3, 0, 0, 0, -5, 0, 180, 0},  // not near: point 2
        {0, 0, 0, 5, 120, 150, 1, 2, 0, 0, 5, 0, 0, 180},
        {0, 0, 90, 5, -300, -260, 3, 0, 0, 0, 0, 5, 90, -90},  // arc in negative degrees
        {0, -3, 0, 5, 300, 340, 3, 0, 0, 0, 4, -3, -36.8699f, -143.1301f},
        {0, 0, 90, 5, 80, -200, 3, 0, 0, 0, 0, 5, 90, -90},    // reference: start
        {0, 0, 90, 5, 80, -200, 3, 0, 1, 0, 0, -5, -90, 90},   // clockwise: end
        {0, 0, -90, 5, 260, 300, 3, 0, 0, 0, 0, -5, -90, 90},  // falling line: lower first
        {0, 0, 90, 5, 260, 300, 3, 0, 0, 0, 0, -5, -90, 90},
        {0, 0, 45, std::sqrt(2.0f), 30, 60, 3, 0, 0, 0, 1, 1, 45, -135},
    };
    for (const auto& c : cases) {
        float a = NAN, b = NAN, x = NAN, y = NAN;
        const int result = LineCircleIntersection(c.px, c.py, c.angle, 0, 0, c.r, c.start, c.end,
                                                  c.slot, c.index, c.direction, c.swap, a, b, x, y);
        SCOPED_TRACE(testing::Message()
                     << "line " << c.px << "," << c.py << "@" << c.angle << " arc " << c.start
                     << ".." << c.end << " slot " << c.slot << " index " << c.index);
        EXPECT_EQ(result, 1);
        EXPECT_NEAR(x, c.x, kTol);
        EXPECT_NEAR(y, c.y, kTol);
        EXPECT_NEAR(a, c.a, kTol);
        EXPECT_NEAR(b, c.b, kTol);
    }
    float a = 7, b = 7, x = 7, y = 7;
    EXPECT_EQ(LineCircleIntersection(0, 10, 0, 0, 0, 5, 0, 90, 3, 0, 0, 0, a, b, x, y), 0);
    EXPECT_EQ(LineCircleIntersection(6, 0, 90, 0, 0, 5, 0, 90, 3, 0, 0, 0, a, b, x, y), 0);
    EXPECT_EQ(a + b + x + y, 28);
}

class ZoneGeometry : public ::testing::Test {
protected:
    const CZone& Build(const std::string& shapes, int slot = 3, int invert = 0) {
        const std::string source = "BEGINZONEINDEX=1;INVERT=" + FormatInt(invert) + ";BEGINSHAPE" +
                                   shapes + "ENDSHAPEENDZONE";
        std::string text;
        int pos = -1;
        EXPECT_EQ(BuildZone(table, source, slot, 1, text, pos, eval), slot);
        return table.Zone(slot);
    }
    void ExpectCorner(const CZoneShape& s, float x, float y) {
        EXPECT_EQ(s.cornerFound, 1);
        EXPECT_NEAR(s.cornerX, x, kTol);
        EXPECT_NEAR(s.cornerY, y, kTol);
        EXPECT_EQ(s.cornerX2, s.cornerX);
        EXPECT_EQ(s.cornerY2, s.cornerY);
    }
    void ExpectArc(const CZoneShape& s, float cx, float cy, float r, float start, float end) {
        EXPECT_NEAR(s.centerX, cx, kTol);
        EXPECT_NEAR(s.centerY, cy, kTol);
        EXPECT_NEAR(s.radius, r, 1e-6);
        EXPECT_NEAR(s.startAngle, start, kTol);
        EXPECT_NEAR(s.endAngle, end, kTol);
    }
    void ExpectBox(float rMin, float rMax, float xMin, float xMax) {
        EXPECT_NEAR(table.Box().rMin, rMin, kTol);
        EXPECT_NEAR(table.Box().rMax, rMax, kTol);
        EXPECT_NEAR(table.Box().xMin, xMin, kTol);
        EXPECT_NEAR(table.Box().xMax, xMax, kTol);
    }
    CZoneTable table;
    TestEvaluator eval{{{"HUGE", 1e300}}};
};

TEST_F(ZoneGeometry, QuadrilateralHasFourCornersAndInvertMirrorsOnlyTheBox) {
    const std::string rectangle = "LINE=0,0,0; LINE=4,0,90; LINEP=3,90,0; LINE=0,0,90;";
    for (int invert : {0, 1}) {
        table.Reset();
        const CZone& z = Build(rectangle, 3, invert);
        ASSERT_EQ(z.shapeCount, 4);
        ExpectCorner(z.shapes[0], 4, 0);
        ExpectCorner(z.shapes[1], 4, 3);
        ExpectCorner(z.shapes[2], 0, 3);
        ExpectCorner(z.shapes[3], 0, 0);
        EXPECT_EQ(z.shapes[2].fields[0], "3");
        if (invert)
            ExpectBox(-4, 1, -3, 1);
        else
            ExpectBox(-1, 4, -1, 3);
    }
}

TEST_F(ZoneGeometry, LineArcLineTakesPointsByZoneSlot) {
    const std::string shapes = "LINE=0,0,0; ARC=0,0,5,0,90,CCW; LINE=0,0,90;";
    const CZone& first = Build(shapes, 1);
    ExpectCorner(first.shapes[0], 5, 0);
    ExpectArc(first.shapes[0], 0, 0, 5.0001f, 180, 0);
    ExpectCorner(first.shapes[1], 0, -5);
    ExpectArc(first.shapes[1], 0, 0, 5.0001f, -90, 90);
    ExpectCorner(first.shapes[2], 0, 0);
    ExpectBox(-1, 5, -5, 1);

    const CZone& third = Build(shapes, 3);
    ExpectCorner(third.shapes[0], 5, 0);
    ExpectArc(third.shapes[0], 0, 0, 5.0001f, 0, 180);
    ExpectCorner(third.shapes[1], 0, 5);
    ExpectArc(third.shapes[1], 0, 0, 5.0001f, 90, -90);
    EXPECT_EQ(third.shapes[0].arcToArc + third.shapes[1].arcToArc, 0);
    ExpectBox(-1, 5, -5, 5);
}

TEST_F(ZoneGeometry, PolarArcAndLineMeetWhereTheLineCutsTheCircle) {
    const CZone& z = Build("LINEP=1,30,0; ARCP=3,0,1,90,270,CCW;");
    const float x = 3.0f - std::sqrt(0.75f);
    ExpectCorner(z.shapes[0], x, 0.5f);
    ExpectArc(z.shapes[0], 3, 0, 1.0001f, 150, 30);
    ExpectCorner(z.shapes[1], x, 0.5f);
    ExpectArc(z.shapes[1], 3, 0, 1.0001f, 150, 30);
}

TEST_F(ZoneGeometry, ArcsInARowJoinWithoutIntersectionAndWidenByTheirExtent) {
    const CZone& z = Build("ARC=0,0,5,0,90,CCW; ARC=10,0,2,90,180,CW;");
    ExpectCorner(z.shapes[0], 0, 0);
    ExpectArc(z.shapes[0], 0, 0, 5.0001f, 0, 90);
    ExpectCorner(z.shapes[1], 10, 0);
    ExpectArc(z.shapes[1], 10, 0, 2.0001f, 90, 180);
    EXPECT_EQ(z.shapes[0].arcToArc, 1);
    EXPECT_EQ(z.shapes[1].arcToArc, 1);
    ExpectBox(-5.0001f, 12.0001f, -5.0001f, 5.0001f);
}

TEST_F(ZoneGeometry, MissesAndSingleArcsLeaveCornersAndBoxAlone) {
    const CZone& miss = Build("LINE=0,10,0; ARC=0,0,5,0,90,CCW;");
    EXPECT_EQ(miss.shapes[0].cornerFound + miss.shapes[1].cornerFound, 0);
    ExpectArc(miss.shapes[0], 0, 0, 0, 0, 0);
    const CZone& single = Build("ARC=1,2,30,10,80,CW;", 4);
    ExpectArc(single.shapes[0], 1, 2, 30, 10, 80);
    EXPECT_EQ(single.shapes[0].cornerFound, 0);
    ExpectBox(-1, 1, -1, 1);
}

TEST_F(ZoneGeometry, CircleAndLensZonesWidenTheBox) {
    const CZone& circle = Build("CIRCLE=10,90,2;", 3, 1);
    EXPECT_NEAR(circle.circleCenterX, 0, kTol);
    EXPECT_NEAR(circle.circleCenterY, 4, kTol);
    EXPECT_EQ(circle.circleRadius, 6);
    ExpectBox(-6, 6, -10, 2);
    table.Reset();
    Build("CIRCLE=10,90,2;");
    ExpectBox(-6, 6, -2, 10);

    const CZone& lens = Build("LENS=50,1,2,3,4;", 4, 1);
    EXPECT_EQ(lens.lens, (std::array<float, 5>{50, 1, 2, 3, 4}));
    ExpectBox(-50, 50, -50, 50);
}

TEST_F(ZoneGeometry, FailedFieldsEnterTheBoxButNonFiniteValuesDoNot) {
    const CZone& failed = Build("LINE=0,FOO,0; LINE=0,0,90;");
    ExpectCorner(failed.shapes[0], 0, IZoneEvaluator::kFailure);
    ExpectBox(-1, 1, -100000, 1);
    table.Reset();
    const CZone& huge = Build("LINE=0,HUGE,0; LINE=0,0,90;");
    EXPECT_TRUE(std::isinf(huge.shapes[0].cornerY));
    ExpectBox(-1, 1, -1, 1);
}

}  // namespace
}  // namespace quorin
