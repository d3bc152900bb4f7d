// Graph descriptions inside XML reports: one GRAPH element per graph with its axis settings and
// the containers LINE, CIRCLE, ARC and POINT. For the report library and its tests; hosts use
// report/report_xml.h and need not include pugixml.
#pragma once

#include <string>
#include <vector>

#include "graphs/graph_description.h"

namespace pugi {
class xml_node;
}

namespace quorin {

namespace xml {
class DomSink;
class TextSink;
}  // namespace xml

// Appends one GRAPH element per graph under parent, each followed by a "\r\n" text node. Texts
// are stored as they stand (blanks stay blanks), numbers as "%d" and "%f".
void GraphToXml(const std::vector<CGraph>& graphs, pugi::xml_node parent);
// The same into the export's writers (report/xml_leaf.h).
void GraphToXml(const std::vector<CGraph>& graphs, xml::DomSink& sink);
void GraphToXml(const std::vector<CGraph>& graphs, xml::TextSink& sink);

// Empties graphs, then appends one graph per GRAPH child of parent, in order. A missing leaf keeps
// the new graph's default. False, with *error naming the GRAPH by its 1-based number, when a GRAPH
// lacks one of its four shape containers; the graphs read before it stay.
bool GraphFromXml(pugi::xml_node parent, std::vector<CGraph>& graphs, std::string* error);

// ExportXmlText built as a pugixml document and saved by pugixml: the reference that the
// export's own writer matches byte for byte.
std::string ExportXmlTextThroughDom(std::vector<struct CReportItem>& items);

}  // namespace quorin
