#include "report/graph_xml.h"

#include <pugixml.hpp>

#include "platform/numtext.h"
#include "report/xml_leaf.h"

namespace quorin {

using xml::AddFloatChild;
using xml::AddIntChild;
using xml::AddTextChild;
using xml::FirstChildren;
using xml::GetChildFloat;
using xml::GetChildInt;
using xml::GetChildText;
using xml::kLeafIndent;
using xml::ReadFloat;
using xml::ReadInt;

namespace {

constexpr const char* kShapeGap = "\r\n\t";

template <class Sink>
void WriteGraph(Sink& sink, const CGraph& g) {
    sink.Open("GRAPH");
    AddTextChild(sink, "AxisType", g.axisType);
    AddFloatChild(sink, "XMin", g.xMin);
    AddFloatChild(sink, "XMax", g.xMax);
    AddFloatChild(sink, "YMin", g.yMin);
    AddFloatChild(sink, "YMax", g.yMax);
    AddIntChild(sink, "BKColor", g.bkColor);
    AddIntChild(sink, "LineColor", g.lineColor);
    AddTextChild(sink, "XAxisName", g.xAxisName);
    AddTextChild(sink, "YAxisName", g.yAxisName);
    AddTextChild(sink, "PicName", g.picName);

    sink.Open("LINE");
    for (const auto& l : g.lines) {
        sink.Open("Line");
        AddIntChild(sink, "x1", l.x1);
        AddIntChild(sink, "y1", l.y1);
        AddIntChild(sink, "x2", l.x2);
        AddIntChild(sink, "y2", l.y2);
        AddIntChild(sink, "Color", l.color);
        AddIntChild(sink, "DrawStyle", l.drawStyle);
        AddIntChild(sink, "LineWidth", l.lineWidth);
        sink.Close();
    }
    sink.Close();
    sink.Open("CIRCLE");
    for (const auto& c : g.circles) {
        sink.Open("Circle");
        AddIntChild(sink, "CenterX", c.centerX);
        AddIntChild(sink, "CenterY", c.centerY);
        AddIntChild(sink, "Radius", c.radius);
        AddIntChild(sink, "left", c.left);
        AddIntChild(sink, "Top", c.top);
        AddIntChild(sink, "Right", c.right);
        AddIntChild(sink, "Bottom", c.bottom);
        AddIntChild(sink, "Color", c.color);
        AddIntChild(sink, "DrawStyle", c.drawStyle);
        AddIntChild(sink, "LineWidth", c.lineWidth);
        sink.Close();
        sink.Text(kShapeGap);
    }
    sink.Close();
    sink.Open("ARC");
    for (const auto& a : g.arcs) {
        sink.Open("Arc");
        AddIntChild(sink, "CenterX", a.centerX);
        AddIntChild(sink, "CenterY", a.centerY);
        AddIntChild(sink, "Radius", a.radius);
        AddFloatChild(sink, "StartAngle", a.startAngle);
        AddFloatChild(sink, "SweepAngle", a.sweepAngle);
        AddIntChild(sink, "Color", a.color);
        AddIntChild(sink, "DrawStyle", a.drawStyle);
        AddIntChild(sink, "LineWidth", a.lineWidth);
        sink.Close();
        sink.Text(kShapeGap);
    }
    sink.Close();
    sink.Open("POINT");
    for (const auto& p : g.points) {
        sink.Open("Point");
        AddIntChild(sink, "x", p.x);
        AddIntChild(sink, "y", p.y);
        AddIntChild(sink, "DrawType", p.drawType);
        AddIntChild(sink, "PointDia", p.pointDia);
        AddIntChild(sink, "Color", p.color);
        sink.Close();
        sink.Text(kShapeGap);
    }
    sink.Close();
    sink.Close();  // GRAPH
    sink.Text("\r\n");
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
    static const char* const kLineTags[] = {"x1",    "y1",        "x2",       "y2",
                                            "Color", "DrawStyle", "LineWidth"};
    pugi::xml_node f[10];
    for (pugi::xml_node e = lines.child("Line"); e; e = e.next_sibling("Line")) {
        CGraphLine l;
        FirstChildren(e, kLineTags, f);
        ReadInt(f[0], l.x1);
        ReadInt(f[1], l.y1);
        ReadInt(f[2], l.x2);
        ReadInt(f[3], l.y2);
        ReadInt(f[4], l.color);
        ReadInt(f[5], l.drawStyle);
        ReadInt(f[6], l.lineWidth);
        g.lines.push_back(l);
    }
    static const char* const kCircleTags[] = {"CenterX",   "CenterY",  "Radius", "left",
                                              "Top",       "Right",    "Bottom", "Color",
                                              "DrawStyle", "LineWidth"};
    for (pugi::xml_node e = circles.child("Circle"); e; e = e.next_sibling("Circle")) {
        CGraphCircle c;
        FirstChildren(e, kCircleTags, f);
        ReadInt(f[0], c.centerX);
        ReadInt(f[1], c.centerY);
        ReadInt(f[2], c.radius);
        ReadInt(f[3], c.left);
        ReadInt(f[4], c.top);
        ReadInt(f[5], c.right);
        ReadInt(f[6], c.bottom);
        ReadInt(f[7], c.color);
        ReadInt(f[8], c.drawStyle);
        ReadInt(f[9], c.lineWidth);
        g.circles.push_back(c);
    }
    static const char* const kArcTags[] = {"CenterX",    "CenterY", "Radius",    "StartAngle",
                                           "SweepAngle", "Color",   "DrawStyle", "LineWidth"};
    for (pugi::xml_node e = arcs.child("Arc"); e; e = e.next_sibling("Arc")) {
        CGraphArc a;
        FirstChildren(e, kArcTags, f);
        ReadInt(f[0], a.centerX);
        ReadInt(f[1], a.centerY);
        ReadInt(f[2], a.radius);
        ReadFloat(f[3], a.startAngle);
        ReadFloat(f[4], a.sweepAngle);
        ReadInt(f[5], a.color);
        ReadInt(f[6], a.drawStyle);
        ReadInt(f[7], a.lineWidth);
        g.arcs.push_back(a);
    }
    static const char* const kPointTags[] = {"x", "y", "DrawType", "PointDia", "Color"};
    for (pugi::xml_node e = points.child("Point"); e; e = e.next_sibling("Point")) {
        CGraphPoint p;
        FirstChildren(e, kPointTags, f);
        ReadInt(f[0], p.x);
        ReadInt(f[1], p.y);
        ReadInt(f[2], p.drawType);
        ReadInt(f[3], p.pointDia);
        ReadInt(f[4], p.color);
        g.points.push_back(p);
    }
    return true;
}

}  // namespace

void GraphToXml(const std::vector<CGraph>& graphs, pugi::xml_node parent) {
    xml::DomSink sink(parent);
    for (const auto& g : graphs)
        WriteGraph(sink, g);
}

void GraphToXml(const std::vector<CGraph>& graphs, xml::DomSink& sink) {
    for (const auto& g : graphs)
        WriteGraph(sink, g);
}

void GraphToXml(const std::vector<CGraph>& graphs, xml::TextSink& sink) {
    for (const auto& g : graphs)
        WriteGraph(sink, g);
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
