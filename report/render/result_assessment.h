// The summary of an item's result string: one character per test point, "1" passed, "0" failed,
// "-" not assessed; any other character counts nowhere.
#pragma once

#include <string>
#include <string_view>

namespace quorin {

struct ResultAssessment {
    int passed = 0, failed = 0, notAssessed = 0;
    // 0-based test-point indexes of each kind, each followed by ",": "0,1," (kept, not printed).
    std::string passedList, failedList, notAssessedList;

    // "There is %d test points failed. " when a point failed, else "The test points are all
    // successful!" when one passed, else "" (no verdict line).
    std::string Verdict() const;
    // RGB(255, 0, 0) for the failure verdict, RGB(0, 255, 0) for the success verdict (0xRRGGBB).
    unsigned VerdictRgb() const;
    // "There is %d test points have not be assessed. " when a point was not assessed, else "".
    std::string Note() const;
};

ResultAssessment AssessResult(std::string_view result);

}  // namespace quorin
