// Where the program's files are: the settings file, the report format file
// and the per-user work folder.  Process-wide, set once at start-up; tests
// point them at temporary files.
#pragma once

#include <QString>

namespace wyndlor {

// Settings file Wyndlor.INI: beside the executable when that folder is
// writable (a portable install), else in the per-user configuration folder.
QString DefaultIniFileName();
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
