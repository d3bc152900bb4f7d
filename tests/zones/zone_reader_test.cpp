#include "zones/zone_reader.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/numtext.h"

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
    EXPECT_EQ(ReadZone(table, source, 1, 1, text, pos), 1);  // "BEGINZONE" at position 0
    EXPECT_EQ(pos, 15);
    EXPECT_EQ(ReadZone(table, source, 2, 1, text, pos), 2);
    EXPECT_EQ(pos, 66 + 9 + 8 + 6);
    EXPECT_EQ(ReadZone(table, source, 3, 1, text, pos), 0);
    EXPECT_EQ(pos, 89);
    EXPECT_EQ(table.Zone(1).label, "a");
    EXPECT_EQ(table.Zone(2).label, "b");
    EXPECT_EQ(table.Zone(3).text, "");

    pos = 0;  // a record at the search position itself is not found again
    EXPECT_EQ(ReadZone(table, Zone("INDEX=1;"), 1, 1, text, pos), 0);
}

TEST_F(ZoneReader, KeysComeFromTheBodyAndMissingOnesReadAsZeroOrEmpty) {
    const CZone* z = ReadOne(Zone("FAULTLOOP=AB;LABEL=Zone 1;INVERT=1;INDEX= 3x;"), 3);
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(z->index, 3);
    EXPECT_EQ(z->invert, 1);
    EXPECT_EQ(z->faultLoop, "AB");
    EXPECT_EQ(z->label, "Zone 1");

    z = ReadOne("LABEL=out;INVERT=4;" + Zone("INDEX=1;") + "FAULTLOOP=out;");
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(z->invert, 0);
    EXPECT_EQ(z->label, "");
    EXPECT_EQ(z->faultLoop, "");

    z = ReadOne(Zone("INDEX=1;LABEL=open "));  // no ";": the rest of the body
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(z->label, "open ");
    z = ReadOne(Zone("LABEL=x;INDEX=2"), 2);
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(z->index, 2);

    int pos = -1;  // without "INDEX=" the index is 0 and the position the body's start
    EXPECT_EQ(ReadZone(table, "  " + Zone("LABEL=x;"), 1, 0, text, pos), 1);
    EXPECT_EQ(pos, 11);
}

TEST_F(ZoneReader, StoresTheNormalisedTextAndShapeRecordsInTextOrder) {
    const std::string body =
        " INDEX=1; BEGINSHAPE\r\nARCP=1,2,3,4,5,CCW;\r\nLINE=0,0,0; LINEP=1,2,3;ARC=0,0,1,2,3,CW;"
        "\r\nENDSHAPE ";
    const CZone* z = ReadOne("xx" + Zone(body) + "yy");
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(z->text, "BEGINZONE\r\n" + body + "ENDZONE\r\n");
    EXPECT_EQ(text, z->text);
    EXPECT_EQ(z->kind, kZoneShapes);
    ASSERT_EQ(z->shapeCount, 4);
    const struct {
        int type;
        const char* record;
    } expected[] = {{kShapeArcP, "ARCP=1,2,3,4,5,CCW;"},
                    {kShapeLine, "LINE=0,0,0;"},
                    {kShapeLineP, "LINEP=1,2,3;"},
                    {kShapeArc, "ARC=0,0,1,2,3,CW;"}};
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(z->shapes[j].type, expected[j].type) << j;
        EXPECT_EQ(z->shapes[j].record, expected[j].record) << j;
    }
}

TEST_F(ZoneReader, KindAndShapeCountFollowTheRecordsPresent) {
    const struct {
        const char* shapes;
        int kind, count;
        const char* circle;
        const char* lens;
        const char* last;  // record text of the last shape
    } cases[] = {
        {"CIRCLE=10,90,2;", kZoneCircle, 0, "CIRCLE=10,90,2;", "", ""},
        {"LENS=5,1,2,3,4; CIRCLE=1,2,3;", kZoneLens, 0, "CIRCLE=1,2,3;", "LENS=5,1,2,3,4;", ""},
        {"LINE=0,0,0; CIRCLE=1,2,3", kZoneCircle, 1, "CIRCLE=1,2,3", "", "LINE=0,0,0;"},
        {"LINE=1,2,3; LINE=4,5,6 ", kZoneShapes, 2, "", "", "LINE=4,5,6 "},
        {"LINE=1,2 ARC=0,0,1,0,90,CW", kZoneShapes, 1, "", "", "LINE=1,2 ARC=0,0,1,0,90,CW"},
        {"", kZoneShapes, 0, "", "", ""},
    };
    for (const auto& c : cases) {
        const CZone* z = ReadOne(ShapeZone(c.shapes));
        ASSERT_NE(z, nullptr) << c.shapes;
        EXPECT_EQ(z->kind, c.kind) << c.shapes;
        EXPECT_EQ(z->shapeCount, c.count) << c.shapes;
        EXPECT_EQ(z->circleRecord, c.circle) << c.shapes;
        EXPECT_EQ(z->lensRecord, c.lens) << c.shapes;
        if (c.count > 0) {
            EXPECT_EQ(z->shapes[c.count - 1].record, c.last) << c.shapes;
        }
    }
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
    EXPECT_EQ(z->kind, kZoneShapes);
    EXPECT_EQ(z->shapeCount, 0);
    EXPECT_EQ(z->circleRecord, "");
}

}  // namespace
}  // namespace quorin
