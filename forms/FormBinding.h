// The owner's handlers of the input forms: they copy between the project's
// data set and a form's controls.
//
// Load*: every control first gets its default, then, only when the group's
// flag is set, the group's values; a slot that does not convert leaves its
// control as the default left it.  Save*: the controls go into the group's
// slots (numbers as doubles, option indexes as integers, texts as text), the
// tables are rebuilt packed from row 1, and the group's flag and IsModified
// are set; `cancel` is set only by the h-V form's refusals and by Cancel on
// the catchment form's offer of its default values, and then nothing is
// stored.
#pragma once

#include "core/Project.h"

namespace wyndlor {

class frmInpArea;
class frmInpDeltaT;
class frmInpHVC;
class frmInpJyoken;
class frmInpSection;

void LoadJyoken(const Project &project, frmInpJyoken &form);
void SaveJyoken(Project &project, const frmInpJyoken &form, bool &cancel);

void LoadHVC(const Project &project, frmInpHVC &form);
void SaveHVC(Project &project, frmInpHVC &form, bool &cancel);

void LoadArea(const Project &project, frmInpArea &form);
// With sub-catchment rows and an adopted value of 0, first offers the
// table's values (as "ﾃﾞﾌｫﾙﾄ値") for those at 0; Cancel keeps the form open.
void SaveArea(Project &project, frmInpArea &form, bool &cancel);
// "ﾃﾞﾌｫﾙﾄ値": total area and area-weighted fp and C of the filled rows.
void CalcAreaDefaults(frmInpArea &form);

void LoadSection(const Project &project, frmInpSection &form);
void SaveSection(Project &project, const frmInpSection &form, bool &cancel);

// Runs the flood-arrival-time step over the current data, apart from the
// last calculation run, to show tp.
void LoadDeltaT(const Project &project, frmInpDeltaT &form);
void SaveDeltaT(Project &project, const frmInpDeltaT &form, bool &cancel);

}  // namespace wyndlor
