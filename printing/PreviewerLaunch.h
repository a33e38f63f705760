// Starting the report previewer on the joined print file.
//
// The previewer (Glancer) is a program of its own that shows and prints a
// print file; it lives in the program's own folder and is started without
// waiting, so the engineer can keep both windows open.  It is handed the
// folder where it keeps its own settings with the switch /INI= (the
// per-user work folder, or beside Wyndlor.INI for an installed program)
// and the print file's path.  The two go as separate arguments with
// no shell in between, so a folder or a path with spaces reaches the
// previewer whole and needs no quoting.
//
// The start itself goes through a replaceable starter, so that the print
// menu can be exercised without starting a process.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace wyndlor {

// Starts `program` with `arguments`; true when it was started.
using PreviewerStarter = std::function<bool(const QString &program, const QStringList &arguments)>;

// The previewer beside the running executable.
QString PreviewerProgram();
// {"/INI=" + workFolder, printFile}, with "/PROJECT=" + projectFile and
// "/TITLE=" + title before the print file when they are not empty: the
// previewer names its window and the PDF after the project and heads every
// page with its title.
QStringList PreviewerArguments(const QString &workFolder, const QString &printFile,
                               const QString &projectFile = QString(), const QString &title = QString());

// Starts the previewer on `printFile` of the project `projectFile` ("" when
// never saved) titled `title`, with the work folder WorkFolder(), through
// the installed starter.  False when it could not be started.
bool StartPreviewer(const QString &printFile, const QString &projectFile = QString(),
                    const QString &title = QString());

// Installs a starter; an empty one restores the real start (a detached
// process, no waiting).
void SetPreviewerStarter(PreviewerStarter starter);

}  // namespace wyndlor
