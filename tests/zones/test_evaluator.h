// A stand-in for the template's expression evaluation: plain decimal numbers ("-1.5", " 2 ") and a
// few names; any other text fails with the failure value, the empty text is 0.0.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/numtext.h"
#include "zones/zone_evaluator.h"

namespace quorin::test {

class TestEvaluator final : public IZoneEvaluator {
public:
    TestEvaluator() = default;
    explicit TestEvaluator(std::map<std::string, double, std::less<>> names)
        : names_(std::move(names)) {}

    double CalcExpression(std::string_view text) override {
        while (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        while (!text.empty() && text.back() == ' ')
            text.remove_suffix(1);
        if (text.empty()) return 0.0;
        if (const auto it = names_.find(text); it != names_.end()) return it->second;
        bool digit = false;
        for (size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c >= '0' && c <= '9')
                digit = true;
            else if (c != '.' && !(c == '-' && i == 0))
                return kFailure;
        }
        return digit ? CAtof(text) : kFailure;
    }

private:
    std::map<std::string, double, std::less<>> names_;
};

}  // namespace quorin::test
