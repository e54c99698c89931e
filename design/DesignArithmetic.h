#pragma once
// Arithmetic of the section checks. A step without a value (a division by
// zero, the root of a negative number) yields "undefined", carried as a NaN
// through the double-precision work of one check and turned into an empty
// value when it is stored: the design never raises an error and never
// stores a NaN. Branches on an undefined value must test it first, since
// every comparison with a NaN is false.

#include <cmath>
#include <limits>
#include <optional>

namespace brindlemar::design {

inline constexpr double Undefined = std::numeric_limits<double>::quiet_NaN();

inline bool IsUndefined(double x) { return std::isnan(x); }

inline double Quotient(double a, double b) { return b == 0 ? Undefined : a / b; }

inline double Root(double x) { return x < 0 ? Undefined : std::sqrt(x); }

// The lesser of a value and its limit; undefined when either is.
inline double Capped(double value, double limit) {
    if (IsUndefined(value) || IsUndefined(limit)) return Undefined;
    return value > limit ? limit : value;
}

// A working value rounded as the 32-bit float it is stored in. Beyond the
// float range it stays as it is: it is then far past every limit it meets.
inline double AsSingle(double x) {
    if (!std::isfinite(x) || std::fabs(x) > std::numeric_limits<float>::max()) return x;
    return static_cast<float>(x);
}

// A result as stored: empty when it has no value or no float can hold it.
inline std::optional<float> Stored(double x) {
    if (!std::isfinite(x) || std::fabs(x) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(x);
}

// A stored result read back into the working arithmetic.
inline double Value(const std::optional<float>& x) { return x ? *x : Undefined; }

}  // namespace brindlemar::design
