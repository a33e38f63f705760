#include "calc/RoundOff.h"

#include "calc/Arith.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace wyndlor {

namespace {

constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8,
                             1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16};

// The rounding decision is taken on the decimal text of y with 15
// significant digits, as the value would be shown: this absorbs the binary
// noise of x * 10^d, so that 2.0005 * 1000 (2000.4999999999998) still counts
// as a half.  Returns whether the text has a decimal point, and in `up`
// whether its first decimal is 5 or more.
bool DecimalTextHasPoint(double y, bool &up) {
    // Fast path: the fractional part f of y is exact in binary, and rounding
    // to 15 significant digits moves it by at most half a unit of the 15th
    // digit.  Clear of 0, 1/2 and 1 by a whole unit, the text's point and
    // first decimal follow from f alone.
    if (y < 1e14) {
        const double whole = std::floor(y);
        const double f = y - whole;
        int digits = 0;
        while (digits < 15 && whole >= kPow10[digits]) ++digits;
        const double unit = digits == 0 ? 1e-15 : kPow10[digits] * 1e-15;
        if (f > unit && f < 1.0 - unit && std::fabs(f - 0.5) > unit) {
            up = f > 0.5;
            return true;
        }
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.15G", y);
    const char *point = std::strchr(text, '.');
    if (!point) return false;
    up = point[1] >= '5' && point[1] <= '9';
    return true;
}

}  // namespace

double RoundOffChecked(double value, int32_t places) {
    if (std::isnan(value)) Fail(err::Overflow);
    const double x = std::fabs(value);
    const double scale = (places >= 0 && places <= 16) ? kPow10[places] : Chk(std::pow(10.0, places));
    if (x < 1.0 / (scale * 10.0)) return 0.0;
    const double y = Chk(x * scale + 0.00001);
    bool up = false;
    // %G drops trailing zeros, so a text that carried into the integer part
    // has no point and takes the second branch.
    const double r = DecimalTextHasPoint(y, up) ? (std::floor(y) + (up ? 1.0 : 0.0)) / scale : y / scale;
    return value < 0 ? -r : r;
}

double RoundOff(double value, int32_t places, int32_t &error) {
    try {
        return RoundOffChecked(value, places);
    } catch (const CalcFailure &f) {
        error = f.code;
        return 0.0;
    }
}

double RoundOff(double value, int32_t places) {
    int32_t ignored = 0;
    return RoundOff(value, places, ignored);
}

void SplitHourMinute(int32_t minutes, int32_t &hours, int32_t &mins) {
    hours = static_cast<int32_t>(std::floor(minutes / 60.0));
    mins = minutes - 60 * hours;
}

}  // namespace wyndlor
