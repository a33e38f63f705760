// The open project as the desktop program holds it: the input data set,
// the last calculation run, and the shell's state.
#pragma once

#include "calc/ProjectData.h"
#include "core/CalcRun.h"

#include <QString>

namespace wyndlor {

struct Project {
    ProjectData Data;
    // The last calculation run, with the input it was made from; a later
    // edit of Data does not change it.
    CalcRun Run;
    bool IsModified = false;     // input changed since the last save
    QString CurrentFileName;     // empty for an unsaved project
};

}  // namespace wyndlor
