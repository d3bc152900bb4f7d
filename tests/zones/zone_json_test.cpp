#include "zones/zone_json.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>

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
    // clang-format off
    const std::pair<float, const char*> numbers[] = {
        {0.1f, "0.1"}, {-100000.0f, "-100000"}, {1.0f / 3, "0.33333334"}, {-0.0f, "-0"},
        {123456.7f, "123456.7"}, {1e-6f, "0.000001"}, {2.5e-16f, "2.5e-16"}, {3e38f, "3e+38"},
        {9.96e20f, "996000000000000000000"}, {123456789.0f, "123456790"},
        {-1.25e-7f, "-1.25e-7"}, {std::numeric_limits<float>::quiet_NaN(), "null"},
        {-std::numeric_limits<float>::infinity(), "null"},
    };
    // clang-format on
    CZoneTable table;
    for (const auto& [value, text] : numbers) {
        table.MutableBox().rMax = value;
        EXPECT_EQ(ZonesToJson(table), std::string("{\"zones\":[],\"box\":{\"rMin\":-1,\"rMax\":") +
                                          text + ",\"xMin\":-1,\"xMax\":1}}");
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
