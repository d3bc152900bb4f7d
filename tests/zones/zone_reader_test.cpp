#include "zones/zone_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/numtext.h"
#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

std::string Zone(const std::string& body) {
    return "BEGINZONE" + body + "ENDZONE";
}
std::string ShapeZone(const std::string& shapes) {
    return Zone("INDEX=1;BEGINSHAPE" + shapes + "ENDSHAPE");
}

class ZoneReader : public ::testing::Test {
protected:
    // Reads the first zone with the index into slot 1; the slot, or nullptr when none is found.
    const CZone* ReadOne(const std::string& source, int index = 1) {
        int pos = -1;
        return ReadZone(table, source, 1, index, text, pos) == 1 ? &table.Zone(1) : nullptr;
    }
    CZoneTable table;
    std::string text;
};

TEST_F(ZoneReader, SuccessiveCallsFindLaterRecordsOfTheIndexThenNone) {
    const std::string source =
        Zone("INDEX=1;LABEL=a;") + "  " + Zone("INDEX=2;LABEL=x;") + Zone("LABEL=b;INDEX=1;");
    int pos = -1;
    // Each call's slot and position; "BEGINZONE" is at position 0.
    std::vector<std::pair<int, int>> found;
    for (int slot = 1; slot <= 3; ++slot) {
        const int read = ReadZone(table, source, slot, 1, text, pos);
        found.emplace_back(read, pos);
    }
    EXPECT_EQ(found, (std::vector<std::pair<int, int>>{{1, 15}, {2, 66 + 9 + 8 + 6}, {0, 89}}));
    EXPECT_EQ(std::tuple(table.Zone(1).label, table.Zone(2).label, table.Zone(3).text),
              std::tuple("a", "b", ""));

    pos = 0;  // a record at the search position itself is not found again
    EXPECT_EQ(ReadZone(table, Zone("INDEX=1;"), 1, 1, text, pos), 0);
}

TEST_F(ZoneReader, KeysComeFromTheBodyAndMissingOnesReadAsZeroOrEmpty) {
    const CZone* z = ReadOne(Zone("FAULTLOOP=AB;LABEL=Zone 1;INVERT=1;INDEX= 3x;"), 3);
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(std::tuple(z->index, z->invert, z->faultLoop, z->label),
              std::tuple(3, 1, "AB", "Zone 1"));
    z = ReadOne("LABEL=out;INVERT=4;" + Zone("INDEX=1;LABEL=open ") + "FAULTLOOP=out;");
    ASSERT_NE(z, nullptr);  // no ";": the rest of the body
    EXPECT_EQ(std::tuple(z->invert, z->faultLoop, z->label), std::tuple(0, "", "open "));
    int pos = -1;  // without "INDEX=" the index is 0 and the position the body's start
    EXPECT_EQ(ReadZone(table, "  " + Zone("LABEL=x;"), 1, 0, text, pos), 1);
    EXPECT_EQ(pos, 11);
}

TEST_F(ZoneReader, KindShapesAndRecordsFollowTheTextBetweenTheShapeMarkers) {
    for (const auto& c : test::DataCases("zone_shapes.txt")) {
        const std::string& shapes = c.at(0);
        const CZone* z = ReadOne(ShapeZone(shapes));
        ASSERT_NE(z, nullptr) << shapes;
        std::string read = "kind " + FormatInt(z->kind) + ": ";
        for (int j = 0; j < z->shapeCount; ++j)
            read += FormatInt(z->shapes[j].type) + " " + z->shapes[j].record + " ";
        EXPECT_EQ(read + "|" + z->circleRecord + "|" + z->lensRecord, c.at(1));
    }
    const std::string body = " INDEX=1; BEGINSHAPE\r\nLINE=0,0,0; ENDSHAPE ";
    EXPECT_EQ(ReadOne("xx" + Zone(body) + "yy")->text, "BEGINZONE\r\n" + body + "ENDZONE\r\n");
    EXPECT_EQ(text, table.Zone(1).text);
    EXPECT_EQ(ReadOne(Zone("INDEX=1;BEGINSHAPE LINE=0,0,0;"))->shapeCount, 0);
    EXPECT_EQ(ReadOne(Zone("INDEX=1;ENDSHAPE LINE=0,0,0; BEGINSHAPE"))->shapeCount, 0);
}

TEST_F(ZoneReader, StopsAtThirtyShapes) {
    std::string shapes;
    for (int i = 0; i < 31; ++i)
        shapes += "LINE=" + FormatInt(i) + ",0,0;";
    const CZone* z = ReadOne(ShapeZone(shapes));
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(z->shapeCount, kMaxZoneShapes);
    EXPECT_EQ(z->shapes[29].record, "LINE=29,0,0;");
}

TEST_F(ZoneReader, AFailedReadChangesNothingAndASuccessfulOneClearsTheSlot) {
    ASSERT_NE(ReadOne(ShapeZone("LINE=0,0,0;CIRCLE=1,2,3;")), nullptr);
    const std::string before = table.Zone(1).text;
    int pos = -1;
    EXPECT_EQ(ReadZone(table, ShapeZone(""), 1, 5, text, pos), 0);
    EXPECT_EQ(ReadZone(table, "BEGINZONE INDEX=1;", 1, 1, text, pos), 0);  // no "ENDZONE"
    EXPECT_EQ(ReadZone(table, ShapeZone(""), 0, 1, text, pos), 0);
    EXPECT_EQ(ReadZone(table, ShapeZone(""), kMaxZones + 1, 1, text, pos), 0);
    EXPECT_EQ(pos, -1);
    EXPECT_EQ(table.Zone(1).text, before);
    const CZone* z = ReadOne(Zone("INDEX=1;"));
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(std::tuple(z->kind, z->shapeCount, z->circleRecord), std::tuple(0, 0, ""));
}

}  // namespace
}  // namespace quorin
