#include "tests/common/xml_dom_export.h"

#include <pugixml.hpp>

#include "report/xml_leaf.h"
#include "report/xml_writers.h"

namespace quorin::test {
namespace {

// A sink of pugixml nodes with the interface of xml::TextSink.
class DomSink {
public:
    explicit DomSink(pugi::xml_node parent) : current_(parent) {}
    void Open(xml::Tag tag) { current_ = current_.append_child(tag.name); }
    void Close() { current_ = current_.parent(); }
    void Text(std::string_view whitespace) {
        current_.append_child(pugi::node_pcdata).set_value(std::string(whitespace).c_str());
    }
    // The indent text node, then the element.
    void Leaf(xml::Tag tag, std::string_view ansi, xml::Blanks blanks) {
        Text(xml::kLeafIndent);
        pugi::xml_node element = current_.append_child(tag.name);
        const std::string text = xml::FileText(ansi, blanks);
        if (!text.empty()) element.append_child(pugi::node_pcdata).set_value(text.c_str());
    }
    void PlainLeaf(xml::Tag tag, std::string_view text) { Leaf(tag, text, xml::Blanks::kKeep); }

private:
    pugi::xml_node current_;
};

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void* data, size_t size) override {
        out.append(static_cast<const char*>(data), size);
    }
};

}  // namespace

std::string ExportXmlTextThroughDom(std::vector<CReportItem>& items) {
    pugi::xml_document doc;
    pugi::xml_node pi = doc.append_child(pugi::node_pi);
    pi.set_name("xml");
    pi.set_value("version='1.0' encoding='utf-8'");
    DomSink sink(doc);
    xml::WriteReport(sink, items);
    StringWriter writer;
    // The processing instruction above is the declaration; pugixml must not add its own.
    doc.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return std::move(writer.out);
}

}  // namespace quorin::test
