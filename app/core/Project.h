// The open project as the desktop program holds it: the input data set,
// the results of the last calculation, its accuracy check, and the shell's
// state.
#pragma once

#include "AccuracyCheck.h"
#include "basCalc.h"
#include "ProjectData.h"

#include <QString>

#include <optional>

namespace wyndlor {

struct Project {
    ProjectData Data;
    CalcResults Results;
    // The accuracy check of Results against a fine-step reference routing,
    // made right after every successful calculation; empty after a failed
    // one or when the check had nothing to judge.  It only reports: no
    // value in Results depends on it.
    std::optional<AccuracyCheck> Check;
    bool IsModified = false;     // input changed since the last save
    QString CurrentFileName;     // empty for an unsaved project
};

}  // namespace wyndlor
