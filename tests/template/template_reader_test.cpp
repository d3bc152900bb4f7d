#include <gtest/gtest.h>

#include <string>

#include "expression/expression.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/numtext.h"
#include "template/relay_template.h"
#include "tests/common/locale_guard.h"

namespace quorin {
namespace {

const ParamKind kSetting = ParamKind::kSetting;
const ParamKind kCommon = ParamKind::kCommonParameter;
const ParamKind kBinary = ParamKind::kBinaryInput;

std::string Section(const std::string& marker, const std::string& body) {
    return "<" + marker + "Begin>\r\n" + body + "<" + marker + "End>\r\n";
}

std::string SampleText() {
    std::string text;
    EXPECT_TRUE(ReadFileBytes(QUORIN_SAMPLE_SEQUENCE, text));
    return text;
}

// ---- Header ----

TEST(ReadTemplateHeader, ReadsKeysAnywhereUpToTheirSemicolon) {
    CRelayTemplate t;
    t.ReadTemplate("junk Update=2*3;WordReportName=r.doc;\r\nProperty=a,b;ProtectiveRelayName=R1;",
                   0);
    EXPECT_EQ(t.ProtectiveRelayName(), "R1");
    EXPECT_EQ(t.Property(), "a,b");
    EXPECT_EQ(t.WordReportName(), "r.doc");
    EXPECT_EQ(t.Update(), 6);
}

TEST(ReadTemplateHeader, UpdateIsOneWhenMissingAndTruncatedOrFailedOtherwise) {
    struct Case {
        const char* text;
        int update;
    } cases[] = {
        {"", 1},
        {"Update=", 1},  // no ";": counts as missing
        {"Update=2.9;", 2},
        {"Update=-2.9;", -2},
        {"Update=FOO+1;", -100000},
        {"Update=;", 0},
        {"Update=LABN;", 6},
        {"Update=1000000*1000000;", 2147483647},
    };
    CRelayTemplate t;
    for (const Case& c : cases) {
        t.ReadTemplate("ProtectiveRelayName=old;", 0);
        t.ReadTemplate(c.text, 0);
        EXPECT_EQ(t.Update(), c.update) << c.text;
        EXPECT_EQ(t.ProtectiveRelayName(), "") << c.text;  // a missing header text is empty
    }
}

// ---- Parameter sections, indexed layout ----

TEST(ReadIndexedLayout, StopsAtTheFirstRecordWithoutName) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting",
                           "N1=a;T1=Edit;V1=1;ID1=A;N2=b;T2=Edit;ID2=B;T3=Edit;V3=3;ID3=C;"
                           "N4=d;T4=Edit;ID4=D;"),
                   0);
    EXPECT_EQ(t.Count(kSetting), 2);
    EXPECT_EQ(t.Layout(kSetting), kIndexedLayout);
    EXPECT_EQ(t.Name(kSetting, 1), "b");
    EXPECT_EQ(t.Value(kSetting, 1), 1.0f);  // V missing: default 1.0
}

TEST(ReadIndexedLayout, EditRecordFieldsAndDefaults) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting", "N1=Ia;T1=Edit;L1=2;V1=1.25;U1=A;ID1=I1;"), 0);
    ASSERT_EQ(t.Count(kSetting), 1);
    EXPECT_EQ(t.Name(kSetting, 0), "Ia");
    EXPECT_EQ(t.Id(kSetting, 0), "I1");
    EXPECT_EQ(t.Type(kSetting, 0), "Edit");
    EXPECT_EQ(t.Decimals(kSetting, 0), 2);
    EXPECT_EQ(t.Value(kSetting, 0), 1.25f);
    EXPECT_EQ(t.Unit(kSetting, 0), "A");
    EXPECT_EQ(t.Re(kSetting, 0), "0");
    EXPECT_EQ(t.Rt(kSetting, 0), "0");
    EXPECT_EQ(t.Rn(kSetting, 0), "0");
    EXPECT_EQ(t.Pva(kSetting, 0), "");
    EXPECT_EQ(t.ChoiceCount(kSetting, 0), 0);
}

