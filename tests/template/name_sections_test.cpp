#include "template/name_sections.h"

#include <gtest/gtest.h>

#include <string>

#include "template/relay_template.h"
#include "tests/common/locale_guard.h"
#include "tests/template/template_test_util.h"

namespace quorin {
namespace {

using test::Section;

const char kMarkers[] =
    "<SetNameBegin><SetNameEnd><ParaNameBegin><ParaNameEnd><BinaryNameBegin><BinaryNameEnd>";

TEST(WriteNameSections, ListsEachKindWithItsSeparatorAndValueTextWhenAsked) {
    CRelayTemplate t;
    EXPECT_EQ(WriteNameSections(t, 1), kMarkers);
    t.ReadTemplate(Section("Setting",
                           "N1=Ir;T1=Edit;L1=1;V1=1.5;U1=A;ID1=IR;"
                           "N2=Pick;T2=ComboBox;V2=1;Num2=2;S21=a;S22=b;ID2=PK;") +
                       Section("CommonParameter",
                               "N1=Mode;T1=CheckBox;V1=1;S11=x;S12=y;ID1=MODE;"
                               "N2=Off;T2=CheckBox;V2=0;ID2=OFF;"
                               "N3=Current;T3=Edit;L3=2;V3=5;U3=A;ID3=IT;"
                               "N4=Whole;T4=Edit;L4=0;V4=-2.7;U4=s;ID4=WH;"
                               "N5=Odd;T5=Label;V5=4;ID5=ODD;") +  // not mirrored: ODD is unknown
                       Section("Binary",
                               "N1=Logic;T1=ComboBox;V1=0;Num1=2;S11=OR;S12=AND;ID1=LG;"
                               "N2=Past;T2=ComboBox;V2=5;Num2=2;S21=OR;S22=AND;ID2=PA;"
                               "N3=Below;T3=ComboBox;V3=-1;Num3=2;ID3=BE;"),
                   0);
    EXPECT_EQ(WriteNameSections(t, 1),
              "<SetNameBegin>Ir=1.500A;Pick=1.000;<SetNameEnd>"
              "<ParaNameBegin>Mode:Ok;Off:No;Current:5.00A;Whole:-2s;Odd:-100000;<ParaNameEnd>"
              "<BinaryNameBegin>Logic=OR;Past=5;Below=-1;<BinaryNameEnd>");
    EXPECT_EQ(WriteNameSections(t, 0), kMarkers);
}

TEST(WriteNameSections, ValuesComeThroughTheExpressionOfTheIdentifier) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting",
                           "N1=a;T1=Edit;V1=2;U1=A;ID1=X;N2=b;T2=Edit;V2=3;U2=V;ID2=X;"
                           "N3=c;T3=Edit;V3=1;ID3=T_1;N4=d;T4=Edit;V4=1;"),
                   0);
    t.SetValue(ParamKind::kSetting, 0, 9.0f);  // not seen: expressions read the mirrored value
    EXPECT_EQ(WriteNameSections(t, 1),
              "<SetNameBegin>a=3.000A;b=3.000V;c=-100000.000;d=0.000;<SetNameEnd>"
              "<ParaNameBegin><ParaNameEnd><BinaryNameBegin><BinaryNameEnd>");
}

TEST(WriteValueList, PrefixesIdentifiersAndUsesTheSettingsDecimals) {
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting",
                           "N1=t;T1=Edit;L1=2;V1=0.3;U1=s;ID1=T1;"
                           "N2=k;T2=CheckBox;V2=1;ID2=K;"
                           "N3=p;T3=ComboBox;V3=1;Num3=2;S31=a;S32=b;ID3=P;"
                           "N4=u;T4=Edit;L4=1;V4=2;U4=%s%d;ID4=U;") +
                       Section("CommonParameter", "N1=c;T1=CheckBox;V1=0;ID1=C;") +
                       Section("Binary", "N1=b;T1=ComboBox;V1=1;Num1=2;S11=OR;S12=AND;ID1=B;"),
                   0);
    EXPECT_EQ(WriteValueList(t, "P"), "P_T1=0.30s;P_K=1.0;P_P=1;P_U=2.0%s%d;P_C=No;P_B=AND;");
    EXPECT_EQ(WriteValueList(t, ""), "_T1=0.30s;_K=1.0;_P=1;_U=2.0%s%d;_C=No;_B=AND;");
}

TEST(WriteValueList, NumbersKeepTheDotUnderADecimalCommaLocale) {
    test::GermanLocale german;
    ASSERT_TRUE(german.ok());
    CRelayTemplate t;
    t.ReadTemplate(Section("Setting", "N1=Ir;T1=Edit;L1=2;V1=1.5;U1=A;ID1=IR;"), 0);
    EXPECT_EQ(WriteValueList(t, "P"), "P_IR=1.50A;");
    EXPECT_EQ(WriteNameSections(t, 1),
              "<SetNameBegin>Ir=1.500A;<SetNameEnd><ParaNameBegin><ParaNameEnd>"
              "<BinaryNameBegin><BinaryNameEnd>");
}

}  // namespace
}  // namespace quorin
