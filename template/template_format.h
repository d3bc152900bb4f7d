// Small rules of the template text shared by the reader, the writers and the name sections.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorin {

// Brings a voltage unit to one family, matched without regard to case: "V"/"kV", "V/S"/"kV/S"
// and "V/Hz"/"kV/Hz" become the "kV" form when useKilovolts is not 0, else the "V" form. Any
// other unit comes back unchanged. The value is never scaled.
std::string_view UnitFamily(std::string_view unit, int useKilovolts);

// The value truncated toward zero as a decimal integer ("%d" of the truncation). Values beyond
// 32 bits are written in full instead of wrapping, "nan" and "inf" as such, and -0.5 as "0".
std::string TruncatedText(double value);


// A parameter value as the template text writes it: an "Edit" value with decimals > 0 in fixed
// point with that many decimals (at most 60), any other value as TruncatedText.
std::string ParamValueText(std::string_view type, int32_t decimals, double value);

}  // namespace quorin
