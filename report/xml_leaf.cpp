#include "report/xml_leaf.h"

#include <algorithm>

#include "platform/codepage.h"
#include "platform/numtext.h"

namespace quorin::xml {
namespace {

bool IsAscii(std::string_view s) {
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// The UTF-8 text of a leaf: cut at a NUL (pugixml keeps C strings), "$" for blanks if asked.
std::string FileText(std::string_view ansi, Blanks blanks) {
    ansi = ansi.substr(0, ansi.find('\0'));
    std::string text = IsAscii(ansi) ? std::string(ansi) : AnsiToUtf8(ansi);
    if (blanks == Blanks::kDollar)
        for (char& c : text)
            if (c == ' ') c = '$';
    return text;
}

// pugixml's escaping of text nodes: "&", "<" and ">" by name, other control characters than
// tab, LF and CR as two-digit character references.
std::string Escaped(std::string_view text) {
    std::string out;
    size_t run = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((kByteClass[c] & kEscapeByte) == 0) continue;
        out.append(text.data() + run, i - run);
        run = i + 1;
        if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else {
            out += "&#";
            out += static_cast<char>('0' + c / 10);
            out += static_cast<char>('0' + c % 10);
            out += ';';
        }
    }
    out.append(text.data() + run, text.size() - run);
    return out;
}

// Text below node, pcdata and cdata in document order; iterative, whatever the nesting. An
// element parsed with parse_embed_pcdata holds the pcdata before its first child as its value.
std::string TextBelow(pugi::xml_node node) {
    std::string text = node.value();
    pugi::xml_node n = node.first_child();
    while (n) {
        const pugi::xml_node_type type = n.type();
        if (type == pugi::node_pcdata || type == pugi::node_cdata || type == pugi::node_element)
            text += n.value();
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

// The text of an element holding at most one text (embedded or as its only child), without a
// copy; nullptr otherwise.
const char* SingleText(pugi::xml_node element) {
    const char* own = element.value();
    const pugi::xml_node first = element.first_child();
    if (IsNull(first)) return own;
    if (*own != '\0' || first.next_sibling()) return nullptr;
    const pugi::xml_node_type type = first.type();
    if (type == pugi::node_pcdata || type == pugi::node_cdata) return first.value();
    return nullptr;
}

}  // namespace

void DomSink::Text(std::string_view whitespace) {
    current_.append_child(pugi::node_pcdata).set_value(std::string(whitespace).c_str());
}

void DomSink::Leaf(Tag tag, std::string_view ansi, Blanks blanks) {
    current_.append_child(pugi::node_pcdata).set_value(std::string(kLeafIndent).c_str());
    pugi::xml_node element = current_.append_child(tag.name);
    const std::string text = FileText(ansi, blanks);
    if (!text.empty()) element.append_child(pugi::node_pcdata).set_value(text.c_str());
}

std::string TextSink::Take() {
    buffer_.resize(used_);
    used_ = 0;
    open_.clear();
    startOpen_ = false;
    return std::move(buffer_);
}

void TextSink::Grow(size_t n) {
    buffer_.resize(std::max(2 * buffer_.size(), used_ + n));
}

void TextSink::Close() {
    if (open_.empty()) return;
    const Tag tag = open_.back();
    open_.pop_back();
    if (startOpen_) {
        startOpen_ = false;
        Raw("/>");
    } else {
        EndTag(Room(tag.size + 3), tag);
    }
}

void TextSink::EscapedLeaf(Tag tag, std::string_view ansi, Blanks blanks) {
    PlainLeaf(tag, Escaped(FileText(ansi, blanks)));
}

bool ReadText(pugi::xml_node element, std::string& value) {
    if (IsNull(element)) return false;
    if (const char* single = SingleText(element)) {
        // Assigned in place: the value's buffer is reused, no temporary string.
        const std::string_view text(single);
        if (IsAscii(text))
            value.assign(text);
        else
            value = Utf8ToAnsi(text);
        return true;
    }
    std::string text = TextBelow(element);
    value = IsAscii(text) ? std::move(text) : Utf8ToAnsi(text);
    return true;
}

bool ReadInt(pugi::xml_node element, int& value) {
    if (IsNull(element)) return false;
    const char* single = SingleText(element);
    value = single ? CAtoi(single) : CAtoi(TextBelow(element));
    return true;
}

bool ReadFloat(pugi::xml_node element, double& value) {
    if (IsNull(element)) return false;
    const char* single = SingleText(element);
    value = single ? CAtof(single) : CAtof(TextBelow(element));
    return true;
}

}  // namespace quorin::xml
