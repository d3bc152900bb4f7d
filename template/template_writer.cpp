// The template text writers of CRelayTemplate: the parameter sections in their stored layout and
// the whole template.
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/numtext.h"
#include "template/relay_template.h"
#include "template/template_format.h"
#include "template/template_tables.h"

namespace quorin {
namespace {

enum class KindRule { kSetting, kCommonParameter, kBinaryInput };

// Writes the pairs of one record: indexed, key + record number "=" value ";" each; in the record
// layout key "=" value "," each and ";" after the last.
class RecordWriter {
public:
    RecordWriter(std::string& out, int layout, int number)
        : out_(out), indexed_(layout == kIndexedLayout), number_(FormatInt(number)) {}

    void Pair(std::string_view key, std::string_view value, bool last = false) {
        out_ += key;
        if (indexed_) out_ += number_;
        out_ += '=';
        out_ += value;
        out_ += indexed_ || last ? ';' : ',';
    }

    // Choice j (1-based): "S" k j in the indexed layout, "S" j in the record layout.
    void Choice(int j, std::string_view value) {
        out_ += 'S';
        if (indexed_) out_ += number_;
        out_ += FormatInt(j);
        out_ += '=';
        out_ += value;
        out_ += indexed_ ? ';' : ',';
    }

    bool Indexed() const { return indexed_; }

private:
    std::string& out_;
    bool indexed_;
    std::string number_;
};

template <class Table>
void AppendRecord(Table& t, int i, KindRule rule, int useKilovolts, std::string& out) {
    const auto r = static_cast<size_t>(i);
    if constexpr (!std::is_const_v<Table>) {
        // The unit family is applied before writing and kept: writing changes the object.
        const std::string_view unit = UnitFamily(t.unit[r], useKilovolts);
        if (unit != t.unit[r]) t.unit[r].assign(unit);
    }
    RecordWriter w(out, t.layout, i + 1);
    out += '\t';
    w.Pair("N", t.name[r]);
    const std::string& type = t.type[r];
    const std::string value = ParamValueText(type, t.decimals[r], t.value[r]);
    if (type == "ComboBox") {
        const std::string num = FormatInt(t.choiceCount[r]);
        if (rule == KindRule::kCommonParameter) {
            w.Pair("T", type);
            w.Pair("Num", num);
        } else {
            w.Pair("Num", num);
            w.Pair("T", type);
        }
        w.Pair("V", value);
        for (int j = 0; j < t.choiceCount[r]; ++j)
            w.Choice(j + 1, t.Choice(i, j));
    } else if (type == "Edit") {
        w.Pair("L", FormatInt(t.decimals[r]));
        w.Pair("U", t.unit[r]);
        w.Pair("T", type);
        w.Pair("V", value);
        if (rule == KindRule::kSetting) {
            if (!t.pva[r].empty()) w.Pair("PVA", t.pva[r]);
            if (!t.pvb[r].empty()) w.Pair("PVB", t.pvb[r]);
            if (!t.pvc[r].empty()) w.Pair("PVC", t.pvc[r]);
        }
    } else if (type == "CheckBox") {
        w.Pair("T", type);
        w.Pair("V", value);
        w.Choice(1, t.Choice(i, 0));
        w.Choice(2, t.Choice(i, 1));
    }
    auto appendR = [&] {
        if (rule == KindRule::kBinaryInput) return;
        if (!t.re[r].empty()) w.Pair("RE", t.re[r]);
        if (!t.rt[r].empty()) w.Pair("RT", t.rt[r]);
        if (!t.rn[r].empty()) w.Pair("RN", t.rn[r]);
    };
    if (w.Indexed()) {
        w.Pair("ID", t.id[r]);
        appendR();
    } else {
        appendR();
        w.Pair("ID", t.id[r], true);
    }
    out += "\r\n";
}

template <class Table>
std::string SectionOf(Table& t, KindRule rule, int useKilovolts, std::string_view begin,
                      std::string_view end) {
    std::string out;
    out.reserve(64 + static_cast<size_t>(t.count) * 96);
    out += begin;
    out += "\r\n";
    if (t.layout == kIndexedLayout || t.layout == kRecordLayout) {
        for (int i = 0; i < t.count; ++i)
            AppendRecord(t, i, rule, useKilovolts, out);
    }
    out += end;
    out += "\r\n";
    return out;
}

template <class List>
void AppendItems(const List& list, std::string_view word, std::string& out) {
    for (int i = 0; i < list.count; ++i) {
        out += word;
        const auto& fields = list.items[static_cast<size_t>(i)];
        for (int f = 0; f < List::kFields; ++f) {
            if (f > 0) out += ',';
            out += fields[static_cast<size_t>(f)];
        }
        out += "];\r\n";
    }
}

void AppendPairs(const PairList& pairs, std::string_view xKey, std::string_view yKey,
                 std::string& out) {
    for (int n = 1; n < pairs.count; ++n) {
        const std::string number = FormatInt(n);
        const auto i = static_cast<size_t>(n);
        out += xKey;
        out += number;
        out += '=';
        out += pairs.x[i];
        out += ';';
        out += yKey;
        out += number;
        out += '=';
        out += pairs.y[i];
        out += ";\r\n";
    }
}

void AppendHeaderLine(std::string_view key, std::string_view value, std::string& out) {
    out += key;
    out += value;
    out += ";\r\n";
}

}  // namespace

std::string CRelayTemplate::WriteSettings(int useKilovolts) {
    return SectionOf(t_->settings, KindRule::kSetting, useKilovolts, "<SettingBegin>",
                     "<SettingEnd>");
}

std::string CRelayTemplate::WriteCommonParameters(int useKilovolts) {
    return SectionOf(t_->common, KindRule::kCommonParameter, useKilovolts, "<CommonParameterBegin>",
                     "<CommonParameterEnd>");
}

std::string CRelayTemplate::WriteBinaryInputs() const {
    const BinaryInputTable& binary = t_->binary;
    return SectionOf(binary, KindRule::kBinaryInput, 0, "<BinaryBegin>", "<BinaryEnd>");
}

std::string CRelayTemplate::WriteTemplate(int useKilovolts) {
    const Tables& t = *t_;
    std::string out = "<ProtectionRelayBegin>\r\n";
    AppendHeaderLine("ProtectiveRelayName=", t.relayName, out);
    AppendHeaderLine("Property=", t.property, out);
    AppendHeaderLine("WordReportName=", t.wordReportName, out);
    out += "Format=1;\r\n";
    out += WriteSettings(useKilovolts);
    out += WriteCommonParameters(useKilovolts);
    out += WriteBinaryInputs();

    out += "<CharacterBegin>\r\n";
    AppendItems(t.lines, "LINE[", out);
    AppendItems(t.circles, "CIRCLE[", out);
    AppendItems(t.texts, "TEXT[", out);
    AppendPairs(t.xn, "XN", "YN", out);
    AppendPairs(t.xp, "XP", "YP", out);
    out += "<CharacterEnd>\r\n";

    out += "<ReportBegin>\r\n";
    if (t.reportLayout == kIndexedLayout || t.reportLayout == kRecordLayout) {
        for (int i = 0; i < t.reportCount; ++i) {
            RecordWriter w(out, t.reportLayout, i + 1);
            out += '\t';
            w.Pair("N", t.reportName[static_cast<size_t>(i)]);
            w.Pair("ID", t.reportId[static_cast<size_t>(i)], true);
            out += "\r\n";
        }
    }
    out += "<ReportEnd>\r\n";
    return out;
}

}  // namespace quorin
