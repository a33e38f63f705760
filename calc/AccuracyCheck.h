// Accuracy check of a calculation: can the engineer rely on the design
// flood water level of this pond at this calculation time step?
//
// It judges the whole chain in three parts, each with its own remedy:
//
//   1. The inflow (InflowCriterion.cpp).  The rainfall waveform's peak step
//      carries the intensity for one time step, so the design flood
//      discharge Q1 falls as the step grows; the guideline ties the step to
//      the flood arrival time, Δt ≈ tp.  The check recalculates the rainfall
//      and the inflow alone at the guideline's step (tp rounded half up to a
//      whole minute, 10 to 120) and compares Q1.  Q1 more than 5 % below
//      its value there under-estimates the design flood (reason Inflow;
//      remedy: calculate at that step).  More than 5 % above it is the safe
//      side and only information.
//   2. The routing against a reference (RoutingCriterion.cpp).  The
//      guideline routing steps once per time step and solves each step by a
//      damped fixed-point iteration, so a pond that responds fast against
//      the step is routed inaccurately or not at all (reasons NonConverged,
//      Depth, Discharge).  The same design inflow routed at 1-minute
//      sub-steps (CRefRouting) is the remedy: its design flood water level
//      is shown beside the guideline's, and with a routing reason the
//      higher of the two is the safe-side level.  No other step is
//      suggested: a smaller step would change the design flood itself.
//   3. The data (DataCriteria.cpp): a frustum pond whose routing starts
//      away from the entered starting level where that moves the result
//      (Start), a starting level above the spillway crest (AboveCrest),
//      levels above the top h-A row (AboveTable), a storage relation the
//      reference cannot route (NoReference).  Their remedy is the data.
//
// The check changes none of the guideline results.
#pragma once

#include "calc/CRefRouting.h"
#include "calc/CalcDriver.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace wyndlor {

// Limits of the verdict.
constexpr double kInflowTolerance = 0.05;        // |Q1 / Q1 at the guideline's step - 1|
constexpr double kDepthTolerance = 0.05;         // m, |reference Hmax - Hmax|
constexpr double kDischargeTolerance = 0.05;     // |reference Q2 - Q2| as a share of the reference Q2
constexpr double kStartTolerance = 0.01;         // m, |startOffset| worth a second reference
// Starting the reference from the entered level instead moves its result
// by more than this: reason Start.
constexpr double kStartDepthShift = 0.025;       // m, of the reference Hmax
constexpr double kStartDischargeShift = 0.025;   // share of the reference Q2
constexpr double kFrustumLevelSpread = 0.001;    // m, last two trial levels of a frustum point
constexpr double kAboveCrestMargin = 0.0005;     // m, half the millimetre levels are entered in
// The guideline's time step: tp rounded half up to a whole minute, within
// the steps the input allows.
constexpr int32_t kSmallestDeltaT = 10;          // minutes
constexpr int32_t kLargestDeltaT = 120;          // minutes

// Why a check warns, in the order the check lists them.
enum class AccuracyReason {
    Inflow,        // Q1 more than kInflowTolerance below Q1 at the guideline's step
    NonConverged,  // the level iteration did not settle at some time point
    Depth,         // |reference Hmax - Hmax| > kDepthTolerance
    Discharge,     // |reference Q2 - Q2| > kDischargeTolerance x reference Q2
    Start,         // frustum: the start away from the entered level moves the reference
    AboveCrest,    // frustum: the entered starting level lies above the spillway crest
    AboveTable,    // frustum method: a level above the top h-A row
    NoReference,   // the reference routing could not be computed
};
// The reason's word in the command line's JSON and CSV ("inflow",
// "nonConverged", "depth", "discharge", "start", "aboveCrest",
// "aboveTable", "noReference").
const char *AccuracyReasonWord(AccuracyReason reason);
// True for the reasons of the routing against its reference, whose remedy
// is the 1-minute routing of the same flood.
bool IsRoutingReason(AccuracyReason reason);

// The guideline's step for a flood arrival time: tp (minutes) rounded half
// up to a whole minute, within kSmallestDeltaT to kLargestDeltaT; 0 for a
// tp that is not a positive number.
int32_t GuidelineStep(double tp);
// The design flood discharge Q1 of the project's rainfall and inflow
// recalculated at `dtMinutes`, m3/s; NaN when they cannot be calculated.
// The project data set is untouched.
double DesignDischargeAt(const ProjectData &data, int32_t dtMinutes);

// How the guideline routing's iteration went, from CQo::PassRecords.
struct RoutingDiagnostics {
    int32_t timePoints = 0;
    // Time points whose iteration did not settle.  Constant-area method: the
    // points that ended at the pass limit.  Frustum method: reaching the
    // limit is common and harmless there (the bisection resolves only
    // 0.0001 m), so only the points at the limit whose last two trial
    // levels are more than kFrustumLevelSpread apart.
    int32_t nonConverged = 0;
    int32_t firstNonConverged = 0;  // 1-based position in Qo, 0 when none
    // The largest k = dt dQ/dh / A over the time points with outflow (dt the
    // point's own step in s, H and A at its unrounded level, A the slope of
    // the piecewise-linear storage there); 0 when nothing flows out.  The
    // guideline's update E <- (E + E')/2 contracts by |1 - k/2| / 2 a pass,
    // so above k of about 6 its levels oscillate instead of settling.
    double maxK = 0;
    int32_t maxKAt = 0;             // 1-based position in Qo, 0 when none
};

