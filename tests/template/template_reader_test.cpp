#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "expression/expression.h"
#include "platform/codepage.h"
#include "platform/numtext.h"
#include "template/relay_template.h"
#include "tests/common/locale_guard.h"
#include "tests/template/template_test_util.h"

namespace quorin::test {
namespace {

TEST(ReadTemplateHeader, ReadsKeysAnywhereAndUpdateIsOneWhenMissingOtherwiseTruncatedToInt32) {
    CRelayTemplate t;
    t.ReadTemplate("junk Update=2*3;WordReportName=r.doc;\r\nProperty=a,b;ProtectiveRelayName=R1;",
                   0);
    EXPECT_EQ(std::tuple(t.ProtectiveRelayName(), t.Property(), t.WordReportName()),
              std::tuple("R1", "a,b", "r.doc"));
    EXPECT_EQ(t.Update(), 6);
    for (const auto& c : test::DataCases("template_update.txt")) {
        t.ReadTemplate(c.at(0), 0);  // a missing header text is empty
        EXPECT_EQ(std::pair(FormatInt(t.Update()), t.ProtectiveRelayName()),
                  std::pair(c.at(1), std::string()))
            << c[0];
    }
}

// One section read at a time: its layout and its records.
TEST(ReadParameters, FieldsByLayoutAndKindWithTheirDefaults) {
    const std::map<std::string, ParamKind> kinds = {
        {"Setting", kSetting}, {"CommonParameter", kCommon}, {"Binary", kBinary}};
    CRelayTemplate t;
    for (const auto& c : test::DataCases("read_parameters.txt")) {
        SCOPED_TRACE(c.at(2));
        t.ReadTemplate(Section(c.at(0), c.at(2)), std::stoi(c.at(1)));
        const ParamKind kind = kinds.at(c[0]);
        std::string records;
        for (size_t i = 4; i < c.size(); ++i)
            records += c[i] + "\n";
        EXPECT_EQ(t.Layout(kind), c.at(3) == "record" ? kRecordLayout : kIndexedLayout);
        EXPECT_EQ(RecordsText(t, kind), records);
    }
}

TEST(ReadIndexedLayout, ChoiceKeysOfRecordOneChoiceTwelveAndRecordElevenChoiceTwoCoincide) {
    std::string body = "N1=r1;T1=ComboBox;Num1=12;S112=early;ID1=A;";
    for (int k = 2; k <= 11; ++k) {
        const std::string n = FormatInt(k);
        body += "N" + n + "=r" + n + ";T" + n + "=ComboBox;Num" + n + "=2;ID" + n + "=X" + n + ";";
    }
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting", body + "S112=late;"), 0);
    ASSERT_EQ(t.Count(kSetting), 11);
    EXPECT_EQ(t.Choice(kSetting, 0, 11), "late");
    EXPECT_EQ(t.Choice(kSetting, 10, 1), "late");
}

TEST(ReadIndexedLayout, ComboBoxNumStopsAtTheChoiceCapacity) {
    std::string common = "N1=c;T1=ComboBox;Num1=25;";
    std::string binary = "N1=b;T1=ComboBox;Num1=12;";
    for (int j = 1; j <= 25; ++j) {
        common += "S1" + FormatInt(j) + "=c" + FormatInt(j) + ";";
        binary += "S1" + FormatInt(j) + "=b" + FormatInt(j) + ";";
    }
    CRelayTemplate t;
    t.ReadTemplate(Section("CommonParameter", common) + Section("Binary", binary) +
                       Section("Setting", "N1=s;T1=ComboBox;Num1=-4;S11=x;"),
                   0);
    EXPECT_EQ(
        std::tuple(t.ChoiceCount(kCommon, 0), t.Choice(kCommon, 0, 19), t.Choice(kCommon, 0, 20)),
        std::tuple(20, "c20", ""));
    EXPECT_EQ(
        std::tuple(t.ChoiceCount(kBinary, 0), t.Choice(kBinary, 0, 9), t.Choice(kBinary, 0, 10)),
        std::tuple(10, "b10", ""));
    EXPECT_EQ(t.ChoiceCount(kSetting, 0), 0);
}

TEST(ReadRecordLayout, ListsStopAtTheirCapacities) {
    std::string records;
    for (int i = 1; i <= 601; ++i)
        records +=
            "\tN=p" + FormatInt(i) + ",T=Edit,V=" + FormatInt(i) + ",ID=P" + FormatInt(i) + ";\r\n";
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting", records) + Section("CommonParameter", records) +
                       Section("Binary", records) + Section("Report", records),
                   0);
    EXPECT_EQ(std::tuple(t.Count(kSetting), t.Count(kCommon), t.Count(kBinary), t.ReportCount()),
              std::tuple(600, 100, 100, 100));
    EXPECT_EQ(std::tuple(t.Name(kSetting, 599), t.ReportId(99)), std::tuple("p600", "P100"));
    EXPECT_EQ(t.CalcExpression("P601"), kCalcFailure);  // the 601st setting is not read
}

TEST(ReadSections, AMissingOrUnclosedSectionYieldsNoRecordsAndTheOthersRead) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Binary", "N1=b;T1=Edit;ID1=B;") + Section("Report", "N1=r;ID1=R;"), 0);
    ASSERT_EQ(t.Count(kBinary), 1);
    t.ReadTemplate(Section("Setting", "N1=s;T1=Edit;ID1=S;") + "<BinaryEnd>N1=b;" +
                       Section("CommonParameter", "N1=c;T1=Edit;ID1=C;") +
                       "<ReportBegin>N1=r;ID1=R;",
                   0);
    // An empty section has no "N1=": the record layout.
    EXPECT_EQ(std::tuple(t.Count(kSetting), t.Count(kBinary), t.Layout(kBinary), t.Count(kCommon),
                         t.ReportCount()),
              std::tuple(1, 0, kRecordLayout, 1, 0));
    t.ReadTemplate("<SettingEnd><SettingBegin>N1=a;T1=Edit;<SettingEnd>N2=b;<SettingEnd>", 0);
    EXPECT_EQ(t.Count(kSetting), 1);  // up to the first end marker after the begin marker
}

