#include "template/template_format.h"

#include <cmath>
#include <limits>

#include "platform/numtext.h"

namespace quorin {
namespace {}  // namespace

std::string_view UnitFamily(std::string_view unit, int useKilovolts) {
    struct Family {
        std::string_view volts, kilovolts;
    };
    static constexpr Family kFamilies[] = {{"V", "kV"}, {"V/S", "kV/S"}, {"V/Hz", "kV/Hz"}};
    for (const Family& f : kFamilies) {
        if (EqualNoCase(unit, f.volts) || EqualNoCase(unit, f.kilovolts))
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

std::string ParamValueText(std::string_view type, int32_t decimals, double value) {
    if (type == "Edit" && decimals > 0) return FormatFixed(value, decimals);
    return TruncatedText(value);
}

}  // namespace quorin
