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

// Whether c is written in the reversible form "_xHHHH_".
bool NeedsForm(char32_t c) {
    return (c < 0x20 && c != '\t' && c != '\n') || c == '_' || (c >= 0xDC00 && c <= 0xDCFF) ||
           c == 0xFFFE || c == 0xFFFF;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Whether "_x" and the four hex digits of a character that NeedsForm start at text[i] (a form
// when "_" follows); *c receives the character.
bool FormStartAt(std::string_view text, size_t i, char32_t* c) {
    if (text.size() - i < 6 || text[i] != '_' || text[i + 1] != 'x') return false;
    char32_t value = 0;
    for (size_t k = 2; k < 6; ++k) {
        const int d = HexDigit(text[i + k]);
        if (d < 0) return false;
        value = value << 4 | static_cast<char32_t>(d);
    }
    if (!NeedsForm(value)) return false;
    *c = value;
    return true;
}

bool FormAt(std::string_view text, size_t i, char32_t* c) {
    return FormStartAt(text, i, c) && text.size() - i >= 7 && text[i + 6] == '_';
}

void AppendForm(std::string& out, char32_t c) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const char form[7] = {
        '_', 'x', kHex[c >> 12 & 15], kHex[c >> 8 & 15], kHex[c >> 4 & 15], kHex[c & 15], '_'};
    out.append(form, 7);
}

// The text with every reversible form turned back into its character (UTF-8; an escaped byte in
// its three-byte form, which Utf8ToAnsi takes back to the byte).
std::string WithoutForms(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = 0;
        if (text[i] != '_' || !FormAt(text, i, &c)) {
            out += text[i];
            continue;
        }
        i += 6;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool MayHoldForm(std::string_view text) {
    return text.find("_x") != std::string_view::npos;
}

// A leaf's file text as ANSI.
void AssignAnsi(std::string& value, std::string_view text) {
    if (MayHoldForm(text)) {
        value = Utf8ToAnsi(WithoutForms(text));
    } else if (IsAscii(text)) {
        value.assign(text);
    } else {
        value = Utf8ToAnsi(text);
    }
}

// pugixml's escaping of text nodes: "&", "<" and ">" by name (FileText leaves no character
// that needs more).
std::string Escaped(std::string_view text) {
    std::string out;
    size_t run = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((kByteClass[c] & kEscapeByte) == 0) continue;
        out.append(text.data() + run, i - run);
        run = i + 1;
        out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : "&gt;";
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

std::string FileText(std::string_view ansi, Blanks blanks) {
    const std::string utf8 = IsAscii(ansi) ? std::string(ansi) : AnsiToUtf8(ansi);
    std::string text;
    text.reserve(utf8.size());
    size_t run = 0;  // bytes from run on are copied as they stand
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80 && kByteClass[b] < kFormByte && b != ' ') continue;
        const auto next = [&](size_t k) { return static_cast<unsigned char>(utf8[i + k]); };
        const bool three = utf8.size() - i >= 3;
        char32_t form = 0;
        char32_t found = 0;
        if (b == ' ') {
            if (blanks == Blanks::kDollar) {
                text.append(utf8, run, i - run).push_back('$');
                run = i + 1;
            }
            continue;
        }
        if (b < 0x80) {
            // "_" only where it could read as a form: what follows the four digits may be
            // written as a form itself, which starts with "_".
            if (b == '_' && !FormStartAt(utf8, i, &found)) continue;
            form = b;
        } else if (b == 0xED && three && (next(1) & 0xFC) == 0xB0) {
            form = 0xD000 | (next(1) & 0x3F) << 6 | (next(2) & 0x3F);  // an escaped byte
        } else if (b == 0xEF && three && next(1) == 0xBF && (next(2) & 0xFE) == 0xBE) {
            form = 0xFFC0 | (next(2) & 0x3F);  // U+FFFE, U+FFFF
        } else {
            continue;
        }
        text.append(utf8, run, i - run);
        AppendForm(text, form);
        if (form >= 0x80) i += 2;
        run = i + 1;
    }
    text.append(utf8, run, utf8.size() - run);
    return text;
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
    // A single text is read in place: the value's buffer is reused, no temporary string.
    if (const char* single = SingleText(element))
        AssignAnsi(value, single);
    else
        AssignAnsi(value, TextBelow(element));
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
