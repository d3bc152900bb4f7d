#include "report/report_xml.h"

#include <sys/stat.h>
#include <pugixml.hpp>

#include "platform/files.h"
#include "platform/numtext.h"
#include "report/graph_xml.h"
#include "report/xml_leaf.h"

namespace quorin {

using xml::AddIndent;
using xml::AddIntChild;
using xml::AddTextChild;
using xml::GetChildInt;
using xml::GetChildText;
using xml::kLeafIndent;

namespace {

constexpr const char* kItemGap = "\r\n\t";

void AddReportText(pugi::xml_node parent, const char* tag, std::string_view text) {
    AddTextChild(parent, kLeafIndent, tag, BlanksToDollars(text));
}

void WriteLines(pugi::xml_node paras, const char* listTag, const char* lineTag,
                const std::vector<std::string>& lines) {
    pugi::xml_node list = paras.append_child(listTag);
    for (const auto& line : lines)
        AddReportText(list, lineTag, line);
}

void WriteTable(pugi::xml_node parent, const CReportTable& t) {
    pugi::xml_node table = parent.append_child("Table");
    AddIntChild(table, kLeafIndent, "Rows", t.rowCount);
    AddIntChild(table, kLeafIndent, "Cols", t.colCount);
    AddIntChild(table, kLeafIndent, "PosX", t.posX);
    AddIntChild(table, kLeafIndent, "PosY", t.posY);
    AddIntChild(table, kLeafIndent, "Height", t.height);
    AddIntChild(table, kLeafIndent, "Width", t.width);
    for (const auto& c : t.columns) {
        pugi::xml_node column = table.append_child("Column");
        AddIntChild(column, kLeafIndent, "Width", c.width);
        AddIntChild(column, kLeafIndent, "Index", c.index);
        AddIntChild(column, kLeafIndent, "Rows", c.rowCount);
        for (const auto& cell : c.cells) {
            pugi::xml_node e = column.append_child("Cell");
            AddReportText(e, "Comment", cell.text);
            AddIntChild(e, kLeafIndent, "RowIndex", cell.rowIndex);
            AddIntChild(e, kLeafIndent, "CheckBox", cell.checkBox);
            AddIntChild(e, kLeafIndent, "Height", cell.height);
        }
    }
}

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void* data, size_t size) override {
        out.append(static_cast<const char*>(data), size);
    }
};

std::string Serialize(std::vector<CReportItem>& items) {
    pugi::xml_document doc;
    doc.append_child(pugi::node_pi).set_name("xml");
    doc.first_child().set_value("version='1.0' encoding='utf-8'");
    pugi::xml_node report = doc.append_child("Report");
    AddIndent(report, kItemGap);
    for (size_t i = 0; i < items.size(); ++i) {
        CReportItem& item = items[i];
        item.title = BlanksToDollars(item.title);
        pugi::xml_node full = report.append_child("FullTable");
        AddTextChild(full, kLeafIndent, "Title", item.title);
        GraphToXml(item.graphs, full.append_child("Graph"));
        pugi::xml_node paras = full.append_child("Paras");
        WriteLines(paras, "Sets", "Set", item.setLines);
        WriteLines(paras, "TestParas", "TestPara", item.testParaLines);
        WriteLines(paras, "InOuts", "InOut", item.inOutLines);
        for (const auto& t : item.tables)
            WriteTable(full, t);
        if (i + 1 < items.size()) AddIndent(report, kItemGap);
    }
    AddIndent(report, "\r\n");
    StringWriter writer;
    // The processing instruction above is the declaration; pugixml must not add its own.
    doc.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return std::move(writer.out);
}

// Deepest element nesting below root, walked without recursion; stops counting past limit.
int Depth(pugi::xml_node root, int limit) {
    int depth = 0, deepest = 0;
    pugi::xml_node n = root.first_child();
    if (n) depth = 1;
    while (n) {
        if (depth > deepest) deepest = depth;
        if (deepest > limit) break;
        if (n.first_child()) {
            n = n.first_child();
            ++depth;
            continue;
        }
        while (n && n != root && !n.next_sibling()) {
            n = n.parent();
            --depth;
        }
        if (!n || n == root) break;
        n = n.next_sibling();
    }
    return deepest;
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
    int rows = 0, cols = 0;
    GetChildInt(node, "Rows", rows);
    GetChildInt(node, "Cols", cols);
    table = CReportTable(rows, cols);
    GetChildInt(node, "PosX", table.posX);
    GetChildInt(node, "PosY", table.posY);
    GetChildInt(node, "Height", table.height);
    GetChildInt(node, "Width", table.width);
    for (pugi::xml_node c = node.child("Column"); c; c = c.next_sibling("Column")) {
        int colRows = 0, index = 0, width = 0;
        GetChildInt(c, "Rows", colRows);
        GetChildInt(c, "Index", index);
        GetChildInt(c, "Width", width);
        CReportColumn column(colRows, index, width);
        for (pugi::xml_node e = c.child("Cell"); e; e = e.next_sibling("Cell")) {
            std::string comment;
            int checkBox = 0;
            GetChildText(e, "Comment", comment);
            GetChildInt(e, "CheckBox", checkBox);
            CReportCell& cell = column.AddRawCell(comment, checkBox);
            GetChildInt(e, "RowIndex", cell.rowIndex);
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
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed =
        doc.load_buffer(text.data(), text.size(),
                        pugi::parse_default | pugi::parse_ws_pcdata_single, pugi::encoding_utf8);
    if (!parsed)
        return fail(what + " is not XML: " + parsed.description() + " at byte " +
                    FormatInt(parsed.offset) + ".");
    if (Depth(doc, kMaxReportXmlDepth) > kMaxReportXmlDepth)
        return fail(what + " nests elements deeper than " + FormatInt(kMaxReportXmlDepth) +
                    " levels.");
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
    return Serialize(items);
}

bool ExportXml(std::vector<CReportItem>& items, const std::string& path, std::string* error) {
    if (WriteFileAtomic(path, Serialize(items))) return true;
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
