// Checked floating-point arithmetic for the engine.
//
// IEEE arithmetic quietly turns a division by zero into an infinity and a
// root of a negative into NaN, and both would flow on into a level or a
// discharge.  The engine instead treats them as failures with the error
// numbers of the original runtime: a division by zero is 11 (0/0 is 6, as
// that runtime had it), an overflow 6, an invalid argument (0 raised to a
// negative power, a fractional power or root of a negative) 5.  The
// failure travels as a CalcFailure exception inside the engine only: every
// Calc and every driver step catches it and turns it into its Error.
//
// The guard sits on each formula, not on each operation.  Once a sum,
// difference or product leaves the finite range it stays there (an
// infinity times zero is NaN, NaN stays NaN), so one check of a formula's
// result sees every overflow inside it.  Only a division can hide one
// (x / inf is 0) and only a division or a root has a failure of its own, so
// Div and Sqrt check their operands as well: a formula is written plainly
// and wrapped once in Chk, with Div or Sqrt where it divides or takes a root.
// RoundOffChecked refuses a value that is not finite, so a formula whose
// result is rounded at once needs no Chk of its own.
#pragma once

#include "calc/SlotValue.h"

#include <cmath>
#include <cstdint>

namespace wyndlor {

struct CalcFailure {
    int32_t code;
};

[[noreturn]] inline void Fail(int32_t code) { throw CalcFailure{code}; }

// The guard of one formula: a result that left the finite range is an
// overflow.
inline double Chk(double v) {
    if (!std::isfinite(v)) Fail(err::Overflow);
    return v;
}

// a / b with both operands guarded: an overflow in either is 6, then a zero
// divisor 11 (0/0 6).
inline double Div(double a, double b) {
    Chk(a);
    Chk(b);
    if (b == 0) Fail(a == 0 ? err::Overflow : err::DivisionByZero);
    return Chk(a / b);
}

inline double Pow(double base, double exponent) {
    if (base == 0 && exponent < 0) Fail(err::InvalidCall);
    if (base < 0 && exponent != std::floor(exponent)) Fail(err::InvalidCall);
    return Chk(std::pow(base, exponent));
}

// The root of a guarded operand: an overflow in it is 6, a negative 5.
inline double Sqrt(double v) {
    Chk(v);
    if (v < 0) Fail(err::InvalidCall);
    return std::sqrt(v);
}

// Rounding with the failure raised instead of returned.
double RoundOffChecked(double value, int32_t places);

// A slot read as a number or a 32-bit integer, failing as the conversion does.
inline double Num(const SlotValue &v) {
    double d = 0;
    if (int32_t e = v.ToDouble(d)) Fail(e);
    return d;
}
inline int32_t Lng(const SlotValue &v) {
    int32_t i = 0;
    if (int32_t e = v.ToLong(i)) Fail(e);
    return i;
}
inline int32_t Lng(double d) {
    int32_t i = 0;
    if (int32_t e = RoundToLong(d, i)) Fail(e);
    return i;
}

}  // namespace wyndlor
