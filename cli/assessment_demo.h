// The demo's test of the characteristic: shots for the sample's zones, "measured" by a simulated
// relay with two deliberate faults, and assessed, as quorin shots and quorin assess would do it.
#pragma once

#include <string>
#include <vector>

#include "graphs/characteristic_plot.h"
#include "report/report_item.h"

namespace quorin {
class CRelayTemplate;
}

namespace quorin::cli {

struct DemoAssessment {
    std::string text;         // what the demo prints about it, lines ending in "\n"
    std::string shotsCsv;     // the shots as quorin shots writes them
    std::string assessedCsv;  // the simulated measurements assessed
    CharacteristicPlot plot;  // the characteristic with the assessed points
    CReportItem item;         // the assessment's report item, titled title
    int points = 0;
};

// Shots at 0 to 180 degrees, step 15, for LN and LL, around every zone (zone times 1=T1, 2=T2,
// 3=T3, 4=T4; tolerances 1%,0.01 and 1%,0.005, tight enough for the faults to show), measured
// by a simulated relay whose zone 2 reaches 3% too far and whose zone 3 trips 8 ms late.
DemoAssessment AssessDemoShots(CRelayTemplate& relayTemplate, const std::string& title);

// Writes shots.csv, assessed.csv and assessment.png (900 x 700) into folder, appending
// "wrote <path> ..." lines to log. False with error ("cannot write <path>", ...) on failure.
bool WriteDemoAssessment(const DemoAssessment& assessment, const std::string& folder,
                         std::string& log, std::string& error);

// Inserts the assessment's item before the closing entry of a composed report, numbered as the
// chapter after the entry before it: "<n>.  Test points against the characteristic - <relay>".
void InsertAssessmentItem(DemoAssessment& assessment, const std::string& relayName,
                          std::vector<CReportItem>& items);

}  // namespace quorin::cli
