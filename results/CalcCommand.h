// The command "設計洪水位の計算" of the main window.
//
// Runs the whole design-flood calculation over the project's input, checks
// its accuracy against a fine-step reference routing, and then shows the
// results menu modally, also after a failed run: the engineer sees what the
// run left and can look at the tables of the steps that did run.
#pragma once

#include "Project.h"

#include <functional>

class QWidget;

namespace wyndlor {

// The message shown when the calculation stops on an error.
extern const char *const kCalcFailedMessage;

// CalcAll over project.Data into project.Results.  On success the accuracy
// check into project.Check (under a wait cursor: on a warning its search
// for a smaller step recalculates the project up to fifty times); on
// failure project.Check is emptied and the information message
// kCalcFailedMessage is shown.  Then frmMenuRO modally over `parent`.
// `openPrintMenu`, when set, shows the print menu modally over the widget
// it is given (the results menu).
void RunCalculationCommand(Project &project, QWidget *parent,
                           std::function<void(QWidget *)> openPrintMenu = {});

// The accuracy check of a successful calculation, or nothing when the
// check has nothing to judge (see AccuracyCheck::ok).
std::optional<AccuracyCheck> CheckCalculation(const ProjectData &data, const CalcResults &results);

}  // namespace wyndlor
