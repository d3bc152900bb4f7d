#include "report/report_xml.h"

#include <sys/stat.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cstring>

#include "platform/files.h"
#include "platform/numtext.h"
#include "report/graph_xml.h"
#include "report/xml_leaf.h"

namespace quorin {

using xml::AddIntChild;
using xml::AddTextChild;
using xml::FirstChildren;
using xml::GetChildText;
using xml::ReadInt;
using xml::ReadText;

namespace {

constexpr const char* kItemGap = "\r\n\t";

template <class Sink>
void WriteLines(Sink& sink, const char* listTag, const char* lineTag,
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
        GraphToXml(item.graphs, sink);
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

constexpr std::string_view kDeclaration = "<?xml version='1.0' encoding='utf-8'?>";

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void* data, size_t size) override {
        out.append(static_cast<const char*>(data), size);
    }
};

// The deepest element nesting of the text, or limit + 1 as soon as it is passed. A scan of the
// bytes before parsing: cheaper than a walk of the parsed tree, and a hostile file is refused
// before its tree is built. Comments, CDATA, processing instructions and declarations are
// skipped whole.
int NestingDepth(std::string_view text, int limit) {
    int depth = 0;
    const char* p = text.data();
    const char* const end = p + text.size();
    auto skipPast = [&](std::string_view close) {
        const size_t at = std::string_view(p, static_cast<size_t>(end - p)).find(close);
        p = at == std::string_view::npos ? end : p + at + close.size();
    };
    while (p < end) {
        p = static_cast<const char*>(std::memchr(p, '<', static_cast<size_t>(end - p)));
        if (p == nullptr || ++p == end) break;
        const char next = *p;
        if (next == '/') {
            --depth;  // an end tag; its ">" is found by the next search for "<"
        } else if (next == '?') {
            skipPast("?>");
        } else if (next == '!') {
            const std::string_view rest(p, static_cast<size_t>(end - p));
            if (rest.substr(0, 3) == "!--")
                skipPast("-->");
            else if (rest.substr(0, 8) == "![CDATA[")
                skipPast("]]>");
            else
                skipPast(">");
        } else {
            // A start tag: it opens a level unless it ends in "/>".
            while (p < end && *p != '>')
                ++p;
            if (p == end) break;
            if (p[-1] != '/' && ++depth > limit) return limit + 1;
            ++p;
        }
    }
    return depth < 0 ? 0 : depth;
}

std::string Missing(int item, const char* what) {
    return "FullTable " + FormatInt(item) + " has no " + what + " element";
}

bool ReadLines(pugi::xml_node paras, const char* listTag, const char* lineTag,
               std::vector<std::string>& lines, int number, std::string* fault) {
    const pugi::xml_node list = paras.child(listTag);
    if (!list) {
        *fault = Missing(number, listTag);
        return false;
    }
    for (pugi::xml_node e = list.child(lineTag); e; e = e.next_sibling(lineTag))
        lines.push_back(xml::ElementText(e));
    return true;
}

void ReadTable(pugi::xml_node node, CReportTable& table) {
    static const char* const kTableTags[] = {"Rows", "Cols", "PosX", "PosY", "Height", "Width"};
    static const char* const kColumnTags[] = {"Rows", "Index", "Width"};
    static const char* const kCellTags[] = {"Comment", "CheckBox", "RowIndex"};
    pugi::xml_node f[6];
    FirstChildren(node, kTableTags, f);
    int rows = 0, cols = 0;
    ReadInt(f[0], rows);
    ReadInt(f[1], cols);
    table = CReportTable(rows, cols);
    ReadInt(f[2], table.posX);
    ReadInt(f[3], table.posY);
    ReadInt(f[4], table.height);
    ReadInt(f[5], table.width);
    for (pugi::xml_node c = node.child("Column"); c; c = c.next_sibling("Column")) {
        int colRows = 0, index = 0, width = 0;
        FirstChildren(c, kColumnTags, f);
        ReadInt(f[0], colRows);
        ReadInt(f[1], index);
        ReadInt(f[2], width);
        CReportColumn column(colRows, index, width);
        if (colRows > 0) column.cells.reserve(static_cast<size_t>(std::min(colRows, 1024)));
        for (pugi::xml_node e = c.child("Cell"); e; e = e.next_sibling("Cell")) {
            // As AddRawCell makes it: text kept as stored, row index from the position.
            CReportCell cell;
            cell.rowIndex = static_cast<int>(column.cells.size());
            FirstChildren(e, kCellTags, f);
            ReadText(f[0], cell.text);
            ReadInt(f[1], cell.checkBox);
            ReadInt(f[2], cell.rowIndex);
            column.cells.push_back(std::move(cell));
        }
        // Not AddColumn: the table keeps the width stored in the file.
        table.columns.push_back(std::move(column));
    }
}

bool Import(std::string_view text, std::vector<CReportItem>& items, std::string* error,
            const std::string& what) {
    items.clear();
    auto fail = [&](const std::string& message) {
        if (error) *error = message;
        return false;
    };
    if (text.size() > kMaxReportXmlBytes) return fail(what + " is larger than 512 MiB.");
    if (NestingDepth(text, kMaxReportXmlDepth) > kMaxReportXmlDepth)
        return fail(what + " nests elements deeper than " + FormatInt(kMaxReportXmlDepth) +
                    " levels.");
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed =
        doc.load_buffer(text.data(), text.size(),
                        pugi::parse_default | pugi::parse_ws_pcdata_single, pugi::encoding_utf8);
    if (!parsed)
        return fail(what + " is not XML: " + parsed.description() + " at byte " +
                    FormatInt(parsed.offset) + ".");
    const pugi::xml_node root = doc.document_element();
    if (!root) return fail(what + " has no document element.");

    int number = 0;
    for (pugi::xml_node full = root.child("FullTable"); full;
         full = full.next_sibling("FullTable")) {
        ++number;
        CReportItem item;
        std::string fault;
        GetChildText(full, "Title", item.title);
        if (const pugi::xml_node graph = full.child("Graph")) {
            if (!GraphFromXml(graph, item.graphs, &fault))
                return fail(what + " is incomplete: FullTable " + FormatInt(number) + ": " + fault +
                            ".");
        }
        const pugi::xml_node paras = full.child("Paras");
        if (!paras) return fail(what + " is incomplete: " + Missing(number, "Paras") + ".");
        if (!ReadLines(paras, "Sets", "Set", item.setLines, number, &fault) ||
            !ReadLines(paras, "TestParas", "TestPara", item.testParaLines, number, &fault) ||
            !ReadLines(paras, "InOuts", "InOut", item.inOutLines, number, &fault))
            return fail(what + " is incomplete: " + fault + ".");
        for (pugi::xml_node t = full.child("Table"); t; t = t.next_sibling("Table")) {
            item.tables.emplace_back();
            ReadTable(t, item.tables.back());
        }
        items.push_back(std::move(item));
    }
    return true;
}

}  // namespace