// Diagnoses a routing after its Calc.  The storage relation of its prepared
// points gives A; a relation that is no proper storage curve gives maxK 0.
RoutingDiagnostics DiagnoseRouting(const CQo &routed);

struct AccuracyOptions {
    double subStep = 1.0;      // reference sub-step, minutes
    bool keepSeries = true;    // keep the reference's sub-step series
};

struct AccuracyCheck {
    // False only when there is nothing to check (no successful routing);
    // then `error` holds the reason and nothing else is set.  A check made
    // on a successful routing always stands, even when its reference could
    // not be computed (reason NoReference, `error` the reference's failure).
    bool ok = false;
    int32_t error = 0;

    // The inflow (CheckAccuracy only; without a flood arrival time tpStep
    // stays 0 and the values NaN).
    int32_t deltaT = 0;        // calculation time step, minutes
    double tp = std::numeric_limits<double>::quiet_NaN();          // flood arrival time, minutes
    int32_t tpStep = 0;        // the guideline's step, GuidelineStep(tp), minutes
    double q1 = std::numeric_limits<double>::quiet_NaN();          // Q1 of the run, m3/s
    double q1AtTpStep = std::numeric_limits<double>::quiet_NaN();  // Q1 at tpStep, m3/s
    // q1 / q1AtTpStep - 1: below -kInflowTolerance reason Inflow, above
    // +kInflowTolerance the safe side (information); NaN without it.
    double InflowShare() const;
    bool Q1AboveTpStep() const { return InflowShare() > kInflowTolerance; }

    // The guideline routing, as checked.
    double q2 = 0;             // its peak outflow Q2, m3/s
    double hmax = 0;           // its maximum overflow depth Hmax, m
    double maxLevel = 0;       // its highest stored water level, m
    RoutingDiagnostics routing;
    double crest = 0;          // crest level of the spillway, m
    double guidelineLevel = 0; // its design flood water level, crest + hmax, m
    // The level the guideline's starting storage stands for on its own
    // piecewise-linear storage (extended above the top row, never capped)
    // minus the entered starting level, m; NaN when it cannot be located.
    double startOffset = 0;
    // Frustum method: level of the top h-A row, m; NaN otherwise.
    double topLevel = std::numeric_limits<double>::quiet_NaN();
    // Volume balance of the guideline routing as its table stands (stored
    // Qi, Qo and V, trapezoids between the time points from 0 m3/s at
    // t = 0): inflow volume - outflow volume - storage change, in % of the
    // inflow volume; NaN without inflow.  Information, not a reason.
    double balance = std::numeric_limits<double>::quiet_NaN();

    // The reference routing of the same flood and pond, its peaks from the
    // first time point on; NaN and empty with reason NoReference.
    double refQ2 = std::numeric_limits<double>::quiet_NaN();     // peak outflow over the sub-steps, m3/s
    double tPeak = std::numeric_limits<double>::quiet_NaN();     // time of that peak, minutes
    double refHmax = std::numeric_limits<double>::quiet_NaN();   // maximum overflow depth, m
    double refMaxLevel = std::numeric_limits<double>::quiet_NaN();  // highest water level, m
    // Its design flood water level, crest + refHmax, m.
    double designFloodLevel = std::numeric_limits<double>::quiet_NaN();
    // With a routing reason: the higher of guidelineLevel and
    // designFloodLevel, the level to adopt; NaN otherwise.
    double safeSideLevel = std::numeric_limits<double>::quiet_NaN();
    // Frustum method with |startOffset| > kStartTolerance: the reference
    // started from the entered level instead; NaN otherwise.
    double refQ2FromEnteredStart = std::numeric_limits<double>::quiet_NaN();
    double refHmaxFromEnteredStart = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> refQoAtPoints;  // outflow at each time point of Qo, m3/s
    std::vector<RefSample> refSeries;   // every sub-step (with keepSeries)

    // The verdict: every criterion that fails, in the order of
    // AccuracyReason.  The check warns exactly when there is one.
    std::vector<AccuracyReason> reasons;
    bool warning() const { return !reasons.empty(); }
    bool Has(AccuracyReason reason) const;
    bool HasRoutingReason() const;  // the guideline routing is not accurate for this pond
    bool hasReference() const { return ok && !Has(AccuracyReason::NoReference); }
};

// The verdict on one routing after its Calc: the routing against its
// reference and the data, without the inflow (its fields stay unset).  ok
// is false only when the routing failed.
AccuracyCheck CheckRouting(const CQo &routed, const AccuracyOptions &options = AccuracyOptions());

// Adds the inflow criterion to a check of the routing of `results`: Q1 of
// the run at its step (deltaT, read from `data`) against Q1 at the
// guideline's step.  The reasons stay in the order of AccuracyReason.
void JudgeInflow(const ProjectData &data, const CalcResults &results, AccuracyCheck &check);

// Checks a finished calculation.  `results` must come from CalcAll(data,
// results) and have succeeded.  Nothing in either changes.  The cost is
// one reference routing, one recalculation of the rainfall and inflow at
// the guideline's step (none when the run is at it), and for a frustum
// pond with a start offset a second reference.
AccuracyCheck CheckAccuracy(const ProjectData &data, const CalcResults &results,
                            const AccuracyOptions &options = AccuracyOptions());

}  // namespace wyndlor
