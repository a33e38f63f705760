// The pond's flood-control effect: the design flood from a lowered pond,
// and under heavier rain.
//
// Owners lower ponds before heavy rain (pre-release) and ask what that
// buys: how much the empty volume cuts the peak outflow and the peak
// level.  Engineers also ask how much margin the spillway keeps when the
// design rainfall grows, for example by the factor 1.1 flood planning
// applies for a warmer climate.  The study answers both with full
// calculations of copies of the project, one per drawdown d and rainfall
// factor f, and nothing else changed:
//
//   - the routing starts from FWL - d.  Frustum method: the h-A rows must
//     reach that level, else the case is skipped with its reason.
//     Constant-area method: the guideline knows the pond only above the
//     full water level, so below it the pond keeps its full-water surface
//     area (vertical banks), down to the depth its stored volume fills.
//   - the rainfall formula's constant a is multiplied by f, so the flood
//     arrival time, the waveform and the inflow all follow.
//
// d = 0 with f = 1 is the project's own calculation, bit for bit (for the
// frustum method when the project starts from its full water level).  Per
// factor the study also finds the smallest drawdown, to 0.01 m, at which
// the design flood no longer spills over the crest (Q2 = 0), by bisection
// with full calculations.
//
// Units: levels, depths and drawdowns m, volumes m3, discharges m3/s.
#pragma once

#include "calc/AccuracyCheck.h"
#include "calc/CalcDriver.h"
#include "calc/ProjectData.h"

#include <cstdint>
#include <vector>

namespace wyndlor {

constexpr int32_t kMaxStudyCases = 100;      // drawdowns x factors
constexpr double kMaxStudyDrawdown = 100;    // m
constexpr double kMaxRainFactor = 10;
constexpr double kNoSpillResolution = 0.01;  // m, the no-spill drawdown's step
// Drawdowns are kept to whole millimetres, as the levels are.
constexpr double kDrawdownUnit = 0.001;      // m

// The defaults of the window: 0 to 2 m by 0.25 m, factors 1.0 and 1.1.
constexpr double kDefaultMaxDrawdown = 2.0, kDefaultDrawdownStep = 0.25;
const std::vector<double> &DefaultRainFactors();

// What a list of drawdowns or factors is refused for.
enum class StudyListError {
    None,
    Empty,            // no drawdown or no factor
    BadDrawdown,      // negative, not a number, beyond kMaxStudyDrawdown
    BadStep,          // not a number, below 1 mm (with a maximum above 0)
    BadFactor,        // 0 or less, not a number, beyond kMaxRainFactor
    TooManyCases,     // more than kMaxStudyCases
};

// 0, step, 2 step, ... up to dmax, and dmax itself when the steps miss it,
// each kept to 1 mm.  Empty when the maximum or the step is refused (see
// CheckStudyLists); {0} for dmax 0 whatever the step.
std::vector<double> DrawdownList(double dmax, double step);
StudyListError CheckDrawdownRange(double dmax, double step);
StudyListError CheckStudyLists(const std::vector<double> &drawdowns, const std::vector<double> &factors);

// How the pond's storage below the full water level is known.
enum class StorageBelowFWL {
    Table,         // frustum method: from the h-A rows
    ConstantArea,  // constant-area method: vertical banks at the full-water area
};

// Why a case was not calculated.
enum class StudySkip {
    None,
    BelowTable,    // frustum method: FWL - d lies below the lowest h-A row
    BeyondVolume,  // constant-area method: d empties more than the stored volume
};

struct StudyCase {
    double drawdown = 0;     // d, m
    double factor = 1;       // f
    StudySkip skip = StudySkip::None;
    double startLevel = 0;   // FWL - d, m

    // The calculation (not for a skipped case).
    bool ok = false;
    CalcStep failedStep = CalcStep::None;
    int32_t failedError = 0;
    double emptyVolume = 0;  // storage between FWL - d and FWL at the start, m3
    double Q1 = 0;           // design flood discharge, m3/s
    double Q2 = 0;           // peak outflow, m3/s
    double reduction = 0;    // Q1 - Q2, m3/s
    double reductionPercent = 0;  // 100 (Q1 - Q2) / Q1; 0 without inflow
    double Hmax = 0;         // maximum overflow depth, m
    double HWL = 0;          // design flood water level = crest + Hmax, m
    double maxLevel = 0;     // highest water level of the routing, m
    bool spills = false;     // Q2 > 0
    // The accuracy check of the case's routing.
    bool warning = false;
    std::vector<AccuracyReason> reasons;
};

struct NoSpillDrawdown {
    double factor = 1;
    // False ("none") when even the deepest drawdown the data allow spills.
    bool found = false;
    double drawdown = 0;     // m, to 0.01 m: no spill at it, a spill 0.01 m less
    // The accuracy check of the calculation at that drawdown.
    bool warning = false;
    std::vector<AccuracyReason> reasons;
};

struct FloodStudy {
    // False when the project itself cannot be calculated (failedStep and
    // failedError say why) or a list was refused (listError); nothing
    // else is set then.
    bool ok = false;
    StudyListError listError = StudyListError::None;
    CalcStep failedStep = CalcStep::None;
    int32_t failedError = 0;

    StorageBelowFWL storage = StorageBelowFWL::ConstantArea;
    double fwl = 0;            // full water level = crest level, m
    // Frustum method: the project's own starting level, m.  When it is not
    // the full water level, d = 0 differs from the project's calculation.
    double projectStart = 0;
    // The deepest drawdown the data allow, m: frustum down to the lowest
    // h-A row; constant-area to the stored volume / area (kMaxStudyDrawdown
    // without a volume).
    double deepest = 0;

    std::vector<StudyCase> cases;          // factor by factor, drawdowns rising
    std::vector<NoSpillDrawdown> noSpill;  // one per factor, in list order
    int32_t calculations = 0;              // full calculations made
};

// The study of `data` (which stays untouched) over the lists.
FloodStudy RunFloodStudy(const ProjectData &data, const std::vector<double> &drawdowns,
                         const std::vector<double> &factors);

}  // namespace wyndlor
