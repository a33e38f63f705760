// The values each report section prints, taken from the project data set
// and the engine objects of the last calculation.
//
// The section writers print exactly these records, so a section can be
// written (and tested) from values built by hand as well as from a real
// calculation.  Units as in the engine: levels and depths m, areas m2
// (pond) and km2 (catchment), storage m3, discharges m3/s, times minutes,
// rainfall intensities mm/h.
#pragma once

#include "calc/AccuracyCheck.h"
#include "calc/ProjectData.h"
#include "calc/CalcDriver.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace wyndlor {

// Row limits of the report tables; more rows make a section fail.
constexpr int32_t kMaxHVRows = 20;
constexpr int32_t kMaxCatchmentRows = 10;
constexpr int32_t kMaxTpRows = 100;
constexpr int32_t kMaxRainfallRows = 500;
constexpr int32_t kMaxWaveformRows = 500;
constexpr int32_t kMaxHydrographRows = 500;
constexpr int32_t kMaxRoutingRows = 1000;

struct HVRow {
    double EL = 0, h = 0, A = 0, V = 0;  // m, m, m2, m3
};

struct CatchmentRow {
    QString Title;
    double Area = 0;           // km2
    double Fp = 0, FpNV = 0;   // fp and A fp
    double C = 0, CNV = 0;     // C and A C
};

// Section 『計算条件』.
struct ConditionsValues {
    QString Title;
    double V = 0, FWL = 0, A = 0, Margin = 0, Qfix = 0;  // m3, m, m2, %, m3/s
    int32_t HVCMethod = 0;   // 0 constant-area, otherwise frustums
    double ELS = 0;          // starting level, m
    std::vector<HVRow> HV;
    int32_t Siki = 0, Unit = 0;
    double a = 0, b = 0, n = 0;
    std::vector<CatchmentRow> Catchments;
    double FpGNV = 0, CGNV = 0;               // sums of A fp and A C
    double Area = 0, Fp = 0, C = 0;           // adopted values (km2, -, -)
    int32_t SectType = 0;
    double SectB = 0, SectCd = 0;             // m, coefficient
};

struct TpRow {
    double t = 0, r = 0, re = 0, tp = 0;  // min, mm/h, mm/h, min
};
struct RainfallRow {
    int32_t t = 0;
    double r = 0, nr = 0, i = 0;
};
struct WaveformRow {
    int32_t tshh = 0, tsmm = 0, tehh = 0, temm = 0;
    double r = 0;
};
struct HydrographRow {
    int32_t t = 0;
    double r = 0, Qi = 0, Qid = 0;
};

// Section 『設計洪水流量の計算』.
struct DischargeValues {
    double Margin = 0;        // %
    double MarginFactor = 1;  // (margin + 100) / 100
    int32_t Siki = 0;
    double a = 0, b = 0, n = 0;
    std::vector<TpRow> Tp;
    double tp = 0;            // min
    double DeltaT = 0;        // min
    std::vector<RainfallRow> Rainfall;
    int32_t Pattern = 0;      // 0 rear-peaked, otherwise centre-peaked
    std::vector<WaveformRow> Waveform;
    std::vector<HydrographRow> Hydrograph;
    double Q1 = 0;            // design flood discharge, m3/s
};

struct RoutingRow {
    int32_t hh = 0, mm = 0, t = 0;
    double Qi = 0, Qo = 0, h = 0, V = 0;
};

// The note on the accuracy check closing section 『設計洪水位の計算』,
// printed only when the check warns: every reason with its values and its
// remedy.
struct AccuracyNoteValues {
    bool Print = false;
    bool HasReference = true;  // false: the reference could not be computed
    double RefQ2 = 0;          // peak outflow of the 1-minute reference, m3/s
    double RefHmax = 0;        // its largest overflow depth, m
    double Balance = 0;        // volume balance of the routing, % of the inflow volume
    int32_t NonConverged = 0;  // time points whose level iteration did not settle
    int32_t FirstHH = 0, FirstMM = 0;  // clock time of the first of them
    bool TimeStep = false;     // a reason a smaller step can cure
    bool Depth = false;        // the depth differs from the reference's ...
    double DepthDiff = 0;      // ... by this much, m
    double DepthTolerance = kDepthTolerance;  // m
    bool Discharge = false;    // the peak outflow differs from the reference's ...
    double DischargeDiff = 0;  // ... by this share of it, % (at most kMaxPrintedPercent)
    double DischargeTolerance = kDischargeTolerance * 100;  // %
    AccuracySuggestion Suggestion = AccuracySuggestion::None;
    int32_t SuggestedDT = 0;   // min, with SmallerStep
    int32_t SmallestDT = kSmallestSuggestedDeltaT;  // min, the input's lower limit
    bool Start = false;        // the routing starts away from the starting level ...
    double StartOffset = 0;    // ... by this much, m
    bool AboveTable = false;   // a level above the top h-A row ...
    double TopLevel = 0;       // ... at this level, m
};
// The largest percentage the note prints (a difference from a reference
// without outflow has no finite share).
constexpr double kMaxPrintedPercent = 999.9;

// Section 『設計洪水位の計算』.
struct WaterLevelValues {
    double FWL = 0;
    double Q1 = 0;
    std::vector<RoutingRow> Routing;
    int32_t PeakRow = 0;      // position of the peak outflow, 0 when none
    double Q2 = 0;            // peak outflow, m3/s
    double Hmax = 0;          // m
    double DesignFloodLevel = 0;  // m
    AccuracyNoteValues Note;
};

// Each collector fails (false) when an engine object it needs is missing or
// a slot it reads does not convert to a number.
bool CollectConditionsValues(const ProjectData &data, const CalcResults &res, ConditionsValues &out);
bool CollectDischargeValues(const ProjectData &data, const CalcResults &res, DischargeValues &out);
// The water-level collector takes the note from `check`, the accuracy
// check of `res` (none: no note).
bool CollectWaterLevelValues(const ProjectData &data, const CalcResults &res, WaterLevelValues &out,
                             const AccuracyCheck *check = nullptr);
// The note of a check; Print is false unless the check warns.
AccuracyNoteValues CollectAccuracyNote(const AccuracyCheck &check, const CQo &routed);

}  // namespace wyndlor
