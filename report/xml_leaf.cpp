#include "report/xml_leaf.h"

#include <algorithm>
#include <array>
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

// What a byte of a leaf text asks of the writer, as bits.
enum : unsigned char { kPlain = 0, kEscape = 1, kBlank = 2, kNonAscii = 4 };

constexpr auto kByteClass = [] {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c) {
        if (c >= 0x80)
            t[c] = kNonAscii;
        else if ((c < 32 && c != '\t' && c != '\n' && c != '\r') || c == '&' || c == '<' ||
                 c == '>')
            t[c] = kEscape;
        else if (c == ' ')
            t[c] = kBlank;
    }
    return t;
}();

// The bits of every byte of text, in one pass.
unsigned Classify(std::string_view text) {
    unsigned bits = 0;
    for (const char c : text)
        bits |= kByteClass[static_cast<unsigned char>(c)];
    return bits;
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
    if (!first) return own;
    if (*own != '\0' || first.next_sibling()) return nullptr;
    const pugi::xml_node_type type = first.type();
    if (type == pugi::node_pcdata || type == pugi::node_cdata) return first.value();
    return nullptr;
}

}  // namespace

void DomSink::Text(const char* whitespace) {
    current_.append_child(pugi::node_pcdata).set_value(whitespace);
}

void DomSink::Leaf(std::string_view indent, const char* tag, std::string_view ansi, Blanks blanks) {
    current_.append_child(pugi::node_pcdata).set_value(std::string(indent).c_str());
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

void TextSink::Leaf(std::string_view indent, const char* tag, std::string_view ansi,
                    Blanks blanks) {
    CloseStart();
    unsigned bits = Classify(ansi);
    if (bits & kEscape) {  // a NUL ends the text, as pugixml keeps C strings
        ansi = ansi.substr(0, ansi.find('\0'));
        bits = Classify(ansi);
    }
    const std::string_view name(tag);
    out_.append(indent);
    out_ += '<';
    out_.append(name);
    if (ansi.empty()) {
        out_.append("/>", 2);
        return;
    }
    out_ += '>';
    if ((bits & ~unsigned{kBlank}) == 0) {
        // Most leaves are numbers and plain words: copied whole, not escaped byte by byte.
        const size_t at = out_.size();
        out_.append(ansi);
        if (bits == kBlank && blanks == Blanks::kDollar)
            std::replace(out_.begin() + static_cast<std::ptrdiff_t>(at), out_.end(), ' ', '$');
    } else if (bits & kNonAscii) {
        AppendEscaped(out_, AnsiToUtf8(ansi), blanks);
    } else {
        AppendEscaped(out_, ansi, blanks);
    }
    out_.append("</", 2);
    out_.append(name);
    out_ += '>';
}

bool ReadText(pugi::xml_node element, std::string& value) {
    if (!element) return false;
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
