#include "calc/clsTp.h"

#include "calc/Arith.h"
#include "calc/RoundOff.h"

#include <cmath>
#include <limits>

namespace wyndlor {

namespace {

double Intensity(int32_t Siki, int32_t Unit, double a, double b, double n, double t) {
    if (Unit == 1) t = t / 60.0;
    switch (Siki) {
    case 0: return Div(a, t + b);
    case 1: return Div(a, Pow(t, n));
    default: return Div(a, Sqrt(t) + b);
    }
}

constexpr int32_t kMaxPasses = 200;     // passes after the first
constexpr double kSettled = 0.01;       // minutes

// The Kuno-Ishiguro formula a / (sqrt(t) + b) with a negative b has a pole
// at sqrt(t) = -b; the iteration must start beyond it, at the first
// multiple of 10 minutes where the denominator is positive.  Computed
// directly (a walk in 10-minute steps would take billions of steps for a
// large |b|), then nudged so that the same test as the walk decides.
int32_t KunoIshiguroStart(int32_t Unit, double b) {
    auto positive = [&](double t) {
        const double tt = Unit != 0 ? t / 60.0 : t;
        return std::sqrt(tt) + b > 0;
    };
    const double pole = Unit != 0 ? 60.0 * b * b : b * b;  // minutes
    double t = (std::floor(pole / 10.0) + 1.0) * 10.0;
    if (!std::isfinite(t)) Fail(err::Overflow);
    while (t > 10.0 && positive(t - 10.0)) t -= 10.0;
    while (!positive(t)) {
        t += 10.0;
        if (t > std::numeric_limits<int32_t>::max()) Fail(err::Overflow);
    }
    if (t > std::numeric_limits<int32_t>::max()) Fail(err::Overflow);
    return static_cast<int32_t>(t);
}

}  // namespace

double RainIntensity(int32_t Siki, int32_t Unit, double a, double b, double n, double tMinutes) {
    try {
        return RoundOffChecked(Intensity(Siki, Unit, a, b, n, tMinutes), 3);
    } catch (const CalcFailure &) {
        return 0.0;  // a formula that cannot be evaluated gives no rain
    }
}

void clsTp::Calc() {
    error_ = 0;
    try {
        double t = 10;
        if (Siki == 2 && b < 0) t = KunoIshiguroStart(Unit, b);
        const double areaFactor = Pow(Area, 0.22);
        for (int32_t k = 1;; ++k) {
            const double r = RainIntensity(Siki, Unit, A, b, n, t);
            const double re = Chk(r * fp);
            const double tp = RoundOffChecked(Chk(Chk(areaFactor * C) * Pow(re, -0.35)), DecTp);
            rows_.Add(t, r, re, tp);
            if (std::fabs(t - tp) >= kSettled && k <= kMaxPasses) {
                t = tp;
            } else {
                tp_ = tp;
                break;
            }
        }
    } catch (const CalcFailure &f) {
        error_ = f.code;
    }
}

}  // namespace wyndlor
