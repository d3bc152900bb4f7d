#include "zones/zone_region.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "platform/numtext.h"
#include "tests/common/temp_dir.h"
#include "tests/zones/test_evaluator.h"
#include "zones/zone_section.h"

namespace quorin {
namespace {

// The zone of the cases without shapes of their own.
const std::string kQuad = "BEGINSHAPE LINE=0,4,0;LINE=-1,0,90;LINE=0,0,0;LINE=6,0,90;ENDSHAPE";

// What a region says of a point, as one line (see data/zone_region.txt).
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
    test::TestEvaluator evaluator;
    for (const auto& c : test::DataCases("zone_region.txt")) {
        std::string record = "BEGINZONE INDEX=1;" + c.at(0);
        if (record.find("BEGINSHAPE") == std::string::npos) record += kQuad;
        CZoneTable table;
        ReadZones(table, record + " ENDZONE", evaluator);
        const CZoneRegion region(table.Zone(1), &evaluator);
        EXPECT_EQ(Describe(region, CAtof(c.at(1)), CAtof(c.at(2))), c.at(3))
            << c[0] << " at " << c[1] << "," << c[2];
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
