#include "zones/zone_json.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/numtext.h"
#include "tests/common/temp_dir.h"
#include "tests/zones/test_evaluator.h"
#include "zones/zone_section.h"

namespace quorin {
namespace {

TEST(ZonesToJson, WritesEveryZoneKindAndTheBox) {
    CZoneTable table;
    test::TestEvaluator eval({{"HUGE", 1e300}});
    ASSERT_EQ(ReadZones(table, test::DataBytes("zone_set.txt"), eval), 6);
    EXPECT_EQ(ZonesToJson(table), test::DataBytes("zone_set.ref"));
}

TEST(ZonesToJson, NumbersAreShortestRoundTripTextsAndLabelsAreEscaped) {
    CZoneTable table;
    for (const auto& c : test::DataCases("json_numbers.txt")) {
        table.MutableBox().rMax = static_cast<float>(CAtof(c.at(0)));
        EXPECT_EQ(ZonesToJson(table), "{\"zones\":[],\"box\":{\"rMin\":-1,\"rMax\":" + c.at(1) +
                                          ",\"xMin\":-1,\"xMax\":1}}");
    }

    table.MutableBox() = CZoneBox();
    table.SetCount(1);
    CZone& zone = *table.MutableZone(1);
    zone.label = "a\"b\\c\x01\t\r\n\xC7\xF8\xFF";
    zone.kind = kZoneCircle;
    EXPECT_EQ(ZonesToJson(table),
              "{\"zones\":[{\"slot\":1,\"index\":0,\"invert\":0,\"kind\":1,"
              "\"label\":\"a\\\"b\\\\c\\u0001\\t\\r\\n\xE5\x8C\xBA\\udcff\","
              "\"faultLoop\":\"\",\"center\":[0,0],"
              "\"radius\":0}],\"box\":{\"rMin\":-1,\"rMax\":1,\"xMin\":-1,\"xMax\":1}}");
}

}  // namespace
}  // namespace quorin
