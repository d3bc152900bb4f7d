#include "zones/zone_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <tuple>

#include "platform/numtext.h"
#include "tests/zones/test_evaluator.h"

namespace quorin {
namespace {

using test::TestEvaluator;
constexpr float kTol = 1e-4f;

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
        SCOPED_TRACE(testing::Message() << c.x1 << " " << c.y1 << " " << c.s1);
        double x = NAN, y = NAN;
        EXPECT_EQ(LineIntersection(c.x1, c.y1, c.s1, c.x2, c.y2, c.s2, x, y), 1);
        EXPECT_NEAR(x, c.x, 1e-9);
        EXPECT_NEAR(y, c.y, 1e-9);
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

// A number rounded to four decimals, "%g" (so "-0" reads "0").
std::string Num(double v) {
    const double r = std::round(v * 1e4) / 1e4;
    return CFormat("%g", r == 0 ? 0.0 : r);
}

// The geometry of a zone on one line: per shape its corner ("-" when none; a second copy only
// when it differs), its arc "@centre r radius start>end" when it has a radius, "+" when joined arc
// to arc; for a circle its centre and radius, for a lens its fields; then the table's box.
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

// Each zone is built alone into an empty table.
TEST(BuildZone, CornersArcsAndTheBoxFollowTheShapesSlotAndInvert) {
    const std::string rectangle = "LINE=0,0,0; LINE=4,0,90; LINEP=3,90,0; LINE=0,0,90;";
    const std::string lineArcLine = "LINE=0,0,0; ARC=0,0,5,0,90,CCW; LINE=0,0,90;";
    const std::tuple<std::string, int, int, const char*> cases[] = {
        // shapes, slot, invert
        // Inverting mirrors only the box.
        {rectangle, 3, 0, "(4,0); (4,3); (0,3); (0,0); box -1,4,-1,3"},
        {rectangle, 3, 1, "(4,0); (4,3); (0,3); (0,0); box -4,1,-3,1"},
        // A line and an arc meet at the point the zone slot chooses.
        {lineArcLine, 1, 0,
         "(5,0) @0,0 r5.0001 180>0; (0,-5) @0,0 r5.0001 -90>90; (0,0); box -1,5,-5,1"},
        {lineArcLine, 3, 0,
         "(5,0) @0,0 r5.0001 0>180; (0,5) @0,0 r5.0001 90>-90; (0,0); box -1,5,-1,5"},
        {"LINEP=1,30,0; ARCP=3,0,1,90,270,CCW;", 3, 0,
         "(2.134,0.5) @3,0 r1.0001 150>30; (2.134,0.5) @3,0 r1.0001 150>30; box -1,2.134,-1,1"},
        // Arcs in a row join without an intersection and widen the box by their extent.
        {"ARC=0,0,5,0,90,CCW; ARC=10,0,2,90,180,CW;", 3, 0,
         "(0,0) @0,0 r5.0001 0>90 +; (10,0) @10,0 r2.0001 90>180 +; box "
         "-5.0001,12.0001,-5.0001,5.0001"},
        // A line missing the arc's circle and a single arc leave corners and box alone.
        {"LINE=0,10,0; ARC=0,0,5,0,90,CCW;", 3, 0, "-; -; box -1,1,-1,1"},
        {"ARC=1,2,30,10,80,CW;", 4, 0, "- @1,2 r30 10>80; box -1,1,-1,1"},
        {"CIRCLE=10,90,2;", 3, 1, "circle 0,4 r6; box -6,6,-10,2"},
        {"CIRCLE=10,90,2;", 3, 0, "circle 0,4 r6; box -6,6,-2,10"},
        {"LENS=50,1,2,3,4;", 4, 1, "lens 50 1 2 3 4; box -50,50,-50,50"},
        // Failed fields enter the box, values that are not finite do not.
        {"LINE=0,FOO,0; LINE=0,0,90;", 3, 0, "(0,-100000); (0,-100000); box -1,1,-100000,1"},
        {"LINE=0,HUGE,0; LINE=0,0,90;", 3, 0, "(inf,inf); (inf,inf); box -1,1,-1,1"},
    };
    TestEvaluator eval({{"HUGE", 1e300}});
    for (const auto& [shapes, slot, invert, geometry] : cases) {
        CZoneTable table;
        const std::string source = "BEGINZONEINDEX=1;INVERT=" + FormatInt(invert) + ";BEGINSHAPE" +
                                   shapes + "ENDSHAPEENDZONE";
        std::string text;
        int pos = -1;
        ASSERT_EQ(BuildZone(table, source, slot, 1, text, pos, eval), slot) << shapes;
        EXPECT_EQ(Geometry(table, table.Zone(slot)), geometry) << shapes;
    }
}

}  // namespace
}  // namespace quorin
