// The command "設計洪水位の計算" of the main window.
//
// Makes a new calculation run from the project's input (with its accuracy
// check) and then shows the results menu modally, also after a failed run:
// the engineer sees what the run computed and can look at the tables of the
// steps that did run.
#pragma once

#include "core/Project.h"

#include <functional>

class QWidget;

namespace wyndlor {

// project.Run = MakeCalcRun(project.Data) under a wait cursor (on a warning
// the check's search for a smaller step recalculates the project several
// times); on failure the information message msg::CalcFailedText() is
// shown.  Then frmMenuRO modally over `parent`.  `openPrintMenu` and
// `openSolveWidth`, when set, show the print menu and the spillway sizing
// window modally over the widget they are given (the results menu).
void RunCalculationCommand(Project &project, QWidget *parent,
                           std::function<void(QWidget *)> openPrintMenu = {},
                           std::function<void(QWidget *)> openSolveWidth = {});

}  // namespace wyndlor
