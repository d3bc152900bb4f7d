#include "template/relay_template.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "expression/expression.h"
#include "platform/numtext.h"
#include "template/template_format.h"
#include "tests/template/template_test_util.h"

namespace quorin::test {
namespace {

// A setting record in the record layout.
std::string Setting(const std::string& name, const std::string& id, const std::string& value) {
    return "\tN=" + name + ",L=2,U=A,T=Edit,V=" + value + ",ID=" + id + ";\r\n";
}

TEST(RelayTemplate, StartsEmptyWithKeywordsAndUpdateOne) {
    CRelayTemplate t;
    EXPECT_EQ(test::Counts(t), (test::Record{{"update", "1"},
                                             {"settings", "0 layout 0"},
                                             {"common", "0 layout 0"},
                                             {"binary", "0 layout 0"},
                                             {"report", "0"},
                                             {"lines, circles, texts", "0,0,0"},
                                             {"Xn, Xp pairs, times", "1,1,0"},
                                             {"zones", "0"}}));
    EXPECT_EQ(std::pair(t.ValueTableEntry(0), t.ValueTableEntry(599)), std::pair(0.0, 0.0));
    EXPECT_EQ(t.CalcExpression("IA+D"), 10.0);
    EXPECT_EQ(t.CalcExpression("PRE1"), kCalcFailure);
}

TEST(RelayTemplate, TextToIntAndTextToFloatTakeTheDefaultOnlyForNoText) {
    for (const auto& c : test::DataCases("text_to_number.txt")) {
        const char* text = c.at(0) == "(null)" ? nullptr : c[0].c_str();
        EXPECT_EQ(
            std::pair(CRelayTemplate::TextToInt(text, 7), CRelayTemplate::TextToFloat(text, 1.5f)),
            std::pair(std::stoi(c.at(1)), static_cast<float>(CAtof(c.at(2)))))
            << c[0];
    }
    EXPECT_EQ(CRelayTemplate::TextToInt(std::string_view(), 4), 4);
}

TEST(RelayTemplate, AccessorsOutsideTheRecordsGiveEmptyTextAndZero) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting", Setting("Ia", "I1", "1.5")) +
                       Section("Report", "N1=Trip;ID1=T;") +
                       Section("Character", "LINE[1,2,3,4,5];XN1=1;YN1=2;t=T1;R=[1,2];"),
                   0);
    ASSERT_EQ(t.Count(kSetting), 1);
    for (int bad : {-1, 1, 600, 100000}) {
        EXPECT_EQ(RecordText(t, kSetting, bad), "|||0|0||,,|,,");
        EXPECT_EQ((std::vector<std::string>{t.Choice(kSetting, bad, 0), t.ValueText(kSetting, bad),
                                            t.ReportName(bad), t.ReportId(bad), t.LineField(bad, 0),
                                            t.Time(bad), t.RPair(bad, 0)}),
                  std::vector<std::string>(7))
            << bad;
        EXPECT_EQ(t.ValueTableEntry(bad < 0 ? bad : bad + 600), 0.0);
    }
    EXPECT_EQ((std::vector<std::string>{t.Choice(kSetting, 0, 0), t.LineField(0, 5),
                                        t.LineField(0, -1), t.RPair(0, 2)}),
              std::vector<std::string>(4));
    // Pairs are numbered from 1.
    EXPECT_EQ(std::tuple(t.Xn(0), t.Xn(1), t.Xn(2)), std::tuple("", "1", ""));
    EXPECT_EQ(t.Name(static_cast<ParamKind>(7), 0), "");  // a kind cast from a bad integer
    t.SetValue(kSetting, 5, 9.0f);                        // ignored
    t.SetValue(kSetting, -1, 9.0f);
    EXPECT_EQ(RecordText(t, kSetting, 0), "Ia|I1|Edit|2|1.5|A|,,|0,0,0");
}

TEST(RelayTemplate, ValueTextFollowsKindAndDecimals) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting",
                           "\tN=a,L=3,T=Edit,V=1.5,ID=a;\r\n"
                           "\tN=b,L=0,T=Edit,V=-2.7,ID=b;\r\n"
                           "\tN=c,Num=3,T=ComboBox,V=2,ID=c;\r\n"
                           "\tN=d,T=CheckBox,V=1,ID=d;\r\n"
                           "\tN=e,L=-2,T=Edit,V=7.9,ID=e;\r\n"
                           "\tN=f,L=2,T=Label,V=7.9,ID=f;\r\n"),
                   0);
    const auto texts = [&t] {
        std::vector<std::string> out;
        for (int i = 0; i < t.Count(kSetting); ++i)
            out.push_back(t.ValueText(kSetting, i));
        return out;
    };
    EXPECT_EQ(texts(), (std::vector<std::string>{"1.500", "-2", "2", "1", "7", "0"}));
    t.SetValue(kSetting, 2, 2.7f);
    t.SetValue(kSetting, 1, -0.5f);
    EXPECT_EQ(texts(), (std::vector<std::string>{"1.500", "0", "2", "1", "7", "0"}));
    t.SetValue(kSetting, 1, 3e9f);
    EXPECT_EQ(t.ValueText(kSetting, 1), "3000000000");  // in full, not wrapped to 32 bits
}

