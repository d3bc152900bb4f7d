#include "cli/cmd_template.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/codepage.h"
#include "template/relay_template.h"

namespace quorin::cli {
namespace {

TEST(DisplayWidth, WideCharactersTakeTwoColumnsAndMarksNone) {
    struct Case {
        const char* utf8;
        int width;
    } cases[] = {
        {"", 0},   {"Ia", 2},      {"相位角", 6}, {"°", 1},        {"Ω", 1}, {"Ａ", 2},
        {"，", 2}, {"e\u0301", 1}, {"\xFF", 1},   {"\xE7\xBA", 2}, {"😀", 2}, {"距离I段", 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DisplayWidth(c.utf8), c.width) << c.utf8;
}

TEST(TemplateTables, AlignsColumnsByDisplayWidthAndConvertsToUtf8) {
    CRelayTemplate t;
    t.ReadTemplate(Utf8ToAnsi("<SettingBegin>N1=相位角;T1=Edit;L1=1;V1=75;U1=°;ID1=PHI;"
                              "N2=Ia;T2=Edit;L2=2;V2=1.25;U2=A;ID2=I1;"
                              "N3=Mode;T3=ComboBox;V3=1;Num3=2;ID3=M;<SettingEnd>"
                              "<ReportBegin>N=Trip time,ID=TT;N=结果,ID=RESULT;<ReportEnd>"),
                   0);
    EXPECT_EQ(TemplateTables(t),
              "Settings: 3 (indexed layout)\n"
              "Name    Value  Unit  ID   Kind\n"
              "相位角  75.0   °     PHI  Edit\n"
              "Ia      1.25   A     I1   Edit\n"
              "Mode    1            M    ComboBox\n"
              "\n"
              "Common parameters: 0 (record layout)\n"
              "\n"
              "Binary inputs: 0 (record layout)\n"
              "\n"
              "Report items: 2 (record layout)\n"
              "Name       ID\n"
              "Trip time  TT\n"
              "结果       RESULT\n");
}

}  // namespace
}  // namespace quorin::cli
