// One calculation run: the input it was made from, the engine objects it
// produced and the accuracy check of its flood routing.
//
// A run is made in one go from a data set and never changes afterwards.
// Everything that shows or prints results (the results menu, the print
// menu, the report, the command-line calculator, the benchmarks) reads one
// run, so a table, a graph and a report can never mix the input of one run
// with the results of another.  The engine objects are those of this run
// only: a run that stopped at a step has no objects for the steps after it.
#pragma once

#include "calc/AccuracyCheck.h"
#include "calc/CalcDriver.h"
#include "calc/ProjectData.h"

#include <QString>

#include <optional>

namespace wyndlor {

struct CalcRunOptions {
    bool check = true;          // make the accuracy check after a successful run
    bool keepSeries = true;     // keep the reference's sub-step series (graphs)
};

struct CalcRun {
    ProjectData Data;           // the input of the run, as it was calculated
    // The project file the input came from; "" for a project never saved.
    // The report and the save dialogs name their output after it.
    QString SourceFile;
    CalcResults Results;        // engine objects of this run
    bool Ok = false;            // CalcAll succeeded
    // The accuracy check, made after a successful run when asked for.  A
    // check that could not compute its reference still stands and warns
    // (reason noReference); ok is false only without a routing to judge.
    std::optional<AccuracyCheck> Check;

    // The check when it could judge the run, else null.
    const AccuracyCheck *ValidCheck() const { return Check && Check->ok ? &*Check : nullptr; }
};

// Runs CalcAll over a copy of `data` from fresh engine objects, then (on
// success, when asked) the accuracy check.
CalcRun MakeCalcRun(const ProjectData &data, const CalcRunOptions &options = CalcRunOptions());

}  // namespace wyndlor
