#include "runtime/RuntimeError.h"

#include <cmath>

namespace brindlemar {

RuntimeError::RuntimeError(int number, std::string description)
    : std::runtime_error(description), Number(number), Description(std::move(description)) {}

std::string ErrorDescription(int number) {
    switch (number) {
        case ErrInvalidCall: return "Invalid procedure call or argument";
        case ErrOverflow: return "Overflow";
        case ErrSubscript: return "Subscript out of range";
        case ErrDivisionByZero: return "Division by zero";
        case ErrTypeMismatch: return "Type mismatch";
        case ErrBadFileLength: return "Bad record length";
        case ErrInputPastEnd: return "Input past end of file";
        default: return "Application-defined or object-defined error";
    }
}

void RaiseError(int number) { throw RuntimeError(number, ErrorDescription(number)); }

void RaiseError(int number, const std::string& description) { throw RuntimeError(number, description); }

double CheckedSqrt(double x) {
    if (x < 0.0 || std::isnan(x)) RaiseError(ErrInvalidCall);
    return std::sqrt(x);
}

double CheckedLog(double x) {
    if (!(x > 0.0)) RaiseError(ErrInvalidCall);
    return std::log(x);
}

int16_t ToInteger(double x) {
    if (!std::isfinite(x)) RaiseError(ErrOverflow);
    const double r = std::nearbyint(x);  // default rounding mode: half to even
    if (r < -32768.0 || r > 32767.0) RaiseError(ErrOverflow);
    return static_cast<int16_t>(r);
}

}  // namespace brindlemar
