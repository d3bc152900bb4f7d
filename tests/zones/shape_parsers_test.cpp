#include "zones/shape_parsers.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/numtext.h"
#include "tests/common/temp_dir.h"
#include "tests/zones/test_evaluator.h"
#include "zones/zone_table.h"

namespace quorin {
namespace {

// What the parser of a keyword makes of a record, as one line: its result, then its fields joined
// by "|" (each "stale" before), then the slope of a line or the direction of an arc.
std::string Parsed(const std::string& keyword, const std::string& record) {
    static test::TestEvaluator eval({{"PHI", 30.0}});
    std::array<std::string, 6> f;
    f.fill("stale");
    const std::span<std::string, 3> three(f.data(), 3);
    double slope = -7.0;
    int direction = -1, result = -1;
    size_t count = 3;
    std::string extra;
    if (keyword == "LINE" || keyword == "LINEP") {
        result = (keyword == "LINE" ? ParseLine : ParseLineP)(record, three, slope, eval);
        extra = " slope " + FormatFixed(slope, 9);
    } else if (keyword == "ARC" || keyword == "ARCP") {
        result = (keyword == "ARC" ? ParseArc : ParseArcP)(record, f, direction);
        count = 6;
        extra = direction == kArcCounterClockwise ? " ccw"
                : direction == kArcClockwise      ? " cw"
                                                  : "";
    } else if (keyword == "CIRCLE") {
        result = ParseCircle(record, three);
    } else {
        result = ParseLens(record, std::span<std::string, 5>(f.data(), 5));
        count = 5;
    }
    std::string out = FormatInt(result) + " ";
    for (size_t i = 0; i < count; ++i)
        out += (i ? "|" : "") + f[i];
    return out + extra;
}

TEST(ShapeParsers, CutFieldsUpToEachSeparatorAndReadTheSlopeOrDirection) {
    for (const auto& c : test::DataCases("shape_records.txt"))
        EXPECT_EQ(Parsed(c.at(0), c.at(1)), c.at(2)) << c[0] << " " << c[1];
}

}  // namespace
}  // namespace quorin