TEST(ReadIndexedLayout, PresentEmptyValuesReadAsOneBlank) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting", "N1=;T1=Edit;L1=;V1=;U1=;ID1=x;RE1=;PVA1=p;") +
                       Section("Binary", "N1=b;T1=Edit;RE1=5;U1=kv;PVA1=p;ID1=y;"),
                   0);
    ASSERT_EQ(t.Count(kSetting), 1);  // a present empty name is a name
    EXPECT_EQ(t.Name(kSetting, 0), " ");
    EXPECT_EQ(t.Decimals(kSetting, 0), 0);
    EXPECT_EQ(t.Value(kSetting, 0), 0.0f);
    EXPECT_EQ(t.Unit(kSetting, 0), " ");
    EXPECT_EQ(t.Re(kSetting, 0), " ");
    EXPECT_EQ(t.Pva(kSetting, 0), "p");
    // binary inputs read neither RE/RT/RN, PVA nor the unit family
    EXPECT_EQ(t.Re(kBinary, 0), "");
    EXPECT_EQ(t.Pva(kBinary, 0), "");
    EXPECT_EQ(t.Unit(kBinary, 0), "kv");
}

TEST(ReadIndexedLayout, ComboBoxAndCheckBoxDefaults) {
    CRelayTemplate t;
    t.ReadTemplate(Section("CommonParameter",
                           "N1=Mode;T1=ComboBox;L1=3;U1=A;S11=first;S12=second;ID1=M;"
                           "N2=Flag;T2=CheckBox;S21=yes;S22=no;S23=extra;ID2=F;"
                           "N3=Pick;T3=ComboBox;Num3=3;V3=2.9;S31=a;S33=c;ID3=P;"),
                   0);
    ASSERT_EQ(t.Count(kCommon), 3);
    EXPECT_EQ(t.ChoiceCount(kCommon, 0), 1);  // no Num: one choice
    EXPECT_EQ(t.Choice(kCommon, 0, 0), "first");
    EXPECT_EQ(t.Choice(kCommon, 0, 1), "");
    EXPECT_EQ(t.Value(kCommon, 0), 1.0f);  // no V: the second choice
    EXPECT_EQ(t.Decimals(kCommon, 0), 0);  // ComboBox: L is 0
    EXPECT_EQ(t.Unit(kCommon, 0), "");     // only "Edit" records read U
    EXPECT_EQ(t.ChoiceCount(kCommon, 1), 2);
    EXPECT_EQ(t.Choice(kCommon, 1, 1), "no");
    EXPECT_EQ(t.Value(kCommon, 1), 1.0f);
    EXPECT_EQ(t.Decimals(kCommon, 1), 1);  // L default for non-ComboBox kinds
    EXPECT_EQ(t.Value(kCommon, 2), 2.0f);  // V of a ComboBox reads as an integer
    EXPECT_EQ(t.Choice(kCommon, 2, 1), "");
    EXPECT_EQ(t.Choice(kCommon, 2, 2), "c");
}

TEST(ReadIndexedLayout, ChoiceKeysOfRecordOneChoiceTwelveAndRecordElevenChoiceTwoCoincide) {
    std::string body = "N1=r1;T1=ComboBox;Num1=12;S112=early;ID1=A;";
    for (int k = 2; k <= 11; ++k) {
        const std::string n = FormatInt(k);
        body += "N" + n + "=r" + n + ";T" + n + "=ComboBox;Num" + n + "=2;ID" + n + "=X" + n + ";";
    }
    body += "S112=late;";
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting", body), 0);
    ASSERT_EQ(t.Count(kSetting), 11);
    EXPECT_EQ(t.Choice(kSetting, 0, 11), "late");
    EXPECT_EQ(t.Choice(kSetting, 10, 1), "late");
}

TEST(ReadIndexedLayout, SkipsBlanksTabsAndLineBreaksInFrontOfKeysOnly) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting",
                           "\r\n\tN1=a;T1=Edit;V1=1; \t\r\n N2= b ;T2=Edit;\r\n\tID2=B;\r\n"
                           "\tn3=c;T3=Edit;\r\n"),
                   0);
    ASSERT_EQ(t.Count(kSetting), 2);  // "n3" is not "N3": keys stay case-sensitive
    EXPECT_EQ(t.Name(kSetting, 0), "a");
    EXPECT_EQ(t.Name(kSetting, 1), " b ");  // values stay verbatim
    EXPECT_EQ(t.Id(kSetting, 1), "B");
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
    EXPECT_EQ(t.ChoiceCount(kCommon, 0), 20);
    EXPECT_EQ(t.Choice(kCommon, 0, 19), "c20");
    EXPECT_EQ(t.Choice(kCommon, 0, 20), "");
    EXPECT_EQ(t.ChoiceCount(kBinary, 0), 10);
    EXPECT_EQ(t.Choice(kBinary, 0, 9), "b10");
    EXPECT_EQ(t.ChoiceCount(kSetting, 0), 0);
    EXPECT_EQ(t.Choice(kSetting, 0, 0), "");
}

