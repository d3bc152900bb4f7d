#include "report/render/result_assessment.h"

#include <gtest/gtest.h>

namespace quorin {
namespace {

// "1" passed, "0" failed, "-" not assessed; other characters count nowhere. One failure decides
// the verdict whatever else passed.
TEST(ResultAssessment, CountsListsVerdictAndNote) {
    struct Case {
        const char* result;
        int passed, failed, notAssessed;
        const char *passedList, *failedList, *notAssessedList, *verdict;
        unsigned rgb;
        const char* note;
    };
    const char* const kOneOpen = "There is 1 test points have not be assessed. ";
    const Case cases[] = {
        {"11-0", 2, 1, 1, "0,1,", "3,", "2,", "There is 1 test points failed. ", 0xFF0000,
         kOneOpen},
        {"1,1,-,0", 2, 1, 1, "0,2,", "6,", "4,", "There is 1 test points failed. ", 0xFF0000,
         kOneOpen},
        {"111", 3, 0, 0, "0,1,2,", "", "", "The test points are all successful!", 0x00FF00, ""},
        {"--", 0, 0, 2, "", "", "0,1,", "", 0x000000,
         "There is 2 test points have not be assessed. "},
        {"x1 0?", 1, 1, 0, "1,", "3,", "", "There is 1 test points failed. ", 0xFF0000, ""},
        {"00000000001", 1, 10, 0, "10,", "0,1,2,3,4,5,6,7,8,9,", "",
         "There is 10 test points failed. ", 0xFF0000, ""},
        {"", 0, 0, 0, "", "", "", "", 0x000000, ""},
    };
    for (const Case& c : cases) {
        ResultAssessment a = AssessResult(c.result);
        EXPECT_EQ(a.passed, c.passed) << c.result;
        EXPECT_EQ(a.failed, c.failed) << c.result;
        EXPECT_EQ(a.notAssessed, c.notAssessed) << c.result;
        EXPECT_EQ(a.passedList, c.passedList) << c.result;
        EXPECT_EQ(a.failedList, c.failedList) << c.result;
        EXPECT_EQ(a.notAssessedList, c.notAssessedList) << c.result;
        EXPECT_EQ(a.Verdict(), c.verdict) << c.result;
        EXPECT_EQ(a.VerdictRgb(), c.rgb) << c.result;
        EXPECT_EQ(a.Note(), c.note) << c.result;
    }
}

}  // namespace
}  // namespace quorin
