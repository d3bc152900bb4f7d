#include "zones/shape_parsers.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <tuple>

#include "tests/zones/test_evaluator.h"
#include "zones/zone_table.h"

namespace quorin {
namespace {

using test::TestEvaluator;
using Fields3 = std::array<std::string, 3>;

TEST(ParseLine, CutsFieldsUpToEachSeparatorAndEmptiesThoseAfterAGap) {
    // clang-format off
    const std::tuple<const char*, int, Fields3> cases[] = {
        {"LINE=1, A ,45;", 1, {"1", " A ", "45"}}, {"LINE=,,;", 1, {"", "", ""}},
        {"x LINE=4,5,45; LINE=7,8,9;", 1, {"4", "5", "45"}}, {"LINE=1,2,45", 0, {"1", "2", ""}},
        {"LINE=1;", 0, {"", "", ""}}, {"LINEP=1,2,45;", 0, {"", "", ""}},
    };
    // clang-format on
    TestEvaluator eval;
    for (const auto& [record, result, expected] : cases) {
        Fields3 fields = {"stale", "stale", "stale"};
        double slope = -7.0;
        EXPECT_EQ(ParseLine(record, fields, slope, eval), result) << record;
        EXPECT_EQ(fields, expected) << record;
        EXPECT_NEAR(slope, expected[2].empty() ? 0.0 : 1.0, 1e-12) << record;
    }
}

TEST(ParseLineP, ReadsItsOwnKeywordAndEvaluatesTheAngleByName) {
    TestEvaluator eval({{"PHI", 30.0}});
    Fields3 fields;
    double slope = 0.0;
    EXPECT_EQ(ParseLineP("LINEP=2,90,PHI;", fields, slope, eval), 1);
    EXPECT_EQ(fields, (Fields3{"2", "90", "PHI"}));
    EXPECT_NEAR(slope, std::tan(std::numbers::pi / 6.0), 1e-12);
    EXPECT_EQ(ParseLineP("LINE=2,90,30;", fields, slope, eval), 0);
}

TEST(ParseArc, DirectionIsCounterClockwiseOnlyForCcwWithoutBlanks) {
    // clang-format off
    const std::tuple<const char*, int, int> cases[] = {
        {"ARC=0,0,5,0,90, ccw ;", 1, kArcCounterClockwise},
        {"ARC=0,0,5,0,90,c C W;", 1, kArcCounterClockwise},
        {"ARC=0,0,5,0,90,;", 1, kArcClockwise}, {"ARC=0,0,5,0,90,\tCCW;", 1, kArcClockwise},
        {"ARC=0,0,5,0,90,CCWX;", 1, kArcClockwise}, {"ARC=0,0,5,0,90,CCW", 0, kArcClockwise},
    };
    // clang-format on
    for (const auto& [record, result, expected] : cases) {
        std::array<std::string, 6> fields;
        int direction = -1;
        EXPECT_EQ(std::pair(ParseArc(record, fields, direction), direction),
                  std::pair(result, expected))
            << record;
    }
    std::array<std::string, 6> fields;
    int direction = -1;
    EXPECT_EQ(ParseArcP("ARCP=5,30,1,0,90,CCW;", fields, direction), 1);
    EXPECT_EQ(fields, (std::array<std::string, 6>{"5", "30", "1", "0", "90", "CCW"}));
    EXPECT_EQ(direction, kArcCounterClockwise);
}

TEST(ParseCircleAndLens, CutTheirFixedFieldCounts) {
    Fields3 circle;
    EXPECT_EQ(ParseCircle("CIRCLE=10,90,2;", circle), 1);
    EXPECT_EQ(circle, (Fields3{"10", "90", "2"}));
    EXPECT_EQ(ParseCircle("CIRCLE=10;90,2;", circle), 0);  // a field runs to the next ","
    EXPECT_EQ(circle, (Fields3{"10;90", "", ""}));
    EXPECT_EQ(ParseCircle("CIRCLE=10,90;", circle), 0);
    EXPECT_EQ(circle, (Fields3{"10", "", ""}));

    std::array<std::string, 5> lens;
    EXPECT_EQ(ParseLens("LENS=5,1,2,3,4;", lens), 1);
    EXPECT_EQ(lens, (std::array<std::string, 5>{"5", "1", "2", "3", "4"}));
    EXPECT_EQ(ParseLens("LENS=5,1,2;", lens), 0);
    EXPECT_EQ(lens, (std::array<std::string, 5>{"5", "1", "", "", ""}));
}

}  // namespace
}  // namespace quorin
