#include "report/graph_xml.h"

#include <pugixml.hpp>

#include "platform/numtext.h"
#include "report/xml_records.h"

namespace quorin {
namespace {

// The shapes of one list, or false with *missing naming its container when there is none.
template <class List>
bool ReadShapes(pugi::xml_node node, CGraph& g, const List& list, std::string* missing) {
    const pugi::xml_node container = node.child(list.listTag.name);
    if (!container) {
        *missing = list.listTag.name;
        return false;
    }
    xml::ForEachChild(container, list.tag.name, [&](pugi::xml_node e) {
        xml::ReadMembers(e, (g.*list.shapes).emplace_back(), list.members);
    });
    return true;
}

}  // namespace

bool GraphFromXml(pugi::xml_node parent, std::vector<CGraph>& graphs, std::string* error) {
    graphs.clear();
    int number = 0;
    for (pugi::xml_node node = parent.first_child(); node; node = node.next_sibling()) {
        if (!xml::SameName(node.name(), "GRAPH")) continue;
        ++number;
        CGraph g;
        xml::ReadMembers(node, g, xml::kGraphMembers);
        std::string missing;
        if (!ReadShapes(node, g, xml::kLines, &missing) ||
            !ReadShapes(node, g, xml::kCircles, &missing) ||
            !ReadShapes(node, g, xml::kArcs, &missing) ||
            !ReadShapes(node, g, xml::kPoints, &missing)) {
            if (error) *error = "GRAPH " + FormatInt(number) + " has no " + missing + " element";
            return false;
        }
        graphs.push_back(std::move(g));
    }
    return true;
}

}  // namespace quorin
