#pragma once

#include <cmath>

// Result of a fluid-property estimate: a number, or the reason there is none. The wizard window shows its range
// message for OutsideRange and leaves the field as it is for NoValue; neither carries a number.
struct Estimate {
    enum class Kind { Value, OutsideRange, NoValue };

    Kind kind = Kind::NoValue;
    double value = 0.0;

    // A finite number becomes a value; anything else has none.
    static Estimate of(double v) { return std::isfinite(v) ? Estimate{Kind::Value, v} : Estimate{}; }
    static Estimate outsideRange() { return Estimate{Kind::OutsideRange, 0.0}; }
    static Estimate noValue() { return Estimate{}; }

    bool hasValue() const { return kind == Kind::Value; }
    bool isOutsideRange() const { return kind == Kind::OutsideRange; }
};
