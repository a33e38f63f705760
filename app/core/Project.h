// The open project as the desktop program holds it: the input data set,
// the results of the last calculation, and the shell's state.
#pragma once

#include "basCalc.h"
#include "ProjectData.h"

#include <QString>

namespace wyndlor {

struct Project {
    ProjectData Data;
    CalcResults Results;
    bool IsModified = false;     // input changed since the last save
    QString CurrentFileName;     // empty for an unsaved project
};

}  // namespace wyndlor
