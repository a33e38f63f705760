// The owner's handlers of the numbering-style form: they copy between the
// form and section "Chapter" of the settings file.  The project data set is
// not involved: the numbering style belongs to the installation, not to one
// pond, and changing it does not make the project modified.
//
// Keys: "Method" (0-3), "Init" (0-99), "Style1"-"Style4" (0 no number,
// 1-9 the list styles), "Margin1"-"Margin4" (0-10 columns); a missing key
// reads as 0.
#pragma once

#include <QString>

#include <memory>

class QWidget;

namespace wyndlor {

class frmInpRenban;

// Fills the form from the settings file `iniFile`, or from the shipped
// default settings while it holds no style of its own.  A style of 0 (or one
// outside 1-9) leaves its list without a selection; a method outside 0-3
// selects "なし"; numbers outside their fields' ranges are held to them, so
// the form never opens with a value it would refuse.
void LoadRenban(frmInpRenban &form, const QString &iniFile);
// Writes the form into the settings file; an unselected style list is
// stored as 0.  Never cancels.
void SaveRenban(const frmInpRenban &form, const QString &iniFile, bool &cancel);

// The form with its handlers connected to the settings file IniFileName(),
// with an empty caption and help file.
std::unique_ptr<frmInpRenban> CreateRenbanForm(QWidget *parent);
// Creates the form and shows it modally; true when confirmed with OK.
bool RunRenbanForm(QWidget *parent);

}  // namespace wyndlor
