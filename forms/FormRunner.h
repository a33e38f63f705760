// Opening an input form from the main window: the form is created, its
// LoadData / SaveData (and CalcData) are connected to the handlers over the
// project, and it is shown modally.
#pragma once

#include "forms/InputDialog.h"
#include "core/Project.h"

#include <QString>
#include <memory>

class QWidget;

namespace wyndlor {

// The form of a command button's tag ("InpJyoken", "InpHVC", "InpArea",
// "InpSection", "InpDeltaT"), its events connected to the handlers over
// `project`, with an empty caption and help file; null for another tag.
// The project must outlive the form.
std::unique_ptr<InputDialog> CreateInputForm(const QString &tag, Project &project, QWidget *parent);

// Creates the form and shows it modally.  True when it was confirmed with
// OK (its group is then stored and IsModified set); false when cancelled or
// for an unknown tag.
bool RunInputForm(const QString &tag, Project &project, QWidget *parent);

}  // namespace wyndlor
