#include "report/report_xml.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/numtext.h"
#include "report/graph_xml.h"
#include "report/xml_leaf.h"
#include "report/xml_writers.h"

namespace quorin {

using xml::Field;
using xml::ReadRecord;
using xml::ReadText;

namespace {

std::string Missing(int item, const char* what) {
    return "FullTable " + FormatInt(item) + " has no " + what + " element";
}

void ReadLines(pugi::xml_node list, const char* lineTag, std::vector<std::string>& lines) {
    xml::ForEachChild(list, lineTag, [&](pugi::xml_node e) { ReadText(e, lines.emplace_back()); });
}

void ReadCell(pugi::xml_node node, CReportColumn& column) {
    static const char* const kCellTags[] = {"Comment", "RowIndex", "CheckBox"};
    // As AddRawCell makes it: text kept as stored, row index from the position.
    CReportCell& cell = column.cells.emplace_back();
    cell.rowIndex = static_cast<int>(column.cells.size()) - 1;
    const Field fields[] = {&cell.text, &cell.rowIndex, &cell.checkBox};
    ReadRecord(node, kCellTags, fields);
}

void ReadColumn(pugi::xml_node node, CReportTable& table) {
    // Not AddColumn: the table keeps the width stored in the file.
    CReportColumn& column = table.columns.emplace_back();
    xml::ReadMembers(node, column, xml::kColumnMembers);
    if (column.rowCount > 0)
        column.cells.reserve(static_cast<size_t>(std::min(column.rowCount, 1024)));
    xml::ForEachChild(node, "Cell", [&](pugi::xml_node e) { ReadCell(e, column); });
}

void ReadTable(pugi::xml_node node, CReportTable& table) {
    table = CReportTable();
    xml::ReadMembers(node, table, xml::kTableMembers);
    if (table.colCount > 0)
        table.columns.reserve(static_cast<size_t>(std::min(table.colCount, 1024)));
    xml::ForEachChild(node, "Column", [&](pugi::xml_node e) { ReadColumn(e, table); });
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The encoding that the XML declaration at the start of text names ("" for none).
std::string DeclaredEncoding(std::string_view text) {
    if (!StartsWith(text, "<?xml")) return std::string();
    text = text.substr(0, text.find("?>"));
    size_t at = text.find("encoding");
    if (at == std::string_view::npos) return std::string();
    at = text.find_first_not_of(" \t\r\n", at + 8);
    if (at == std::string_view::npos || text[at] != '=') return std::string();
    at = text.find_first_not_of(" \t\r\n", at + 1);
    if (at == std::string_view::npos || (text[at] != '"' && text[at] != '\'')) return std::string();
    const size_t end = text.find(text[at], at + 1);
    if (end == std::string_view::npos) return std::string();
    return std::string(text.substr(at + 1, end - at - 1));
}

bool IsUtf8Name(std::string name) {
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name == "UTF-8" || name == "UTF8";
}

// The file's text as UTF-8: a byte order mark of UTF-16 or UTF-32, or a declared encoding other
// than UTF-8, has it converted; false with the reason when it cannot be.
bool AsUtf8(std::string_view& text, std::string& converted, const std::string& what,
            std::string* error) {
    std::string encoding;
    if (StartsWith(text, "\xEF\xBB\xBF")) {
        text.remove_prefix(3);  // the mark decides, whatever a declaration says
        return true;
    }
    if (StartsWith(text, std::string_view("\xFF\xFE\0\0", 4)) ||
        StartsWith(text, std::string_view("\0\0\xFE\xFF", 4))) {
        encoding = "UTF-32";
    } else if (StartsWith(text, "\xFF\xFE") || StartsWith(text, "\xFE\xFF")) {
        encoding = "UTF-16";
    } else if (StartsWith(text, std::string_view("<\0", 2))) {
        encoding = "UTF-16LE";
    } else if (StartsWith(text, std::string_view("\0<", 2))) {
        encoding = "UTF-16BE";
    } else {
        encoding = DeclaredEncoding(text);
        if (encoding.empty() || IsUtf8Name(encoding)) return true;
    }
    size_t bad = 0;
    switch (EncodingToUtf8(text, encoding, &converted, &bad)) {
        case ToUtf8Status::kDone:
            text = converted;
            return true;
        case ToUtf8Status::kUnknownEncoding:
            if (error)
                *error = what + " is in the encoding '" + encoding + "', which cannot be read.";
            return false;
        case ToUtf8Status::kInvalidBytes:
            break;
    }
    if (error)
        *error = what + " is not valid " + encoding + " text at byte " + FormatInt(bad) + ".";
    return false;
}

bool Import(std::string_view text, std::vector<CReportItem>& items, std::string* error,
            const std::string& what) {
    items.clear();
    auto fail = [&](const std::string& message) {
        if (error) *error = message;
        return false;
    };
    if (text.size() > kMaxReportXmlBytes) return fail(what + " is larger than 512 MiB.");
    std::string converted;
    if (!AsUtf8(text, converted, what, error)) return false;
    // Any nesting depth is safe: pugixml parses without recursion, and the walk below visits
    // the fixed structure of a report (leaf texts are gathered iteratively). Leaf texts are
    // embedded in their elements: fewer nodes to build and to visit.
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(
        text.data(), text.size(),
        pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_embed_pcdata,
        pugi::encoding_utf8);
    if (!parsed)
        return fail(what + " is not XML: " + parsed.description() + " at byte " +
                    FormatInt(parsed.offset) + ".");
    const pugi::xml_node root = doc.document_element();
    if (!root) return fail(what + " has no document element.");

    static const char* const kItemTags[] = {"Title", "Graph", "Paras"};
    static const char* const kParasTags[] = {"Sets", "TestParas", "InOuts"};
    int number = 0;
    for (pugi::xml_node full = root.first_child(); full; full = full.next_sibling()) {
        if (!xml::SameName(full.name(), "FullTable")) continue;
        ++number;
        CReportItem& item = items.emplace_back();
        pugi::xml_node graph, paras;
        const Field itemFields[] = {&item.title, &graph, &paras};
        ReadRecord(full, kItemTags, itemFields);
        std::string fault;
        if (graph && !GraphFromXml(graph, item.graphs, &fault)) {
            items.pop_back();
            return fail(what + " is incomplete: FullTable " + FormatInt(number) + ": " + fault +
                        ".");
        }
        pugi::xml_node lists[3];
        const Field listFields[] = {&lists[0], &lists[1], &lists[2]};
        ReadRecord(paras, kParasTags, listFields);
        for (size_t i = 0; i < 3; ++i) {
            if (!paras || !lists[i]) {
                items.pop_back();
                return fail(what + " is incomplete: " +
                            Missing(number, paras ? kParasTags[i] : "Paras") + ".");
            }
        }
        ReadLines(lists[0], "Set", item.setLines);
        ReadLines(lists[1], "TestPara", item.testParaLines);
        ReadLines(lists[2], "InOut", item.inOutLines);
        xml::ForEachChild(full, "Table",
                          [&](pugi::xml_node e) { ReadTable(e, item.tables.emplace_back()); });
    }
    return true;
}

}  // namespace

std::string ExportXmlText(std::vector<CReportItem>& items) {
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
    xml::TextSink sink(64 + 40 * leaves);
    sink.Raw(xml::kDeclaration);
    xml::WriteReport(sink, items);
    return sink.Take();
}

bool ExportXml(std::vector<CReportItem>& items, const std::string& path, std::string* error) {
    if (WriteFileAtomic(path, ExportXmlText(items))) return true;
    if (error) *error = "Cannot write the report file '" + path + "'.";
    return false;
}

bool ImportXml(const std::string& path, std::vector<CReportItem>& items, std::string* error) {
    const std::string what = "The report file '" + path + "'";
    std::string bytes;
    const ReadStatus read = ReadFileLimited(path, bytes, kMaxReportXmlBytes);
    if (read != ReadStatus::kRead) {
        items.clear();
        if (error)
            *error = read == ReadStatus::kTooLarge ? what + " is larger than 512 MiB."
                     : read == ReadStatus::kCannotOpen
                         ? "Cannot open the report file '" + path + "'."
                         : "Cannot read the report file '" + path + "'.";
        return false;
    }
    return Import(bytes, items, error, what);
}

bool ImportXmlText(std::string_view text, std::vector<CReportItem>& items, std::string* error) {
    return Import(text, items, error, "The report text");
}

}  // namespace quorin
