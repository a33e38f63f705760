// The data criteria: faults of the pond's data that no time step cures.
//
//   - Start.  The frustum routing takes its starting storage from the
//     frustum volume at the starting level but reads levels back from the
//     piecewise-linear storage between the h-A rows, so it effectively
//     starts away from the entered level inside a segment (and far above
//     it beyond the top row).  Where the flood volume is large a few
//     millimetres move nothing, so the check routes the reference a second
//     time from the entered level and names the start only when that moves
//     the reference's Hmax or Q2 noticeably.  Remedy: h-A rows around and
//     above the starting level.
//   - AboveCrest.  A starting level above the spillway crest spills before
//     the flood arrives.  Remedy: the starting level.
//   - AboveTable.  Above the top h-A row the storage is extrapolated; how
//     it is extended decides the result.  Remedy: rows up to above the
//     design flood water level.
//   - NoReference.  The reference could not route this storage relation.
#include "calc/AccuracyParts.h"

#include <algorithm>
#include <cmath>

namespace wyndlor {

namespace {

// The level the guideline's starting storage stands for on the
// piecewise-linear storage, minus the entered starting level, m; NaN when
// the storage relation or the starting storage cannot be read.
double StartOffset(const CQo &routed) {
    CRefRouting pond;
    const double V0 = GuidelineStartStorage(routed);
    if (!pond.SetFrom(routed) || std::isnan(V0)) return std::numeric_limits<double>::quiet_NaN();
    return pond.Storage.LevelAt(V0) - routed.ELS;
}

// True when the reference started from the entered level, instead of from
// the guideline's starting storage, differs from `ref` beyond the start
// shifts (or cannot be routed).
bool EnteredStartMovesTheReference(const CRefRouting &ref, AccuracyCheck &check) {
    CRefRouting fromEntered = ref;
    fromEntered.KeepSeries = false;
    fromEntered.StartStorage = ref.Storage.VolumeAt(ref.ELS);
    fromEntered.Calc();
    if (fromEntered.Error() != 0) return true;
    check.refQ2FromEnteredStart = fromEntered.Q2();
    check.refHmaxFromEnteredStart = fromEntered.Hmax();
    const double depthShift = std::fabs(fromEntered.Hmax() - ref.Hmax());
    const double dischargeShift = std::fabs(fromEntered.Q2() - ref.Q2());
    return depthShift > kStartDepthShift || dischargeShift > kStartDischargeShift * ref.Q2();
}

}  // namespace

void JudgeData(const CQo &routed, const CRefRouting *ref, AccuracyCheck &check) {
    using R = AccuracyReason;
    const bool frustum = routed.HVCMethod != 0;
    check.startOffset = frustum ? StartOffset(routed) : 0.0;
    // Without a reference the storage relation itself is at fault
    // (NoReference), and nothing can show that the start matters.
    if (frustum && ref && !(std::fabs(check.startOffset) <= kStartTolerance)) {
        // A start that cannot be located at all is as far off as can be.
        if (!std::isfinite(check.startOffset) || EnteredStartMovesTheReference(*ref, check))
            check.reasons.push_back(R::Start);
    }
    if (frustum && routed.ELS > routed.SectEL + kAboveCrestMargin) check.reasons.push_back(R::AboveCrest);
    if (frustum && (check.maxLevel > check.topLevel || (ref && check.refMaxLevel > check.topLevel)))
        check.reasons.push_back(R::AboveTable);
    if (!ref) check.reasons.push_back(R::NoReference);
}

}  // namespace wyndlor
