// The open project as the desktop program holds it: the input data set,
// the last calculation run, and the shell's state.
#pragma once

#include "calc/ProjectData.h"
#include "core/CalcRun.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <utility>

namespace wyndlor {

// Asked by a window that shows a run: has the project's input changed
// since that run?  An empty query means never.
using RunStaleQuery = std::function<bool()>;

struct Project {
    ProjectData Data;
    // The last calculation run, with the input it was made from; a later
    // edit of Data does not change it.
    CalcRun Run;
    bool IsModified = false;     // input changed since the last save
    QString CurrentFileName;     // empty for an unsaved project
    // The number of edits of Data so far, and its value when Run was made:
    // while they differ the shown results belong to the input before the
    // edits (the run itself stays consistent with its own input).
    uint64_t Edits = 0;
    uint64_t RunEdits = 0;

    // An edit of the input: unsaved, and the last run no longer its own.
    void MarkEdited() {
        IsModified = true;
        ++Edits;
    }
    // A new run of the present input.
    void SetRun(CalcRun run) {
        Run = std::move(run);
        RunEdits = Edits;
    }
    bool RunIsStale() const { return Edits != RunEdits; }
    // The input replaced by a new or read project: unmodified, without a run.
    void Replaced() {
        IsModified = false;
        SetRun(CalcRun());
    }
};

}  // namespace wyndlor
