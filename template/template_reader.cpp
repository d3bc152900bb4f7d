// CRelayTemplate::ReadTemplate: the header keys, the parameter and report sections in either
// layout, the mirroring of values into the expression tables and the characteristic section.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/numtext.h"
#include "template/key_value_index.h"
#include "template/relay_template.h"
#include "template/template_format.h"
#include "template/template_tables.h"
#include "zones/zone_section.h"

namespace quorin {
namespace {

constexpr std::string_view::size_type npos = std::string_view::npos;

// The text after begin up to the first end after it; empty when either marker is missing.
std::string_view SectionText(std::string_view text, std::string_view begin, std::string_view end) {
    const size_t b = text.find(begin);
    if (b == npos) return {};
    const size_t from = b + begin.size();
    const size_t e = text.find(end, from);
    if (e == npos) return {};
    return text.substr(from, e - from);
}

// header := key value ";" -- the value of the first occurrence of key; nullopt when the key is
// missing or no ";" follows it.
std::optional<std::string_view> HeaderValue(std::string_view text, std::string_view key) {
    const size_t at = text.find(key);
    if (at == npos) return std::nullopt;
    const size_t from = at + key.size();
    const size_t semi = text.find(';', from);
    if (semi == npos) return std::nullopt;
    return text.substr(from, semi - from);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Our own indexed writer starts every record with a tab and ends it with CR LF, and the section
// text starts with the CR LF after the marker. Keys are otherwise taken verbatim, so those
// characters are dropped where a key begins: at the start and after every ";".
std::string_view DropBlanksBeforeKeys(std::string_view section, std::string& out) {
    out.clear();
    out.reserve(section.size());
    size_t pos = 0;
    while (pos < section.size()) {
        while (pos < section.size() && IsBlank(section[pos]))
            ++pos;
        const size_t semi = section.find(';', pos);
        const size_t end = semi == npos ? section.size() : semi + 1;
        out.append(section.substr(pos, end - pos));
        pos = end;
    }
    return out;
}

// The fields of one record: in the indexed layout under the key with the record number appended
// ("N3", choice 2 of record 3 "S32"), in the record layout under the plain key ("N", "S2").
class FieldReader {
public:
    FieldReader(const CKeyValueIndex& index, int number) : index_(index), number_(number) {}

    // The value stored under the field's key; "" when absent (a present empty value is " ").
    std::string_view Get(std::string_view field) {
        key_.assign(field);
        if (number_ > 0) AppendNumber(number_);
        return index_.Find(key_);
    }

    // Choice j (1-based) under "S".
    std::string_view Choice(int j) {
        key_.assign("S");
        if (number_ > 0) AppendNumber(number_);
        AppendNumber(j);
        return index_.Find(key_);
    }

private:
    void AppendNumber(int n) { key_ += FormatInt(n); }

    const CKeyValueIndex& index_;
    int number_;
    std::string key_;
};

enum class KindRule { kSetting, kCommonParameter, kBinaryInput };

// record := N ID T L [RE RT RN] (Edit: V U [PVA PVB PVC] | ComboBox: V Num S1..SNum |
// CheckBox: V S1 S2) -- every field of slot i is rewritten, so nothing of an earlier template
// shows through a field this record's kind does not read.
template <class Table>
void ReadRecord(Table& t, int i, std::string_view name, FieldReader& f, KindRule rule,
                int useKilovolts) {
    const auto r = static_cast<size_t>(i);
    t.name[r].assign(name);
    t.id[r].assign(f.Get("ID"));
    t.type[r].assign(f.Get("T"));
    t.decimals[r] = CRelayTemplate::TextToInt(f.Get("L"), 1);
    if (rule != KindRule::kBinaryInput) {
        auto orZero = [](std::string_view v) { return v.empty() ? std::string_view("0") : v; };
        t.re[r].assign(orZero(f.Get("RE")));
        t.rt[r].assign(orZero(f.Get("RT")));
        t.rn[r].assign(orZero(f.Get("RN")));
    } else {
        t.re[r].clear();
        t.rt[r].clear();
        t.rn[r].clear();
    }
    t.unit[r].clear();
    t.pva[r].clear();
    t.pvb[r].clear();
    t.pvc[r].clear();
    t.value[r] = 0.0f;
    t.choiceCount[r] = 0;

    const std::string& type = t.type[r];
    if (type == "Edit") {
        t.value[r] = CRelayTemplate::TextToFloat(f.Get("V"), 1.0f);
        const std::string_view unit = f.Get("U");
        t.unit[r].assign(rule == KindRule::kBinaryInput ? unit : UnitFamily(unit, useKilovolts));
        if (rule == KindRule::kSetting) {
            t.pva[r].assign(f.Get("PVA"));
            t.pvb[r].assign(f.Get("PVB"));
            t.pvc[r].assign(f.Get("PVC"));
        }
    } else if (type == "ComboBox") {
        t.decimals[r] = 0;
        t.value[r] = static_cast<float>(CRelayTemplate::TextToInt(f.Get("V"), 1));
        int32_t num = CRelayTemplate::TextToInt(f.Get("Num"), 1);
        if (num < 0) num = 0;
        if (num > Table::kChoices) num = Table::kChoices;
        t.choiceCount[r] = num;
        for (int j = 0; j < num; ++j)
            t.Choice(i, j).assign(f.Choice(j + 1));
    } else if (type == "CheckBox") {
        t.value[r] = static_cast<float>(CRelayTemplate::TextToInt(f.Get("V"), 1));
        t.choiceCount[r] = 2;
        t.Choice(i, 0).assign(f.Choice(1));
        t.Choice(i, 1).assign(f.Choice(2));
    }
}

// Calls read(fields, number) for each record of a section in the record layout: from each "N"
// up to the next ";" (a last record without ";" runs to the end of the section), pairs joined
// by ",". Stops when read returns false.
template <class Read>
void ForEachRecord(std::string_view section, CKeyValueIndex& index, Read&& read) {
    size_t pos = 0;
    while (pos < section.size()) {
        const size_t n = section.find('N', pos);
        if (n == npos) return;
        const size_t semi = section.find(';', n);
        const size_t end = semi == npos ? section.size() : semi;
        index.Assign(section.substr(n, end - n), ',');
        FieldReader fields(index, 0);
        if (!read(fields)) return;
        pos = end + 1;
    }
}

bool Contains(std::string_view text, std::string_view word) {
    return text.find(word) != npos;
}

// Cuts the pieces of one characteristic item, the text between "LINE[" (or "CIRCLE[", "TEXT[")
// and its ";".
class ItemCutter {
public:
    explicit ItemCutter(std::string_view item) : item_(item) {}

    // field := piece ("," piece)* -- the pieces after the first are joined while the piece just
    // cut holds "max(" or "min(", then while it holds "MAX(" or "MIN(", at most kMaxPieces in
    // all. False when a needed "," is missing.
    bool FunctionField(std::string& out) {
        std::string_view piece;
        if (!Cut(',', piece)) return false;
        out.assign(piece);
        int pieces = 1;
        for (const auto& words :
             {std::pair<std::string_view, std::string_view>{"max(", "min("}, {"MAX(", "MIN("}}) {
            while (pieces < kMaxPieces &&
                   (Contains(piece, words.first) || Contains(piece, words.second))) {
                if (!Cut(',', piece)) return false;
                out += ',';
                out.append(piece);
                ++pieces;
            }
        }
        return true;
    }

    // The last field, up to "]". False when there is none.
    bool LastField(std::string& out) {
        std::string_view piece;
        if (!Cut(']', piece)) return false;
        out.assign(piece);
        return true;
    }

private:
    // Enough for every real nesting of max/min; more would only let one field swallow an item.
    static constexpr int kMaxPieces = 10;

    bool Cut(char separator, std::string_view& piece) {
        const size_t at = item_.find(separator, pos_);
        if (at == npos) return false;
        piece = item_.substr(pos_, at - pos_);
        pos_ = at + 1;
        return true;
    }

    std::string_view item_;
    size_t pos_ = 0;
};

// items := (word f0 "," ... "]" ... ";")* -- false when an item lacks a "," or "]", which ends
// the reading of the whole characteristic section.
template <class List>
bool ReadItems(std::string_view section, std::string_view word, List& list) {
    list.count = 0;
    size_t pos = 0;
    while (list.count < List::kCapacity) {
        const size_t at = section.find(word, pos);
        if (at == npos) return true;
        const size_t from = at + word.size();
        const size_t semi = section.find(';', from);
        if (semi == npos) return true;
        pos = semi;
        ItemCutter cutter(section.substr(from, semi - from));
        auto& fields = list.items[static_cast<size_t>(list.count)];
        for (int f = 0; f < List::kFields - 1; ++f)
            if (!cutter.FunctionField(fields[static_cast<size_t>(f)])) return false;
        if (!cutter.LastField(fields[List::kFields - 1])) return false;
        ++list.count;
    }
    return true;
}

// values := (key text ";")*        -- up to five values after key
// pairs  := (key text "," text "]")* -- up to five pairs
// Each field ends at the next of its terminator, each search starting past the previous field;
// the entry that misses one ends the list.
template <int Fields>
void ReadFields(std::string_view section, std::string_view key, const char (&ends)[Fields + 1],
                ItemList<5, Fields>& list) {
    list.count = 0;
    size_t pos = 0;
    while (list.count < kMaxCharacterValues) {
        const size_t at = section.find(key, pos);
        if (at == npos) return;
        std::array<std::string_view, Fields> fields;
        size_t from = at + key.size();
        for (int f = 0; f < Fields; ++f) {
            const size_t end = section.find(ends[f], from);
            if (end == npos) return;
            fields[static_cast<size_t>(f)] = section.substr(from, end - from);
            from = end + 1;
        }
        auto& item = list.items[static_cast<size_t>(list.count++)];
        for (int f = 0; f < Fields; ++f)
            item[static_cast<size_t>(f)].assign(fields[static_cast<size_t>(f)]);
        pos = from;
    }
}

// The value after the first occurrence of prefix n "=" for each n in 1..49, up to its ";".
// One pass finds what 49 searches from the start of the section would find.
using NumberedValues = std::array<std::optional<std::string_view>, kMaxCoordinatePairs>;
void FirstNumberedValues(std::string_view section, std::string_view prefix, NumberedValues& out) {
    out.fill(std::nullopt);
    // The first ";" at or after the last place asked for. Occurrences come in text order, so it
    // only moves forward: a section with no ";" after its first YN1= is searched once, not once
    // per occurrence.
    size_t semi = 0;
    bool semiFound = false;
    for (size_t at = section.find(prefix); at != npos; at = section.find(prefix, at + 1)) {
        size_t p = at + prefix.size();
        int n = 0;
        const size_t digits = p;
        while (p < section.size() && section[p] >= '0' && section[p] <= '9' && p - digits < 3) {
            n = n * 10 + (section[p] - '0');
            ++p;
        }
        // "XN01=" is not "XN1=": the digits must be the number as written by "%d".
        if (p == digits || section[digits] == '0' || n >= kMaxCoordinatePairs) continue;
        if (p >= section.size() || section[p] != '=') continue;
        auto& slot = out[static_cast<size_t>(n)];
        if (slot) continue;
        if (!semiFound || (semi != npos && semi < p + 1)) {
            semi = section.find(';', p + 1);
            semiFound = true;
        }
        // Without ";" this first occurrence has no value, and no later one can have one either.
        if (semi == npos) return;
        slot = section.substr(p + 1, semi - p - 1);
    }
}

// Pairs 1, 2, ... while both the y and the x value of the number exist.
void ReadCoordinatePairs(std::string_view section, std::string_view xPrefix,
                         std::string_view yPrefix, PairList& pairs) {
    NumberedValues xs, ys;
    FirstNumberedValues(section, yPrefix, ys);
    FirstNumberedValues(section, xPrefix, xs);
    int n = 1;
    for (; n < kMaxCoordinatePairs; ++n) {
        const auto i = static_cast<size_t>(n);
        if (!ys[i] || !xs[i]) break;
        pairs.y[i].assign(*ys[i]);
        pairs.x[i].assign(*xs[i]);
    }
    pairs.count = n;
}

bool HasValueFields(const std::string& type) {
    return type == "Edit" || type == "ComboBox" || type == "CheckBox";
}

}  // namespace

void CRelayTemplate::ReadTemplate(std::string_view text, int useKilovolts) {
    ReadHeader(text);
    ReadParameters(ParamKind::kSetting, SectionText(text, "<SettingBegin>", "<SettingEnd>"),
                   useKilovolts);
    ReadParameters(ParamKind::kBinaryInput, SectionText(text, "<BinaryBegin>", "<BinaryEnd>"),
                   useKilovolts);
    ReadParameters(ParamKind::kCommonParameter,
                   SectionText(text, "<CommonParameterBegin>", "<CommonParameterEnd>"),
                   useKilovolts);
    MirrorValues();
    ReadReport(SectionText(text, "<ReportBegin>", "<ReportEnd>"));
    ReadCharacter(SectionText(text, "<CharacterBegin>", "<CharacterEnd>"));
}

void CRelayTemplate::ReadHeader(std::string_view text) {
    Tables& t = *t_;
    t.relayName.assign(HeaderValue(text, "ProtectiveRelayName=").value_or(""));
    t.property.assign(HeaderValue(text, "Property=").value_or(""));
    t.wordReportName.assign(HeaderValue(text, "WordReportName=").value_or(""));
    const auto update = HeaderValue(text, "Update=");
    t.update = update ? TruncateToInt(CalcExpression(*update)) : 1;
}

void CRelayTemplate::ReadParameters(ParamKind kind, std::string_view section, int useKilovolts) {
    const KindRule rule = kind == ParamKind::kSetting           ? KindRule::kSetting
                          : kind == ParamKind::kCommonParameter ? KindRule::kCommonParameter
                                                                : KindRule::kBinaryInput;
    auto read = [&](auto& table) {
        using Table = std::remove_reference_t<decltype(table)>;
        table.count = 0;
        if (Contains(section, "N1=")) {
            table.layout = kIndexedLayout;
            t_->index.Assign(DropBlanksBeforeKeys(section, t_->scratch), ';');
            for (int k = 1; k <= Table::kCapacity; ++k) {
                FieldReader fields(t_->index, k);
                const std::string_view name = fields.Get("N");
                if (name.empty()) break;
                ReadRecord(table, k - 1, name, fields, rule, useKilovolts);
                table.count = k;
            }
        } else {
            table.layout = kRecordLayout;
            ForEachRecord(section, t_->index, [&](FieldReader& fields) {
                if (table.count >= Table::kCapacity) return false;
                const std::string_view name = fields.Get("N");
                ReadRecord(table, table.count, name, fields, rule, useKilovolts);
                ++table.count;
                return true;
            });
        }
    };
    switch (kind) {
        case ParamKind::kSetting:
            read(t_->settings);
            break;
        case ParamKind::kCommonParameter:
            read(t_->common);
            break;
        default:
            read(t_->binary);
            break;
    }
}

// Value-table entries follow the records kind by kind (settings, common parameters, binary
// inputs). The keyword constants have value objects of their own, so all 600 entries serve
// parameters; a record whose entry would lie past them gets no entry and no name.
void CRelayTemplate::MirrorValues() {
    Tables& t = *t_;
    int entry = 0;
    auto mirror = [&](const auto& table) {
        for (int i = 0; i < table.count; ++i, ++entry) {
            const auto r = static_cast<size_t>(i);
            if (entry >= kValueTableSize) return;
            if (!HasValueFields(table.type[r])) continue;
            CValue& value = t.values[static_cast<size_t>(entry)];
            value.SetValue(static_cast<double>(table.value[r]));
            names_.SetAt(table.id[r], &value);
        }
    };
    mirror(t.settings);
    entry = t.settings.count;
    mirror(t.common);
    entry = t.settings.count + t.common.count;
    mirror(t.binary);
}

void CRelayTemplate::ReadReport(std::string_view section) {
    Tables& t = *t_;
    t.reportCount = 0;
    if (Contains(section, "N1=")) {
        t.reportLayout = kIndexedLayout;
        t.index.Assign(DropBlanksBeforeKeys(section, t.scratch), ';');
        for (int k = 1; k <= kMaxReportItems; ++k) {
            FieldReader fields(t.index, k);
            const std::string_view name = fields.Get("N");
            const std::string_view id = fields.Get("ID");
            if (name.empty() && id.empty()) break;
            t.reportName[static_cast<size_t>(k - 1)].assign(name);
            t.reportId[static_cast<size_t>(k - 1)].assign(id);
            t.reportCount = k;
        }
    } else {
        t.reportLayout = kRecordLayout;
        ForEachRecord(section, t.index, [&](FieldReader& fields) {
            if (t.reportCount >= kMaxReportItems) return false;
            const auto i = static_cast<size_t>(t.reportCount++);
            t.reportName[i].assign(fields.Get("N"));
            t.reportId[i].assign(fields.Get("ID"));
            return true;
        });
    }
}

void CRelayTemplate::ReadCharacter(std::string_view section) {
    Tables& t = *t_;
    t.characterText.assign(section);
    t.lines.count = t.circles.count = t.texts.count = 0;
    t.times.count = t.ids.count = t.rPairs.count = t.irPairs.count = 0;
    t.xn.count = t.xp.count = 1;

    ReadZones(t.zones, t.characterText, *this);
    if (!ReadItems(section, "LINE[", t.lines)) return;
    if (!ReadItems(section, "CIRCLE[", t.circles)) return;
    if (!ReadItems(section, "TEXT[", t.texts)) return;
    ReadFields(section, "t=", ";", t.times);
    ReadFields(section, "Id=", ";", t.ids);
    ReadFields(section, "R=[", ",]", t.rPairs);
    ReadFields(section, "Ir=[", ",]", t.irPairs);
    ReadCoordinatePairs(section, "XN", "YN", t.xn);
    ReadCoordinatePairs(section, "XP", "YP", t.xp);
}

}  // namespace quorin
