#include "expression/expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "expression/name_table.h"
#include "expression/vocabularies.h"
#include "platform/numtext.h"
#include "tests/common/locale_guard.h"

namespace quorin {
namespace {

// Keyword constants plus a few settings, as a loaded template has them.
class ExpressionTest : public ::testing::Test {
protected:
    ExpressionTest() {
        keywords_.Register(table_);
        table_.SetAt("X", &x_);
        table_.SetAt("Y", &y_);
        table_.SetAt("Z1", &z1_);
        table_.SetAt("T_1", &t1_);
        expr_.SetNameTable(&table_);
    }

    // Parses and evaluates text; fails the test when it does not parse.
    double Eval(const std::string& text, int* status = nullptr) {
        const int stop = expr_.Parse(text);
        EXPECT_EQ(stop, -1) << "'" << text << "' stopped at " << stop;
        double v = 0.0;
        const int s = expr_.Evaluate(v);
        if (status) *status = s;
        return v;
    }

    CNameTable table_;
    CKeywordConstants keywords_;
    CValue x_{2.5}, y_{4.0}, z1_{1.5}, t1_{7.0};
    CExpression expr_;
    std::string result_;
};

struct ValueCase {
    const char* text;
    double value;
};

TEST_F(ExpressionTest, EvaluatesGrammarAndQuirks) {
    const double pi = std::numbers::pi;
    // clang-format off
    const ValueCase cases[] = {
        // Unary minus covers the whole rest of its level-1 expression.
        {"-2+3", -5}, {"3 - -2", 5}, {"2*-3+4", -14}, {"1.5&-1", 1},
        // Precedence: "," "&" "|" "+" "-" < "*" "/" < "^" < "<" ">"; all left-associative.
        {"2^3^2", 64}, {"1+2<3", 2}, {"2^1<2", 2}, {"3>2>0", 1}, {"7-2-1", 4}, {"8/2/2", 2},
        {"(1+2)*3", 9}, {"1,2", 1}, {"1,2&0|1", 1},
        // Numbers are digit and dot runs read by atof.
        {"1.2.3", 1.2}, {"1.", 1}, {"00012", 12}, {"  7  ", 7},
        // Logic truncates toward zero.
        {"0.5&1", 0}, {"2&0.9", 0}, {"-0.5|0", 0}, {"0|2", 1}, {"!3", 0}, {"!!5", 1}, {"1+!0", 2},
        // Functions take one primary, in any case, and skip blanks after themselves.
        {"SIN(0) *2", 0}, {"Sqrt(16)", 4}, {"SQRT 16+9", 13}, {"COS(0)", 1}, {"EXP(0)", 1},
        {"LOG(1)", 0}, {"TG(0)", 0}, {"CTG(1)", 1 / std::tan(1.0)}, {"ASIN(1)", pi / 2},
        {"ACOS(1)", 0}, {"ATG(1)", pi / 4}, {"ABS(-3)", 3}, {"SIN X", std::sin(2.5)},
        // MAX and MIN compare the operands of their argument's top node.
        {"MAX(1,2)", 2}, {"MIN(1,2)", 1}, {"MAX(4,2+3)", 4}, {"MAX(4,(2+3))", 5},
        {"MIN(5,1-9)", 5}, {"MAX(-3)", 3}, {"max(X,Y)", 4},
        // Names are case-sensitive, letters and digits, and may start with digits.
        {"X*Y", 10}, {"Z1", 1.5}, {"3V0", 3}, {"-SQRT3V0", -1},
    };
    // clang-format on
    for (const ValueCase& c : cases)
        EXPECT_DOUBLE_EQ(Eval(c.text), c.value) << c.text;
}

struct StatusCase {
    const char* text;
    double value;
    int status;
};

TEST_F(ExpressionTest, StatusIsTheLastEventInEvaluationOrder) {
    // clang-format off
    const StatusCase cases[] = {
        {"1+2", 3, kStatusOk}, {"X", 2.5, kStatusNameResolved},
        {"1/0", -1000, kStatusDivideByZero}, {"X+1/0", 2.5 - 1000, kStatusDivideByZero},
        {"1/0+X", -1000 + 2.5, kStatusNameResolved},
        {"X/0", -2500, kStatusNameResolved},  // divisor first, dividend after the zero
        {"SQRT(-4)", 0, kStatusDomainError}, {"LOG(-1)+1", 1, kStatusDomainError}, {"X+SQRT(-1)", 2.5, kStatusDomainError},
        {"SQRT(-1)+X", 2.5, kStatusNameResolved},
        {"0&X", 0, kStatusOk},  // right operands that are not needed are not read
        {"1|X", 1, kStatusOk}, {"1,X", 1, kStatusOk},
    };
    // clang-format on
    for (const StatusCase& c : cases) {
        int status = -2;
        EXPECT_DOUBLE_EQ(Eval(c.text, &status), c.value) << c.text;
        EXPECT_EQ(status, c.status) << c.text;
        EXPECT_EQ(expr_.Status(), c.status) << c.text;
    }
}

struct ErrorCase {
    const char* text;
    int position;
};

TEST_F(ExpressionTest, SyntaxErrorsStopAtTheirPosition) {
    // clang-format off
    const ErrorCase cases[] = {
        {"", 0}, {"*3", 0}, {".5", 0}, {"#", 0}, {"   ", 3}, {"-", 1}, {"()", 1}, {"(1+2) *3", 5},
        {"(1+2)3", 5}, {"1)", 1}, {"1 2", 2}, {"1+", 2}, {"(1+2", 4}, {"2*-", 3},
        // Unknown names stop after the name and its blanks; names are case-sensitive.
        {"FOO  +1", 5}, {"z1", 2}, {"SIN3", 4}, {"1e3", 3}, {"1..2.x", 6},
        // Tabs are not blanks, and an underscore ends a name.
        {"1\t+2", 1}, {"T_1", 1},
        // "!" only where the cursor is.
        {" !0", 1}, {"1+ !0", 3},
        // Missing or unusable function arguments.
        {"SIN", 3}, {"MAX(", 4}, {"SIN()", 4}, {"MAX(3)", 6}, {"MIN 1", 5}, {"MAX(SIN X)", 10},
        {"MAX(!X)", 7},
    };
    // clang-format on
    for (const ErrorCase& c : cases)
        EXPECT_EQ(expr_.Parse(c.text), c.position) << c.text;
}

TEST_F(ExpressionTest, FailedParseDiscardsThePreviousTreeAndNulEndsTheText) {
    EXPECT_EQ(expr_.Parse("1+2"), -1);
    EXPECT_EQ(expr_.Position(), 3);
    EXPECT_EQ(expr_.Parse("1+"), 2);
    EXPECT_FALSE(expr_.HasTree());
    double v = 7.0;
    EXPECT_EQ(expr_.Evaluate(v), kStatusNoTree);
    EXPECT_EQ(v, 7.0);
    EXPECT_EQ(expr_.Parse(nullptr), 0);
    EXPECT_DOUBLE_EQ(Eval(std::string("1+2\0garbage", 11)), 3);
    EXPECT_EQ(expr_.Parse(std::string("1+\0"
                                      "2",
                                      4)),
              2);
}

TEST_F(ExpressionTest, TreeShowsOperatorsAndRetypedNodes) {
    for (const char* text : {"-2+3", "MAX(4,2+3)", "SIN(X)+1,!X"}) {
        ASSERT_EQ(expr_.Parse(text), -1) << text;
        result_ += expr_.TreeText() + " ";
    }
    EXPECT_EQ(result_, "(* -1 (+ 2 3)) (MAX (, 4 2) 3) (, (+ (SIN X) 1) (! X)) ");
}

TEST_F(ExpressionTest, NamesAreLookedUpAgainWhenEvaluated) {
    ASSERT_EQ(expr_.Parse("X+1"), -1);
    CValue other{10.0};
    table_.SetAt("X", &other);
    double v = 0;
    EXPECT_EQ(expr_.Evaluate(v), kStatusNameResolved);
    EXPECT_EQ(v, 11.0);
    table_.RemoveKey("X");
    EXPECT_EQ(expr_.Evaluate(v), kStatusUnknownName);
    EXPECT_EQ(v, 1.0);
    table_.SetAt("X", &x_);
    expr_.SetNameTable(nullptr);
    EXPECT_EQ(expr_.Evaluate(v), kStatusUnknownName);
    EXPECT_EQ(expr_.Parse("X"), 1);  // without a table no name parses
}

std::string Repeat(std::string_view part, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += part;
    return out;
}

// The status after MAX and MIN is the winner's last event, or the one after both operands when
// the winner raised none. Ties go to the right operand for both: MAX keeps the left one only when
// the right is smaller, MIN takes the right one when it is smaller or equal.
TEST_F(ExpressionTest, MaxAndMinKeepTheWinnersValueAndLastEvent) {
    const int deep =
        250;  // each level nests twice; evaluating the winner twice per level would never finish
    const struct {
        std::string text;
        double value;
        int status;
    } cases[] = {
        {"MAX(X,1/0)", 2.5, kStatusNameResolved},
        {"MIN(X,1/0)", -1000, kStatusDivideByZero},
        {"MAX(5,1/0)", 5, kStatusDivideByZero},  // the winner raised nothing
        {"MAX(5,X)", 5, kStatusNameResolved},
        {"MIN(1,X)", 1, kStatusNameResolved},
        {"MAX(SQRT(-1),0*X)", 0, kStatusNameResolved},  // ties: the right operand wins
        {"MIN(SQRT(-1),0*X)", 0, kStatusNameResolved},
        {"MAX(0*X,SQRT(-1))", 0, kStatusDomainError},
        {"MIN(0*X,SQRT(-1))", 0, kStatusDomainError},
        {"MAX(MAX(X,1/0),2)", 2.5, kStatusNameResolved},
        {"MIN(MIN(1/0,X),Y)", -1000, kStatusDivideByZero},
        {Repeat("MAX(", deep) + "X" + Repeat(",1/0)", deep), 2.5, kStatusNameResolved},
        {Repeat("MIN(", deep) + "X" + Repeat(",1/0)", deep), -1000, kStatusDivideByZero},
        {Repeat("MAX(", deep) + "5+1" + Repeat(")+1", deep - 1) + ")", 5, kStatusOk},
        {Repeat("min(", deep) + "X" + Repeat(",SQRT(-1))", deep), 0, kStatusDomainError},
    };
    for (const auto& c : cases) {
        int status = -2;
        EXPECT_DOUBLE_EQ(Eval(c.text, &status), c.value) << c.text.substr(0, 40);
        EXPECT_EQ(status, c.status) << c.text.substr(0, 40);
    }
}

// Parentheses, unary minus, "!" and function arguments nest up to kMaxDepth levels; chains of
// two-operand operators have no limit, in value, status and tree.
TEST_F(ExpressionTest, NestingIsBoundedButOperatorChainsAreNot) {
    const int bound = CExpression::kMaxDepth;
    const struct {
        std::string inner;  // {} marks where the nesting continues
        std::string_view open, close;
        double value;
    } nests[] = {{"X", "(", ")", 2.5}, {"1", "-", "", 1}, {"0", "!", "", 0}, {"0", "SIN ", "", 0}};
    for (const auto& n : nests) {
        const std::string fits = Repeat(n.open, bound) + n.inner + Repeat(n.close, bound);
        EXPECT_DOUBLE_EQ(Eval(fits), n.value) << n.open;
        const std::string deeper = Repeat(n.open, bound + 1) + n.inner + Repeat(n.close, bound + 1);
        EXPECT_EQ(expr_.Parse(deeper),
                  bound * static_cast<int>(n.open.size()) + (n.open == "SIN " ? 3 : 0))
            << n.open;
    }

    const int terms = 300000;
    const struct {
        std::string text;
        double value;
        int status;
    } chains[] = {
        {"1" + Repeat("+1", terms - 1), terms, kStatusOk},
        {"X" + Repeat("*1", terms - 1), 2.5, kStatusNameResolved},
        {"0" + Repeat("/0", terms - 1) + "-X", -2.5, kStatusNameResolved},
        {"X" + Repeat("/1", terms - 1) + "/0", -2500, kStatusNameResolved},
        {"2" + Repeat("^1<3", terms - 1), 2, kStatusOk},
    };
    for (const auto& c : chains) {
        int status = -2;
        EXPECT_DOUBLE_EQ(Eval(c.text, &status), c.value) << c.text.substr(0, 20);
        EXPECT_EQ(status, c.status) << c.text.substr(0, 20);
    }
    ASSERT_EQ(expr_.Parse("1" + Repeat("+1", 4) + "*2"), -1);
    EXPECT_EQ(expr_.TreeText(), "(+ (+ (+ (+ 1 1) 1) 1) (* 1 2))");
    ASSERT_EQ(expr_.Parse(chains[0].text), -1);
    EXPECT_EQ(expr_.TreeText().size(), 6 * static_cast<std::size_t>(terms) - 5);
}

TEST_F(ExpressionTest, SaveWritesALengthPrefixedText) {
    // clang-format off
    const struct {
        std::size_t length;
        std::string prefix;
    } cases[] = {
        {3, "\x03"}, {254, "\xFE"}, {255, std::string("\xFF\xFF\x00", 3)}, {0xFFFD, "\xFF\xFD\xFF"},
        {0xFFFE, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
    };
    // clang-format on
    for (const auto& c : cases) {
        const std::string text = "1" + std::string(c.length - 1, ' ');
        ASSERT_EQ(expr_.Parse(text), -1);
        std::string out = "head";
        expr_.Save(out);
        EXPECT_EQ(out, "head" + c.prefix + text) << c.length;

        CExpression loaded(&table_);
        std::size_t pos = 4;
        ASSERT_TRUE(loaded.Load(out, pos)) << c.length;
        EXPECT_EQ(pos, out.size());
        EXPECT_EQ(loaded.Text(), text);
    }
}

// A saved text that does not parse loads as it is; a text is read up to its first NUL.
TEST_F(ExpressionTest, LoadReparsesEachSavedExpressionUpToItsFirstNul) {
    std::string stream;
    ASSERT_EQ(expr_.Parse("MAX(X,(Y-1))"), -1);
    expr_.Save(stream);
    expr_.Parse("1+");
    expr_.Save(stream);
    stream += std::string("\0051+2\0\0", 6);
    CExpression loaded(&table_);
    std::size_t pos = 0;
    double v = 0;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(loaded.Load(stream, pos));
        const int status = loaded.Evaluate(v);
        result_ += FormatInt(status) + ":" + CFormat("%g", v) + " ";
    }
    EXPECT_EQ(result_, "10:3 -1:3 0:3 ");
    EXPECT_EQ(pos, stream.size());
    EXPECT_FALSE(loaded.Load(stream, pos));  // nothing left
}

// Octal escapes: a length byte, a wide-character marker, 2 GB announced, a short text.
TEST_F(ExpressionTest, TruncatedOrAbsurdStreamsFailAndChangeNothing) {
    const std::string bad[] = {"",
                               "\0051+",
                               "\377",
                               "\377\001",
                               std::string("\377\000\00112", 5),
                               "\377\376\3771",
                               "\377\377\377\377\377\377\1771",
                               std::string("\377\377\377\020\000", 5)};
    ASSERT_EQ(expr_.Parse("X+1"), -1);
    for (const std::string& in : bad) {
        std::size_t pos = 0;
        EXPECT_FALSE(expr_.Load(in, pos)) << in.size();
        EXPECT_EQ(pos, 0u);
    }
    std::size_t past = 9;
    EXPECT_FALSE(expr_.Load("\0011", past));
    double v = 0;
    EXPECT_EQ(expr_.Evaluate(v), kStatusNameResolved);
    EXPECT_EQ(v, 3.5);
}

TEST_F(ExpressionTest, CopiesAreIndependent) {
    ASSERT_EQ(expr_.Parse("X*2"), -1);
    CExpression copy(expr_);
    expr_.Parse("1+1");
    CExpression assigned;
    assigned = copy;
    copy.Parse("*");
    double v = 0;
    EXPECT_EQ(assigned.Evaluate(v), kStatusNameResolved);
    EXPECT_EQ(v, 5.0);
    CExpression moved(std::move(assigned));
    EXPECT_EQ(moved.Evaluate(v), kStatusNameResolved);
    EXPECT_EQ(CExpression(copy).Evaluate(v), kStatusNoTree);
}

TEST_F(ExpressionTest, CalcExpressionTextReturnsTheFailureValue) {
    // clang-format off
    const struct {
        const char* text;
        double value;
        int status;
        int stop;
    } cases[] = {
        {"X*2", 5, kStatusNameResolved, -1}, {"1/0", kCalcFailure, kStatusDivideByZero, -1},
        {"SQRT(-4)", 0, kStatusDomainError, -1}, {"", 0, kStatusNoTree, 0},
        {"FOO+1", kCalcFailure, kStatusNoTree, 3}, {"SIN", kCalcFailure, kStatusNoTree, 3},
    };
    // clang-format on
    CExpression e;
    for (const auto& c : cases) {
        int status = -2, stop = -2;
        EXPECT_DOUBLE_EQ(CalcExpressionText(e, &table_, c.text, &status, &stop), c.value) << c.text;
        EXPECT_EQ(status, c.status) << c.text;
        EXPECT_EQ(stop, c.stop) << c.text;
    }
    EXPECT_EQ(e.GetNameTable(), &table_);
    EXPECT_EQ(CalcExpressionText(e, nullptr, "1+2"), 3.0);
    EXPECT_EQ(CalcExpressionText(e, nullptr, "X"), kCalcFailure);
}

TEST_F(ExpressionTest, NumbersIgnoreADecimalCommaLocale) {
    test::GermanLocale german;
    ASSERT_TRUE(german.ok());
    EXPECT_EQ(Eval("1.25"), 1.25);
    EXPECT_EQ(Eval("2.5*X"), 6.25);
    EXPECT_EQ(expr_.TreeText(), "(* 2.5 X)");
    EXPECT_EQ(expr_.Parse("1,25"), -1);  // the list operator, never a decimal comma
    EXPECT_EQ(Eval("1,25"), 1.0);
}

}  // namespace
}  // namespace quorin
