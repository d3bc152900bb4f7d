#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "template/relay_template.h"
#include "template/section_rewrite.h"
#include "tests/template/template_test_util.h"

namespace quorin {
namespace {

// A changed value reads back from the rewritten text with every other record as it was, and no
// byte outside the section's markers moves.
TEST(RewriteParameterSection, TheChangedValueReadsBackAndNothingOutsideTheSectionMoves) {
    const std::string sample = test::SampleText();
    const std::tuple<ParamKind, std::string, std::string> cases[] = {
        {ParamKind::kSetting, "<SettingBegin>", "<SettingEnd>"},
        {ParamKind::kCommonParameter, "<CommonParameterBegin>", "<CommonParameterEnd>"},
        {ParamKind::kBinaryInput, "<BinaryBegin>", "<BinaryEnd>"},
    };
    for (const auto& [kind, begin, end] : cases) {
        SCOPED_TRACE(begin);
        CRelayTemplate t;
        t.ReadTemplate(sample, 0);
        t.SetValue(kind, 2, 7.0f);
        const std::string expected = test::RecordsText(t, kind);
        const std::string rewritten = RewriteParameterSection(sample, t, kind, 0);
        const size_t from = sample.find(begin), to = sample.find(end);
        EXPECT_EQ(rewritten.substr(0, from), sample.substr(0, from));
        EXPECT_EQ(rewritten.substr(rewritten.find(end)), sample.substr(to));
        t.ReadTemplate(rewritten, 0);
        EXPECT_EQ(test::RecordsText(t, kind), expected);
    }
}

TEST(RewriteParameterSection, ATextWithoutTheSectionComesBackUnchanged) {
    CRelayTemplate t;
    t.ReadTemplate(test::Section("Setting", "N1=a;T1=Edit;V1=1;ID1=A;"), 0);
    for (const char* text : {"no markers", "<SettingBegin> no end"})
        EXPECT_EQ(RewriteParameterSection(text, t, ParamKind::kSetting, 0), text);
}

}  // namespace
}  // namespace quorin
