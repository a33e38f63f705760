// Small file and process helpers used by the shell and the report printing.
// None shows a message; each reports failure by its result.
#pragma once

#include <QString>
#include <QStringList>

namespace wyndlor {

// The per-user data folder under which the work folder lives
// (GenericDataLocation); "" when the platform gives none.
QString LocalAppDataFolder();
// LocalAppDataFolder() + "/Tarnvale/Wyndlor", created if missing (failures
// ignored).
QString PrepareWorkFolder();

// Creates one folder; false on any failure, including an existing folder.
bool MakeFolder(const QString &path);
// A new, uniquely named empty file with the prefix "~MT" in the temporary
// folder; "" on failure.
QString MakeTempFileName();
bool RemoveFile(const QString &path);
// Creates or empties the file.
bool CanWriteFile(const QString &path);
// Appends every line of `source` to `destination`, each followed by CR LF.
bool AppendFileLines(const QString &destination, const QString &source);
// The file a save dialog suggests for an output of the project file
// `projectFile`: beside it, named after it ("osawa-ike" + "_" + `what` +
// "." + `suffix`, the "_" part left out when `what` is ""); for a project
// never saved ("") `what` alone, in the documents folder.
QString SuggestedOutputPath(const QString &projectFile, const QString &what, const QString &suffix);

namespace CSystem {
// Starts `program` with `arguments` (no shell in between); with `wait` the
// call returns when it ends.  False when it could not be started.
bool Shell(const QString &program, const QStringList &arguments, bool wait = false);
}  // namespace CSystem

// Shift_JIS conversion of the text files.
QByteArray ToShiftJis(const QString &text, bool *ok = nullptr);
QString FromShiftJis(const QByteArray &bytes);
// As above; `ok` is false when the bytes are no valid Shift_JIS.
QString FromShiftJis(const QByteArray &bytes, bool *ok);
// True when every character of `text` has a Shift_JIS form.
bool CanEncodeShiftJis(const QString &text);

}  // namespace wyndlor
