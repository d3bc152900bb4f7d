#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "expression/expression.h"
#include "platform/codepage.h"
#include "platform/numtext.h"
#include "template/relay_template.h"
#include "tests/common/locale_guard.h"
#include "tests/template/template_test_util.h"

namespace quorin {
namespace {

using test::RecordsText;
using test::RecordText;
using test::SampleText;
using test::Section;

using test::kBinary;
using test::kCommon;
using test::kSetting;

TEST(ReadTemplateHeader, ReadsKeysAnywhereAndUpdateIsOneWhenMissingOtherwiseTruncatedToInt32) {
    CRelayTemplate t;
    t.ReadTemplate("junk Update=2*3;WordReportName=r.doc;\r\nProperty=a,b;ProtectiveRelayName=R1;",
                   0);
    EXPECT_EQ(std::tuple(t.ProtectiveRelayName(), t.Property(), t.WordReportName()),
              std::tuple("R1", "a,b", "r.doc"));
    EXPECT_EQ(t.Update(), 6);
    // "Update=" has no ";"; "ACOS(2)" is NaN.
    // clang-format off
    const std::pair<const char*, int> cases[] = {
        {"", 1}, {"Update=", 1}, {"Update=2.9;", 2}, {"Update=-2.9;", -2}, {"Update=;", 0},
        {"Update=FOO+1;", -100000}, {"Update=LABN;", 6}, {"Update=1000000*1000000;", 2147483647},
        {"Update=-1000000*1000000;", -2147483647 - 1}, {"Update=ACOS(2);", 0}};
    // clang-format on
    for (const auto& [text, update] : cases) {
        t.ReadTemplate(text, 0);  // a missing header text is empty
        EXPECT_EQ(std::pair(t.Update(), t.ProtectiveRelayName()), std::pair(update, std::string()))
            << text;
    }
}

// One section read at a time: its layout and its records, one line each (see RecordText).
TEST(ReadParameters, FieldsByLayoutAndKindWithTheirDefaults) {
    const struct {
        const char* marker;
        ParamKind kind;
        int useKilovolts;
        const char* body;
        int layout;
        const char* records;
    } cases[] = {
        // Blanks, tabs and line breaks are skipped in front of keys only ("n3" is not "N3");
        // reading stops at the first record without name.
        {"Setting", kSetting, 0,
         "\r\n\tN1=a;T1=Edit;V1=1; \t\r\n N2= b ;T2=Edit;\r\n\tID2=B;\r\n"
         "\tn3=c;T3=Edit;V3=3;ID3=C;N4=d;T4=Edit;ID4=D;",
         kIndexedLayout, "a||Edit|1|1||,,|0,0,0\n b |B|Edit|1|1||,,|0,0,0\n"},
        // Present but empty is " "; no Num: one choice; no V: 1; a choice value reads as an
        // integer; kinds compare case-sensitively.
        {"Setting", kSetting, 0,
         "N1=;T1=Edit;L1=;V1=;U1=;ID1=x;RE1=;PVA1=p;PVC1=c;"
         "N2=Mode;T2=ComboBox;L2=3;U2=A;S21=first;S22=second;ID2=M;"
         "N3=Flag;T3=CheckBox;S31=yes;S32=no;S33=extra;ID3=F;"
         "N4=Pick;T4=ComboBox;Num4=3;V4=2.9;S41=a;S43=c;ID4=P;"
         "N5=Note;T5=edit;V5=4;U5=A;S51=a;ID5=NT;",
         kIndexedLayout,
         " |x|Edit|0|0| |p,,c| ,0,0\nMode|M|ComboBox|0|1||,,|0,0,0|first\n"
         "Flag|F|CheckBox|1|1||,,|0,0,0|yes|no\nPick|P|ComboBox|0|2||,,|0,0,0|a||c\n"
         "Note|NT|edit|1|0||,,|0,0,0\n"},
        // Every record counts, even without name; a record runs from "N" (also of "Num") to ";"
        // or the section end.
        {"Setting", kSetting, 0,
         "\tN=a,T=Edit,V=1,ID=A;\r\n\tN=,T=Edit,V=2,ID=B;\r\n\tNum=2,T=ComboBox,S1=x,S2=y,ID=C;"
         "\r\n\tN=d,T=CheckBox,V=0,S1=on,S2=off,ID=D;\r\n\tN=e,T=Edit,V=5,ID=E\r\n",
         kRecordLayout,
         "a|A|Edit|1|1||,,|0,0,0\n |B|Edit|1|2||,,|0,0,0\n|C|ComboBox|0|1||,,|0,0,0|x|y\n"
         "d|D|CheckBox|1|0||,,|0,0,0|on|off\ne|E\r\n|Edit|1|5||,,|0,0,0\n"},
        // Voltage units of Edit settings and common parameters follow the kilovolt flag, in any
        // case; binary inputs read neither RE/RT/RN nor PVA, and keep their unit as written.
        {"Setting", kSetting, 0,
         "N1=f;T1=Edit;V1=50.5;U1=kv/hz;ID1=F;N2=c;T2=ComboBox;U2=kv;S21=x;", kIndexedLayout,
         "f|F|Edit|1|50.5|V/Hz|,,|0,0,0\nc||ComboBox|0|1||,,|0,0,0|x\n"},
        {"CommonParameter", kCommon, 1, "N1=u;T1=Edit;V1=57.7;U1=v;ID1=U;", kIndexedLayout,
         "u|U|Edit|1|57.7|kV|,,|0,0,0\n"},
        {"Binary", kBinary, 1, "N1=b;T1=Edit;RE1=5;U1=v;PVA1=p;ID1=y;", kIndexedLayout,
         "b|y|Edit|1|1|v|,,|,,\n"},
    };
    CRelayTemplate t;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        t.ReadTemplate(Section(c.marker, c.body), c.useKilovolts);
        EXPECT_EQ(t.Layout(c.kind), c.layout);
        EXPECT_EQ(RecordsText(t, c.kind), c.records);
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
    std::string nested;
    for (int i = 0; i < 12; ++i)
        nested += "max(" + FormatInt(i) + ",";
    const std::pair<std::string, std::string> cases[] = {
        // "MIN(max(e" joins while the last piece holds "max(": "f)" ends it, and "g)" is the next
        // field; the last field runs to "]"; a field joins at most ten pieces.
        {"LINE[0,0,max(1,a),2,0];\r\nLINE[MAX(a,b),min(c,d),MIN(max(e,f),g),h,i];\r\n"
         "CIRCLE[1,2,max(3,4),5];TEXT[a,b,Label text,min(1,2)];\r\nLINE[" +
             nested + "x,y,z,w];",
         "LINE 0|0|max(1,a)|2|0\nLINE MAX(a,b)|min(c,d)|MIN(max(e,f)|g)|h,i\n"
         "LINE max(0,max(1,max(2,max(3,max(4,max(5,max(6,max(7,max(8,max(9|max(10,max(11,x|y|z|w\n"
         "CIRCLE 1|2|max(3,4)|5\nTEXT a|b|Label text|min(1,2)\npairs 1 1"},
        // A malformed item ends the section, an unended one only its list.
        {"LINE[1,2,3,4,5];LINE[1,2;CIRCLE[1,2,3,4];t=T1;XN1=1;YN1=2;", "LINE 1|2|3|4|5\npairs 1 1"},
        {"TEXT[1,2,3,4;t=T1;", "pairs 1 1"},
        {"t=T1;CIRCLE[1,2,3,4]; LINE[1,2,3,4,5]", "CIRCLE 1|2|3|4\nt=T1\npairs 1 1"},
        // Up to five each; the second "R=" runs from "1;Ir=[a" to the next "]".
        {"t=T1;t=T2;t=3;t=4;t=5;t=6;Id=I1;R=[0,Z3];R=[1;Ir=[a,b];Ir=[c",
         "t=T1\nt=T2\nt=3\nt=4\nt=5\nId=I1\nR=0|Z3\nR=1;Ir=[a|b\nIr=a|b\npairs 1 1"},
        // Coordinate pairs run while both halves, each ended by ";", exist; slot 0 always counts.
        {"YN1=0;XP1=0;", "pairs 1 1"},
        {"XN1=a;YN1=b;XN2=c;YN2=d;XN4=e;YN4=f;XP1=p;YP1=q", "pairs 3 1"},
        {"XN01=a;YN01=b;XN11=a;YN11=b;", "pairs 1 1"},
        {"YN2=d;XN2=c;YN1=b;XN1=a;", "pairs 3 1"},
        {"XN1=a;YN2=d;XN2=c;YN1=b YN1=c YN1=", "pairs 1 1"},
    };
    CRelayTemplate t;
    for (const auto& [body, items] : cases) {
        t.ReadTemplate(Section("Character", body), 0);
        EXPECT_EQ(Items(t), items) << body;
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
    EXPECT_EQ(zones, (std::vector<Zone>{{1, 0, 0, "LN", 4},
                                        {1, 0, 0, "LL", 4},
                                        {2, 0, 0, "LN", 4},
                                        {2, 0, 0, "LL", 4},
                                        {3, 0, 0, "LN", 4},
                                        {3, 0, 0, "LL", 4},
                                        {4, 1, 0, "ALL", 0},
                                        {5, 0, 1, "ALL", 4},
                                        {6, 2, 0, "ALL", 0}}));
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
}  // namespace quorin
