// Sizing the spillway: the narrowest width that keeps the design flood
// water level at or below the level the embankment allows.
//
// The calculation answers "which level does the design flood reach over
// this spillway?"; the engineer who rehabilitates a pond asks the inverse.
// The design flood water level HWL = crest level + maximum overflow depth
// falls as the spillway widens, but the guideline routing (a damped
// iteration at coarse steps, results rounded to 1 mm) need not fall
// strictly at every 0.1 m.  So the search brackets the width by doubling
// from the narrowest step (0.1, 0.2, 0.4 ... m, up to 1 000 m), then
// bisects on whole steps of 0.1 m, and every trial is a full calculation of
// a copy of the project with nothing changed but the width of its own
// spillway type (the channel width B for a channel inflow without weir, the
// weir's effective width B otherwise; the coefficient C or Cd stays).  The
// answer B is a width at which the calculation succeeds with HWL <= HWLa
// while at B - 0.1 m it does not (it fails or HWL > HWLa); both are full
// calculations.
//
// The answer carries the accuracy check of the calculation at B.  Where
// the guideline routing does not settle, its HWL jumps with B and the
// search may end far from any sound width.  So when the check at B finds
// the guideline routing inaccurate for the pond (a routing reason), the
// same search is made on the design flood water level of the 1-minute
// routing of the same flood, crest + refHmax, which falls steadily with B,
// and that width is the answer; the guideline's search result stands
// beside it as information.  The design flood does not depend on B, so an
// answer sized on an under-estimated flood (reason Inflow) carries that
// warning.
//
// Units: levels, depths and widths m, discharges m3/s.
#pragma once

#include "calc/AccuracyCheck.h"
#include "calc/CalcDriver.h"
#include "calc/ProjectData.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace wyndlor {

constexpr double kWidthStep = 0.1;          // m, the resolution of the answer
constexpr int32_t kMaxWidthSteps = 10000;   // 1 000 m, the widest width tried
// A level counts as at or below the allowable one within this margin: the
// crest level plus a depth kept to 1 mm differs from its decimal value by
// binary noise only.
constexpr double kLevelNoise = 1e-6;        // m

enum class WidthStatus {
    Found,          // B is the narrowest width in the sense above
    AlreadyEnough,  // even the narrowest width, 0.1 m, keeps HWL <= HWLa
    None,           // no width up to 1 000 m is enough
};

// One trial calculation.
struct WidthTrial {
    double B = 0;     // m
    bool ok = false;  // the calculation succeeded
    double HWL = 0;   // design flood water level, m (when ok)
};

struct WidthSolveOptions {
    // Widths calculated on each side of the answer for a table of B against
    // HWL (0: none beyond the two the search made).
    int32_t tableHalfRows = 0;
    double subStep = 1.0;  // sub-step of the accuracy check's reference, min
};

struct WidthSolution {
    // False when the project cannot be calculated even at the narrowest
    // width: failedStep and failedError tell why, nothing else is set.
    bool ok = false;
    CalcStep failedStep = CalcStep::None;
    int32_t failedError = 0;

    double allowable = 0;      // HWLa, m
    double crest = 0;          // crest level of the spillway (the full water level), m
    int32_t sectType = 0;      // 0 channel inflow without weir, otherwise weir
    double currentB = 0;       // the width the project holds, m
    WidthStatus status = WidthStatus::None;
    bool belowCrest = false;   // None because HWLa lies below the crest level

    // The guideline's search result (Found, AlreadyEnough) and its
    // calculation.
    double B = 0;              // m
    double HWL = 0;            // design flood water level, m
    double Hmax = 0;           // maximum overflow depth, m
    double Q2 = 0;             // peak outflow, m3/s
    std::optional<AccuracyCheck> check;  // of the calculation at B (check->ok false: could not judge)

    // Only when the check at B has a routing reason: the same search on the
    // 1-minute routing's design flood water level.
    bool referenceSearched = false;
    WidthStatus referenceStatus = WidthStatus::None;
    double referenceB = 0;     // m (Found, AlreadyEnough)
    double referenceHWL = 0;   // crest + refHmax at referenceB, m
    double referenceQ2 = 0;    // refQ2 at referenceB, m3/s

    // The answer: the reference's width when it was searched, else B.
    bool SizedByReference() const { return referenceSearched; }
    WidthStatus AnswerStatus() const { return referenceSearched ? referenceStatus : status; }
    double AnswerB() const { return referenceSearched ? referenceB : B; }
    double AnswerHWL() const { return referenceSearched ? referenceHWL : HWL; }
    double AnswerHmax() const { return referenceSearched ? referenceHWL - crest : Hmax; }
    double AnswerQ2() const { return referenceSearched ? referenceQ2 : Q2; }

    std::vector<WidthTrial> table;  // around the answer, by rising B
    int32_t calculations = 0;       // full calculations made
};

// The narrowest width for HWL <= `allowable` (m).  `data` stays untouched.
WidthSolution SolveWidth(const ProjectData &data, double allowable,
                         const WidthSolveOptions &options = WidthSolveOptions());

// The SectionData slot that holds B for the project's spillway type, as the
// calculation reads it: the channel width for type 0, the weir's width
// otherwise (also for a type that reads as no number).
int32_t SpillwayWidthSlot(const ProjectData &data);
// B of the project's spillway type, m; 0 when the slot holds no number.
double SpillwayWidth(const ProjectData &data);
// Stores B (m) in that slot; the other slots stay.
void SetSpillwayWidth(ProjectData &data, double B);

}  // namespace wyndlor
