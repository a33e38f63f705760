// Flood arrival time tp of the catchment (minutes).
//
// tp is the duration for which the design rainfall intensity r(t), reduced
// by the peak runoff coefficient (re = r fp), and the arrival-time formula
// tp = C A^0.22 re^-0.35 agree.  It is found by fixed-point iteration from
// t = 10 minutes; every pass is kept as a row for the display and report.
#pragma once

#include "calc/Items.h"

namespace wyndlor {

// Rainfall intensity (mm/h) of the design formula for a duration t in
// minutes: Siki 0 Talbot a / (t + b), 1 Sherman a / t^n, otherwise
// Kuno-Ishiguro a / (sqrt(t) + b); with Unit 1 the formula's t is in hours.
// A formula that cannot be evaluated (zero denominator, overflow, root of a
// negative) gives 0.  The result is always rounded to 3 places.
double RainIntensity(int32_t Siki, int32_t Unit, double a, double b, double n, double tMinutes);

class clsTp {
public:
    double Area = 0;   // catchment area A, km2
    double fp = 0;     // peak runoff coefficient
    double C = 0;      // flood-arrival-time coefficient
    int32_t Siki = 0;  // 0 Talbot, 1 Sherman, 2 Kuno-Ishiguro
    int32_t Unit = 0;  // t of the formula: 0 minutes, 1 hours
    double A = 0;      // regional constant a
    double b = 0;      // regional constant b
    double n = 0;      // regional constant n
    int32_t DecT = 1;  // held for the displays
    int32_t DecR = 3;
    int32_t DecRe = 3;
    int32_t DecTp = 1;  // places of each tp

    // Runs the iteration (at most 201 passes, stopping when |t - tp| < 0.01)
    // and appends its rows.  A failure (re = 0, a negative area, an overflow,
    // a start beyond the 32-bit minute range) leaves Error non-zero, tp at 0
    // and the rows reached so far.
    void Calc();

    int32_t Error() const { return error_; }
    const colTpData &TpData() const { return rows_; }
    double tp() const { return tp_; }

private:
    colTpData rows_;
    int32_t error_ = 0;
    double tp_ = 0;
};

}  // namespace wyndlor
