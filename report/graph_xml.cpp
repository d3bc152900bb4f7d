#include "report/graph_xml.h"

#include <pugixml.hpp>

#include "platform/numtext.h"
#include "report/xml_leaf.h"

namespace quorin {

using xml::Field;
using xml::ReadRecord;

namespace {

bool ReadGraph(pugi::xml_node node, CGraph& g, std::string* missing) {
    static const char* const kGraphTags[] = {
        "AxisType",  "XMin",      "XMax",    "YMin", "YMax",   "BKColor", "LineColor",
        "XAxisName", "YAxisName", "PicName", "LINE", "CIRCLE", "ARC",     "POINT"};
    pugi::xml_node shapes[4];
    const Field graphFields[] = {&g.axisType, &g.xMin,      &g.xMax,      &g.yMin,      &g.yMax,
                                 &g.bkColor,  &g.lineColor, &g.xAxisName, &g.yAxisName, &g.picName,
                                 &shapes[0],  &shapes[1],   &shapes[2],   &shapes[3]};
    ReadRecord(node, kGraphTags, graphFields);
    for (size_t i = 0; i < 4; ++i) {
        if (!shapes[i]) {
            *missing = kGraphTags[10 + i];
            return false;
        }
    }
    static const char* const kLineTags[] = {"x1",    "y1",        "x2",       "y2",
                                            "Color", "DrawStyle", "LineWidth"};
    xml::ForEachChild(shapes[0], "Line", [&](pugi::xml_node e) {
        CGraphLine& l = g.lines.emplace_back();
        const Field fields[] = {&l.x1, &l.y1, &l.x2, &l.y2, &l.color, &l.drawStyle, &l.lineWidth};
        ReadRecord(e, kLineTags, fields);
    });
    static const char* const kCircleTags[] = {"CenterX",   "CenterY",  "Radius", "left",
                                              "Top",       "Right",    "Bottom", "Color",
                                              "DrawStyle", "LineWidth"};
    xml::ForEachChild(shapes[1], "Circle", [&](pugi::xml_node e) {
        CGraphCircle& c = g.circles.emplace_back();
        const Field fields[] = {&c.centerX, &c.centerY, &c.radius, &c.left,      &c.top,
                                &c.right,   &c.bottom,  &c.color,  &c.drawStyle, &c.lineWidth};
        ReadRecord(e, kCircleTags, fields);
    });
    static const char* const kArcTags[] = {"CenterX",    "CenterY", "Radius",    "StartAngle",
                                           "SweepAngle", "Color",   "DrawStyle", "LineWidth"};
    xml::ForEachChild(shapes[2], "Arc", [&](pugi::xml_node e) {
        CGraphArc& a = g.arcs.emplace_back();
        const Field fields[] = {&a.centerX,    &a.centerY, &a.radius,    &a.startAngle,
                                &a.sweepAngle, &a.color,   &a.drawStyle, &a.lineWidth};
        ReadRecord(e, kArcTags, fields);
    });
    static const char* const kPointTags[] = {"x", "y", "DrawType", "PointDia", "Color"};
    xml::ForEachChild(shapes[3], "Point", [&](pugi::xml_node e) {
        CGraphPoint& p = g.points.emplace_back();
        const Field fields[] = {&p.x, &p.y, &p.drawType, &p.pointDia, &p.color};
        ReadRecord(e, kPointTags, fields);
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
        std::string missing;
        if (!ReadGraph(node, g, &missing)) {
            if (error) *error = "GRAPH " + FormatInt(number) + " has no " + missing + " element";
            return false;
        }
        graphs.push_back(std::move(g));
    }
    return true;
}

}  // namespace quorin
