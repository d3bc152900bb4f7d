#include "expression/expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "expression/name_table.h"
#include "expression/vocabularies.h"
#include "platform/numtext.h"
#include "tests/common/locale_guard.h"
#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

using enum ExprStatus;
using P = ExprParseStatus;

std::string Repeat(std::string_view part, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += part;
    return out;
}

// A long text shows its start only.
std::string Head(const std::string& text) {
    return text.size() > 40 ? text.substr(0, 40) + "..." : text;
}

// Keyword constants plus a few settings, as a loaded template has them.
class ExpressionTest : public ::testing::Test {
protected:
    ExpressionTest() {
        keywords_.Register(table_);
        for (auto [name, value] : {std::pair("X", &x_), {"Y", &y_}, {"Z1", &z1_}, {"T_1", &t1_}})
            table_.SetAt(name, value);
        expr_.SetNameTable(&table_);
    }

    CNameTable table_;
    CKeywordConstants keywords_;
    CValue x_{2.5}, y_{4.0}, z1_{1.5}, t1_{7.0};
    CExpression expr_;
};

struct Evaluation {
    double value;
    ExprStatus status;
    bool operator==(const Evaluation& o) const {
        return o.status == status &&
               (o.value == value || std::fabs(o.value - value) <= 1e-14 * std::fabs(value));
    }
};

Evaluation Evaluate(CExpression& e) {
    Evaluation r{0.0, Ok};
    r.status = e.Evaluate(r.value);
    return r;
}

std::ostream& operator<<(std::ostream& out, const Evaluation& e) {
    return out << "{" << e.value << ", status " << static_cast<int>(e.status) << "}";
}

TEST_F(ExpressionTest, EvaluatesGrammarQuirksAndStatuses) {
    const std::map<std::string, ExprStatus> statuses = {{"Ok", Ok},
                                                        {"NameResolved", NameResolved},
                                                        {"DivideByZero", DivideByZero},
                                                        {"DomainError", DomainError}};
    std::vector<std::tuple<std::string, double, ExprStatus>> cases;
    for (const auto& c : test::DataCases("expression_values.txt"))
        cases.emplace_back(c.at(0), CAtof(c.at(1)), statuses.at(c.at(2)));
    const int deep = 250;  // MAX nested twice per level: evaluating a winner twice never ends
    const int terms = 300000;
    // clang-format off
    const std::tuple<std::string, double, ExprStatus> generated[] = {
        {Repeat("MAX(", deep) + "X" + Repeat(",1/0)", deep), 2.5, NameResolved},
        {Repeat("MIN(", deep) + "X" + Repeat(",1/0)", deep), -1000, DivideByZero},
        {Repeat("MAX(", deep) + "5+1" + Repeat(")+1", deep - 1) + ")", 5, Ok},
        {Repeat("min(", deep) + "X" + Repeat(",SQRT(-1))", deep), 0, DomainError},
        // Nesting as deep as any template goes; chains of two-operand operators of any length.
        {Repeat("(", 200) + "X" + Repeat(")", 200), 2.5, NameResolved},
        {Repeat("-", 200) + "1", 1, Ok}, {Repeat("!", 200) + "0", 0, Ok},
        {Repeat("SIN ", 200) + "0", 0, Ok}, {"1" + Repeat("+1", terms - 1), terms, Ok},
        {"X" + Repeat("*1", terms - 1), 2.5, NameResolved},
        {"0" + Repeat("/0", terms - 1) + "-X", -2.5, NameResolved},
        {"X" + Repeat("/1", terms - 1) + "/0", -2500, NameResolved},
        {"2" + Repeat("^1<3", terms - 1), 2, Ok}};
    // clang-format on
    cases.insert(cases.end(), std::begin(generated), std::end(generated));
    for (const auto& [text, value, status] : cases) {
        const ExprParseResult parsed = expr_.Parse(text);
        EXPECT_TRUE(parsed) << Head(text) << ": " << parsed.description() << " at "
                            << parsed.offset;
        EXPECT_EQ(Evaluate(expr_), (Evaluation{value, status})) << Head(text);
        EXPECT_EQ(expr_.Status(), status) << Head(text);
    }
}

