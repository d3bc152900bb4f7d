#include "report/xml_leaf.h"

#include "platform/codepage.h"
#include "platform/numtext.h"

namespace quorin::xml {
namespace {

bool IsAscii(std::string_view s) {
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Text below node, pcdata and cdata in document order; iterative, whatever the nesting.
std::string TextBelow(pugi::xml_node node) {
    pugi::xml_node first = node.first_child();
    // The common case: one text node.
    if (first && !first.next_sibling() &&
        (first.type() == pugi::node_pcdata || first.type() == pugi::node_cdata))
        return first.value();
    std::string text;
    pugi::xml_node n = first;
    while (n) {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) text += n.value();
        if (n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (n && n != node && !n.next_sibling())
            n = n.parent();
        if (!n || n == node) break;
        n = n.next_sibling();
    }
    return text;
}

}  // namespace

std::string ToFileText(std::string_view ansi) {
    return IsAscii(ansi) ? std::string(ansi) : AnsiToUtf8(ansi);
}

std::string FromFileText(std::string_view utf8) {
    return IsAscii(utf8) ? std::string(utf8) : Utf8ToAnsi(utf8);
}

std::string ElementText(pugi::xml_node element) {
    return FromFileText(TextBelow(element));
}

void AddIndent(pugi::xml_node parent, const char* indent) {
    parent.append_child(pugi::node_pcdata).set_value(indent);
}

void AddTextChild(pugi::xml_node parent, const char* indent, const char* tag,
                  std::string_view ansiText) {
    AddIndent(parent, indent);
    pugi::xml_node element = parent.append_child(tag);
    if (ansiText.empty()) return;
    const std::string text = ToFileText(ansiText);
    element.append_child(pugi::node_pcdata).set_value(text.data(), text.size());
}

void AddIntChild(pugi::xml_node parent, const char* indent, const char* tag, int value) {
    AddTextChild(parent, indent, tag, FormatInt(value));
}

void AddFloatChild(pugi::xml_node parent, const char* indent, const char* tag, double value) {
    AddTextChild(parent, indent, tag, FormatFixed(value, 6));
}

bool GetChildText(pugi::xml_node node, const char* tag, std::string& value) {
    const pugi::xml_node child = node.child(tag);
    if (!child) return false;
    value = FromFileText(TextBelow(child));
    return true;
}

bool GetChildInt(pugi::xml_node node, const char* tag, int& value) {
    const pugi::xml_node child = node.child(tag);
    if (!child) return false;
    value = CAtoi(TextBelow(child));
    return true;
}

bool GetChildFloat(pugi::xml_node node, const char* tag, double& value) {
    const pugi::xml_node child = node.child(tag);
    if (!child) return false;
    value = CAtof(TextBelow(child));
    return true;
}

}  // namespace quorin::xml