TEST(UnitFamily, VoltageUnitsFollowTheKilovoltFlagAnyCase) {
    for (const auto& c : test::DataCases("unit_family.txt"))
        EXPECT_EQ(std::tuple(UnitFamily(c.at(0), 0), UnitFamily(c[0], 1), UnitFamily(c[0], -3)),
                  std::tuple(c.at(1), c.at(2), c[2]))
            << c[0];
}

// ---- Mirroring into the value table and the name table ----

// Value-table entries: settings from 0, then common parameters, then binary inputs; the record
// mirrored last wins a name and hides a keyword.
TEST(RelayTemplateMirroring, ExpressionsSeeParametersByIdentifier) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Binary", "N=In A,T=CheckBox,V=1,ID=BIA;N=b,T=Edit,V=3,ID=X;") +
                       Section("Setting", Setting("Reach", "Z1", "4.5") + Setting("s", "X", "1") +
                                              Setting("d", "D", "42")) +
                       Section("CommonParameter",
                               "N1=Current;T1=Edit;V1=5;ID1=ITEST;"
                               "N2=c;T2=Edit;V2=2;ID2=X;"),
                   0);
    EXPECT_DOUBLE_EQ(t.CalcExpression("Z1*2+ITEST+BIA"), 15.0);
    EXPECT_EQ(t.CalcExpression("X"), 3.0);
    EXPECT_EQ(t.CalcExpression("D"), 42.0);  // no longer the keyword's 1
    EXPECT_EQ(t.CalcExpression("LABN"), 6.0);
    std::vector<double> entries;
    for (int i = 0; i < 7; ++i)
        entries.push_back(t.ValueTableEntry(i));
    EXPECT_EQ(entries, (std::vector<double>{4.5, 1, 42, 5, 2, 1, 3}));
}

// A read replaces the entries of value kinds only; names stay mapped to their entries, and a
// value set on the object reaches expressions only through the text of the next read.
TEST(RelayTemplateMirroring, OnlyValueKindsAreMirroredAndOtherEntriesKeepTheirValue) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting", Setting("a", "A1", "7") + Setting("b", "B1", "8")), 0);
    t.SetValue(kSetting, 0, 11.0f);
    EXPECT_DOUBLE_EQ(t.CalcExpression("A1"), 7.0);
    t.ReadTemplate(Section("Setting", "\tN=a,T=Label,V=1,ID=LBL;\r\n" + Setting("b", "B2", "9")),
                   0);
    EXPECT_EQ(t.CalcExpression("LBL"), kCalcFailure);
    EXPECT_DOUBLE_EQ(t.ValueTableEntry(0), 7.0);
    EXPECT_DOUBLE_EQ(t.CalcExpression("A1") + t.CalcExpression("B1") + t.CalcExpression("B2"),
                     25.0);
}

TEST(RelayTemplateMirroring, EntriesPastSixHundredAreNeitherWrittenNorNamed) {
    std::string settings;
    for (int i = 0; i < 600; ++i)
        settings += Setting("s", "S" + FormatInt(i), FormatInt(i));
    std::string common;
    for (int k = 1; k <= 3; ++k) {
        const std::string n = FormatInt(k);
        common += "N" + n + "=c;T" + n + "=Edit;V" + n + "=1000;ID" + n + "=C" + n + ";";
    }
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting", settings) + Section("CommonParameter", common), 0);
    ASSERT_EQ(std::pair(t.Count(kSetting), t.Count(kCommon)), std::pair(600, 3));
    // Keyword constants are not overwritten.
    EXPECT_EQ((std::vector{t.CalcExpression("S599"), t.ValueTableEntry(599), t.CalcExpression("C1"),
                           t.CalcExpression("LABN"), t.CalcExpression("ICDC")}),
              (std::vector{599.0, 599.0, kCalcFailure, 6.0, 30.0}));
}

}  // namespace
}  // namespace quorin::test