// ---- Parameter sections, record layout ----

TEST(ReadRecordLayout, CountsEveryRecordEvenWithoutName) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting",
                           "\tN=a,T=Edit,V=1,ID=A;\r\n"
                           "\tN=,T=Edit,V=2,ID=B;\r\n"
                           "\tNum=2,T=ComboBox,S1=x,S2=y,ID=C;\r\n"
                           "\tN=d,T=CheckBox,V=0,S1=on,S2=off,ID=D;\r\n"),
                   0);
    ASSERT_EQ(t.Count(kSetting), 4);
    EXPECT_EQ(t.Layout(kSetting), kRecordLayout);
    EXPECT_EQ(t.Name(kSetting, 1), " ");
    EXPECT_EQ(t.Name(kSetting, 2), "");  // the record starts at the "N" of "Num"
    EXPECT_EQ(t.ChoiceCount(kSetting, 2), 2);
    EXPECT_EQ(t.Choice(kSetting, 2, 1), "y");
    EXPECT_EQ(t.Choice(kSetting, 3, 0), "on");
    EXPECT_EQ(t.Value(kSetting, 3), 0.0f);
}

TEST(ReadRecordLayout, ALastRecordWithoutSemicolonRunsToTheSectionEnd) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Binary", "\tN=a,T=Edit,V=1,ID=A;\r\n\tN=b,T=Edit,V=2,ID=B\r\n"), 0);
    ASSERT_EQ(t.Count(kBinary), 2);
    EXPECT_EQ(t.Id(kBinary, 1), "B\r\n");
    EXPECT_EQ(t.Value(kBinary, 1), 2.0f);
}

TEST(ReadRecordLayout, TheSixHundredFirstSettingIsNotRead) {
    std::string settings;
    for (int i = 1; i <= 601; ++i)
        settings +=
            "\tN=s" + FormatInt(i) + ",T=Edit,V=" + FormatInt(i) + ",ID=S" + FormatInt(i) + ";\r\n";
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting", settings), 0);
    EXPECT_EQ(t.Count(kSetting), 600);
    EXPECT_EQ(t.Name(kSetting, 599), "s600");
    EXPECT_EQ(t.CalcExpression("S601"), kCalcFailure);
}

TEST(ReadRecordLayout, CommonParametersAndBinaryInputsStopAtOneHundred) {
    std::string records;
    for (int i = 1; i <= 130; ++i)
        records += "\tN=p" + FormatInt(i) + ",T=Edit,ID=P" + FormatInt(i) + ";\r\n";
    CRelayTemplate t;
    t.ReadTemplate(Section("CommonParameter", records) + Section("Binary", records) +
                       Section("Report", records),
                   0);
    EXPECT_EQ(t.Count(kCommon), 100);
    EXPECT_EQ(t.Count(kBinary), 100);
    EXPECT_EQ(t.ReportCount(), 100);
    EXPECT_EQ(t.Name(kBinary, 99), "p100");
}

// ---- Units ----

TEST(ReadUnits, VoltageUnitsOfEditSettingsAndCommonParametersFollowTheFlag) {
    const std::string text =
        Section("Setting", "N1=f;T1=Edit;V1=50.5;U1=kv/hz;ID1=F;N2=c;T2=ComboBox;U2=kv;ID2=C;") +
        Section("CommonParameter", "N1=u;T1=Edit;V1=57.7;U1=v;ID1=U;") +
        Section("Binary", "N1=b;T1=Edit;V1=1;U1=v;ID1=B;");
    CRelayTemplate t;
    t.ReadTemplate(text, 0);
    EXPECT_EQ(t.Unit(kSetting, 0), "V/Hz");
    EXPECT_EQ(t.Value(kSetting, 0), 50.5f);  // not scaled
    EXPECT_EQ(t.Unit(kCommon, 0), "V");
    EXPECT_EQ(t.Unit(kBinary, 0), "v");  // binary inputs keep theirs
    t.ReadTemplate(text, 1);
    EXPECT_EQ(t.Unit(kSetting, 0), "kV/Hz");
    EXPECT_EQ(t.Unit(kCommon, 0), "kV");
    EXPECT_EQ(t.Unit(kBinary, 0), "v");
}

