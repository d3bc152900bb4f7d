// The writers of XML reports, one template for every sink of report/xml_leaf.h: the library
// writes through TextSink; a test may write the same elements into a pugixml document.
#pragma once

#include <string_view>
#include <vector>

#include "report/report_item.h"
#include "report/xml_leaf.h"

namespace quorin::xml {

inline constexpr std::string_view kDeclaration = "<?xml version='1.0' encoding='utf-8'?>";

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

constexpr std::string_view kItemGap = "\r\n\t";

template <class Sink>
void WriteLines(Sink& sink, xml::Tag listTag, xml::Tag lineTag,
                const std::vector<std::string>& lines) {
    sink.Open(listTag);
    for (const auto& line : lines)
        AddTextChild(sink, lineTag, line, xml::Blanks::kDollar);
    sink.Close();
}

template <class Sink>
void WriteTable(Sink& sink, const CReportTable& t) {
    sink.Open("Table");
    AddIntChild(sink, "Rows", t.rowCount);
    AddIntChild(sink, "Cols", t.colCount);
    AddIntChild(sink, "PosX", t.posX);
    AddIntChild(sink, "PosY", t.posY);
    AddIntChild(sink, "Height", t.height);
    AddIntChild(sink, "Width", t.width);
    for (const auto& c : t.columns) {
        sink.Open("Column");
        AddIntChild(sink, "Width", c.width);
        AddIntChild(sink, "Index", c.index);
        AddIntChild(sink, "Rows", c.rowCount);
        for (const auto& cell : c.cells) {
            sink.Open("Cell");
            AddTextChild(sink, "Comment", cell.text, xml::Blanks::kDollar);
            AddIntChild(sink, "RowIndex", cell.rowIndex);
            AddIntChild(sink, "CheckBox", cell.checkBox);
            AddIntChild(sink, "Height", cell.height);
            sink.Close();
        }
        sink.Close();
    }
    sink.Close();
}

// Everything below the processing instruction: Report and its items.
template <class Sink>
void WriteReport(Sink& sink, std::vector<CReportItem>& items) {
    sink.Open("Report");
    sink.Text(kItemGap);
    for (size_t i = 0; i < items.size(); ++i) {
        CReportItem& item = items[i];
        item.title = BlanksToDollars(item.title);
        sink.Open("FullTable");
        AddTextChild(sink, "Title", item.title);
        sink.Open("Graph");
        for (const CGraph& graph : item.graphs)
            WriteGraph(sink, graph);
        sink.Close();
        sink.Open("Paras");
        WriteLines(sink, "Sets", "Set", item.setLines);
        WriteLines(sink, "TestParas", "TestPara", item.testParaLines);
        WriteLines(sink, "InOuts", "InOut", item.inOutLines);
        sink.Close();
        for (const auto& t : item.tables)
            WriteTable(sink, t);
        sink.Close();
        if (i + 1 < items.size()) sink.Text(kItemGap);
    }
    sink.Text("\r\n");
    sink.Close();
}

}  // namespace quorin::xml
