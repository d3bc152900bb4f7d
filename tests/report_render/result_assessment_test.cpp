#include "report/render/result_assessment.h"

#include <gtest/gtest.h>

#include "platform/numtext.h"
#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

// The assessment of each result string of the data file, as its fields.
TEST(ResultAssessment, CountsListsVerdictAndNote) {
    for (const auto& c : test::DataCases("result_assessment.txt")) {
        const ResultAssessment a = AssessResult(c.at(0));
        EXPECT_EQ((std::vector<std::string>{c[0], FormatInt(a.passed), FormatInt(a.failed),
                                            FormatInt(a.notAssessed), a.passedList, a.failedList,
                                            a.notAssessedList, a.Verdict(),
                                            CFormat("%06X", a.VerdictRgb()), a.Note()}),
                  c);
    }
}

}  // namespace
}  // namespace quorin
