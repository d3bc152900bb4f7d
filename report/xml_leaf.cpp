#include "report/xml_leaf.h"

#include <cstring>

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
void AppendEscaped(std::string& out, std::string_view text, Blanks blanks) {
    size_t run = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool control = c < 32 && c != '\t' && c != '\n' && c != '\r';
        const bool dollar = blanks == Blanks::kDollar && c == ' ';
        if (!control && !dollar && c != '&' && c != '<' && c != '>') continue;
        out.append(text.data() + run, i - run);
        run = i + 1;
        if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (dollar) {
            out += '$';
        } else {
            out += "&#";
            out += static_cast<char>('0' + c / 10);
            out += static_cast<char>('0' + c % 10);
            out += ';';
        }
    }
    out.append(text.data() + run, text.size() - run);
}

// Text below node, pcdata and cdata in document order; iterative, whatever the nesting.
std::string TextBelow(pugi::xml_node node) {
    std::string text;
    pugi::xml_node n = node.first_child();
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

// The value of an element holding one text node, without a copy; nullptr otherwise.
const char* SingleText(pugi::xml_node element) {
    const pugi::xml_node first = element.first_child();
    if (!first) return "";
    if (first.next_sibling()) return nullptr;
    const pugi::xml_node_type type = first.type();
    if (type == pugi::node_pcdata || type == pugi::node_cdata) return first.value();
    return nullptr;
}

}  // namespace

void DomSink::Text(const char* whitespace) {
    current_.append_child(pugi::node_pcdata).set_value(whitespace);
}

void DomSink::Leaf(const char* tag, std::string_view ansi, Blanks blanks) {
    pugi::xml_node element = current_.append_child(tag);
    const std::string text = FileText(ansi, blanks);
    if (!text.empty()) element.append_child(pugi::node_pcdata).set_value(text.c_str());
}

void TextSink::Open(const char* tag) {
    CloseStart();
    out_ += '<';
    out_ += tag;
    open_.push_back(tag);
    startOpen_ = true;
}

void TextSink::Close() {
    if (open_.empty()) return;
    if (startOpen_) {
        out_ += "/>";
        startOpen_ = false;
    } else {
        out_ += "</";
        out_ += open_.back();
        out_ += '>';
    }
    open_.pop_back();
}

void TextSink::Leaf(const char* tag, std::string_view ansi, Blanks blanks) {
    CloseStart();
    ansi = ansi.substr(0, ansi.find('\0'));
    out_ += '<';
    out_ += tag;
    if (ansi.empty()) {
        out_ += "/>";
        return;
    }
    out_ += '>';
    if (IsAscii(ansi))
        AppendEscaped(out_, ansi, blanks);
    else
        AppendEscaped(out_, AnsiToUtf8(ansi), blanks);
    out_ += "</";
    out_ += tag;
    out_ += '>';
}

std::string FormatIntText(int value) {
    return FormatInt(value);
}
std::string FormatFloatText(double value) {
    return FormatFixed(value, 6);
}

std::string ElementText(pugi::xml_node element) {
    if (const char* single = SingleText(element)) {
        const std::string_view text(single);
        return IsAscii(text) ? std::string(text) : Utf8ToAnsi(text);
    }
    const std::string text = TextBelow(element);
    return IsAscii(text) ? text : Utf8ToAnsi(text);
}

bool ReadText(pugi::xml_node element, std::string& value) {
    if (!element) return false;
    value = ElementText(element);
    return true;
}

bool ReadInt(pugi::xml_node element, int& value) {
    if (!element) return false;
    const char* single = SingleText(element);
    value = single ? CAtoi(single) : CAtoi(TextBelow(element));
    return true;
}

bool ReadFloat(pugi::xml_node element, double& value) {
    if (!element) return false;
    const char* single = SingleText(element);
    value = single ? CAtof(single) : CAtof(TextBelow(element));
    return true;
}

}  // namespace quorin::xml
