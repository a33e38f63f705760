#include "RoundOff.h"

#include "Arith.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace wyndlor {

double RoundOffChecked(double value, int32_t places) {
    if (std::isnan(value)) Fail(err::Overflow);
    const double x = std::fabs(value);
    const double scale = Chk(std::pow(10.0, places));
    if (x < 1.0 / (scale * 10.0)) return 0.0;
    const double y = Chk(x * scale + 0.00001);

    // The decision is taken on the decimal text of y with 15 significant
    // digits, as the value would be shown: this absorbs the binary noise
    // of x * 10^d, so that 2.0005 * 1000 (2000.4999999999998) still counts
    // as a half.
    char text[64];
    std::snprintf(text, sizeof text, "%.15G", y);
    double r;
    if (const char *point = std::strchr(text, '.')) {
        const char next = point[1];
        // %G drops trailing zeros, so a text that carried into the integer
        // part has no point left and takes the other branch.
        const double whole = std::floor(y);
        r = (whole + ((next >= '5' && next <= '9') ? 1.0 : 0.0)) / scale;
    } else {
        r = y / scale;
    }
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
