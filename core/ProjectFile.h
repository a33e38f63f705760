// The project file (.wyd): three header lines, then the five groups of the
// data set, one value per line, Shift_JIS with CR LF.
//
// Version 1.40 is written; 1.40, 1.20/1.10 and 1.00 are read.  Every reader
// starts from a reset data set and leaves a reset data set when it fails, so
// a damaged file never leaves half a project behind.
#pragma once

#include "calc/ProjectData.h"

#include <QString>
#include <cstdint>

namespace wyndlor {

// A project file holds about 130 short lines even with both tables full, so
// a few MiB is far beyond any genuine file.  Anything larger is refused
// before it is read, so that a wrong or damaged file cannot take the
// program's memory with it (err::FileTooLarge).
constexpr qint64 kMaxProjectFileBytes = 4 * 1024 * 1024;

// The version text of the third header line ("1.40"), or "error".
QString ReadFileVersion(const QString &path);

// Readers of versions 1.40, 1.20/1.10 and 1.00.  On failure `code` receives
// the error number (never 0) and `data` is reset; on success `code` is left
// unchanged.
bool LoadProjectFile(const QString &path, ProjectData &data, int32_t &code);
bool LoadProjectFile120(const QString &path, ProjectData &data, int32_t &code);
bool LoadProjectFile100(const QString &path, ProjectData &data, int32_t &code);

// Writes version 1.40 through a temporary file beside `path` that replaces
// it only when everything was written.  Refuses (false, non-zero code,
// nothing written) texts holding a double quote or a character Shift_JIS
// cannot hold.
bool SaveProjectFile(const QString &path, const ProjectData &data, int32_t &code);

// The file-type check and reader choice of the Open command.
enum class OpenOutcome {
    Ok,
    WrongType,           // the name does not end in .wyd (any case); code 0
    UnsupportedVersion,  // `version` names it; code 0
    ReadFailed           // `code` says why: a reader failed (data reset), or
                         // the file could not be opened at all (missing, no
                         // permission, too large; no reader ran, data kept)
};
struct OpenResult {
    OpenOutcome outcome = OpenOutcome::ReadFailed;
    QString version;
    int32_t code = 0;
};
OpenResult OpenProjectFile(const QString &path, ProjectData &data);

// The product title written into and shown with project files.
inline const char *ProductTitle() { return "Ostrevin"; }

}  // namespace wyndlor
