// Writing and reading the elements of XML reports and graph descriptions (internal to the report
// library and its tests). Texts are ANSI code page bytes in memory and UTF-8 in the document.
//
// Writers go to a sink: DomSink appends pugixml nodes; TextSink writes the bytes that pugixml's
// raw save of those nodes gives (the tests hold the two equal), several times faster, which is
// what ExportXml uses. Every leaf is preceded by an indent text node; an empty text gives an
// element without a text node ("<Tag/>").
#pragma once

#include <pugixml.hpp>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace quorin::xml {

inline constexpr const char* kLeafIndent = "\r\n\t\t";

// How a leaf text is stored: as it stands, or with "$" for every blank (report texts).
enum class Blanks { kKeep, kDollar };

class DomSink {
public:
    explicit DomSink(pugi::xml_node parent) : current_(parent) {}
    void Open(const char* tag) { current_ = current_.append_child(tag); }
    void Close() { current_ = current_.parent(); }
    void Text(const char* whitespace);
    void Leaf(const char* tag, std::string_view ansi, Blanks blanks);

private:
    pugi::xml_node current_;
};

class TextSink {
public:
    explicit TextSink(std::string& out) : out_(out) {}
    void Raw(std::string_view bytes) {
        CloseStart();
        out_.append(bytes);
    }
    void Open(const char* tag);
    void Close();
    void Text(const char* whitespace) { Raw(whitespace); }
    void Leaf(const char* tag, std::string_view ansi, Blanks blanks);

private:
    void CloseStart() {
        if (startOpen_) out_ += '>';
        startOpen_ = false;
    }
    std::string& out_;
    std::vector<const char*> open_;
    bool startOpen_ = false;  // "<Tag" written, no child yet
};

std::string FormatIntText(int value);
std::string FormatFloatText(double value);  // "%f"

template <class Sink>
void AddTextChild(Sink& sink, const char* tag, std::string_view ansi,
                  Blanks blanks = Blanks::kKeep) {
    sink.Text(kLeafIndent);
    sink.Leaf(tag, ansi, blanks);
}
template <class Sink>
void AddIntChild(Sink& sink, const char* tag, int value) {
    AddTextChild(sink, tag, FormatIntText(value));
}
template <class Sink>
void AddFloatChild(Sink& sink, const char* tag, double value) {
    AddTextChild(sink, tag, FormatFloatText(value));
}

// The first child element of each name in tags, found in one pass, into found[0..N); null where
// there is none.
template <size_t N>
void FirstChildren(pugi::xml_node node, const char* const (&tags)[N], pugi::xml_node* found);

// The text below element (all pcdata and cdata in document order), converted to ANSI.
std::string ElementText(pugi::xml_node element);

// Reads a leaf found by FirstChildren: false, value untouched, when the element is null.
bool ReadText(pugi::xml_node element, std::string& value);
bool ReadInt(pugi::xml_node element, int& value);
bool ReadFloat(pugi::xml_node element, double& value);

// The first child element named tag, read as above.
inline bool GetChildText(pugi::xml_node node, const char* tag, std::string& value) {
    return ReadText(node.child(tag), value);
}
inline bool GetChildInt(pugi::xml_node node, const char* tag, int& value) {
    return ReadInt(node.child(tag), value);
}
inline bool GetChildFloat(pugi::xml_node node, const char* tag, double& value) {
    return ReadFloat(node.child(tag), value);
}

inline bool SameName(const char* a, const char* b) {
    return *a == *b && std::strcmp(a, b) == 0;
}

template <size_t N>
void FirstChildren(pugi::xml_node node, const char* const (&tags)[N], pugi::xml_node* found) {
    for (size_t i = 0; i < N; ++i)
        found[i] = pugi::xml_node();
    size_t left = N;
    for (pugi::xml_node c = node.first_child(); c && left > 0; c = c.next_sibling()) {
        const char* name = c.name();  // "" for text nodes
        for (size_t i = 0; i < N; ++i) {
            if (!found[i] && SameName(name, tags[i])) {
                found[i] = c;
                --left;
                break;
            }
        }
    }
}

}  // namespace quorin::xml
