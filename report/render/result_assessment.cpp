#include "report/render/result_assessment.h"

#include "platform/numtext.h"

namespace quorin {

ResultAssessment AssessResult(std::string_view result) {
    ResultAssessment a;
    for (size_t i = 0; i < result.size(); ++i) {
        std::string index = FormatInt(static_cast<long long>(i)) + ",";
        switch (result[i]) {
            case '1':
                ++a.passed;
                a.passedList += index;
                break;
            case '0':
                ++a.failed;
                a.failedList += index;
                break;
            case '-':
                ++a.notAssessed;
                a.notAssessedList += index;
                break;
            default:
                break;
        }
    }
    return a;
}

std::string ResultAssessment::Verdict() const {
    if (failed > 0) return CFormat("There is %d test points failed. ", failed);
    if (passed > 0) return "The test points are all successful!";
    return {};
}

unsigned ResultAssessment::VerdictRgb() const {
    if (failed > 0) return 0xFF0000u;
    if (passed > 0) return 0x00FF00u;
    return 0x000000u;
}

std::string ResultAssessment::Note() const {
    if (notAssessed == 0) return {};
    return CFormat("There is %d test points have not be assessed. ", notAssessed);
}

}  // namespace quorin
