#include "frontend/shot_inputs.h"

#include <charconv>
#include <cmath>

#include "expression/expression.h"
#include "platform/numtext.h"
#include "template/relay_template.h"

namespace quorin {
namespace {

constexpr int kMaxAngles = 3601;

bool ParseFinite(std::string_view text, double& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size() &&
           std::isfinite(value);
}

bool HasIndex(const CZoneTable& zones, int index) {
    for (int slot = 1; slot <= zones.Count(); ++slot)
        if (zones.Zone(slot).index == index) return true;
    return false;
}

}  // namespace

std::vector<std::string> SplitList(const std::string& text, char separator) {
    std::vector<std::string> parts;
    for (size_t at = 0;;) {
        const size_t end = std::min(text.find(separator, at), text.size());
        parts.push_back(text.substr(at, end - at));
        if (end == text.size()) return parts;
        at = end + 1;
    }
}

bool ParseTolerancePair(const std::string& text, double& relative, double& absolute) {
    const size_t percent = text.find("%,");
    if (percent == std::string::npos) return false;
    double rel = 0.0, abs = 0.0;
    if (!ParseFinite(std::string_view(text).substr(0, percent), rel) || rel < 0.0 ||
        !ParseFinite(std::string_view(text).substr(percent + 2), abs) || abs < 0.0)
        return false;
    relative = rel / 100.0;
    absolute = abs;
    return true;
}

bool ParseZoneTime(CRelayTemplate& t, const std::string& given, std::map<int, double>& times,
                   std::string& error) {
    const size_t equals = given.find('=');
    int index = 0;
    const char* first = given.data();
    const char* last = first + (equals == std::string::npos ? 0 : equals);
    const auto [end, ec] = std::from_chars(first, last, index);
    if (equals == std::string::npos || equals == 0 || ec != std::errc() || end != last ||
        equals + 1 == given.size()) {
        error = "--time " + given + ": write it as INDEX=EXPR, for example 2=T2";
        return false;
    }
    if (!HasIndex(t.Zones(), index)) {
        error = "--time " + given + ": no zone has the index " + FormatInt(index);
        return false;
    }
    // The template's own evaluation; the parse position also catches a text that fails at its
    // first character, for which the value alone would be 0.
    CExpression expression;
    CalcOutcome outcome;
    const double value =
        CalcExpressionText(expression, &t.NameTable(), given.substr(equals + 1), &outcome);
    if (!outcome.parse || value == kCalcFailure || !std::isfinite(value)) {
        error = "--time " + given + ": the expression does not evaluate";
        return false;
    }
    if (value < 0.0) {
        error = "--time " + given + ": the time " + FormatFixed(value, 3) + " s is below 0";
        return false;
    }
    times[index] = value;
    return true;
}

bool ParseAngles(const std::string& text, std::vector<double>& angles) {
    std::vector<double> out;
    const std::vector<std::string> range = SplitList(text, ':');
    if (range.size() == 3) {
        double from = 0, to = 0, step = 0;
        if (!ParseFinite(range[0], from) || !ParseFinite(range[1], to) ||
            !ParseFinite(range[2], step) || !(step > 0.0) || to < from ||
            (to - from) / step >= kMaxAngles)
            return false;
        // Counted, not summed, so that TO itself is reached without drift.
        const int count = static_cast<int>(std::floor((to - from) / step + 1e-9)) + 1;
        for (int i = 0; i < count; ++i)
            out.push_back(from + i * step);
    } else if (range.size() == 1) {
        for (const std::string& part : SplitList(text, ',')) {
            double angle = 0.0;
            if (!ParseFinite(part, angle) || out.size() >= kMaxAngles) return false;
            out.push_back(angle);
        }
    } else {
        return false;
    }
    angles = std::move(out);
    return true;
}

}  // namespace quorin
