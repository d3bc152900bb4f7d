#include "cli/cmd_eval.h"

#include <gtest/gtest.h>

#include "expression/name_table.h"
#include "expression/vocabularies.h"
#include "tests/common/locale_guard.h"

namespace quorin::cli {
namespace {

TEST(EvalCommand, PrintsValueStatusAndExpression) {
    CNameTable table;
    CKeywordConstants keywords;
    keywords.Register(table);
    test::GermanLocale german;  // numbers print with a dot all the same
    ASSERT_TRUE(german.ok());
    EXPECT_EQ(EvaluateExpressions({"1.25*2", "IA", "(1+2) *3"}, &table),
              "2.500000\tstatus=0\t1.25*2\n"
              "9.000000\tstatus=10\tIA\n"
              "-100000.000000\tsyntax error at 5\t(1+2) *3\n");
    EXPECT_EQ(EvaluateExpressions({"IA"}, nullptr), "-100000.000000\tsyntax error at 2\tIA\n");
}

}  // namespace
}  // namespace quorin::cli