TEST(ReadReport, IndexedStopsWhereNameAndIdAreBothMissingRecordLayoutCountsAll) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Report",
                           "\tN1=Item;ID1=NAME;\r\n\tID2=RESULT;\r\n\tN3=Req;\r\n"
                           "\tN5=Late;ID5=L;\r\n"),
                   0);
    ASSERT_EQ(t.ReportCount(), 3);
    EXPECT_EQ(t.ReportLayout(), kIndexedLayout);
    EXPECT_EQ(std::tuple(t.ReportName(1), t.ReportId(1), t.ReportName(2), t.ReportId(2)),
              std::tuple("", "RESULT", "Req", ""));
    t.ReadTemplate(Section("Report", "\tN=Item,ID=NAME;\r\n\tN=,ID=;\r\n\tN=Res,ID=RESULT;\r\n"),
                   0);
    ASSERT_EQ(t.ReportCount(), 3);
    EXPECT_EQ(t.ReportLayout(), kRecordLayout);
    EXPECT_EQ(std::pair(t.ReportName(1), t.ReportId(2)),
              std::pair(std::string(" "), std::string("RESULT")));
}

// The drawing items, one a line, then "t=" times, "Id=" values and the pair counts.
std::string Items(const CRelayTemplate& t) {
    std::string out;
    const auto list = [&out](const char* word, int count, int fields, auto field) {
        for (int i = 0; i < count; ++i)
            for (int f = 0; f < fields; ++f)
                out += (f ? "|" : word) + field(i, f) + (f == fields - 1 ? "\n" : "");
    };
    list("LINE ", t.LineCount(), 5, [&t](int i, int f) { return t.LineField(i, f); });
    list("CIRCLE ", t.CircleCount(), 4, [&t](int i, int f) { return t.CircleField(i, f); });
    list("TEXT ", t.TextItemCount(), 4, [&t](int i, int f) { return t.TextItemField(i, f); });
    list("t=", t.TimeCount(), 1, [&t](int i, int) { return t.Time(i); });
    list("Id=", t.IdValueCount(), 1, [&t](int i, int) { return t.IdValue(i); });
    list("R=", t.RPairCount(), 2, [&t](int i, int f) { return t.RPair(i, f); });
    list("Ir=", t.IrPairCount(), 2, [&t](int i, int f) { return t.IrPair(i, f); });
    return out + "pairs " + FormatInt(t.XnPairCount()) + " " + FormatInt(t.XpPairCount());
}

TEST(ReadCharacter, ItemsTimesValuesAndPairsAsWritten) {
    CRelayTemplate t;
    for (const auto& c : test::DataCases("read_character.txt")) {
        t.ReadTemplate(Section("Character", c.at(0)), 0);
        EXPECT_EQ(Items(t), c.at(1)) << c[0];
    }
    t.ReadTemplate(Section("Character", "YN1=y1;XN1=x1;XN1=later;XP1=p;YP1=q;"), 0);
    // The first occurrence counts.
    EXPECT_EQ(std::tuple(t.Xn(1), t.Yn(1), t.Xp(1), t.Yp(1)), std::tuple("x1", "y1", "p", "q"));
    EXPECT_EQ(t.CharacterText(), "\r\nYN1=y1;XN1=x1;XN1=later;XP1=p;YP1=q;");
    t.ReadTemplate("LINE[1,2,3,4,5];t=1;", 0);  // lists are reset on each read
    EXPECT_EQ(std::pair(Items(t), t.CharacterText()),
              std::pair(std::string("pairs 1 1"), std::string()));
    t.ReadTemplate(Section("Character",
                           "LINE[1,2;BEGINZONE INDEX=1;BEGINSHAPE CIRCLE=2,0,2; "
                           "ENDSHAPE ENDZONE"),
                   0);
    EXPECT_EQ(t.Zones().Count(), 1);  // zones are read before the items
}