// ---- Sections ----

TEST(ReadSections, AMissingMarkerLeavesThatSectionEmptyOnly) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting", "N1=s;T1=Edit;ID1=S;") +
                       Section("Binary", "N1=b;T1=Edit;ID1=B;") +
                       Section("CommonParameter", "N1=c;T1=Edit;ID1=C;"),
                   0);
    ASSERT_EQ(t.Count(kBinary), 1);
    t.ReadTemplate(Section("Setting", "N1=s;T1=Edit;ID1=S;") + "<BinaryEnd>N1=b;" +
                       Section("CommonParameter", "N1=c;T1=Edit;ID1=C;") +
                       "<ReportBegin>N1=r;ID1=R;",
                   0);
    EXPECT_EQ(t.Count(kSetting), 1);
    EXPECT_EQ(t.Count(kBinary), 0);
    EXPECT_EQ(t.Layout(kBinary), kRecordLayout);  // an empty section has no "N1="
    EXPECT_EQ(t.Count(kCommon), 1);
    EXPECT_EQ(t.ReportCount(), 0);
}

TEST(ReadSections, TheSectionEndsAtTheFirstEndMarkerAfterItsBegin) {
    CRelayTemplate t;
    t.ReadTemplate("<SettingEnd><SettingBegin>N1=a;T1=Edit;<SettingEnd>N2=b;<SettingEnd>", 0);
    EXPECT_EQ(t.Count(kSetting), 1);
}

// ---- Report section ----

TEST(ReadReport, IndexedStopsWhereNameAndIdAreBothMissing) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Report",
                           "\tN1=Item;ID1=NAME;\r\n\tID2=RESULT;\r\n\tN3=Req;\r\n"
                           "\tN5=Late;ID5=L;\r\n"),
                   0);
    ASSERT_EQ(t.ReportCount(), 3);
    EXPECT_EQ(t.ReportLayout(), kIndexedLayout);
    EXPECT_EQ(t.ReportName(1), "");
    EXPECT_EQ(t.ReportId(1), "RESULT");
    EXPECT_EQ(t.ReportId(2), "");
}

TEST(ReadReport, RecordLayoutCountsEveryRecord) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Report", "\tN=Item,ID=NAME;\r\n\tN=,ID=;\r\n\tN=Res,ID=RESULT;\r\n"),
                   0);
    ASSERT_EQ(t.ReportCount(), 3);
    EXPECT_EQ(t.ReportLayout(), kRecordLayout);
    EXPECT_EQ(t.ReportName(1), " ");
    EXPECT_EQ(t.ReportId(2), "RESULT");
}

// ---- Characteristic section ----

TEST(ReadCharacter, ItemFieldsJoinMaxAndMinArguments) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Character",
                           "LINE[0,0,max(1,a),2,0];\r\n"
                           "LINE[MAX(a,b),min(c,d),MIN(max(e,f),g),h,i];\r\n"
                           "CIRCLE[1,2,max(3,4),5];TEXT[a,b,Label text,min(1,2)];\r\n"),
                   0);
    ASSERT_EQ(t.LineCount(), 2);
    const char* line0[] = {"0", "0", "max(1,a)", "2", "0"};
    for (int f = 0; f < 5; ++f)
        EXPECT_EQ(t.LineField(0, f), line0[f]);
    EXPECT_EQ(t.LineField(1, 0), "MAX(a,b)");
    EXPECT_EQ(t.LineField(1, 1), "min(c,d)");
    // "MIN(max(e" joins while pieces hold "max(": "f)" ends that; the MAX/MIN pass looks at the
    // last piece only, so "g)" is the next field -- as the field rules say.
    EXPECT_EQ(t.LineField(1, 2), "MIN(max(e,f)");
    EXPECT_EQ(t.LineField(1, 3), "g)");
    EXPECT_EQ(t.LineField(1, 4), "h,i");  // the last field runs to "]"
    ASSERT_EQ(t.CircleCount(), 1);
    EXPECT_EQ(t.CircleField(0, 2), "max(3,4)");
    EXPECT_EQ(t.CircleField(0, 3), "5");
    ASSERT_EQ(t.TextItemCount(), 1);
    EXPECT_EQ(t.TextItemField(0, 2), "Label text");
    EXPECT_EQ(t.TextItemField(0, 3), "min(1,2)");
}

