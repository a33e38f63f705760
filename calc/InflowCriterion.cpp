// The inflow criterion: the design flood discharge at the run's step
// against its value at the guideline's step Δt ≈ tp.
//
// The rainfall waveform's peak step carries the mean intensity of one time
// step, so the longer the step the lower the peak inflow: on a catchment
// with tp of 83 minutes Q1 is 18.0 m3/s at 10 minutes, 8.4 at 80 and 7.1
// at 120.  The guideline fixes the step at about tp.  A step longer than
// that under-estimates the design flood, which no routing can make good;
// a shorter one over-estimates it, which is the safe side.
#include "calc/AccuracyCheck.h"

#include "calc/Arith.h"

#include <algorithm>
#include <cmath>

namespace wyndlor {

int32_t GuidelineStep(double tp) {
    if (!(tp > 0) || !std::isfinite(tp)) return 0;
    const double rounded = std::floor(tp + 0.5);
    return static_cast<int32_t>(std::clamp(rounded, double(kSmallestDeltaT), double(kLargestDeltaT)));
}

double DesignDischargeAt(const ProjectData &data, int32_t dtMinutes) {
    // The rainfall and the inflow are all that depend on the step; the
    // flood arrival time and the averages do not enter them.
    ProjectData copy = data;
    copy.DeltaTData(slot::DeltaT) = SlotValue::Int32(dtMinutes);
    CalcResults scratch;
    if (CalcRainfall(copy, scratch) != 0 || CalcQi(copy, scratch) != 0) return std::numeric_limits<double>::quiet_NaN();
    return scratch.objQi->Q1();
}

double AccuracyCheck::InflowShare() const {
    if (!(q1AtTpStep > 0)) return std::numeric_limits<double>::quiet_NaN();
    return q1 / q1AtTpStep - 1.0;
}

namespace {

void CompareWithTheGuidelineStep(const ProjectData &data, const CalcResults &results, AccuracyCheck &check) {
    if (!results.objQi || data.DeltaTData(slot::DeltaT).ToLong(check.deltaT) != 0) return;
    check.q1 = results.objQi->Q1();
    // A flood arrival time that could not be computed gives no guideline
    // step to compare with.
    if (results.TpError != 0 || !results.objTp) return;
    check.tp = results.objTp->tp();
    check.tpStep = GuidelineStep(check.tp);
    if (check.tpStep == 0) return;
    check.q1AtTpStep = check.tpStep == check.deltaT ? check.q1 : DesignDischargeAt(data, check.tpStep);
    if (check.InflowShare() < -kInflowTolerance) check.reasons.push_back(AccuracyReason::Inflow);
}

}  // namespace

void JudgeInflow(const ProjectData &data, const CalcResults &results, AccuracyCheck &check) {
    CompareWithTheGuidelineStep(data, results, check);
    // The reasons in the order of the chain: inflow, routing, data.
    std::stable_sort(check.reasons.begin(), check.reasons.end());
}

}  // namespace wyndlor