TEST(ReadCharacter, ListsStopAtTheirCapacities) {
    std::string body;
    for (int i = 0; i < 210; ++i) {
        const std::string n = FormatInt(i);
        body += "LINE[" + n + ",0,0,0,0];CIRCLE[" + n + ",0,0,0];TEXT[" + n + ",0,0,0];XP" +
                FormatInt(i + 1) + "=" + FormatInt(i + 1) + ";YP" + FormatInt(i + 1) + "=0;";
    }
    CRelayTemplate t;
    t.ReadTemplate(Section("Character", body), 0);
    EXPECT_EQ(std::tuple(t.LineCount(), t.CircleCount(), t.TextItemCount()),
              std::tuple(200, 100, 100));
    EXPECT_EQ(t.LineField(199, 0), "199");
    // Pair numbers stop at 49.
    EXPECT_EQ(std::tuple(t.XpPairCount(), t.Xp(49), t.Xp(50)), std::tuple(50, "49", ""));
}

TEST(ReadZones, ZoneFieldsSeeTheTemplatesSettings) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting", "N1=Reach;T1=Edit;V1=10;ID1=F;N2=Back;T2=Edit;V2=2;ID2=B;") +
                       Section("Character",
                               "BEGINZONE INDEX=2;INVERT=1;FAULTLOOP=LN;LABEL=Z2;BEGINSHAPE "
                               "CIRCLE=F,90,B; ENDSHAPE ENDZONE"),
                   0);
    ASSERT_EQ(t.Zones().Count(), 1);
    EXPECT_NEAR(t.Zones().Zone(1).circleCenterY, 4.0f, 1e-5);
    EXPECT_NEAR(t.Zones().Zone(1).circleRadius, 6.0f, 1e-5);
}

// Quadrilateral zones 1 to 3 per fault loop, MHO, inverted reverse zone, lens.
TEST(ReadSample, ReadsEverySectionAndZoneOfTheSampleSequence) {
    CRelayTemplate t;
    t.ReadTemplate(SampleText(), 0);
    EXPECT_EQ(t.ProtectiveRelayName(), Utf8ToAnsi("QDR-300 线路距离保护"));
    EXPECT_EQ(test::Counts(t), (test::Record{{"update", "0"},
                                             {"settings", "24 layout 1"},
                                             {"common", "7 layout 0"},
                                             {"binary", "6 layout 1"},
                                             {"report", "3"},
                                             {"lines, circles, texts", "2,1,1"},
                                             {"Xn, Xp pairs, times", "3,2,3"},
                                             {"zones", "9"}}));
    EXPECT_EQ(RecordText(t, kSetting, 16), Utf8ToAnsi("距离I段时间|T1|Edit|3|0|s|,,|0,0,0"));
    EXPECT_DOUBLE_EQ(t.CalcExpression("Z1RE*2+KFORM"), 12.0);
    using Zone = std::tuple<int, int, int, std::string, int>;  // index, kind, invert, loop, shapes
    std::vector<Zone> zones;
    for (int slot = 1; slot <= t.Zones().Count(); ++slot) {
        const CZone& z = t.Zones().Zone(slot);
        zones.emplace_back(z.index, z.kind, z.invert, z.faultLoop, z.shapeCount);
    }
    // clang-format off
    EXPECT_EQ(zones, (std::vector<Zone>{{1, 0, 0, "LN", 4}, {1, 0, 0, "LL", 4}, {2, 0, 0, "LN", 4},
                                        {2, 0, 0, "LL", 4}, {3, 0, 0, "LN", 4}, {3, 0, 0, "LL", 4},
                                        {4, 1, 0, "ALL", 0}, {5, 0, 1, "ALL", 4}, {6, 2, 0, "ALL", 0}}));
    // clang-format on
}

TEST(ReadSample, NumbersReadTheSameUnderADecimalCommaLocale) {
    test::GermanLocale german;
    ASSERT_TRUE(german.ok());
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting", "N1=Ia;T1=Edit;L1=2;V1=1.25;U1=A;ID1=I1;") + "Update=2.5*2;",
                   0);
    EXPECT_EQ(t.Value(kSetting, 0), 1.25f);
    EXPECT_EQ(t.Update(), 5);
    EXPECT_EQ(t.WriteSettings(0),
              "<SettingBegin>\r\n\tN1=Ia;L1=2;U1=A;T1=Edit;V1=1.25;ID1=I1;RE1=0;RT1=0;RN1=0;\r\n"
              "<SettingEnd>\r\n");
}

}  // namespace
}  // namespace quorin::test
