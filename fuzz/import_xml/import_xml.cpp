// XML reports from arbitrary bytes: the import never crashes, a report it accepts is written with
// the very bytes pugixml's own save gives, and what is written reads back to the same report:
// every text byte for byte, so that writing it again gives the same file.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "report/graph_xml.h"
#include "report/report_xml.h"
#include "tests/common/xml_dom_export.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<quorin::CReportItem> items;
    std::string error;
    if (!quorin::ImportXmlText(text, items, &error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    const std::string first = quorin::ExportXmlText(items);
    if (quorin::test::ExportXmlTextThroughDom(items) != first) std::abort();
    std::vector<quorin::CReportItem> again;
    if (!quorin::ImportXmlText(first, again, &error) || again.size() != items.size()) std::abort();
    if (quorin::ExportXmlText(again) != first) std::abort();
    return 0;
}
