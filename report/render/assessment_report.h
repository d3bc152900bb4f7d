// Assessed test points in a report: the report item of an assessment, and the points drawn on a
// characteristic plot. A point's verdict is told by its marker and colour, which a graph
// description keeps, so that the verdicts survive an XML export and import:
//   pass          circle, green (0x00A000)
//   fail          cross, red (0x0000E0)
//   not assessed  square, black (0x000000)
// (colours 0x00BBGGRR).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graphs/characteristic_plot.h"
#include "report/render/shot_assessment.h"
#include "report/report_item.h"

namespace quorin {

TestPoint AssessedTestPoint(const AssessedPoint& point);
// The verdict a graph point shows; none for a point of another marker or colour.
std::optional<Verdict> VerdictOfGraphPoint(const CGraphPoint& point);

// The characteristic with the points added and a title naming the markers.
CharacteristicPlot AssessmentPlot(CharacteristicPlot characteristic,
                                  const std::vector<AssessedPoint>& points);

// The report item of an assessment, titled title (ANSI):
// - test-parameter lines: the impedance and time tolerances and the zone times;
// - a test-point table "Test Points" with a heading row and one row per point: loop, R, X, |Z|
//   and angle (ohms and degrees, "%.3f"), the expected zone with its time ("Z2 P-E, 0.300 s",
//   "Z4, any time", "no trip"), the measured time ("0.308 s", "no trip") and the verdict;
// - one graph, picture name "RX": AssessmentPlot of characteristic;
// - the result string, one character per point.
// Texts are ANSI.
CReportItem AssessmentReportItem(const std::string& title, const CShotModel& model,
                                 const std::vector<AssessedPoint>& points,
                                 const CharacteristicPlot& characteristic);

}  // namespace quorin
