#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "template/relay_template.h"
#include "tests/template/template_test_util.h"

namespace quorin::test {
namespace {

// The part of text from begin up to and including end and its CR LF.
std::string Cut(const std::string& text, const std::string& begin, const std::string& end) {
    const size_t b = text.find(begin);
    const size_t e = text.find(end, b);
    if (b == std::string::npos || e == std::string::npos) return "";
    return text.substr(b, e + end.size() + 2 - b);
}

// The indexed layout writes every kind in its field order; the record layout with kilovolts
// converts voltage units; an empty template writes empty sections.
TEST(WriteTemplate, EachLayoutAndAnEmptyTemplateAreWrittenByteForByte) {
    CRelayTemplate t;
    t.ReadTemplate(DataBytes("indexed_template.txt"), 0);
    EXPECT_EQ(t.WriteTemplate(0), DataBytes("indexed_template.ref"));
    t.ReadTemplate(DataBytes("record_template.txt"), 0);
    EXPECT_EQ(t.WriteTemplate(1), DataBytes("record_template_kv.ref"));
    EXPECT_EQ(CRelayTemplate().WriteTemplate(0), DataBytes("empty_template.ref"));
}

TEST(WriteTemplate, WritingTheSampleGivesBackItsRecordLayoutSectionsByteForByte) {
    const std::string sample = SampleText();
    CRelayTemplate t;
    t.ReadTemplate(sample, 0);
    EXPECT_EQ(t.WriteSettings(0), Cut(sample, "<SettingBegin>", "<SettingEnd>"));
    EXPECT_EQ(t.WriteBinaryInputs(), Cut(sample, "<BinaryBegin>", "<BinaryEnd>"));
    const std::string written = t.WriteTemplate(0);
    EXPECT_EQ(Cut(written, "<ReportBegin>", "<ReportEnd>"),
              Cut(sample, "<ReportBegin>", "<ReportEnd>"));
    EXPECT_EQ(written.find("BEGINZONE"), std::string::npos);  // zones are not written
    EXPECT_EQ(written.find("t=T1"), std::string::npos);
}

TEST(WriteSettings, TheUnitFamilyIsStoredBackIntoTheObject) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting", "N1=u;T1=Edit;U1=V;ID1=U;N2=c;T2=ComboBox;ID2=C;") +
                       Section("CommonParameter", "N1=u;T1=Edit;U1=v/s;ID1=P;") +
                       Section("Binary", "N1=u;T1=Edit;U1=V;ID1=B;"),
                   0);
    t.WriteSettings(1);
    EXPECT_EQ(t.Unit(kSetting, 0), "kV");
    EXPECT_EQ(t.Unit(kCommon, 0), "V/S");  // untouched until its own writer runs
    t.WriteCommonParameters(1);
    EXPECT_EQ(t.Unit(kCommon, 0), "kV/S");
    t.WriteTemplate(1);
    EXPECT_EQ(t.Unit(kBinary, 0), "V");  // binary inputs are never changed
    t.WriteSettings(0);
    EXPECT_EQ(t.Unit(kSetting, 0), "V");
}

TEST(WriteSections, ALayoutOtherThanTheTwoWritesTheMarkersOnly) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting", "N1=a;T1=Edit;ID1=A;") +
                       Section("CommonParameter", "N1=a;T1=Edit;ID1=A;") +
                       Section("Report", "N1=r;ID1=R;"),
                   0);
    t.SetLayout(kCommon, 2);
    t.SetReportLayout(-1);
    EXPECT_EQ(t.WriteCommonParameters(0), "<CommonParameterBegin>\r\n<CommonParameterEnd>\r\n");
    EXPECT_EQ(Cut(t.WriteTemplate(0), "<ReportBegin>", "<ReportEnd>"),
              "<ReportBegin>\r\n<ReportEnd>\r\n");
    t.SetLayout(kSetting, kRecordLayout);  // a host may switch layouts for writing
    EXPECT_EQ(
        t.WriteSettings(0),
        "<SettingBegin>\r\n\tN=a,L=1,U=,T=Edit,V=1.0,RE=0,RT=0,RN=0,ID=A;\r\n<SettingEnd>\r\n");
}

}  // namespace
}  // namespace quorin::test
