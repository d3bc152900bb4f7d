// Writing and reading the elements of XML reports and graph descriptions (internal to the report
// library and its tests). Texts are ANSI code page bytes in memory and UTF-8 in the document.
//
// Writers go to a sink: DomSink appends pugixml nodes; TextSink writes the bytes that pugixml's
// raw save of those nodes gives (the tests hold the two equal), several times faster, which is
// what ExportXml uses. Every leaf is preceded by an indent text node; an empty text gives an
// element without a text node ("<Tag/>").
#pragma once

#include <pugixml.hpp>

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/numtext.h"

namespace quorin::xml {

inline constexpr std::string_view kLeafIndent = "\r\n\t\t";

// How a leaf text is stored: as it stands, or with "$" for every blank (report texts).
enum class Blanks { kKeep, kDollar };

class DomSink {
public:
    explicit DomSink(pugi::xml_node parent) : current_(parent) {}
    void Open(const char* tag) { current_ = current_.append_child(tag); }
    void Close() { current_ = current_.parent(); }
    void Text(const char* whitespace);
    // The indent text node, then the element.
    void Leaf(std::string_view indent, const char* tag, std::string_view ansi, Blanks blanks);

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
    void Leaf(std::string_view indent, const char* tag, std::string_view ansi, Blanks blanks);

private:
    void CloseStart() {
        if (startOpen_) out_ += '>';
        startOpen_ = false;
    }
    std::string& out_;
    std::vector<const char*> open_;
    bool startOpen_ = false;  // "<Tag" written, no child yet
};

template <class Sink>
void AddTextChild(Sink& sink, const char* tag, std::string_view ansi,
                  Blanks blanks = Blanks::kKeep) {
    sink.Leaf(kLeafIndent, tag, ansi, blanks);
}
template <class Sink>
void AddIntChild(Sink& sink, const char* tag, int value) {
    NumberBuffer buffer;
    AddTextChild(sink, tag, FormatIntTo(buffer, value));
}
template <class Sink>
void AddFloatChild(Sink& sink, const char* tag, double value) {
    NumberBuffer buffer;
    AddTextChild(sink, tag, FormatFixedTo(buffer, value, 6));  // "%f"
}

// Calls read(i, child) for the first child element named tags[i], for each i that has one, in
// one pass over the children in document order that ends once every tag is found. The export
// writes the fields first and in the order of tags, so the expected name is tried first and
// most children cost one comparison.
template <size_t N, class Read>
void ReadFields(pugi::xml_node node, const char* const (&tags)[N], Read&& read);

// Calls read(child) for every child element named tag, in document order.
template <class Read>
void ForEachChild(pugi::xml_node node, const char* tag, Read&& read);

// Reads a leaf element, its text being all pcdata and cdata below it in document order
// (converted to ANSI for ReadText), whether or not the document was parsed with
// parse_embed_pcdata: false, value untouched, when the element is null.
bool ReadText(pugi::xml_node element, std::string& value);
bool ReadInt(pugi::xml_node element, int& value);
bool ReadFloat(pugi::xml_node element, double& value);

inline void ReadInto(pugi::xml_node element, std::string& value) {
    ReadText(element, value);
}
inline void ReadInto(pugi::xml_node element, double& value) {
    ReadFloat(element, value);
}
inline void ReadInto(pugi::xml_node element, int& value) {
    ReadInt(element, value);
}
inline void ReadInto(pugi::xml_node element, pugi::xml_node& container) {
    container = element;
}

// Where ReadRecord puts a field: a text, a number, or the element itself (a container that is
// read afterwards).
using Field = std::variant<std::string*, double*, int*, pugi::xml_node*>;

// ReadFields into typed places: fields[i] receives the first child named tags[i]; a place whose
// element is missing keeps its value. Tags and fields are arrays of one size, so a field cannot
// be left out.
template <size_t N>
void ReadRecord(pugi::xml_node node, const char* const (&tags)[N], const Field (&fields)[N]) {
    ReadFields(node, tags, [&](size_t i, pugi::xml_node element) {
        std::visit([element](auto* place) { ReadInto(element, *place); }, fields[i]);
    });
}

// Element names are short: compared in place, without a library call.
inline bool SameName(const char* a, const char* b) {
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

template <class Read>
void ForEachChild(pugi::xml_node node, const char* tag, Read&& read) {
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        if (SameName(c.name(), tag)) read(c);
}

template <size_t N, class Read>
void ReadFields(pugi::xml_node node, const char* const (&tags)[N], Read&& read) {
    static_assert(N <= 32);
    std::uint32_t done = 0;
    size_t expected = 0;
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        const char* name = c.name();  // "" for text nodes
        size_t i = expected;
        if (i >= N || !SameName(name, tags[i])) {
            for (i = 0; i < N && !SameName(name, tags[i]); ++i) {
            }
        }
        if (i == N || (done >> i & 1u)) continue;
        done |= 1u << i;
        expected = i + 1;
        read(i, c);
        if (done == (std::uint64_t{1} << N) - 1) return;  // the rest are other children
    }
}

}  // namespace quorin::xml
