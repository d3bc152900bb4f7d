// The reference for the XML export: the report written by the library's own writers into a
// pugixml document and saved by pugixml. ExportXmlText must give the same bytes.
#pragma once

#include <string>
#include <vector>

#include "report/report_item.h"

namespace quorin::test {

// The document's bytes: the declaration as a processing instruction, then the report, saved raw.
// Every item title gets "$" for its blanks, as ExportXmlText does.
std::string ExportXmlTextThroughDom(std::vector<CReportItem>& items);

}  // namespace quorin::test
