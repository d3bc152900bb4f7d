// XML reports from arbitrary bytes: the import never crashes, a report it accepts is written with
// the very bytes pugixml's own save gives, and it is written and read again to a fixed point (the
// first pass may still turn a CR of a text into LF, as any XML parser does).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "report/graph_xml.h"
#include "report/report_xml.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<quorin::CReportItem> items;
    std::string error;
    if (!quorin::ImportXmlText(text, items, &error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    const std::string first = quorin::ExportXmlText(items);
    if (quorin::ExportXmlTextThroughDom(items) != first) std::abort();
    std::vector<quorin::CReportItem> again;
    if (!quorin::ImportXmlText(first, again, &error) || again.size() != items.size()) std::abort();
    const std::string second = quorin::ExportXmlText(again);
    std::vector<quorin::CReportItem> third;
    if (!quorin::ImportXmlText(second, third, &error)) std::abort();
    if (quorin::ExportXmlText(third) != second) std::abort();
    return 0;
}