std::string ExportXmlText(std::vector<CReportItem>& items) {
    std::string out;
    // About 40 bytes per leaf; one reservation spares the copies of a growing buffer.
    size_t leaves = 0;
    for (const auto& item : items) {
        leaves += 8 + item.setLines.size() + item.testParaLines.size() + item.inOutLines.size();
        for (const auto& g : item.graphs)
            leaves += 10 + 7 * g.lines.size() + 10 * g.circles.size() + 8 * g.arcs.size() +
                      5 * g.points.size();
        for (const auto& t : item.tables)
            for (const auto& c : t.columns)
                leaves += 3 + 4 * c.cells.size();
    }
    out.reserve(64 + 40 * leaves);
    out.append(kDeclaration);
    xml::TextSink sink(out);
    WriteReport(sink, items);
    return out;
}

std::string ExportXmlTextThroughDom(std::vector<CReportItem>& items) {
    pugi::xml_document doc;
    pugi::xml_node pi = doc.append_child(pugi::node_pi);
    pi.set_name("xml");
    pi.set_value("version='1.0' encoding='utf-8'");
    xml::DomSink sink(doc);
    WriteReport(sink, items);
    StringWriter writer;
    // The processing instruction above is the declaration; pugixml must not add its own.
    doc.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return std::move(writer.out);
}

bool ExportXml(std::vector<CReportItem>& items, const std::string& path, std::string* error) {
    if (WriteFileAtomic(path, ExportXmlText(items))) return true;
    if (error) *error = "Cannot write the report file '" + path + "'.";
    return false;
}

bool ImportXml(const std::string& path, std::vector<CReportItem>& items, std::string* error) {
    const std::string what = "The report file '" + path + "'";
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        static_cast<unsigned long long>(st.st_size) > kMaxReportXmlBytes) {
        items.clear();
        if (error) *error = what + " is larger than 512 MiB.";
        return false;
    }
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        items.clear();
        if (error) *error = "Cannot open the report file '" + path + "'.";
        return false;
    }
    return Import(bytes, items, error, what);
}

bool ImportXmlText(std::string_view text, std::vector<CReportItem>& items, std::string* error) {
    return Import(text, items, error, "The report text");
}

}  // namespace quorin
