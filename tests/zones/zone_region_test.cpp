#include "zones/zone_region.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "platform/numtext.h"
#include "tests/zones/test_evaluator.h"
#include "zones/zone_section.h"

namespace quorin {
namespace {

// Corners (-1, 4), (-1, 0), (6, 0), (6, 4): the origin lies on the bottom edge.
const std::string kQuad = "BEGINSHAPE LINE=0,4,0;LINE=-1,0,90;LINE=0,0,0;LINE=6,0,90;ENDSHAPE";

// What a region says of a point, as one line: containment, state with the usual 5% / 0.05 ohm
// band, and the crossings of the ray through the point.
std::string Describe(const CZoneRegion& region, double r, double x) {
    static const char* const kStates[] = {"out", "in", "band"};
    std::string out = region.Contains(r, x) ? "contains " : "misses ";
    out += kStates[static_cast<int>(region.State(r, x, ImpedanceTolerance{}))];
    out += " crossings";
    for (double d : region.Crossings(r, x))
        out += " " + FormatFixed(d, 6);
    return out;
}

TEST(ZoneRegion, ContainmentStateAndCrossingsOfHandWorkedPoints) {
    // INVERT and shapes of one zone record, the point, what the region says of it.
    const std::tuple<const char*, double, double, const char*> cases[] = {
        // Exactly on a line, inside, outside; the ray enters at the origin, which is a corner.
        {"INVERT=0;", 2, 4, "contains band crossings 0.000000 4.472136"},
        {"INVERT=0;", 2, 1, "contains in crossings 0.000000 6.708204"},
        {"INVERT=0;", 7, 1, "misses out crossings 0.000000 6.060915"},
        {"INVERT=0;", 0, 0, "contains band crossings"},  // the origin on the boundary
        {"INVERT=0;", 3, 0, "contains in crossings 0.000000 6.000000"},  // ray along an edge
        {"INVERT=0;", -2, -2, "misses out crossings"},  // ray only touches the origin corner
        // The same zone reversed: mirrored through the origin.
        {"INVERT=1;", -2, -1, "contains in crossings 0.000000 6.708204"},
        {"INVERT=1;", 2, 1, "misses out crossings"},
        // Half disc of radius 5 over the R axis: on the arc, just outside it within the band.
        {"BEGINSHAPE ARC=0,0,5,0,180,CCW;LINE=0,0,0;ENDSHAPE", 3, 4,
         "contains band crossings 0.000000 5.000000"},
        {"BEGINSHAPE ARC=0,0,5,0,180,CCW;LINE=0,0,0;ENDSHAPE", 0, 5.2,
         "misses band crossings 0.000000 5.000000"},
        {"BEGINSHAPE ARC=0,0,5,0,180,CCW;LINE=0,0,0;ENDSHAPE", 0, -1, "misses out crossings"},
        // Lens from the tip (0, 10) to the tip (0, -2): on each tip, and beside the axis.
        {"BEGINSHAPE LENS=10,90,0.5,2,0;ENDSHAPE", 0, 10, "contains band crossings 10.000000"},
        {"BEGINSHAPE LENS=10,90,0.5,2,0;ENDSHAPE", 0, -2, "contains band crossings 2.000000"},
        {"BEGINSHAPE LENS=10,90,0.5,2,0;ENDSHAPE", 1.5, 4, "contains in crossings 7.133999"},
        {"BEGINSHAPE LENS=10,90,0.5,2,0;ENDSHAPE", 4, 4, "misses out crossings 4.132536"},
        // Inverted circle through 10 and -2 on the X axis: centre (0, -4), radius 6.
        {"INVERT=1;BEGINSHAPE CIRCLE=10,90,2;ENDSHAPE", 0, -9, "contains in crossings 10.000000"},
        {"INVERT=1;BEGINSHAPE CIRCLE=10,90,2;ENDSHAPE", 0, 9, "misses out crossings 2.000000"},
        {"INVERT=1;BEGINSHAPE CIRCLE=10,90,2;ENDSHAPE", 0, 0, "contains in crossings"},
        // Offset circle from 4 to 10 on the R axis: the ray enters and leaves it.
        {"BEGINSHAPE CIRCLE=10,0,-4;ENDSHAPE", 7, 0, "contains in crossings 4.000000 10.000000"},
        {"BEGINSHAPE CIRCLE=10,0,-4;ENDSHAPE", 1, 1, "misses out crossings"},
        // A whole circle that the R axis touches at (5, 0): touching is not crossing.
        {"BEGINSHAPE ARC=5,3,3,0,360,CCW;ENDSHAPE", 5, 0, "contains in crossings"},
    };
    test::TestEvaluator evaluator;
    for (const auto& [zone, r, x, expected] : cases) {
        std::string record = std::string("BEGINZONE INDEX=1;") + zone;
        if (record.find("BEGINSHAPE") == std::string::npos) record += kQuad;
        CZoneTable table;
        ReadZones(table, record + " ENDZONE", evaluator);
        const CZoneRegion region(table.Zone(1), &evaluator);
        EXPECT_EQ(Describe(region, r, x), expected) << zone << " at " << r << "," << x;
    }
}

TEST(ZoneRegion, BandFollowsTheLargerOfItsRelativeAndAbsoluteParts) {
    CZoneTable table;
    test::TestEvaluator evaluator;
    ReadZones(table, "BEGINZONE INDEX=1;BEGINSHAPE CIRCLE=10,0,-4;ENDSHAPE ENDZONE", evaluator);
    const CZoneRegion region(table.Zone(1), &evaluator);
    const std::tuple<ImpedanceTolerance, double, ZoneState> cases[] = {
        {{0.05, 0.05}, 10.49, ZoneState::kBand}, {{0.05, 0.05}, 10.51, ZoneState::kOut},
        {{0.05, 0.05}, 4.21, ZoneState::kIn},    {{0.01, 0.3}, 4.29, ZoneState::kBand},
        {{0.0, 0.0}, 4.0, ZoneState::kBand},     {{0.0, 0.0}, 4.000001, ZoneState::kIn},
    };
    for (const auto& [tolerance, r, state] : cases)
        EXPECT_EQ(region.State(r, 0, tolerance), state)
            << r << " with " << tolerance.relative << "," << tolerance.absolute;
}

}  // namespace
}  // namespace quorin
