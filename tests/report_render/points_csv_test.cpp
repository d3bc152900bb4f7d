#include "report/render/points_csv.h"

#include <gtest/gtest.h>

#include "tests/common/locale_guard.h"
#include "tests/common/temp_dir.h"
#include "tests/zones/test_evaluator.h"

namespace quorin {
namespace {

// No zones: every point expects no trip, so a trip fails and none passes.
std::string Assessed(std::string_view csv) {
    static CZoneTable zones;
    static test::TestEvaluator evaluator;
    static const CShotModel model(zones, &evaluator, {});
    PointsTable table;
    std::string error;
    EXPECT_TRUE(ReadPointsCsv(csv, "p.csv", table, error)) << error;
    return WriteAssessedCsv(table, AssessShots(model, table.shots));
}

// A decimal-comma locale changes nothing; a byte order mark, CR LF, blank lines, blanks around
// numbers and quoted fields are read; the recomputed columns are replaced, the others kept in
// their order, and the output reads back to itself.
TEST(PointsCsv, ReadsWhatTestSetsWriteAndRoundTrips) {
    test::GermanLocale german;
    ASSERT_TRUE(german.ok());
    const std::string input = test::DataBytes("points_csv_assessed.txt");
    const std::string expected = test::DataBytes("points_csv_assessed.ref");
    EXPECT_EQ(Assessed(input), expected);
    EXPECT_EQ(Assessed(expected), expected);
}

TEST(PointsCsv, BadInputNamesFileAndLine) {
    for (const auto& c : test::DataCases("points_csv_errors.txt")) {
        PointsTable table;
        std::string error;
        EXPECT_FALSE(ReadPointsCsv(c.at(0), "p.csv", table, error)) << c[0];
        EXPECT_EQ(error, c.at(1)) << c[0];
        EXPECT_TRUE(table.shots.empty() && table.columns.empty()) << c[0];
    }
}

}  // namespace
}  // namespace quorin
