#include "expression/value.h"

namespace quorin {

double CValue::GetValue() const {
    return value_;
}

void CValue::SetValue(double value) {
    value_ = value;
}

}  // namespace quorin
