// Helpers shared by the template tests.
#pragma once

#include <string>

#include "platform/files.h"
#include "platform/numtext.h"
#include "template/relay_template.h"
#include "tests/common/record.h"
#include "tests/common/temp_dir.h"

namespace quorin::test {

inline constexpr ParamKind kSetting = ParamKind::kSetting;
inline constexpr ParamKind kCommon = ParamKind::kCommonParameter;
inline constexpr ParamKind kBinary = ParamKind::kBinaryInput;

inline std::string Section(const std::string& marker, const std::string& body) {
    return "<" + marker + "Begin>\r\n" + body + "<" + marker + "End>\r\n";
}

inline std::string SampleText() {
    std::string text;
    ReadFileBytes(QUORIN_SAMPLE_SEQUENCE, text);
    return text;
}

// A record on one line: N|ID|T|L|V|U|PVA,PVB,PVC|RE,RT,RN|choice|choice...
inline std::string RecordText(const CRelayTemplate& t, ParamKind kind, int i) {
    std::string out = t.Name(kind, i) + "|" + t.Id(kind, i) + "|" + t.Type(kind, i) + "|" +
                      FormatInt(t.Decimals(kind, i)) + "|" + CFormat("%g", t.Value(kind, i)) + "|" +
                      t.Unit(kind, i) + "|" + t.Pva(kind, i) + "," + t.Pvb(kind, i) + "," +
                      t.Pvc(kind, i) + "|" + t.Re(kind, i) + "," + t.Rt(kind, i) + "," +
                      t.Rn(kind, i);
    for (int j = 0; j < t.ChoiceCount(kind, i); ++j)
        out += "|" + t.Choice(kind, i, j);
    return out;
}

// Every record of a kind, one per line.
inline std::string RecordsText(const CRelayTemplate& t, ParamKind kind) {
    std::string out;
    for (int i = 0; i < t.Count(kind); ++i)
        out += RecordText(t, kind, i) + "\n";
    return out;
}

// How many records, items and pairs a template holds, and its layouts and update number.
inline Record Counts(const CRelayTemplate& t) {
    return {{"update", Str(t.Update())},
            {"settings", Str(t.Count(kSetting)) + " layout " + Str(t.Layout(kSetting))},
            {"common", Str(t.Count(kCommon)) + " layout " + Str(t.Layout(kCommon))},
            {"binary", Str(t.Count(kBinary)) + " layout " + Str(t.Layout(kBinary))},
            {"report", Str(t.ReportCount())},
            {"lines, circles, texts",
             Str(t.LineCount()) + "," + Str(t.CircleCount()) + "," + Str(t.TextItemCount())},
            {"Xn, Xp pairs, times",
             Str(t.XnPairCount()) + "," + Str(t.XpPairCount()) + "," + Str(t.TimeCount())},
            {"zones", Str(t.Zones().Count())}};
}

}  // namespace quorin::test
