#include "template/name_sections.h"

#include <cmath>

#include "platform/numtext.h"
#include "template/relay_template.h"
#include "template/template_format.h"

namespace quorin {
namespace {

// Fixed point with the decimals of the record followed by the unit, "%.<L>f%s" (L below 0
// counts as 0, above 60 as 60). The unit is appended, never used as a format.
std::string FixedWithUnit(double value, int decimals, const std::string& unit) {
    return FormatFixed(value, decimals) + unit;
}

// Value text of a common parameter or binary input. A "ComboBox" value outside its choices and a
// record of any kind other than the three are written as an integer (with the unit, which only
// an "Edit" record has), so nothing is read outside the choice table.
std::string KindValueText(const CRelayTemplate& t, ParamKind kind, int record, double value) {
    const std::string& type = t.Type(kind, record);
    if (type == "Edit" && t.Decimals(kind, record) > 0)
        return FixedWithUnit(value, t.Decimals(kind, record), t.Unit(kind, record));
    const double whole = std::trunc(value);
    if (type == "ComboBox") {
        if (whole >= 0 && whole < t.ChoiceCount(kind, record))
            return t.Choice(kind, record, static_cast<int>(whole));
        return TruncatedText(value);
    }
    if (type == "CheckBox") return whole > 0 ? "Ok" : "No";
    return TruncatedText(value) + t.Unit(kind, record);
}

void AppendEntries(CRelayTemplate& t, ParamKind kind, std::string_view separator,
                   std::string& out) {
    for (int i = 0; i < t.Count(kind); ++i) {
        const double value = t.CalcExpression(t.Id(kind, i));
        out += t.Name(kind, i);
        out += separator;
        out += kind == ParamKind::kSetting ? FixedWithUnit(value, 3, t.Unit(kind, i))
                                           : KindValueText(t, kind, i, value);
        out += ';';
    }
}

}  // namespace

std::string WriteNameSections(CRelayTemplate& relayTemplate, int listFlag) {
    const bool list = listFlag != 0;
    std::string out = "<SetNameBegin>";
    if (list) AppendEntries(relayTemplate, ParamKind::kSetting, "=", out);
    out += "<SetNameEnd><ParaNameBegin>";
    if (list) AppendEntries(relayTemplate, ParamKind::kCommonParameter, ":", out);
    out += "<ParaNameEnd><BinaryNameBegin>";
    if (list) AppendEntries(relayTemplate, ParamKind::kBinaryInput, "=", out);
    out += "<BinaryNameEnd>";
    return out;
}

std::string WriteValueList(CRelayTemplate& relayTemplate, std::string_view prefix) {
    CRelayTemplate& t = relayTemplate;
    std::string out;
    for (const ParamKind kind :
         {ParamKind::kSetting, ParamKind::kCommonParameter, ParamKind::kBinaryInput}) {
        for (int i = 0; i < t.Count(kind); ++i) {
            const double value = t.CalcExpression(t.Id(kind, i));
            out += prefix;
            out += '_';
            out += t.Id(kind, i);
            out += '=';
            out += kind == ParamKind::kSetting
                       ? FixedWithUnit(value, t.Decimals(kind, i), t.Unit(kind, i))
                       : KindValueText(t, kind, i, value);
            out += ';';
        }
    }
    return out;
}

}  // namespace quorin
