#include "report/render/shot_assessment.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/numtext.h"
#include "report/render/assessment_report.h"
#include "report/render/points_csv.h"
#include "report/report_xml.h"
#include "tests/common/temp_dir.h"
#include "tests/zones/test_evaluator.h"
#include "zones/zone_section.h"

namespace quorin {
namespace {

// Z1 (LN, 0 s): corners (-1, 4), (-1, 0), (6, 0), (6, 4), the origin on its bottom edge.
// Z2 (ALL, 0.3 s): corners (-2, 8), (-2, -1), (10, -1), (10, 8).
// Z3 (LL, 0.3 s, the same time as Z2): the circle through the origin and (20, 0).
// Z4 (ALL, no time): the circle through the origin and (0, 12).
CZoneTable TestZones(test::TestEvaluator& evaluator) {
    CZoneTable zones;
    ReadZones(zones,
              "BEGINZONE INDEX=1;FAULTLOOP=LN;LABEL=Z1;BEGINSHAPE LINE=0,4,0;LINE=-1,0,90;"
              "LINE=0,0,0;LINE=6,0,90;ENDSHAPE ENDZONE "
              "BEGINZONE INDEX=2;FAULTLOOP= all ;LABEL=Z2;BEGINSHAPE LINE=0,8,0;LINE=-2,0,90;"
              "LINE=0,-1,0;LINE=10,0,90;ENDSHAPE ENDZONE "
              "BEGINZONE INDEX=3;FAULTLOOP=LL;LABEL=Z3;BEGINSHAPE CIRCLE=20,0,0;ENDSHAPE "
              "ENDZONE BEGINZONE INDEX=4;FAULTLOOP=ALL;LABEL=Z4;BEGINSHAPE CIRCLE=12,90,0;"
              "ENDSHAPE ENDZONE",
              evaluator);
    return zones;
}

class ShotAssessment : public ::testing::Test {
protected:
    test::TestEvaluator evaluator_;
    CZoneTable zones_ = TestZones(evaluator_);
    CShotModel model_{zones_, &evaluator_, {{1, 0.0}, {2, 0.3}, {3, 0.3}, {9, 1.0}}};
};

std::string Describe(const AssessedPoint& p) {
    const std::optional<double> t = p.expectation.Time();
    return (p.expectation.zone ? p.expectation.zone->label : "none") + " " +
           (t ? FormatFixed(*t, 3) : "-") + " " + VerdictName(p.verdict);
}

TEST_F(ShotAssessment, ExpectedZoneAndVerdictOfHandWorkedPoints) {
    const auto cases = test::DataCases("shot_points.txt");
    std::vector<TestShot> shots;
    for (const auto& c : cases) {
        TestShot& shot = shots.emplace_back();
        ASSERT_TRUE(ParseFaultLoop(c.at(0), shot.loop)) << c[0];
        std::tie(shot.r, shot.x) = std::pair(CAtof(c.at(1)), CAtof(c.at(2)));
        if (c.at(3) != "-") shot.measured = CAtof(c[3]);
    }
    const std::vector<AssessedPoint> points = AssessShots(model_, shots);
    std::string result;
    for (size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(Describe(points[i]), cases[i].at(4))
            << i << ": " << cases[i][1] << "," << cases[i][2];
        result += ResultChar(points[i].verdict);
    }
    EXPECT_EQ(ResultString(points), result);
}

TEST_F(ShotAssessment, ShotsLieTwoBandsEitherSideOfEachCrossing) {
    // Z1 at 0 degrees: the ray runs along its bottom edge from the origin and leaves at 6; at
    // 90 degrees it leaves at 4. The point 0.1 before the origin is left out.
    const auto shots = GenerateShots(model_, {FaultLoop::kLN, FaultLoop::kLL}, {0.0, 90.0}, {1});
    EXPECT_EQ(WriteShotsCsv(shots), test::DataBytes("shots_two_bands.ref"));
}

TEST_F(ShotAssessment, VerdictsSurviveTheReportXmlByMarkerAndColour) {
    const std::vector<AssessedPoint> points = AssessShots(
        model_,
        {{FaultLoop::kLN, 2, 2, 0.0}, {FaultLoop::kLN, 2, 2, {}}, {FaultLoop::kLN, 10.3, 0, {}}});
    std::vector<CReportItem> items{
        AssessmentReportItem("Points", model_, points, CharacteristicPlot())};
    EXPECT_EQ(items[0].result, "10-");
    std::vector<CReportItem> imported;
    ASSERT_TRUE(ImportXmlText(ExportXmlText(items), imported, nullptr));
    ASSERT_EQ(imported.size(), 1u);
    std::string shown;
    for (const CGraphPoint& p : imported[0].graphs.at(0).points)
        shown += VerdictOfGraphPoint(p) ? ResultChar(*VerdictOfGraphPoint(p)) : '?';
    EXPECT_EQ(shown, "10-");
}

}  // namespace
}  // namespace quorin