TEST(ReadCharacter, AJoinedFieldStopsAtTenPieces) {
    std::string field;
    for (int i = 0; i < 12; ++i)
        field += "max(" + FormatInt(i) + ",";
    CRelayTemplate t;
    t.ReadTemplate(Section("Character", "LINE[" + field + "x,y,z,w];"), 0);
    ASSERT_EQ(t.LineCount(), 1);
    EXPECT_EQ(t.LineField(0, 0), "max(0,max(1,max(2,max(3,max(4,max(5,max(6,max(7,max(8,max(9");
    EXPECT_EQ(t.LineField(0, 1), "max(10,max(11,x");
    EXPECT_EQ(t.LineField(0, 2), "y");
    EXPECT_EQ(t.LineField(0, 4), "w");
}

TEST(ReadCharacter, AMalformedItemEndsTheSectionKeepingWhatWasRead) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Character",
                           "LINE[1,2,3,4,5];LINE[1,2;CIRCLE[1,2,3,4];t=T1;XN1=1;YN1=2;"
                           "BEGINZONE INDEX=1;BEGINSHAPE CIRCLE=2,0,2; ENDSHAPE ENDZONE"),
                   0);
    EXPECT_EQ(t.LineCount(), 1);
    EXPECT_EQ(t.CircleCount(), 0);
    EXPECT_EQ(t.TimeCount(), 0);
    EXPECT_EQ(t.XnPairCount(), 1);
    EXPECT_EQ(t.Zones().Count(), 1);                                // zones come first
    t.ReadTemplate(Section("Character", "TEXT[1,2,3,4;t=T1;"), 0);  // "]" missing
    EXPECT_EQ(t.TextItemCount(), 0);
    EXPECT_EQ(t.TimeCount(), 0);
    EXPECT_EQ(t.Zones().Count(), 0);
}

TEST(ReadCharacter, AnItemWithoutSemicolonEndsOnlyItsOwnList) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Character", "t=T1;CIRCLE[1,2,3,4]; LINE[1,2,3,4,5]"), 0);
    EXPECT_EQ(t.LineCount(), 0);
    EXPECT_EQ(t.CircleCount(), 1);
    EXPECT_EQ(t.TimeCount(), 1);
}

TEST(ReadCharacter, ItemListsStopAtTheirCapacities) {
    std::string body;
    for (int i = 0; i < 210; ++i)
        body += "LINE[" + FormatInt(i) + ",0,0,0,0];CIRCLE[" + FormatInt(i) + ",0,0,0];";
    CRelayTemplate t;
    t.ReadTemplate(Section("Character", body), 0);
    EXPECT_EQ(t.LineCount(), 200);
    EXPECT_EQ(t.LineField(199, 0), "199");
    EXPECT_EQ(t.CircleCount(), 100);
}

TEST(ReadCharacter, TimeIdAndPairValuesUpToFiveEach) {
    CRelayTemplate t;
    t.ReadTemplate(
        Section("Character", "t=T1;t=T2;t=3;t=4;t=5;t=6;Id=I1;R=[0,Z3];R=[1;Ir=[a,b];Ir=[c"), 0);
    EXPECT_EQ(t.TimeCount(), 5);
    EXPECT_EQ(t.Time(4), "5");
    EXPECT_EQ(t.IdValueCount(), 1);
    EXPECT_EQ(t.IdValue(0), "I1");
    ASSERT_EQ(t.RPairCount(), 2);  // the second runs from "1;Ir=[a" to the next "]"
    EXPECT_EQ(t.RPair(0, 1), "Z3");
    EXPECT_EQ(t.RPair(1, 0), "1;Ir=[a");
    EXPECT_EQ(t.RPair(1, 1), "b");
    EXPECT_EQ(t.IrPairCount(), 1);
    EXPECT_EQ(t.IrPair(0, 0), "a");
}

