#include "template/name_sections.h"

#include <gtest/gtest.h>

#include "template/relay_template.h"
#include "tests/common/locale_guard.h"
#include "tests/template/template_test_util.h"

namespace quorin::test {
namespace {

// Values come through the expression of each identifier: the last record of a repeated one wins,
// one that does not parse gives the failure value, none gives 0. Settings are written with three
// decimals in the name sections and with their own in the value list; the other kinds by kind.
TEST(WriteNameSections, ListsEachKindWithItsSeparatorAndValueTextWhenAsked) {
    CRelayTemplate t;
    const char markers[] =
        "<SetNameBegin><SetNameEnd><ParaNameBegin><ParaNameEnd><BinaryNameBegin><BinaryNameEnd>";
    t.ReadTemplate(DataBytes("name_sections.txt"), 0);
    EXPECT_EQ(WriteNameSections(t, 1), DataBytes("name_sections.ref"));
    EXPECT_EQ(WriteNameSections(t, 0), markers);
    EXPECT_EQ(WriteValueList(t, "P"), DataBytes("value_list.ref"));
    EXPECT_EQ(WriteValueList(t, "").substr(0, 10), "_IR=1.5A;_");
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
}  // namespace quorin::test
