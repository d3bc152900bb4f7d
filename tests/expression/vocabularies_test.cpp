#include "expression/vocabularies.h"

#include <gtest/gtest.h>

#include <string>

#include "expression/expression.h"
#include "expression/name_table.h"

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
    // clang-format off
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"LABN", 6}, {"SP", 10}, {"TRUE", 1}, {"FALSE", 0}, {"3V0", 3}, {"IA", 9}, {"IB", 10},
        {"IC", 11}, {"UA", 0}, {"UCA", 5}, {"FREQ", 26}, {"UDC", 27}, {"ICDC", 30}, {"D", 1},
        {"NO", 0}, {"YES", 1}, {"NO1", 0}, {"PREV", 1}, {"BINARY", 2}, {"FIXSTEP", 0},
        {"VARIABLESTEP", 1}, {"GPS", 3}, {"UABC", 6}, {"3I1", 14}, {"U2T", 11}, {"H", 5},
        {"Y", 0}, {"SECONDARY", 1}, {"OUTER", 1}, {"CHECKSYN", 2}, {"-3V0", -3},
        {"-SQRT3V0", -1}, {"PRE1", kCalcFailure}, {"0", 0},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(Calc(c.text), c.value) << c.text;
}

TEST_F(KeywordConstantsTest, WordsOutsideTheGrammarAreStillRegistered) {
    // clang-format off
    const struct {
        const char* word;
        double code;
    } cases[] = {
        {"-3V0", 4},           {"-SQRT3V0", 2},         {"0", 0},
        {"PH(UA)-PH(IA)", 15}, {"PH(3U2)-PH(3I2)", 25}, {"PH(IABC)", 15},
        {"(|Ip-Is|)/k1", 0},   {"max{|Ip|,|Is|}", 2},   {"sqrt(Ip*Is*cos(a))", 5},
    };
    // clang-format on
    for (const auto& c : cases) {
        const CValue* v = table_.Lookup(c.word);
        ASSERT_NE(v, nullptr) << c.word;
        EXPECT_EQ(v->GetValue(), c.code) << c.word;
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
    using Fn = std::string (*)(int);
    // clang-format off
    const struct {
        Fn fn;
        int code;
        const char* word;
    } cases[] = {
        {FaultTypeText, 6, "LABN"}, {FaultTypeText, 9, "LABC"}, {FaultTypeText, 10, "LAN"},
        {FaultTypeText, -1, "LAN"}, {FaultModelText, 3, "CONSTCURRVOLT"},
        {FaultModelText, 4, "CONSTCURR"}, {FaultAngleText, 3, "MAXOFFSET"},
        {FaultAngleText, -5, "RANDOM"}, {FaultPersistenceText, 1, "PERMANENCE"},
        {FaultPersistenceText, 2, "INSTANTANEOUS"}, {EarthFactorText, 2, "Z0Z1"},
        {EarthFactorText, 3, "KL"}, {TriggerText, 4, "INPUTBINARY&TIME"}, {TriggerText, 5, "TIME"},
        {PhaseRefText, 5, "VCA"}, {PhaseRefText, 6, "VA"}, {VxOutputText, 4, "-3V0"},
        {VxOutputText, 5, "0"}, {YesNoText, 1, "YES"}, {YesNoText, 2, "NO"},
        {InputGroupText, 3, "D"}, {InputGroupText, 6, "ABCD"}, {VtSideText, 1, "LINE"},
        {VtSideText, 2, "BUS"}, {SyncCheckText, 2, "CHECKSYN"}, {SyncCheckText, 3, "NOCHECK"},
        {InputLogicText, 1, "AND"}, {InputLogicText, 2, "OR"}, {PreModeText, 1, "PRE1"},
        {PreModeText, 2, "NO1"}, {QuantityList1Text, 7, "IA"}, {QuantityList1Text, 20, "ICDC"},
        {QuantityList1Text, 21, "UA"}, {QuantityList2Text, 26, "FREQ"},
        {QuantityList2Text, 30, "ICDC"}, {QuantityList2Text, 31, "UA"},
        {TimeQuantityText, 11, "U2T"}, {TimeQuantityText, 12, "IT"},
        {SearchMethodText, 0, "BINARY"}, {SearchMethodText, 2, "FIXSTEP"},
        {SearchMethodText, 3, "BINARY"}, {ZoneSideText, 1, "OUTER"}, {ZoneSideText, 2, "INNER"},
        {WindingText, 1, "D"}, {WindingText, 2, "Y"},
        {RestraintFormulaText, 3, "(|Id|-|Ip|-|Is|)/k1"},
        {RestraintFormulaText, 5, "sqrt(Ip*Is*cos(a))"}, {RestraintFormulaText, 6, "(|Ip-Is|)/k1"},
        {ValueBaseText, 1, "SECONDARY"}, {ValueBaseText, 2, "PRIMARY"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(c.fn(c.code), c.word) << c.word << " " << c.code;
}

}  // namespace
}  // namespace quorin
