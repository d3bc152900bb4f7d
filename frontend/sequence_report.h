// The report of a test sequence as the quorin command and the Python package compose it: the report
// head, the component's report items, one item with the template's settings, binary inputs and
// characteristic, and a closing entry.
#pragma once

#include <string>
#include <vector>

#include "report/report_item.h"
#include "report/report_setting.h"

namespace quorin {

class CRelayTemplate;
enum class ParamKind;
class ComponentHost;

struct SequenceReport {
    std::vector<CReportItem> items;
    std::vector<CReportTable> extraHeaderTables;  // hardware and test-module tables
};

// Composes the report of the sequence loaded into host, under chapter (the component numbers
// its first item chapter + 1, the template item follows with the next number):
//   0  head: the settings' report title;
//   1… the component's report items (IResultReport::ComposeReport), copied;
//   n  the template item (TemplateReportItem);
//   n+1 "End of report".
// The extra header tables are the hardware table (the settings' running Model and SerialNumber)
// and the test-module table of the quorin program. When the settings name no device, the device
// name becomes the template's relay name (setting is changed).
SequenceReport ComposeSequenceReport(const ComponentHost& host, CReportSetting& setting,
                                     int chapter);

// One report item from the template, titled title (ANSI): the common parameters as test-parameter
// lines, the settings as setting lines ("Name: value unit"; a combo box shows its choice, a check
// box its first choice when ticked and its second otherwise), the zones as a characteristic table
// ("Characteristic Zones"), the binary inputs as a binary table ("Binary Inputs") and the
// characteristic plot of the zones as its graph (picture name "RX"). Sections without records
// are left out.
CReportItem TemplateReportItem(CRelayTemplate& relayTemplate, const std::string& title);

// A parameter record's value as a tester reads it (see TemplateReportItem), ANSI.
std::string ParameterDisplayValue(const CRelayTemplate& relayTemplate, ParamKind kind, int record);

// One row per zone (ANSI): label, index, fault loop, shape ("4 lines", "1 arc, 3 lines",
// "circle", "lens"), "Forward" or "Reverse" (mirrored), its line in the plot ("red, solid",
// "blue, dashed"; a colour outside the default palette as "#RRGGBB"), the R range and the X range
// as drawn ("-1.912 to 6.974", ohms).
std::vector<std::vector<std::string>> ZoneRows(CRelayTemplate& relayTemplate);

}  // namespace quorin
