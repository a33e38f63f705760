// The calculation driver: the whole design-flood calculation of a project.
//
// Each step creates a fresh engine object, fills it from the project data
// set, runs it and checks it: flood arrival time, weighted averages,
// rainfall waveform, inflow hydrograph, flood routing, and finally the
// design flood water level = crest level + maximum overflow depth.  The
// objects stay in CalcResults as the results of the project; a step that
// did not run keeps the previous run's object.
//
// Before the first step the driver checks the catchment values the
// hydrology rests on: an adopted area, fp or C of 0 or less would give no
// rain-fed inflow at all (Q1 = Qfix, HWL close to FWL), a result that looks
// plausible and is wrong, so such a project is refused with no engine
// object made.
#pragma once

#include "calc/CQo.h"
#include "calc/ProjectData.h"
#include "calc/clsAve.h"
#include "calc/clsQi.h"
#include "calc/clsRdata.h"
#include "calc/clsTp.h"

#include <memory>
#include <optional>

namespace wyndlor {

// Upper bound on the time points of one routing (a 99-hour tail at a
// 1-minute step is well inside); beyond it CalcQo fails with
// err::OutOfMemory before adding any point.
constexpr int32_t kMaxTimePoints = 100000;

// Input is the check before the first step; the others are the steps.
enum class CalcStep { None, Input, Tp, Average, Rainfall, Qi, Qo, Level };

// An adopted catchment value (CatchmentSummary 1 to 3) that is 0 or less,
// which makes CalcAll refuse the project.
enum class MissingInput { None, CatchmentArea, CatchmentFp, CatchmentC };

// The first adopted catchment value that is 0 or less (or not a number).
MissingInput FindMissingInput(const ProjectData &data);

struct CalcResults {
    std::shared_ptr<clsTp> objTp;
    std::shared_ptr<clsAve> objAveFp;
    std::shared_ptr<clsAve> objAveC;
    std::shared_ptr<clsRdata> objRdata;
    std::shared_ptr<clsQi> objQi;
    std::shared_ptr<CQo> objQo;
    double DesignFloodLevel = 0;  // m

    // Where the last CalcAll stopped and why (err::DriverStep when an
    // engine object reported a failure, else the set-up's own error).
    CalcStep FailedStep = CalcStep::None;
    int32_t FailedError = 0;
    // With FailedStep Input: the value that is missing.
    MissingInput Missing = MissingInput::None;
    // The flood-arrival-time step's own outcome (it never stops the run).
    int32_t TpError = 0;
};

// A calculation of the project under a condition its data cannot hold.
// The default is the project's own calculation.
struct CalcOptions {
    // When set: the routing starts from the full water level minus this
    // drawdown (m, a pond lowered before the rain) instead of from the
    // project's own starting level.  With the constant-area method the pond
    // keeps its full-water surface area below the full water level too
    // (vertical banks): storage = area x (level - (FWL - drawdown)).  A
    // drawdown of 0 gives the constant-area project's own relation exactly.
    std::optional<double> drawdown;
};

// Runs every step in order; false when any step from the averages on fails.
bool CalcAll(const ProjectData &data, CalcResults &res);
bool CalcAll(const ProjectData &data, CalcResults &res, const CalcOptions &options);

// The single steps.  Each returns 0 on success, else the error number that
// stops it (err::DriverStep when the object's Calc failed).
int32_t CalcTpStep(const ProjectData &data, CalcResults &res);
int32_t CalcAverage(const ProjectData &data, CalcResults &res);
int32_t CalcRainfall(const ProjectData &data, CalcResults &res);
int32_t CalcQi(const ProjectData &data, CalcResults &res);
int32_t CalcQo(const ProjectData &data, CalcResults &res);
int32_t CalcQo(const ProjectData &data, CalcResults &res, const CalcOptions &options);

// The whole calculation redone at another calculation time step, in
// memory: a copy of `data` with DeltaTData element 1 set to dtMinutes goes
// through CalcAll into `res`.  The project data set itself is untouched.
bool CalcAllAtDeltaT(const ProjectData &data, int32_t dtMinutes, CalcResults &res);

// The flood-arrival-time step as the time-step form uses it: true when tp
// could be computed.
bool CalcTp(const ProjectData &data, CalcResults &res);

}  // namespace wyndlor
