// The routing criterion: the guideline routing against the same design
// inflow routed at 1-minute sub-steps.
//
// The guideline routing takes one step per calculation time step and
// solves it by a damped fixed-point iteration.  A pond that responds fast
// against the step (small area, wide spillway) is routed too smoothly, or
// its iteration does not settle and the stored results are those of an
// arbitrary last pass.  The remedy keeps the design flood: the reference
// routes the very same inflow accurately, its design flood water level
// stands beside the guideline's, and where the guideline routing fails the
// higher of the two is the safe-side level.  A smaller time step is no
// remedy, since it would change the design flood itself.
#include "calc/AccuracyParts.h"

#include "calc/Arith.h"

#include <algorithm>
#include <cmath>

namespace wyndlor {

namespace {

// The discharge tolerance is never below half the last decimal the routing
// stores, so that the rounding of Q2 alone never fails it.
bool DischargeDiffers(const CQo &routed, double refQ2) {
    const double rounding = 0.5 * std::pow(10.0, -routed.DecQo);
    return std::fabs(refQ2 - routed.Q2()) > std::max(kDischargeTolerance * refQ2, rounding);
}

}  // namespace

bool JudgeRoutingAgainstReference(const CQo &routed, const AccuracyOptions &options, CRefRouting &ref,
                                  AccuracyCheck &check) {
    using R = AccuracyReason;
    if (check.routing.nonConverged > 0) check.reasons.push_back(R::NonConverged);

    ref.SubStep = options.subStep;
    ref.KeepSeries = options.keepSeries;
    if (!ref.SetFrom(routed)) {
        check.error = err::InvalidCall;
        return false;
    }
    ref.Calc();
    check.error = ref.Error();
    if (check.error != 0) return false;

    check.refQ2 = ref.Q2();
    check.tPeak = ref.TPeak();
    check.refHmax = ref.Hmax();
    check.refMaxLevel = ref.MaxLevel();
    check.refQoAtPoints = ref.QoAtPoints();
    check.refSeries = ref.Series();
    check.designFloodLevel = check.crest + check.refHmax;

    if (std::fabs(ref.Hmax() - routed.Hmax()) > kDepthTolerance) check.reasons.push_back(R::Depth);
    if (DischargeDiffers(routed, ref.Q2())) check.reasons.push_back(R::Discharge);
    if (check.HasRoutingReason())
        check.safeSideLevel = std::max(check.guidelineLevel, check.designFloodLevel);
    return true;
}

}  // namespace wyndlor
