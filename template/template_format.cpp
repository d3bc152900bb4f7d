#include "template/template_format.h"

#include <cmath>
#include <limits>

#include "platform/numtext.h"

namespace quorin {
namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

}  // namespace

std::string_view UnitFamily(std::string_view unit, int useKilovolts) {
    struct Family {
        std::string_view volts, kilovolts;
    };
    static constexpr Family kFamilies[] = {{"V", "kV"}, {"V/S", "kV/S"}, {"V/Hz", "kV/Hz"}};
    for (const Family& f : kFamilies) {
        if (SameIgnoringCase(unit, f.volts) || SameIgnoringCase(unit, f.kilovolts))
            return useKilovolts != 0 ? f.kilovolts : f.volts;
    }
    return unit;
}

std::string TruncatedText(double value) {
    const double whole = std::trunc(value);
    if (whole >= -2147483648.0 && whole <= 2147483647.0)
        return FormatInt(static_cast<long long>(whole));
    // "%.0f" of a whole number is exact, so huge values keep every digit instead of wrapping.
    return FormatFixed(whole, 0);
}

int32_t TruncateToInt32(double value) {
    if (std::isnan(value)) return 0;
    const double whole = std::trunc(value);
    if (whole <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (whole >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(whole);
}

std::string ParamValueText(std::string_view type, int32_t decimals, double value) {
    if (type == "Edit" && decimals > 0) return FormatFixed(value, decimals);
    return TruncatedText(value);
}

}  // namespace quorin
