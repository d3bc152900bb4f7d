#include "report/render/shot_assessment.h"

#include <gtest/gtest.h>

#include "platform/numtext.h"
#include "report/render/assessment_report.h"
#include "report/render/points_csv.h"
#include "report/report_xml.h"
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
    const std::optional<double> none;
    const struct {
        FaultLoop loop;
        double r, x;
        std::optional<double> measured;
        const char* expected;
    } cases[] = {
        {FaultLoop::kLN, 2, 2, 0.0, "Z1 0.000 pass"},    // in Z1, Z2, Z4: the fastest
        {FaultLoop::kLN, 2, 2, 0.010, "Z1 0.000 pass"},  // at the time tolerance
        {FaultLoop::kLN, 2, 2, 0.012, "Z1 0.000 fail"},
        {FaultLoop::kLN, 2, 2, none, "Z1 0.000 fail"},
        {FaultLoop::kLN, 8, 2, 0.31, "Z2 0.300 pass"},  // 5% of 0.3 s
        {FaultLoop::kLN, 8, 2, 0.32, "Z2 0.300 fail"},
        {FaultLoop::kLL, 8, 2, 0.3, "Z2 0.300 pass"},             // tie with Z3: the lower index
        {FaultLoop::kLL, 10.2, 0, 0.3, "Z3 0.300 not-assessed"},  // tie in the band of Z2
        {FaultLoop::kLN, 6.2, 1, 0.3, "Z2 0.300 not-assessed"},   // the faster Z1 in its band
        {FaultLoop::kLN, 3.8567, 1.4037, 0.0, "Z1 0.000 pass"},   // Z4 in its band: no time
        {FaultLoop::kLN, 0, 11, 1.7, "Z4 - pass"},                // no time: any trip
        {FaultLoop::kLN, 0, 11, none, "Z4 - fail"},
        {FaultLoop::kLN, 20, 20, none, "none - pass"},
        {FaultLoop::kLN, 20, 20, 0.5, "none - fail"},
        {FaultLoop::kLN, 10.3, 0, none, "none - not-assessed"},  // in no zone, in Z2's band
        {FaultLoop::kLN, 15, 0, none, "none - pass"},            // Z3 is LL only
        {FaultLoop::kLL, 15, 0, 0.3, "Z3 0.300 pass"},
    };
    std::vector<TestShot> shots;
    for (const auto& c : cases)
        shots.push_back({c.loop, c.r, c.x, c.measured});
    const std::vector<AssessedPoint> points = AssessShots(model_, shots);
    std::string result;
    for (size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(Describe(points[i]), cases[i].expected)
            << FaultLoopName(cases[i].loop) << " " << cases[i].r << "," << cases[i].x;
        result += ResultChar(points[i].verdict);
    }
    EXPECT_EQ(ResultString(points), result);
}

TEST_F(ShotAssessment, ShotsLieTwoBandsEitherSideOfEachCrossing) {
    // Z1 at 0 degrees: the ray runs along its bottom edge from the origin and leaves at 6; at
    // 90 degrees it leaves at 4. The point 0.1 before the origin is left out.
    const auto shots = GenerateShots(model_, {FaultLoop::kLN, FaultLoop::kLL}, {0.0, 90.0}, {1});
    EXPECT_EQ(WriteShotsCsv(shots),
              "loop,r_ohm,x_ohm,measured_time_s,zone,angle_deg,expected_zone,expected_time_s\n"
              "LN,0.100000,0.000000,,Z1,0.000000,Z1,0.000000\n"
              "LN,5.400000,0.000000,,Z1,0.000000,Z1,0.000000\n"
              "LN,6.600000,0.000000,,Z1,0.000000,Z2,0.300000\n"
              "LN,0.000000,0.100000,,Z1,90.000000,Z1,0.000000\n"
              "LN,0.000000,3.600000,,Z1,90.000000,Z1,0.000000\n"
              "LN,0.000000,4.400000,,Z1,90.000000,Z2,0.300000\n");
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
