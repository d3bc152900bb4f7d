#include "zones/zone_section.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/numtext.h"
#include "tests/zones/test_evaluator.h"

namespace quorin::test {
namespace {

std::string Zone(int index, const std::string& label) {
    return "BEGINZONE INDEX=" + FormatInt(index) + "; LABEL=" + label +
           ";BEGINSHAPE LINE=0,0,0; LINE=2,2,90; ENDSHAPE ENDZONE\r\n";
}

TEST(ReadZones, ReadsIndicesOneToNineteenInOrderUpToFourEach) {
    std::string section = Zone(2, "b") + Zone(20, "x") + Zone(0, "x") + Zone(19, "s");
    for (int i = 1; i <= 5; ++i)
        section += Zone(1, "a" + FormatInt(i));
    CZoneTable table;
    TestEvaluator eval;
    EXPECT_EQ(ReadZones(table, section, eval), 6);
    const char* labels[] = {"a1", "a2", "a3", "a4", "b", "s"};
    for (int slot = 1; slot <= 6; ++slot)
        EXPECT_EQ(table.Zone(slot).label, labels[slot - 1]);
    EXPECT_EQ(table.Zone(6).index, 19);
    EXPECT_NEAR(table.Zone(1).shapes[0].cornerX, 2.0f, 1e-4);
    EXPECT_EQ(table.Box().rMax, 2.0f);
}

TEST(ReadZones, StopsAtTwentyFourZones) {
    std::string section;
    for (int index = 1; index <= 7; ++index)
        for (int n = 0; n < 4; ++n)
            section += Zone(index, FormatInt(index * 10 + n));
    CZoneTable table;
    TestEvaluator eval;
    EXPECT_EQ(ReadZones(table, section, eval), kMaxZones);
    EXPECT_EQ(table.Zone(24).label, "63");
    EXPECT_EQ(table.Zone(25).label, "");
}

TEST(ReadZones, ResetsTheTableAndBreaksLinesAfterTheShapeMarkers) {
    CZoneTable table;
    TestEvaluator eval;
    ASSERT_EQ(ReadZones(table, "BEGINZONEINDEX=3;BEGINSHAPECIRCLE=10,0,30;ENDSHAPEENDZONE", eval),
              1);
    EXPECT_EQ(table.Zone(1).text,
              "BEGINZONE\r\nINDEX=3;BEGINSHAPE\r\nCIRCLE=10,0,30;ENDSHAPE\r\nENDZONE\r\n");
    EXPECT_EQ(table.Box().rMin, -30.0f);

    // A marker that begins on the last letter of the one before is broken up by its line break.
    const std::string many(100, 'x');
    const std::pair<std::string, std::string> bodies[] = {
        {"BEGINSHAPENDSHAPE", "BEGINSHAPE\r\nNDSHAPE"},
        {"ENDSHAPENDSHAPE", "ENDSHAPE\r\nNDSHAPE"},
        {"BEGINSHAPEENDSHAPEBEGINSHAPEENDSHAPE",
         "BEGINSHAPE\r\nENDSHAPE\r\nBEGINSHAPE\r\nENDSHAPE\r\n"},
    };
    for (const auto& [body, broken] : bodies) {
        const std::string repeated = body + many + body + many + body + many + body + many + body;
        ASSERT_EQ(ReadZones(table, "BEGINZONEINDEX=1;" + repeated + "ENDZONE", eval), 1) << body;
        EXPECT_EQ(table.Zone(1).text, "BEGINZONE\r\nINDEX=1;" + broken + many + broken + many +
                                          broken + many + broken + many + broken + "ENDZONE\r\n")
            << body;
    }

    EXPECT_EQ(ReadZones(table, "no zones", eval), 0);
    EXPECT_EQ(table.Zone(1).text, "");
    EXPECT_EQ(table.Box().rMin, -1.0f);
}

}  // namespace
}  // namespace quorin::test
