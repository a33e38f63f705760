// The previewer's command line:
//
//     Glancer [/INI=<work folder>] [/PROJECT=<project file>] [/TITLE=<title>] <print file>
//
// The work folder holds the previewer's settings file Glancer.INI.  The
// project file (the .wyd the report was made from, "" for a project never
// saved) and its title name the window, head every page and suggest the
// PDF's folder and name; without them the print file's name serves.  The
// print file's path ends the command line and is not quoted by the program
// that starts us, so a path with spaces may arrive split over several
// arguments; they are joined again with single spaces.
#pragma once

#include <QString>
#include <QStringList>

namespace wyndlor::glancer {

struct LaunchArguments {
    QString iniFolder;    // "" when no /INI= was given
    QString projectFile;  // "" when no /PROJECT= was given
    QString title;        // "" when no /TITLE= was given
    QString printFile;    // "" when none was given
};

// `arguments` without the program name.
LaunchArguments ParseLaunchArguments(const QStringList &arguments);

}  // namespace wyndlor::glancer
