// Writing and reading the elements of XML reports and graph descriptions (internal to the report
// library and its tests). Texts are ANSI code page bytes in memory and UTF-8 in the document.
// What XML 1.0 cannot carry, or a parser would change, is written in the reversible form
// "_xHHHH_" (four upper-case hex digits) and read back to the same bytes: control characters but
// tab and LF (CR and NUL too), bytes the code page cannot decode (U+DC80..U+DCFF), U+FFFE and
// U+FFFF, and the "_" of a text that could itself read as such a form ("_x005F_").
//
// Writers (report/xml_writers.h) go to a sink: TextSink writes the bytes that pugixml's raw save
// of the same nodes would give (the tests hold the two equal through a sink of pugixml nodes),
// several times faster. Every leaf is preceded by an indent text node ("\r\n\t\t"); an empty
// text gives an element without a text node ("<Tag/>").
#pragma once

#include <pugixml.hpp>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/numtext.h"

namespace quorin::xml {

inline constexpr std::string_view kLeafIndent = "\r\n\t\t";

// How a leaf text is stored: as it stands, or with "$" for every blank (report texts).
enum class Blanks { kKeep, kDollar };

// An element name given as a literal: its length is known where it is written.
struct Tag {
    template <size_t N>
    constexpr Tag(const char (&literal)[N]) : name(literal), size(N - 1) {}
    const char* name;
    size_t size;
};

// The UTF-8 of a leaf text as the document holds it, before entity escaping: the reversible
// forms, and "$" for blanks when blanks is kDollar.
std::string FileText(std::string_view ansi, Blanks blanks);

// What a byte of a leaf text asks of the text writer, as bits: an entity ("&", "<", ">"), a "$"
// when blanks are stored so, a conversion, or a check for the reversible form (a control
// character, "_").
enum : unsigned char { kEscapeByte = 1, kBlankByte = 2, kNonAsciiByte = 4, kFormByte = 8 };

inline constexpr auto kByteClass = [] {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c) {
        if (c >= 0x80)
            t[c] = kNonAsciiByte;
        else if (c == '&' || c == '<' || c == '>')
            t[c] = kEscapeByte;
        else if ((c < 32 && c != '\t' && c != '\n') || c == '_')
            t[c] = kFormByte;
        else if (c == ' ')
            t[c] = kBlankByte;
    }
    return t;
}();

// Writes into one buffer through a cursor: a leaf costs one capacity check and a few copies of
// known sizes, where appending piece by piece to a string checks and terminates every piece.
class TextSink {
public:
    // expected: the size the text will probably reach (the buffer grows past it if need be).
    explicit TextSink(size_t expected) { buffer_.resize(expected); }
    // The text written; the sink is empty afterwards.
    std::string Take();

    void Raw(std::string_view bytes) {
        char* p = Room(bytes.size());
        Put(p, bytes);
        Commit(p);
    }
    void Open(Tag tag) {
        char* p = Room(tag.size + 1);
        *p++ = '<';
        Put(p, tag);
        Commit(p);
        open_.push_back(tag);
        startOpen_ = true;
    }
    void Close();
    void Text(std::string_view whitespace) { Raw(whitespace); }

    void Leaf(Tag tag, std::string_view ansi, Blanks blanks) {
        unsigned bits = 0;
        for (const char c : ansi)
            bits |= kByteClass[static_cast<unsigned char>(c)];
        if ((bits & ~unsigned{kBlankByte}) != 0) return EscapedLeaf(tag, ansi, blanks);
        char* p = StartLeaf(tag, ansi.size());
        if (ansi.empty()) return EndEmptyLeaf(p);
        char* const text = p;
        Put(p, ansi);
        if (bits != 0 && blanks == Blanks::kDollar)
            for (char* q = text; q != p; ++q)
                if (*q == ' ') *q = '$';
        EndTag(p, tag);
    }
    [[gnu::always_inline]] void PlainLeaf(Tag tag, std::string_view text) {
        char* p = StartLeaf(tag, text.size());
        if (text.empty()) return EndEmptyLeaf(p);
        Put(p, text);
        EndTag(p, tag);
    }

private:
    // Room for n more bytes (and the ">" of an open start tag, which it writes).
    char* Room(size_t n) {
        if (buffer_.size() - used_ < n + 1) Grow(n + 1);
        char* p = buffer_.data() + used_;
        if (startOpen_) *p++ = '>';
        startOpen_ = false;
        return p;
    }
    void Grow(size_t n);
    static void Put(char*& p, std::string_view bytes) {
        std::memcpy(p, bytes.data(), bytes.size());
        p += bytes.size();
    }
    static void Put(char*& p, Tag tag) {
        std::memcpy(p, tag.name, tag.size);
        p += tag.size;
    }
    // The indent and "<Tag>", with room for a text of textSize bytes and the end tag.
    char* StartLeaf(Tag tag, size_t textSize) {
        char* p = Room(kLeafIndent.size() + 2 * tag.size + textSize + 5);
        Put(p, kLeafIndent);
        *p++ = '<';
        Put(p, tag);
        *p++ = '>';
        return p;
    }
    // "</Tag>" at p, which ends what is written.
    void EndTag(char* p, Tag tag) {
        *p++ = '<';
        *p++ = '/';
        Put(p, tag);
        *p++ = '>';
        Commit(p);
    }
    // "<Tag>" becomes "<Tag/>".
    void EndEmptyLeaf(char* p) {
        p[-1] = '/';
        *p++ = '>';
        Commit(p);
    }
    // Everything up to p is written.
    void Commit(const char* p) { used_ = static_cast<size_t>(p - buffer_.data()); }
    void EscapedLeaf(Tag tag, std::string_view ansi, Blanks blanks);

    std::string buffer_;  // written up to used_; the rest is room
    size_t used_ = 0;
    std::vector<Tag> open_;
    bool startOpen_ = false;  // "<Tag" written, no child yet
};

// Inlined at every call (always_inline), so that the copies of the tag have a constant size.
template <class Sink>
[[gnu::always_inline]] inline void AddChild(Sink& sink, Tag tag, std::string_view ansi,
                                            Blanks blanks = Blanks::kKeep) {
    sink.Leaf(tag, ansi, blanks);
}
template <class Sink>
[[gnu::always_inline]] inline void AddChild(Sink& sink, Tag tag, int value) {
    NumberBuffer buffer;
    sink.PlainLeaf(tag, FormatIntTo(buffer, value));
}
template <class Sink>
[[gnu::always_inline]] inline void AddChild(Sink& sink, Tag tag, double value) {
    NumberBuffer buffer;
    // "%f" gives a sign, digits and a point, or "inf" or "nan": nothing to escape, no blanks.
    sink.PlainLeaf(tag, FormatFixedTo(buffer, value, 6));
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

// Whether node is null, without a call: the tests of pugixml's handles are functions of the shared
// library, and the import walk makes millions of them.
inline bool IsNull(pugi::xml_node node) {
    struct Handle : pugi::xml_node {
        explicit Handle(pugi::xml_node n) : pugi::xml_node(n) {}
        bool Null() const { return _root == nullptr; }
    };
    return Handle(node).Null();
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
    for (pugi::xml_node c = node.first_child(); !IsNull(c); c = c.next_sibling())
        if (SameName(c.name(), tag)) read(c);
}

template <size_t N, class Read>
void ReadFields(pugi::xml_node node, const char* const (&tags)[N], Read&& read) {
    static_assert(N <= 32);
    std::uint32_t done = 0;
    size_t expected = 0;
    for (pugi::xml_node c = node.first_child(); !IsNull(c); c = c.next_sibling()) {
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
