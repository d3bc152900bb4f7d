#include "cli/assessment_demo.h"

#include <QSize>
#include <algorithm>
#include <limits>

#include "frontend/zone_plot.h"
#include "platform/files.h"
#include "platform/numtext.h"
#include "report/render/assessment_report.h"
#include "report/render/points_csv.h"
#include "report/render/result_assessment.h"
#include "template/relay_template.h"

namespace quorin::cli {
namespace {

constexpr double kZone2Overreach = 1.03;  // the simulated relay's zone 2 reaches 3% too far
constexpr double kZone3Delay = 0.008;     // and its zone 3 trips 8 ms late
constexpr double kUntimedTrip = 1.5;      // when it trips in a zone that has no time
constexpr int kPlotWidth = 900, kPlotHeight = 700;

// Not a measurement: a stand-in for a relay on a test set, deterministic so that the demo's
// output can be checked. It trips in the fastest of its zones of the loop that hold the point.
std::optional<double> SimulatedTrip(const CShotModel& model, const TestShot& shot) {
    double fastest = std::numeric_limits<double>::infinity();
    for (const AssessedZone& zone : model.Zones()) {
        if (!model.Applies(zone, shot.loop)) continue;
        const double reach = zone.index == 2 ? kZone2Overreach : 1.0;
        if (!zone.region.Contains(shot.r / reach, shot.x / reach)) continue;
        const double delay = zone.index == 3 ? kZone3Delay : 0.0;
        fastest = std::min(fastest, zone.time.value_or(kUntimedTrip) + delay);
    }
    if (fastest == std::numeric_limits<double>::infinity()) return std::nullopt;
    return fastest;
}

}  // namespace

DemoAssessment AssessDemoShots(CRelayTemplate& t, const std::string& title) {
    std::map<int, double> times;
    for (int index = 1; index <= 4; ++index)
        times[index] = t.CalcExpression("T" + FormatInt(index));
    const CShotModel model(t.Zones(), &t, times, {0.01, 0.01}, {0.01, 0.005});
    std::vector<double> angles;
    for (int angle = 0; angle <= 180; angle += 15)
        angles.push_back(angle);
    std::vector<GeneratedShot> shots =
        GenerateShots(model, {FaultLoop::kLN, FaultLoop::kLL}, angles, {});

    DemoAssessment out;
    out.shotsCsv = WriteShotsCsv(shots);
    for (GeneratedShot& g : shots)
        g.shot.measured = SimulatedTrip(model, g.shot);
    // Through the points file, as a test set would hand its measurements back.
    PointsTable measured;
    std::string error;
    ReadPointsCsv(WriteShotsCsv(shots), "measured.csv", measured, error);
    const std::vector<AssessedPoint> points = AssessShots(model, measured.shots);
    out.assessedCsv = WriteAssessedCsv(measured, points);
    const CharacteristicPlot characteristic =
        ZonesToCharacteristicPlot(t.Zones(), t.ProtectiveRelayName(), &t);
    out.plot = AssessmentPlot(characteristic, points);
    out.item = AssessmentReportItem(title, model, points, characteristic);
    out.points = static_cast<int>(points.size());

    const ResultAssessment summary = AssessResult(out.item.result);
    out.text = CFormat(
        "%d shots on both sides of every zone boundary along search lines at 0 to 180 degrees, "
        "step 15, for LN and LL (tolerances 1%% or 0.010 Ω, 1%% or 0.005 s; zone times "
        "1=T1 2=T2 3=T3 4=T4, zones 5 and 6 without).\n"
        "Measured by a SIMULATED relay, not a real one: its zone 2 reaches 3%% too far and its "
        "zone 3 trips 8 ms late.\n"
        "Assessed: %d pass, %d fail, %d not assessed (within the tolerance band of a zone that "
        "could trip as fast).\n",
        out.points, summary.passed, summary.failed, summary.notAssessed);
    return out;
}

bool WriteDemoAssessment(const DemoAssessment& assessment, const std::string& folder,
                         std::string& log, std::string& error) {
    const std::string base = folder.back() == '/' ? folder : folder + "/";
    for (const auto& [name, csv] : {std::pair{"shots.csv", &assessment.shotsCsv},
                                    std::pair{"assessed.csv", &assessment.assessedCsv}}) {
        if (!WriteFileAtomic(base + name, *csv)) {
            error = "cannot write " + base + name;
            return false;
        }
        log += CFormat("wrote %s%s (%d points)\n", base.c_str(), name, assessment.points);
    }
    const std::string png = base + "assessment.png";
    if (!RenderCharacteristicPlot(assessment.plot, png, QSize(kPlotWidth, kPlotHeight), &error))
        return false;
    log += CFormat("wrote %s (%d x %d)\n", png.c_str(), kPlotWidth, kPlotHeight);
    return true;
}

void InsertAssessmentItem(DemoAssessment& assessment, const std::string& relayName,
                          std::vector<CReportItem>& items) {
    if (items.empty()) return;
    assessment.item.title = CFormat("%d.  Test points against the characteristic - %s",
                                    static_cast<int>(items.size()) - 1, relayName.c_str());
    items.insert(items.end() - 1, assessment.item);
}

}  // namespace quorin::cli
