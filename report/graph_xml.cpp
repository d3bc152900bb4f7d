#include "report/graph_xml.h"

#include <pugixml.hpp>

#include "platform/numtext.h"
#include "report/xml_leaf.h"

namespace quorin {

using xml::AddFloatChild;
using xml::AddIndent;
using xml::AddIntChild;
using xml::AddTextChild;
using xml::GetChildFloat;
using xml::GetChildInt;
using xml::GetChildText;
using xml::kLeafIndent;

namespace {

constexpr const char* kShapeGap = "\r\n\t";

void WriteGraph(const CGraph& g, pugi::xml_node parent) {
    pugi::xml_node graph = parent.append_child("GRAPH");
    AddTextChild(graph, kLeafIndent, "AxisType", g.axisType);
    AddFloatChild(graph, kLeafIndent, "XMin", g.xMin);
    AddFloatChild(graph, kLeafIndent, "XMax", g.xMax);
    AddFloatChild(graph, kLeafIndent, "YMin", g.yMin);
    AddFloatChild(graph, kLeafIndent, "YMax", g.yMax);
    AddIntChild(graph, kLeafIndent, "BKColor", g.bkColor);
    AddIntChild(graph, kLeafIndent, "LineColor", g.lineColor);
    AddTextChild(graph, kLeafIndent, "XAxisName", g.xAxisName);
    AddTextChild(graph, kLeafIndent, "YAxisName", g.yAxisName);
    AddTextChild(graph, kLeafIndent, "PicName", g.picName);

    pugi::xml_node lines = graph.append_child("LINE");
    for (const auto& l : g.lines) {
        pugi::xml_node e = lines.append_child("Line");
        AddIntChild(e, kLeafIndent, "x1", l.x1);
        AddIntChild(e, kLeafIndent, "y1", l.y1);
        AddIntChild(e, kLeafIndent, "x2", l.x2);
        AddIntChild(e, kLeafIndent, "y2", l.y2);
        AddIntChild(e, kLeafIndent, "Color", l.color);
        AddIntChild(e, kLeafIndent, "DrawStyle", l.drawStyle);
        AddIntChild(e, kLeafIndent, "LineWidth", l.lineWidth);
    }
    pugi::xml_node circles = graph.append_child("CIRCLE");
    for (const auto& c : g.circles) {
        pugi::xml_node e = circles.append_child("Circle");
        AddIntChild(e, kLeafIndent, "CenterX", c.centerX);
        AddIntChild(e, kLeafIndent, "CenterY", c.centerY);
        AddIntChild(e, kLeafIndent, "Radius", c.radius);
        AddIntChild(e, kLeafIndent, "left", c.left);
        AddIntChild(e, kLeafIndent, "Top", c.top);
        AddIntChild(e, kLeafIndent, "Right", c.right);
        AddIntChild(e, kLeafIndent, "Bottom", c.bottom);
        AddIntChild(e, kLeafIndent, "Color", c.color);
        AddIntChild(e, kLeafIndent, "DrawStyle", c.drawStyle);
        AddIntChild(e, kLeafIndent, "LineWidth", c.lineWidth);
        AddIndent(circles, kShapeGap);
    }
    pugi::xml_node arcs = graph.append_child("ARC");
    for (const auto& a : g.arcs) {
        pugi::xml_node e = arcs.append_child("Arc");
        AddIntChild(e, kLeafIndent, "CenterX", a.centerX);
        AddIntChild(e, kLeafIndent, "CenterY", a.centerY);
        AddIntChild(e, kLeafIndent, "Radius", a.radius);
        AddFloatChild(e, kLeafIndent, "StartAngle", a.startAngle);
        AddFloatChild(e, kLeafIndent, "SweepAngle", a.sweepAngle);
        AddIntChild(e, kLeafIndent, "Color", a.color);
        AddIntChild(e, kLeafIndent, "DrawStyle", a.drawStyle);
        AddIntChild(e, kLeafIndent, "LineWidth", a.lineWidth);
        AddIndent(arcs, kShapeGap);
    }
    pugi::xml_node points = graph.append_child("POINT");
    for (const auto& p : g.points) {
        pugi::xml_node e = points.append_child("Point");
        AddIntChild(e, kLeafIndent, "x", p.x);
        AddIntChild(e, kLeafIndent, "y", p.y);
        AddIntChild(e, kLeafIndent, "DrawType", p.drawType);
        AddIntChild(e, kLeafIndent, "PointDia", p.pointDia);
        AddIntChild(e, kLeafIndent, "Color", p.color);
        AddIndent(points, kShapeGap);
    }
    AddIndent(parent, "\r\n");
}

bool ReadGraph(pugi::xml_node node, CGraph& g, std::string* missing) {
    GetChildText(node, "AxisType", g.axisType);
    GetChildFloat(node, "XMin", g.xMin);
    GetChildFloat(node, "XMax", g.xMax);
    GetChildFloat(node, "YMin", g.yMin);
    GetChildFloat(node, "YMax", g.yMax);
    GetChildInt(node, "BKColor", g.bkColor);
    GetChildInt(node, "LineColor", g.lineColor);
    GetChildText(node, "XAxisName", g.xAxisName);
    GetChildText(node, "YAxisName", g.yAxisName);
    GetChildText(node, "PicName", g.picName);

    const pugi::xml_node lines = node.child("LINE");
    const pugi::xml_node circles = node.child("CIRCLE");
    const pugi::xml_node arcs = node.child("ARC");
    const pugi::xml_node points = node.child("POINT");
    for (const auto& [container, name] :
         {std::pair{lines, "LINE"}, {circles, "CIRCLE"}, {arcs, "ARC"}, {points, "POINT"}}) {
        if (!container) {
            *missing = name;
            return false;
        }
    }
    for (pugi::xml_node e = lines.child("Line"); e; e = e.next_sibling("Line")) {
        CGraphLine l;
        GetChildInt(e, "x1", l.x1);
        GetChildInt(e, "y1", l.y1);
        GetChildInt(e, "x2", l.x2);
        GetChildInt(e, "y2", l.y2);
        GetChildInt(e, "Color", l.color);
        GetChildInt(e, "DrawStyle", l.drawStyle);
        GetChildInt(e, "LineWidth", l.lineWidth);
        g.lines.push_back(l);
    }
    for (pugi::xml_node e = circles.child("Circle"); e; e = e.next_sibling("Circle")) {
        CGraphCircle c;
        GetChildInt(e, "CenterX", c.centerX);
        GetChildInt(e, "CenterY", c.centerY);
        GetChildInt(e, "Radius", c.radius);
        GetChildInt(e, "left", c.left);
        GetChildInt(e, "Top", c.top);
        GetChildInt(e, "Right", c.right);
        GetChildInt(e, "Bottom", c.bottom);
        GetChildInt(e, "Color", c.color);
        GetChildInt(e, "DrawStyle", c.drawStyle);
        GetChildInt(e, "LineWidth", c.lineWidth);
        g.circles.push_back(c);
    }
    for (pugi::xml_node e = arcs.child("Arc"); e; e = e.next_sibling("Arc")) {
        CGraphArc a;
        GetChildInt(e, "CenterX", a.centerX);
        GetChildInt(e, "CenterY", a.centerY);
        GetChildInt(e, "Radius", a.radius);
        GetChildFloat(e, "StartAngle", a.startAngle);
        GetChildFloat(e, "SweepAngle", a.sweepAngle);
        GetChildInt(e, "Color", a.color);
        GetChildInt(e, "DrawStyle", a.drawStyle);
        GetChildInt(e, "LineWidth", a.lineWidth);
        g.arcs.push_back(a);
    }
    for (pugi::xml_node e = points.child("Point"); e; e = e.next_sibling("Point")) {
        CGraphPoint p;
        GetChildInt(e, "x", p.x);
        GetChildInt(e, "y", p.y);
        GetChildInt(e, "DrawType", p.drawType);
        GetChildInt(e, "PointDia", p.pointDia);
        GetChildInt(e, "Color", p.color);
        g.points.push_back(p);
    }
    return true;
}

}  // namespace

void GraphToXml(const std::vector<CGraph>& graphs, pugi::xml_node parent) {
    for (const auto& g : graphs)
        WriteGraph(g, parent);
}

bool GraphFromXml(pugi::xml_node parent, std::vector<CGraph>& graphs, std::string* error) {
    graphs.clear();
    int number = 0;
    for (pugi::xml_node node = parent.child("GRAPH"); node; node = node.next_sibling("GRAPH")) {
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
