#include "report/render/result_assessment.h"

#include <gtest/gtest.h>

namespace quorin {
namespace {

TEST(ResultAssessment, CountsEachKindWithItsIndexesAndIgnoresOtherCharacters) {
    struct Case {
        const char* result;
        int passed, failed, notAssessed;
        const char *passedList, *failedList, *notAssessedList;
    };
    const Case cases[] = {
        {"11-0", 2, 1, 1, "0,1,", "3,", "2,"},
        {"111", 3, 0, 0, "0,1,2,", "", ""},
        {"--", 0, 0, 2, "", "", "0,1,"},
        {"x1 0?", 1, 1, 0, "1,", "3,", ""},
        {"", 0, 0, 0, "", "", ""},
    };
    for (const Case& c : cases) {
        ResultAssessment a = AssessResult(c.result);
        EXPECT_EQ(a.passed, c.passed) << c.result;
        EXPECT_EQ(a.failed, c.failed) << c.result;
        EXPECT_EQ(a.notAssessed, c.notAssessed) << c.result;
        EXPECT_EQ(a.passedList, c.passedList) << c.result;
        EXPECT_EQ(a.failedList, c.failedList) << c.result;
        EXPECT_EQ(a.notAssessedList, c.notAssessedList) << c.result;
    }
}

TEST(ResultAssessment, OneFailureDecidesTheVerdictWhateverElsePassed) {
    struct Case {
        const char* result;
        const char* verdict;
        unsigned rgb;
        const char* note;
    };
    const Case cases[] = {
        {"1,1,-,0", "There is 1 test points failed. ", 0xFF0000,  // commas count nowhere
         "There is 1 test points have not be assessed. "},
        {"11-0", "There is 1 test points failed. ", 0xFF0000,
         "There is 1 test points have not be assessed. "},
        {"111", "The test points are all successful!", 0x00FF00, ""},
        {"--", "", 0x000000, "There is 2 test points have not be assessed. "},
        {"00000000001", "There is 10 test points failed. ", 0xFF0000, ""},
        {"abc", "", 0x000000, ""},
    };
    for (const Case& c : cases) {
        ResultAssessment a = AssessResult(c.result);
        EXPECT_EQ(a.Verdict(), c.verdict) << c.result;
        EXPECT_EQ(a.VerdictRgb(), c.rgb) << c.result;
        EXPECT_EQ(a.Note(), c.note) << c.result;
    }
}

}  // namespace
}  // namespace quorin
