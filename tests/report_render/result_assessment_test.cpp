#include "report/render/result_assessment.h"

#include <gtest/gtest.h>

#include <tuple>

namespace quorin {
namespace {

// "1" passed, "0" failed, "-" not assessed; other characters count nowhere. One failure decides
// the verdict whatever else passed.
TEST(ResultAssessment, CountsListsVerdictAndNote) {
    using Counts = std::tuple<int, int, int, std::string, std::string, std::string>;
    using Texts = std::tuple<std::string, unsigned, std::string>;  // verdict, colour, note
    const std::string kOneOpen = "There is 1 test points have not be assessed. ";
    const std::string kOneFailed = "There is 1 test points failed. ";
    const std::tuple<const char*, Counts, Texts> cases[] = {
        {"11-0", {2, 1, 1, "0,1,", "3,", "2,"}, {kOneFailed, 0xFF0000, kOneOpen}},
        {"1,1,-,0", {2, 1, 1, "0,2,", "6,", "4,"}, {kOneFailed, 0xFF0000, kOneOpen}},
        {"111", {3, 0, 0, "0,1,2,", "", ""}, {"The test points are all successful!", 0x00FF00, ""}},
        {"--", {0, 0, 2, "", "", "0,1,"}, {"", 0, "There is 2 test points have not be assessed. "}},
        {"x1 0?", {1, 1, 0, "1,", "3,", ""}, {kOneFailed, 0xFF0000, ""}},
        {"00000000001",
         {1, 10, 0, "10,", "0,1,2,3,4,5,6,7,8,9,", ""},
         {"There is 10 test points failed. ", 0xFF0000, ""}},
        {"", {0, 0, 0, "", "", ""}, {"", 0, ""}},
    };
    for (const auto& [result, counts, texts] : cases) {
        ResultAssessment a = AssessResult(result);
        EXPECT_EQ(Counts(a.passed, a.failed, a.notAssessed, a.passedList, a.failedList,
                         a.notAssessedList),
                  counts)
            << result;
        EXPECT_EQ(Texts(a.Verdict(), a.VerdictRgb(), a.Note()), texts) << result;
    }
}

}  // namespace
}  // namespace quorin
