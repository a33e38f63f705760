// The values each report section prints, taken from the project data set
// and the engine objects of the last calculation.
//
// The section writers print exactly these values.  Table rows are the
// engine's own item records (calc/Items.h), copied whole from the engine's
// collections, so a section can be written (and tested) from records built
// by hand as well as from a real calculation.  Units as in the engine: levels and depths m, areas m2
// (pond) and km2 (catchment), storage m3, discharges m3/s, times minutes,
// rainfall intensities mm/h.
#pragma once

#include "calc/AccuracyCheck.h"
#include "calc/ProjectData.h"
#include "calc/CalcDriver.h"
#include "calc/Items.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace wyndlor {

// Row limits of the tables of 『計算条件』; more rows make the section fail.
// The tables of the calculation (arrival time, rainfall, waveform, inflow,
// routing) have none: whatever a valid project computes prints whole.
constexpr int32_t kMaxHVRows = 20;
constexpr int32_t kMaxCatchmentRows = 10;

// Section 『計算条件』.
struct ConditionsValues {
    QString Title;
    double V = 0, FWL = 0, A = 0, Margin = 0, Qfix = 0;  // m3, m, m2, %, m3/s
    int32_t HVCMethod = 0;   // 0 constant-area, otherwise frustums
    double ELS = 0;          // starting level, m
    std::vector<clsQoHVC> HV;  // the storage relation of the routing
    int32_t Siki = 0, Unit = 0;
    double a = 0, b = 0, n = 0;
    // The sub-catchments as the two weighted averages hold them, same index:
    // area n, value V (fp or C) and rounded product NV (km2).
    std::vector<clsAveItem> FpItems, CItems;
    double FpGNV = 0, CGNV = 0;               // sums of A fp and A C
    double AreaSum = 0, FpAve = 0, CAve = 0;  // the table's area and averages
    // The values the calculation used (km2, -, -).  The engineer may adopt
    // others than the table's sum and averages.
    double Area = 0, Fp = 0, C = 0;
    int32_t SectType = 0;
    double SectB = 0, SectCd = 0;             // m, coefficient
};

// Section 『設計洪水流量の計算』.
struct DischargeValues {
    double Margin = 0;        // %
    double MarginFactor = 1;  // Fs the inflow was multiplied by, (margin + 100) / 100
    int32_t Siki = 0;
    double a = 0, b = 0, n = 0;
    std::vector<clsTpData> Tp;
    double tp = 0;            // min
    double DeltaT = 0;        // min
    std::vector<clsRdataIn> Rainfall;
    int32_t Pattern = 0;      // 0 rear-peaked, otherwise centre-peaked
    std::vector<clsRdataR> Waveform;
    std::vector<clsQiData> Hydrograph;
    double Q1 = 0;            // design flood discharge, m3/s
    // The step chosen apart from tp: Q1 lies more than the inflow
    // tolerance away from its value at the guideline's step TpStep, by
    // Q1Share % (positive: above, the safe side).
    bool ApartFromTp = false;
    int32_t TpStep = 0;       // min
    double Q1Share = 0;       // %
};

// The accuracy check in section 『設計洪水位の計算』: its finding right after
// the design flood water level when it warns, and the note before the
// closing "以　上": one short paragraph with both differences when it
// passes, every reason with its values and remedy when it warns.
struct AccuracyNoteValues {
    bool Print = false;        // a check stands: the note is printed
    bool Warning = false;      // it warns: the finding and the full note
    bool HasReference = true;  // false: the reference could not be computed
    double RefQ2 = 0;          // peak outflow of the 1-minute reference, m3/s
    double RefHmax = 0;        // its largest overflow depth, m
    double RefLevel = 0;       // its design flood water level, m
    double Balance = 0;        // volume balance of the routing, % of the inflow volume
    int32_t NonConverged = 0;  // time points whose level iteration did not settle
    int32_t FirstHH = 0, FirstMM = 0;  // clock time of the first of them
    double DepthDiff = 0;      // |Hmax - reference Hmax|, m
    double DepthTolerance = kDepthTolerance;  // m
    double DischargeDiff = 0;  // |Q2 - reference Q2| as a share of it, % (at most kMaxPrintedPercent)
    double DischargeTolerance = kDischargeTolerance * 100;  // %
    bool Inflow = false;       // Q1 below its value at the guideline's step ...
    int32_t TpStep = 0;        // ... that step, min
    double Q1AtTpStep = 0;     // ... and Q1 there, m3/s
    bool Routing = false;      // the guideline routing is not accurate for this pond
    bool Depth = false;        // the depth differs beyond the tolerance
    bool Discharge = false;    // the peak outflow differs beyond the tolerance
    double SafeSideLevel = 0;  // with Routing, m
    bool Start = false;        // the routing starts away from the starting level ...
    double StartOffset = 0;    // ... by this much, m
    bool AboveCrest = false;   // the starting level lies above the crest
    bool AboveTable = false;   // a level above the top h-A row ...
    double TopLevel = 0;       // ... at this level, m
    bool Data() const { return Start || AboveCrest || AboveTable || !HasReference; }
};
// The largest percentage the note prints (a difference from a reference
// without outflow has no finite share).
constexpr double kMaxPrintedPercent = 999.9;

// Section 『設計洪水位の計算』.
struct WaterLevelValues {
    double FWL = 0;
    double Q1 = 0;
    std::vector<clsQoData> Routing;
    int32_t PeakRow = 0;      // position of the peak outflow, 0 when none
    double Q2 = 0;            // peak outflow, m3/s
    double Hmax = 0;          // m
    double DesignFloodLevel = 0;  // m
    AccuracyNoteValues Note;
};

// Each collector fails (false) when an engine object it needs is missing or
// a slot it reads does not convert to a number.
bool CollectConditionsValues(const ProjectData &data, const CalcResults &res, ConditionsValues &out);
// The discharge collector takes the inflow criterion from `check` (none:
// the step is taken as chosen from tp).
bool CollectDischargeValues(const ProjectData &data, const CalcResults &res, DischargeValues &out,
                            const AccuracyCheck *check = nullptr);
// The water-level collector takes the note from `check`, the accuracy
// check of `res` (none: no note).
bool CollectWaterLevelValues(const ProjectData &data, const CalcResults &res, WaterLevelValues &out,
                             const AccuracyCheck *check = nullptr);
// The note of a check; Print is false when the check could not judge.
AccuracyNoteValues CollectAccuracyNote(const AccuracyCheck &check, const CQo &routed);

}  // namespace wyndlor
