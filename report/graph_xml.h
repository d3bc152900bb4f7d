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

// Empties graphs, then appends one graph per GRAPH child of parent, in order. A missing leaf keeps
// the new graph's default. False, with *error naming the GRAPH by its 1-based number, when a GRAPH
// lacks one of its four shape containers; the graphs read before it stay.
bool GraphFromXml(pugi::xml_node parent, std::vector<CGraph>& graphs, std::string* error);

}  // namespace quorin
