#include "frontend/zone_plot.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/numtext.h"
#include "tests/zones/test_evaluator.h"
#include "zones/zone_section.h"

namespace quorin {
namespace {

// Reactance line at X=4, vertical lines at R=-1 and R=6, bottom on the R axis.
const std::string kQuad =
    "BEGINSHAPE LINE=0,4,0;LINE=-1,0,90;LINE=0,0,0;LINE=6,0,90;ENDSHAPE ENDZONE";

class ZonePlot : public ::testing::Test {
protected:
    const CZoneTable& Read(const std::string& section) {
        ReadZones(zones, section, evaluator);
        return zones;
    }
    test::TestEvaluator evaluator;
    CZoneTable zones;
};

void ExpectPoint(RxPoint p, double r, double x) {
    EXPECT_NEAR(p.r, r, 1e-3);
    EXPECT_NEAR(p.x, x, 1e-3);
}

TEST_F(ZonePlot, QuadrilateralBecomesClosedChainOfCorners) {
    const CharacteristicPlot plot =
        ZonesToCharacteristicPlot(Read("BEGINZONE INDEX=1;INVERT=0;LABEL=Z1;" + kQuad), "t");
    ASSERT_EQ(plot.zones.size(), 1u);
    const auto& z = plot.zones[0];
    ASSERT_EQ(z.boundary.size(), 4u);
    // Each line runs from the corner with its predecessor to the corner with its successor.
    const RxPoint corners[] = {{-1, 4}, {-1, 0}, {6, 0}, {6, 4}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(z.boundary[i].type, ZoneSegment::Type::kLine);
        ExpectPoint(z.boundary[(i + 1) % 4].from, corners[i].r, corners[i].x);
        ExpectPoint(z.boundary[i].to, corners[i].r, corners[i].x);
    }
}

TEST_F(ZonePlot, CircleAndLensZonesKeepTheirGeometryAndInversion) {
    const CharacteristicPlot plot = ZonesToCharacteristicPlot(
        Read("BEGINZONE INDEX=1;INVERT=1;LABEL=MHO;BEGINSHAPE CIRCLE=10,90,2;ENDSHAPE ENDZONE"
             "BEGINZONE INDEX=2;LABEL=L;BEGINSHAPE LENS=20,75,0.6,6,0;ENDSHAPE ENDZONE"),
        "");
    ASSERT_EQ(plot.zones.size(), 2u);
    EXPECT_EQ(plot.zones[0].shape, ZoneShape::kCircle);
    EXPECT_TRUE(plot.zones[0].inverted);
    ExpectPoint(plot.zones[0].circleCenter, 0, 4);
    EXPECT_NEAR(plot.zones[0].circleRadius, 6, 1e-4);
    EXPECT_EQ(plot.zones[1].shape, ZoneShape::kLens);
    EXPECT_NEAR(plot.zones[1].lens[0], 20, 1e-4);
    EXPECT_NEAR(plot.zones[1].lens[2], 0.6, 1e-4);
    // Drawn extents of the inverted circle are mirrored through the origin.
    const RxExtents e = ZoneExtents(plot.zones[0]);
    EXPECT_NEAR(e.xMin, -10, 1e-3);
    EXPECT_NEAR(e.xMax, 2, 1e-3);
}

TEST_F(ZonePlot, ArcRunsBetweenItsCornersThroughTheArcAsWritten) {
    // An arc of radius 5 about the origin over the top, closed by the R axis.
    const CharacteristicPlot plot = ZonesToCharacteristicPlot(
        Read("BEGINZONE INDEX=3;BEGINSHAPE ARC=0,0,5,0,180,CCW;LINE=0,0,0;ENDSHAPE ENDZONE"), "",
        &evaluator);
    ASSERT_EQ(plot.zones.size(), 1u);
    ASSERT_EQ(plot.zones[0].boundary.size(), 2u);
    EXPECT_EQ(plot.zones[0].boundary[0].type, ZoneSegment::Type::kArc);
    // Whatever order the corners come in, the drawn arc passes over the top (X > 0).
    const RxExtents e = ZoneExtents(plot.zones[0]);
    EXPECT_NEAR(e.xMax, 5, 1e-2);
    EXPECT_NEAR(e.xMin, 0, 1e-2);
}

// Slots follow the index order; zones of one index share a colour, the later ones dashed.
TEST_F(ZonePlot, ZonesOfOneIndexShareAColourAndLaterOnesAreDashed) {
    const CharacteristicPlot plot = ZonesToCharacteristicPlot(
        Read("BEGINZONE INDEX=1;LABEL=a;" + kQuad + "BEGINZONE INDEX=2;LABEL=b;" + kQuad +
             "BEGINZONE INDEX=1;LABEL=c;" + kQuad),
        "");
    std::string order;  // label, colour, pen
    for (const auto& z : plot.zones)
        order += z.label + FormatInt(z.paletteIndex) + FormatInt(z.penStyle) + " ";
    EXPECT_EQ(order, "a00 c01 b10 ");
}

TEST_F(ZonePlot, MissingCornersLeaveTheirSegmentsOut) {
    // The line at X = 10 misses the circle of radius 5: no corner, so neither piece is drawn
    // from a corner that does not exist.
    const CharacteristicPlot plot = ZonesToCharacteristicPlot(
        Read("BEGINZONE INDEX=1;BEGINSHAPE ARC=0,0,5,0,180,CCW;LINE=0,10,0;ENDSHAPE ENDZONE"), "",
        &evaluator);
    ASSERT_EQ(plot.zones.size(), 1u);
    for (const auto& s : plot.zones[0].boundary) {
        EXPECT_TRUE(std::isfinite(s.from.r) && std::isfinite(s.to.r));
        EXPECT_NE(s.type, ZoneSegment::Type::kLine);
    }
}

}  // namespace
}  // namespace quorin
