// Small file and process helpers used by the shell and the report printing.
// None shows a message; each reports failure by its result.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace wyndlor {

// The per-user data folder under which the work folder lives
// (GenericDataLocation); "" when the platform gives none.
QString LocalAppDataFolder();
// LocalAppDataFolder() + "/Tarnvale/Wyndlor", created if missing (failures
// ignored).
QString PrepareWorkFolder();

// Creates one folder; false on any failure, including an existing folder.
bool MakeFolder(const QString &path);
// A new, uniquely named empty file in the temporary folder, named after the
// program and its process ("wyndlor-calc-4711-a8Xk2q.tmp") so that a user
// who finds one knows whose it is; "" on failure.  The file is registered
// for removal on an interrupting signal (RegisterTempFile).
QString MakeTempFileName();
// Deletes the file (and drops it from the temporary-file registry).
bool RemoveFile(const QString &path);

// ---- Temporary files and interruptions ----
//
// Every temporary file the program creates is registered while it exists;
// SIGINT, SIGTERM and SIGHUP then delete every registered file before the
// program ends as the signal says (the handler only calls unlink, which is
// safe in a signal handler).  A file created elsewhere is registered right
// after it was created and unregistered once it was renamed or deleted.
void RegisterTempFile(const QString &path);
void UnregisterTempFile(const QString &path);
// Installs the signal handlers (a signal the caller ignores, as under nohup,
// stays ignored) and removes this program's temporary files older than a
// day that an earlier run left in the temporary folder after kill -9 (only
// there, never beside a user's file, and never those of a running process).
// Called once at the start of each program.
void PrepareTempFiles();
// The part of RemoveStaleTempFiles' work, for tests: removes this program's
// temporary files in `folder` last changed more than `maxAgeSeconds` ago
// whose process is gone; returns how many were removed.
int RemoveStaleTempFiles(const QString &folder, qint64 maxAgeSeconds);
// The program's name as temporary files carry it.
QString TempFilePrefix();

// True when both paths name the same existing file (same device and inode,
// links followed), whatever the spelling of the paths.
bool SameFile(const QString &a, const QString &b);
// Creates or empties the file.
bool CanWriteFile(const QString &path);
// Appends every line of `source` to `destination`, each followed by CR LF.
bool AppendFileLines(const QString &destination, const QString &source);
// The file a save dialog suggests for an output of the project file
// `projectFile`: beside it, named after it ("osawa-ike" + "_" + `what` +
// "." + `suffix`, the "_" part left out when `what` is ""); for a project
// never saved ("") `what` alone, in the documents folder.
QString SuggestedOutputPath(const QString &projectFile, const QString &what, const QString &suffix);

// A print file of the report is some hundred kilobytes; 64 MiB is far
// beyond any, and the most a print file is read or joined with.
constexpr qint64 kMaxPrintFileBytes = 64 * 1024 * 1024;

// ---- Whole-file reading and writing ----
//
// Every file the program reads goes through ReadRegularFile and every file
// it writes through WriteFileReplacing, so that a FIFO named as a project
// never blocks, a damaged file cannot take the memory, and a full disk never
// costs the previous copy of a file.  Both return 0 or the error number of
// the file operation (the numbering the messages show).

// The error number of a failed file operation, from the system's errno:
// 61 disk full (also a quota or a file-size limit), 70 permission denied
// (also a read-only file system), 53 file not found when `reading`, else
// 75 path/file access error.
int32_t FileErrorCode(int errnoValue, bool reading);

// The whole content of the regular file `path`, at most `maxBytes`.  A
// folder, FIFO, device or socket fails at once with 75 (it is opened
// without blocking and checked before one byte is read); a larger file
// fails with err::FileTooLarge, a missing one with 53, an unreadable one
// with 70.
int32_t ReadRegularFile(const QString &path, qint64 maxBytes, QByteArray &bytes);
// True when `path` names something that exists and is no regular file (a
// folder, FIFO, device or socket); a symbolic link counts as its target.
bool ExistsButNotRegularFile(const QString &path);

// Makes `bytes` the whole content of `path`: written into a new temporary
// file beside it, every write and the close checked, synced to the disk,
// then renamed over `path`.  On any failure `path` keeps its old content
// byte for byte and the temporary file is removed.  An existing file keeps
// its permissions; a symbolic link is followed, so the link stays and its
// target is replaced, or created when the link dangles (as a shell's
// redirection writes through it).  A folder, FIFO, device or socket at
// `path` is never replaced (75).  The temporary file is hidden and carries
// the program's name (".report.pdf.wyndlor-calc-a8Xk2q").
int32_t WriteFileReplacing(const QString &path, const QByteArray &bytes);
// As above, but `path` keeps its content and `bytes` are added at its end.
int32_t AppendFileReplacing(const QString &path, const QByteArray &bytes, qint64 maxBytes);

// Tests without the right to mount a small file system: from now on the
// writes of WriteFileReplacing fail with "no space" once `bytes` bytes have
// been written in all; a negative value ends the fault.
void SetWriteSpaceForTests(qint64 bytes);

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
