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
    if (!isFiniteExt(r)) [[unlikely]]
        throwForResult(r);
    return r;
}

inline ext sub(ext a, ext b) {
    const ext r = a - b;
    if (!isFiniteExt(r)) [[unlikely]]
        throwForResult(r);
    return r;
}

inline ext mul(ext a, ext b) {
    const ext r = a * b;
    if (!isFiniteExt(r)) [[unlikely]]
        throwForResult(r);
    return r;
}

inline ext div(ext a, ext b) {
    if (b == 0) [[unlikely]] {
        throwFloatingPointFault(a == 0 || std::isnan(a) ? FloatingPointFault::InvalidOperation
                                                        : FloatingPointFault::DivisionByZero);
    }
    const ext r = a / b;
    if (!isFiniteExt(r)) [[unlikely]]
        throwForResult(r);
    return r;
}

// Square root; a negative operand is an invalid operation (-0 gives -0, as the FPU does).
inline ext squareRoot(ext a) {
    if (a < 0 || std::isnan(a)) [[unlikely]]
        throwFloatingPointFault(FloatingPointFault::InvalidOperation);
    return std::sqrt(a);
}

// An integer entering real arithmetic; exact for every 32-bit value.
inline ext toExt(int value) { return static_cast<ext>(value); }

// The two ways of evaluating a formula written once as a template on its arithmetic.
// Both round every operation alike, so on finite values they give the same bits.
//
// Plain arithmetic tests nothing. A fault inside a chain of sums and products still shows
// in its result: infinity and NaN survive every later addition and multiplication (inf x 0
// is NaN, inf + -inf is NaN). Only a division can hide one (x / inf = 0), so a formula
// evaluated plainly is trusted when its numerator, its denominator and its result are all
// finite; otherwise it is evaluated again with the checked operations, which raise the
// first fault with its text.
struct PlainArithmetic {
    static ext add(ext a, ext b) { return a + b; }
    static ext sub(ext a, ext b) { return a - b; }
    static ext mul(ext a, ext b) { return a * b; }
    static ext div(ext a, ext b) { return a / b; }
};

struct CheckedArithmetic {
    static ext add(ext a, ext b) { return condsim::add(a, b); }
    static ext sub(ext a, ext b) { return condsim::sub(a, b); }
    static ext mul(ext a, ext b) { return condsim::mul(a, b); }
    static ext div(ext a, ext b) { return condsim::div(a, b); }
};

}  // namespace condsim
