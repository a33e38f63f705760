// Where the program's files are: the settings file, the report format file
// and the per-user work folder.  Process-wide, set once at start-up; tests
// point them at temporary files.
#pragma once

#include <QString>

namespace wyndlor {

// An installed program: its executable sits in PREFIX/bin beside
// PREFIX/share/wyndlor.  Anything else (the build tree, a folder holding the
// programs and Wyndlor.FMT) is a portable folder.
bool IsInstalledProgram(const QString &exeFolder);
// The per-user folder the three programs share for their settings:
// $XDG_CONFIG_HOME (default ~/.config) + "/Tarnvale/Wyndlor".
QString UserSettingsFolder();
// Settings file Wyndlor.INI of the program in `exeFolder`.  Installed: in
// UserSettingsFolder(), never beside the executable (also for root, so that
// no file the package does not own appears under /usr).  Portable: beside
// the executable when that folder is writable, else in UserSettingsFolder().
QString IniFileNameFor(const QString &exeFolder);
// The same for the running program; Wyndlor, Glancer and wyndlor-calc of
// one installation thus read and write one file.
QString DefaultIniFileName();
// The folder handed to the previewer for its own settings file Glancer.INI:
// beside Wyndlor.INI for an installed program, the work folder otherwise.
QString PreviewerSettingsFolder();
// A file shipped with the program (the report format file, the default
// settings): beside the executable (a build tree or a portable folder),
// else in share/wyndlor/ of the program's own installation prefix (the
// executable in PREFIX/bin), else in share/wyndlor/ of the system's data
// folders.  Absolute, whatever the working folder; the name beside the
// executable when none exists.
QString LocateDataFile(const QString &fileName);
// Report format file Wyndlor.FMT, found by LocateDataFile.
QString DefaultFormatFileName();
// Default settings Wyndlor.default.INI, shipped beside the report format
// file (and found the same way): the numbering style of report headings a
// fresh installation prints with, until the user saves a style of their own.
QString DefaultSettingsFileName();

QString IniFileName();
void SetIniFileName(const QString &path);
QString FormatFileName();
void SetFormatFileName(const QString &path);
QString WorkFolder();
void SetWorkFolder(const QString &path);

}  // namespace wyndlor
