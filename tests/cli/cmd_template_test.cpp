#include "cli/cmd_template.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/codepage.h"
#include "template/relay_template.h"
#include "tests/common/temp_dir.h"

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

// Names in the code page of the system (GBK) print as UTF-8.
TEST(TemplateTables, AlignsColumnsByDisplayWidthAndConvertsToUtf8) {
    CRelayTemplate t;
    t.ReadTemplate(Utf8ToAnsi(test::DataBytes("template_tables.txt")), 0);
    EXPECT_EQ(TemplateTables(t), test::DataBytes("template_tables.ref"));
}

}  // namespace
}  // namespace quorin::cli
