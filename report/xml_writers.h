// The writers of XML reports, one template for every sink of report/xml_leaf.h: the library
// writes through TextSink; a test may write the same elements into a pugixml document.
#pragma once

#include <string_view>
#include <vector>

#include "report/report_item.h"
#include "report/xml_leaf.h"
#include "report/xml_records.h"

namespace quorin::xml {

inline constexpr std::string_view kDeclaration = "<?xml version='1.0' encoding='utf-8'?>";

constexpr std::string_view kShapeGap = "\r\n\t";

template <class Sink, class List>
[[gnu::always_inline]] inline void WriteShapes(Sink& sink, const CGraph& g, const List& list) {
    sink.Open(list.listTag);
    for (const auto& shape : g.*list.shapes) {
        sink.Open(list.tag);
        AddMembers(sink, shape, list.members);
        sink.Close();
        if (list.gap) sink.Text(kShapeGap);
    }
    sink.Close();
}

template <class Sink>
void WriteGraph(Sink& sink, const CGraph& g) {
    sink.Open("GRAPH");
    AddMembers(sink, g, kGraphMembers);
    WriteShapes(sink, g, kLines);
    WriteShapes(sink, g, kCircles);
    WriteShapes(sink, g, kArcs);
    WriteShapes(sink, g, kPoints);
    sink.Close();  // GRAPH
    sink.Text("\r\n");
}

constexpr std::string_view kItemGap = "\r\n\t";

template <class Sink>
void WriteLines(Sink& sink, xml::Tag listTag, xml::Tag lineTag,
                const std::vector<std::string>& lines) {
    sink.Open(listTag);
    for (const auto& line : lines)
        AddChild(sink, lineTag, line, xml::Blanks::kDollar);
    sink.Close();
}

template <class Sink>
void WriteTable(Sink& sink, const CReportTable& t) {
    sink.Open("Table");
    AddMembers(sink, t, kTableMembers);
    for (const auto& c : t.columns) {
        sink.Open("Column");
        AddMembers(sink, c, kColumnMembers);
        for (const auto& cell : c.cells) {
            sink.Open("Cell");
            AddChild(sink, "Comment", cell.text, xml::Blanks::kDollar);
            AddChild(sink, "RowIndex", cell.rowIndex);
            AddChild(sink, "CheckBox", cell.checkBox);
            AddChild(sink, "Height", cell.height);
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
        AddChild(sink, "Title", item.title);
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