TEST_F(ExpressionTest, SyntaxErrorsStopAtTheirPositionWithTheirReason) {
    static const char* const kStatuses[] = {
        "Ok",           "ExpectedOperand", "UnknownName", "MissingParenthesis",
        "TrailingText", "NoOperandPair",   "TooDeep",     "TooLong"};
    std::vector<std::tuple<std::string, int, std::string>> cases;
    for (const auto& c : test::DataCases("expression_syntax_errors.txt"))
        cases.emplace_back(c.at(0), std::stoi(c.at(1)), c.at(2));
    // Nesting is bounded, whatever its kind; the text stops where the bound was reached.
    for (const std::string& deep :
         {Repeat("(", 100000) + "1" + Repeat(")", 100000), Repeat("-", 100000) + "1",
          Repeat("!", 100000) + "1", Repeat("SIN ", 100000) + "1"})
        cases.emplace_back(deep, -1, "TooDeep");
    for (const auto& [text, offset, status] : cases) {
        SCOPED_TRACE(Head(text));
        ASSERT_TRUE(expr_.Parse("1+2"));
        const ExprParseResult r = expr_.Parse(text);
        EXPECT_FALSE(r);
        EXPECT_FALSE(expr_.HasTree());
        EXPECT_EQ(kStatuses[static_cast<int>(r.status)], status) << r.description();
        EXPECT_EQ(r.offset, offset < 0 ? r.offset : offset);
        EXPECT_EQ(r.offset, expr_.Position());
        double unchanged = 7.0;
        EXPECT_EQ(expr_.Evaluate(unchanged), NoTree);
        EXPECT_EQ(unchanged, 7.0);
    }
    EXPECT_EQ(expr_.Parse(nullptr).offset, 0);
    EXPECT_STREQ(expr_.Parse("FOO").description(), "Unknown name");
    EXPECT_STREQ(expr_.Parse("1").description(), "No error");
}

TEST_F(ExpressionTest, TreeShowsOperatorsRetypedNodesAndChains) {
    const std::pair<std::string, std::string> cases[] = {
        {"-2+3", "(* -1 (+ 2 3))"},
        {"MAX(4,2+3)", "(MAX (, 4 2) 3)"},
        {"SIN(X)+1,!X", "(, (+ (SIN X) 1) (! X))"},
        {"1+1+1+1+1*2", "(+ (+ (+ (+ 1 1) 1) 1) (* 1 2))"},
    };
    for (const auto& [text, tree] : cases) {
        const ExprParseResult parsed = expr_.Parse(text);
        ASSERT_TRUE(parsed) << text;
        EXPECT_EQ(std::pair(parsed.offset, expr_.TreeText()),
                  std::pair(static_cast<int>(text.size()), tree));
    }
    const int terms = 300000;
    ASSERT_TRUE(expr_.Parse("1" + Repeat("+1", terms - 1)));
    EXPECT_EQ(expr_.TreeText().size(), 6 * static_cast<std::size_t>(terms) - 5);
}

TEST_F(ExpressionTest, NamesAreLookedUpAgainWhenEvaluated) {
    ASSERT_TRUE(expr_.Parse("X+1"));
    CValue other{10.0};
    table_.SetAt("X", &other);
    Evaluation got = Evaluate(expr_);
    EXPECT_EQ(got, (Evaluation{11.0, NameResolved}));
    table_.RemoveKey("X");
    got.status = expr_.Evaluate(got.value);
    EXPECT_EQ(got, (Evaluation{1.0, UnknownName}));
    table_.SetAt("X", &x_);
    expr_.SetNameTable(nullptr);
    EXPECT_EQ(expr_.Evaluate(got.value), UnknownName);
    const ExprParseResult r = expr_.Parse("X");  // without a table no name parses
    EXPECT_EQ(r.status, P::UnknownName);
    EXPECT_EQ(r.offset, 1);
}

TEST_F(ExpressionTest, SaveWritesALengthPrefixedTextThatLoadReads) {
    // clang-format off
    const std::pair<std::size_t, std::string> cases[] = {
        {3, "\x03"}, {254, "\xFE"}, {255, std::string("\xFF\xFF\x00", 3)}, {0xFFFD, "\xFF\xFD\xFF"},
        {0xFFFE, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)}};
    // clang-format on
    for (const auto& [length, prefix] : cases) {
        const std::string text = "1" + std::string(length - 1, ' ');
        ASSERT_TRUE(expr_.Parse(text));
        std::string out = "head";
        expr_.Save(out);
        EXPECT_EQ(out, "head" + prefix + text) << length;
        CExpression loaded(&table_);
        std::size_t pos = 4;
        ASSERT_TRUE(loaded.Load(out, pos)) << length;
        EXPECT_EQ(std::pair(pos, loaded.Text()), std::pair(out.size(), text));
    }
}

