// Value objects that expressions read through the name table. The template owns one per
// parameter; the keyword constants own one per word.
#pragma once

namespace quorin {

// A double that an expression reads by name. Derived classes may compute the value on demand.
class CValue {
public:
    CValue() = default;
    explicit CValue(double value) : value_(value) {}
    virtual ~CValue() = default;
    CValue(const CValue&) = default;
    CValue& operator=(const CValue&) = default;

    // The value an expression sees for this object's name.
    virtual double GetValue() const;
    // Stores value; GetValue returns it until the next call.
    virtual void SetValue(double value);

private:
    double value_ = 0.0;
};

}  // namespace quorin
