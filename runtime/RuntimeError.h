#pragma once
// Run-time errors as the program's users know them, and checked arithmetic
// that raises them instead of letting NaN or infinity into the model.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace brindlemar {

enum ErrorNumber : int {
    ErrInvalidCall = 5,        // "Invalid procedure call or argument"
    ErrOverflow = 6,           // "Overflow"
    ErrSubscript = 9,          // "Subscript out of range"
    ErrDivisionByZero = 11,    // "Division by zero"
    ErrTypeMismatch = 13,      // "Type mismatch"
    ErrBadFileLength = 59,     // "Bad record length"
    ErrInputPastEnd = 62,      // "Input past end of file"
};

struct RuntimeError : std::runtime_error {
    int Number;
    std::string Description;
    RuntimeError(int number, std::string description);
};

// The standard description of an error number ("Division by zero" for 11).
std::string ErrorDescription(int number);

// Throws RuntimeError with the standard description of `number`.
[[noreturn]] void RaiseError(int number);
// Throws RuntimeError with a description of its own.
[[noreturn]] void RaiseError(int number, const std::string& description);

// Error 6 unless x is finite; returns x.
inline double CheckedFinite(double x) {
    if (!std::isfinite(x)) RaiseError(ErrOverflow);
    return x;
}
// a / b; error 11 when b is 0, error 6 when the quotient is not finite.
inline double CheckedDivide(double a, double b) {
    if (b == 0.0) RaiseError(ErrDivisionByZero);
    return CheckedFinite(a / b);
}
// Square root; error 5 for a negative argument.
double CheckedSqrt(double x);
// Natural logarithm; error 5 for an argument of 0 or less.
double CheckedLog(double x);
// Rounds to a 32-bit float for storing; error 6 when out of float range or not finite.
// Inline: the analysis stores hundreds of results per load combination.
inline float ToSingle(double x) {
    if (!(std::fabs(x) <= static_cast<double>(std::numeric_limits<float>::max()))) RaiseError(ErrOverflow);
    return static_cast<float>(x);
}
// Rounds half to even into a 16-bit integer; error 6 when out of range or not finite.
int16_t ToInteger(double x);
// Error 9 unless lo <= index <= hi; returns index.
inline long CheckedIndex(long index, long lo, long hi) {
    if (index < lo || index > hi) RaiseError(ErrSubscript);
    return index;
}

// Element `index` of a fixed array, error 9 when outside it.
template <class Array>
auto& At(Array& a, long index) {
    return a[static_cast<std::size_t>(CheckedIndex(index, 0, static_cast<long>(a.size()) - 1))];
}

}  // namespace brindlemar
