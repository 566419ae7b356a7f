#pragma once
// Extended-precision operations that end the running handler on a floating-point fault.
//
// The model's inputs are always finite (a fault would have ended the handler that made
// them), so an operation faulted exactly when its result is not finite: an infinite
// result of finite operands is an overflow, a NaN is an invalid operation, and a
// division by zero is told apart by its divisor. The test costs one compare on the
// common path.

#include <cmath>

#include "core/Error.h"
#include "core/Ext.h"

namespace condsim {

[[noreturn]] void throwFloatingPointFault(FloatingPointFault fault);

inline bool isFiniteExt(ext value) { return std::fabs(value) <= LDBL_MAX; }

// Classifies a non-finite result of an addition, subtraction or multiplication.
[[noreturn]] inline void throwForResult(ext result) {
    throwFloatingPointFault(std::isnan(result) ? FloatingPointFault::InvalidOperation
                                               : FloatingPointFault::Overflow);
}

inline ext add(ext a, ext b) {
    const ext r = a + b;
    if (!isFiniteExt(r)) [[unlikely]] throwForResult(r);
    return r;
}

inline ext sub(ext a, ext b) {
    const ext r = a - b;
    if (!isFiniteExt(r)) [[unlikely]] throwForResult(r);
    return r;
}

inline ext mul(ext a, ext b) {
    const ext r = a * b;
    if (!isFiniteExt(r)) [[unlikely]] throwForResult(r);
    return r;
}

inline ext div(ext a, ext b) {
    if (b == 0) [[unlikely]] {
        throwFloatingPointFault(a == 0 || std::isnan(a) ? FloatingPointFault::InvalidOperation
                                                        : FloatingPointFault::DivisionByZero);
    }
    const ext r = a / b;
    if (!isFiniteExt(r)) [[unlikely]] throwForResult(r);
    return r;
}

// Square root; a negative operand is an invalid operation (-0 gives -0, as the FPU does).
inline ext squareRoot(ext a) {
    if (a < 0 || std::isnan(a)) [[unlikely]] throwFloatingPointFault(FloatingPointFault::InvalidOperation);
    return std::sqrt(a);
}

// An integer entering real arithmetic; exact for every 32-bit value.
inline ext toExt(int value) { return static_cast<ext>(value); }

}  // namespace condsim