TEST(ReadCharacter, CoordinatePairsRunWhileBothHalvesExist) {
    struct Case {
        const char* body;
        int count;
    } cases[] = {
        {"YN1=0;", 1},
        {"XN1=0;", 1},
        {"XN1=a;YN1=b;XN2=c;YN2=d;XN4=e;YN4=f;", 3},
        {"YN2=d;XN2=c;YN1=b;XN1=a;", 3},
        {"XN01=a;YN01=b;", 1},
        {"XN1=a;YN1=b", 1},  // no ";" after the y value
        {"XN11=a;YN11=b;", 1},
    };
    CRelayTemplate t;
    for (const Case& c : cases) {
        t.ReadTemplate(Section("Character", c.body), 0);
        EXPECT_EQ(t.XnPairCount(), c.count) << c.body;
    }
    t.ReadTemplate(Section("Character", "YN1=y1;XN1=x1;XN1=later;XP1=p;YP1=q;"), 0);
    EXPECT_EQ(t.Xn(1), "x1");  // the first occurrence counts
    EXPECT_EQ(t.Yn(1), "y1");
    EXPECT_EQ(t.XpPairCount(), 2);
    EXPECT_EQ(t.Yp(1), "q");
}

TEST(ReadCharacter, PairNumbersStopAtFortyNine) {
    std::string body;
    for (int n = 1; n <= 60; ++n)
        body += "XP" + FormatInt(n) + "=" + FormatInt(n) + ";YP" + FormatInt(n) + "=0;";
    CRelayTemplate t;
    t.ReadTemplate(Section("Character", body), 0);
    EXPECT_EQ(t.XpPairCount(), 50);
    EXPECT_EQ(t.Xp(49), "49");
    EXPECT_EQ(t.Xp(50), "");
}

TEST(ReadCharacter, KeepsTheSectionTextAndResetsListsOnEachRead) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Character", "LINE[1,2,3,4,5];t=1;XN1=1;YN1=1;"), 0);
    EXPECT_EQ(t.CharacterText(), "\r\nLINE[1,2,3,4,5];t=1;XN1=1;YN1=1;");
    t.ReadTemplate("", 0);
    EXPECT_EQ(t.CharacterText(), "");
    EXPECT_EQ(t.LineCount(), 0);
    EXPECT_EQ(t.TimeCount(), 0);
    EXPECT_EQ(t.XnPairCount(), 1);
}

// ---- Zones through the template ----

TEST(ReadZones, ZoneFieldsSeeTheTemplatesSettings) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting", "N1=Reach;T1=Edit;V1=10;ID1=F;N2=Back;T2=Edit;V2=2;ID2=B;") +
                       Section("Character",
                               "BEGINZONE INDEX=2;INVERT=1;FAULTLOOP=LN;LABEL=Z2;BEGINSHAPE "
                               "CIRCLE=F,90,B; ENDSHAPE ENDZONE"),
                   0);
    const CZoneTable& zones = t.Zones();
    ASSERT_EQ(zones.Count(), 1);
    EXPECT_EQ(zones.Zone(1).kind, kZoneCircle);
    EXPECT_NEAR(zones.Zone(1).circleCenterY, 4.0f, 1e-5);
    EXPECT_NEAR(zones.Zone(1).circleRadius, 6.0f, 1e-5);
    EXPECT_NEAR(zones.Box().xMin, -10.0f, 1e-4);  // mirrored: -4 - 6
    EXPECT_NEAR(zones.Box().xMax, 2.0f, 1e-4);
}

TEST(ReadZones, TheSampleSequenceHasNineZones) {
    CRelayTemplate t;
    t.ReadTemplate(SampleText(), 0);
    const CZoneTable& zones = t.Zones();
    ASSERT_EQ(zones.Count(), 9);
    const int index[] = {1, 1, 2, 2, 3, 3, 4, 5, 6};
    const int kind[] = {0, 0, 0, 0, 0, 0, kZoneCircle, 0, kZoneLens};
    for (int slot = 1; slot <= 9; ++slot) {
        EXPECT_EQ(zones.Zone(slot).index, index[slot - 1]) << slot;
        EXPECT_EQ(zones.Zone(slot).kind, kind[slot - 1]) << slot;
        EXPECT_EQ(zones.Zone(slot).invert, slot == 8 ? 1 : 0) << slot;
    }
    EXPECT_EQ(zones.Zone(1).faultLoop, "LN");
    EXPECT_EQ(zones.Zone(2).faultLoop, "LL");
    EXPECT_EQ(zones.Zone(1).shapeCount, 4);
    EXPECT_EQ(zones.Zone(6).shapes[0].type, kShapeArcP);
    // Zone 1: the reactance line through (0, Z1X = 4) meets the line at 115 degrees.
    EXPECT_NEAR(zones.Zone(1).shapes[0].cornerY, 4.1002f, 1e-3);
    EXPECT_NEAR(zones.Zone(1).shapes[1].cornerX, 0.0f, 1e-5);
    EXPECT_NEAR(zones.Zone(7).circleRadius, 8.75f, 1e-5);  // (Z4F + Z4B) / 2
    EXPECT_EQ(zones.Zone(9).lens[0], 20.0f);               // PSBF
    EXPECT_EQ(zones.Box().rMin, -20.0f);
    EXPECT_EQ(zones.Box().rMax, 20.0f);
    EXPECT_EQ(zones.Box().xMin, -20.0f);
    EXPECT_EQ(zones.Box().xMax, 20.0f);
}

