#include "expression/vocabularies.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "expression/expression.h"
#include "expression/name_table.h"
#include "platform/numtext.h"
#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

class KeywordConstantsTest : public ::testing::Test {
protected:
    KeywordConstantsTest() { keywords_.Register(table_); }
    double Calc(const char* text) { return CalcExpressionText(expr_, &table_, text); }

    CNameTable table_;
    CKeywordConstants keywords_;
    CExpression expr_;
};

TEST_F(KeywordConstantsTest, RepeatedWordsKeepTheirLastCode) {
    for (const auto& c : test::DataCases("keyword_values.txt"))
        EXPECT_EQ(Calc(c.at(0).c_str()), CAtof(c.at(1))) << c[0];
}

TEST_F(KeywordConstantsTest, WordsOutsideTheGrammarAreStillRegistered) {
    const std::pair<const char*, double> cases[] = {
        {"-3V0", 4}, {"0", 0}, {"PH(3U2)-PH(3I2)", 25}, {"PH(IABC)", 15}, {"max{|Ip|,|Is|}", 2}};
    for (const auto& [word, code] : cases) {
        const CValue* v = table_.Lookup(word);
        ASSERT_NE(v, nullptr) << word;
        EXPECT_EQ(v->GetValue(), code) << word;
    }
    EXPECT_EQ(table_.Lookup("INPUTBINARY&TIME"), nullptr);  // a conversion word only
    EXPECT_EQ(table_.Lookup("PRE1"), nullptr);
}

TEST_F(KeywordConstantsTest, EveryWordHasItsOwnValueObjectAndALaterSettingHidesIt) {
    EXPECT_EQ(keywords_.Count(), 137u);
    EXPECT_EQ(table_.GetCount(), 122u);                      // 15 words repeat across vocabularies
    EXPECT_NE(table_.Lookup("NO"), table_.Lookup("FALSE"));  // same code, separate objects
    CNameTable other;
    CKeywordConstants second;
    second.Register(other);
    second.At(0).SetValue(99);
    EXPECT_EQ(Calc("LAN"), 0);

    CValue setting{7.5};
    table_.SetAt("D", &setting);
    EXPECT_EQ(Calc("D*2"), 15);
    EXPECT_EQ(Calc("Y"), 0);
}

TEST(VocabularyText, ConvertsCodesWithDefaults) {
    // clang-format off
    const std::tuple<std::string (*)(int), int, const char*> cases[] = {
        {FaultTypeText, 9, "LABC"}, {FaultTypeText, 10, "LAN"}, {FaultTypeText, -1, "LAN"},
        {FaultModelText, 3, "CONSTCURRVOLT"}, {FaultAngleText, 3, "MAXOFFSET"},
        {FaultPersistenceText, 1, "PERMANENCE"}, {EarthFactorText, 2, "Z0Z1"},
        {TriggerText, 4, "INPUTBINARY&TIME"}, {PhaseRefText, 5, "VCA"}, {VxOutputText, 4, "-3V0"},
        {YesNoText, 1, "YES"}, {InputGroupText, 3, "D"}, {VtSideText, 1, "LINE"},
        {SyncCheckText, 2, "CHECKSYN"}, {InputLogicText, 1, "AND"}, {PreModeText, 1, "PRE1"},
        {QuantityList1Text, 20, "ICDC"}, {QuantityList2Text, 26, "FREQ"},
        {TimeQuantityText, 11, "U2T"}, {SearchMethodText, 2, "FIXSTEP"}, {ZoneSideText, 1, "OUTER"},
        {WindingText, 1, "D"}, {RestraintFormulaText, 5, "sqrt(Ip*Is*cos(a))"},
        {ValueBaseText, 1, "SECONDARY"},
    };
    // clang-format on
    for (const auto& [fn, code, word] : cases)
        EXPECT_EQ(fn(code), word) << word << " " << code;
}

}  // namespace
}  // namespace quorin
