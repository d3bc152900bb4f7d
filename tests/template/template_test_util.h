// Helpers shared by the template tests.
#pragma once

#include <string>

#include "platform/files.h"
#include "platform/numtext.h"
#include "template/relay_template.h"
#include "tests/common/temp_dir.h"

namespace quorin::test {

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

}  // namespace quorin::test
