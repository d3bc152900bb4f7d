#include "report/graph_xml.h"

#include <pugixml.hpp>

#include "platform/numtext.h"
#include "report/xml_leaf.h"

namespace quorin {

using xml::AddFloatChild;
using xml::AddIntChild;
using xml::AddTextChild;
using xml::Field;
using xml::ReadRecord;

namespace {

constexpr std::string_view kShapeGap = "\r\n\t";

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
