// The settings file: bracketed sections of key=value lines, Shift_JIS text.
//
// Window places, the recent-file list, the Open dialog's folder and the
// numbering style of report headings live here.  Section and key names
// match without regard to case; writing one key keeps every other line of
// the file as it was, and the file is replaced whole through a temporary
// file, so a crash never leaves half a settings file.  A missing file or key
// reads as 0 or the empty string.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

namespace wyndlor {

class CPrivateProfile {
public:
    // The integer the value begins with; 0 when missing or not numeric.
    static int32_t GetValueLong(const QString &strINIFileName, const QString &strSection,
                                const QString &strKey);
    // The value (not cut at any length); "" when missing.
    static QString GetValueString(const QString &strINIFileName, const QString &strSection,
                                  const QString &strKey);
    // Whether a value can be written and read back as itself: Shift_JIS
    // text on one line (a path with a character Shift_JIS lacks, like
    // U+301C, cannot).
    static bool CanHoldValue(const QString &strValue);
    // Writes the value, creating the file, section or key as needed; false
    // for a value it cannot hold (the file untouched).  On a failed write
    // the file keeps its old content and `code` (when given) the error
    // number: 61 disk full, 70 permission denied, 75 not a regular file.
    static bool SetValueString(const QString &strINIFileName, const QString &strSection,
                               const QString &strKey, const QString &strValue, int32_t *code = nullptr);

    // Called with the file and the error number the first time a write to a
    // settings file fails (once per file until the handler is set again);
    // the desktop program shows a message.  An empty handler reports nothing.
    using WriteFailureHandler = std::function<void(const QString &path, int32_t code)>;
    static void SetWriteFailureHandler(WriteFailureHandler handler);
};

// Same as GetValueString, in the argument order the shell uses.
QString ReadIniString(const QString &section, const QString &key, const QString &file);

}  // namespace wyndlor