// A saved text that does not parse loads as it is; a text is read up to its first NUL.
TEST_F(ExpressionTest, LoadReparsesEachSavedExpressionUpToItsFirstNul) {
    std::string stream;
    ASSERT_TRUE(expr_.Parse("MAX(X,(Y-1))"));
    expr_.Save(stream);
    expr_.Parse("1+");
    expr_.Save(stream);
    stream += std::string("\0051+2\0\0", 6);
    const Evaluation expected[] = {{3, NameResolved}, {3, NoTree}, {3, Ok}};
    CExpression loaded(&table_);
    std::size_t pos = 0;
    Evaluation got{0.0, Ok};
    for (const Evaluation& e : expected) {
        ASSERT_TRUE(loaded.Load(stream, pos));
        got.status = loaded.Evaluate(got.value);
        EXPECT_EQ(got, e) << loaded.Text();
    }
    EXPECT_EQ(pos, stream.size());
    EXPECT_FALSE(loaded.Load(stream, pos));  // nothing left
}

// Octal escapes: a length byte, a wide-character marker, 2 GB announced, a short text.
TEST_F(ExpressionTest, TruncatedOrAbsurdStreamsFailAndChangeNothing) {
    // clang-format off
    const std::string bad[] = {"", "\0051+", "\377", "\377\001", std::string("\377\000\00112", 5),
                               "\377\376\3771", "\377\377\377\377\377\377\1771",
                               std::string("\377\377\377\020\000", 5)};
    // clang-format on
    ASSERT_TRUE(expr_.Parse("X+1"));
    for (const std::string& in : bad) {
        std::size_t pos = 0;
        EXPECT_FALSE(expr_.Load(in, pos)) << in.size();
        EXPECT_EQ(pos, 0u);
    }
    std::size_t past = 9;
    EXPECT_FALSE(expr_.Load("\0011", past));
    EXPECT_EQ(Evaluate(expr_), (Evaluation{3.5, NameResolved}));
}

TEST_F(ExpressionTest, CopiesAreIndependent) {
    ASSERT_TRUE(expr_.Parse("X*2"));
    CExpression copy(expr_);
    expr_.Parse("1+1");
    CExpression assigned;
    assigned = copy;
    copy.Parse("*");
    EXPECT_EQ(Evaluate(assigned), (Evaluation{5.0, NameResolved}));
    CExpression moved(std::move(assigned));
    EXPECT_EQ(Evaluate(moved), (Evaluation{5.0, NameResolved}));
    CExpression copyOfFailed(copy);
    EXPECT_EQ(Evaluate(copyOfFailed).status, NoTree);
}

TEST_F(ExpressionTest, CalcExpressionTextReturnsTheFailureValue) {
    // Text, value, status, and the offset of a parse failure (-1: parsed).
    const std::tuple<const char*, Evaluation, int> cases[] = {
        {"X*2", {5, NameResolved}, -1},       {"1/0", {kCalcFailure, DivideByZero}, -1},
        {"SQRT(-4)", {0, DomainError}, -1},   {"", {0, NoTree}, 0},
        {"FOO+1", {kCalcFailure, NoTree}, 3}, {"SIN", {kCalcFailure, NoTree}, 3}};
    CExpression e;
    for (const auto& [text, expected, offset] : cases) {
        CalcOutcome outcome;
        const double value = CalcExpressionText(e, &table_, text, &outcome);
        EXPECT_EQ((Evaluation{value, outcome.status}), expected) << text;
        EXPECT_EQ(outcome.parse ? -1 : outcome.parse.offset, offset) << text;
    }
    EXPECT_EQ(e.GetNameTable(), &table_);
    EXPECT_EQ(CalcExpressionText(e, nullptr, "1+2"), 3.0);
    EXPECT_EQ(CalcExpressionText(e, nullptr, "X"), kCalcFailure);
}

TEST_F(ExpressionTest, NumbersIgnoreADecimalCommaLocale) {
    test::GermanLocale german;
    ASSERT_TRUE(german.ok());
    const std::tuple<const char*, double, const char*> cases[] = {
        {"1.25", 1.25, "1.25"}, {"2.5*X", 6.25, "(* 2.5 X)"}, {"1,25", 1, "(, 1 25)"}};
    for (const auto& [text, value, tree] : cases) {
        ASSERT_TRUE(expr_.Parse(text)) << text;  // "," is the list operator, never a decimal
        double v = 0.0;
        expr_.Evaluate(v);
        EXPECT_EQ(std::pair(v, expr_.TreeText()), std::pair(value, std::string(tree))) << text;
    }
}

}  // namespace
}  // namespace quorin