TEST(ReadZones, TheTwentyFifthZoneIsNotRead) {
    std::string body;
    for (int i = 0; i < 25; ++i)
        body += "BEGINZONE INDEX=" + FormatInt(1 + i / 4) + ";LABEL=z" + FormatInt(i) +
                ";BEGINSHAPE CIRCLE=1,0,1; ENDSHAPE ENDZONE\r\n";
    CRelayTemplate t;
    t.ReadTemplate(Section("Character", body), 0);
    EXPECT_EQ(t.Zones().Count(), 24);
    EXPECT_EQ(t.Zones().Zone(24).label, "z23");
}

// ---- The sample and the locale ----

TEST(ReadSample, ReadsEverySectionOfTheSampleSequence) {
    CRelayTemplate t;
    t.ReadTemplate(SampleText(), 0);
    EXPECT_EQ(t.ProtectiveRelayName(), Utf8ToAnsi("QDR-300 线路距离保护"));
    EXPECT_EQ(t.Update(), 0);
    EXPECT_EQ(t.Count(kSetting), 24);
    EXPECT_EQ(t.Layout(kSetting), kRecordLayout);
    EXPECT_EQ(t.Count(kCommon), 7);
    EXPECT_EQ(t.Layout(kCommon), kIndexedLayout);
    EXPECT_EQ(t.Count(kBinary), 6);
    EXPECT_EQ(t.ReportCount(), 3);
    EXPECT_EQ(t.ReportId(2), "REQUIRE");
    EXPECT_EQ(t.Unit(kCommon, 5), "V");  // "v" in the text
    EXPECT_EQ(t.ChoiceCount(kSetting, 22), 3);
    EXPECT_EQ(t.Choice(kSetting, 22, 1), "RE/RL XE/XL");
    EXPECT_EQ(t.LineCount(), 2);
    EXPECT_EQ(t.LineField(1, 2), "max(Z3RE,Z3RP)");
    EXPECT_EQ(t.CircleCount(), 1);
    EXPECT_EQ(t.TextItemCount(), 1);
    EXPECT_EQ(t.XnPairCount(), 3);
    EXPECT_EQ(t.XpPairCount(), 2);
    EXPECT_EQ(t.TimeCount(), 3);
    EXPECT_EQ(t.RPair(0, 1), "Z3RE");
    EXPECT_EQ(t.IrPair(0, 1), "ITEST*2");
    EXPECT_DOUBLE_EQ(t.CalcExpression("Z1RE*2+KFORM"), 12.0);
    EXPECT_NEAR(t.CalcExpression("KN"), 0.67, 1e-6);
}

TEST(ReadSample, NumbersReadTheSameUnderADecimalCommaLocale) {
    test::GermanLocale german;
    ASSERT_TRUE(german.ok());
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting", "N1=Ia;T1=Edit;L1=2;V1=1.25;U1=A;ID1=I1;") + "Update=2.5*2;",
                   0);
    EXPECT_EQ(t.Value(kSetting, 0), 1.25f);
    EXPECT_EQ(t.Update(), 5);
    EXPECT_EQ(t.ValueText(kSetting, 0), "1.25");
    EXPECT_EQ(t.WriteSettings(0),
              "<SettingBegin>\r\n\tN1=Ia;L1=2;U1=A;T1=Edit;V1=1.25;ID1=I1;RE1=0;RT1=0;RN1=0;\r\n"
              "<SettingEnd>\r\n");
}

}  // namespace
}  // namespace quorin
