// How the zone reader and the zone geometry turn field texts into numbers. The template object
// implements it with its own expression evaluation, so that zone fields may name the template's
// settings; the zone code itself knows nothing of expressions.
#pragma once

#include <string_view>

namespace quorin {

struct IZoneEvaluator {
    // Returned by CalcExpression for a text that does not evaluate. It is an ordinary coordinate
    // to the geometry: a failed field shows as a point far out in the plane.
    static constexpr double kFailure = -100000.0;

    // The value of an expression text; kFailure when it does not evaluate. The empty text is 0.0.
    virtual double CalcExpression(std::string_view text) = 0;

protected:
    ~IZoneEvaluator() = default;
};

}  // namespace quorin
