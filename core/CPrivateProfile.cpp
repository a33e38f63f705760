#include "core/CPrivateProfile.h"

#include "calc/SlotValue.h"
#include "core/SystemHelpers.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace wyndlor {

namespace {

// A settings file is a few hundred short lines; a larger file is not ours
// and is neither read nor rewritten.
constexpr qint64 kMaxSettingsBytes = 1024 * 1024;

enum class ReadState { Ok, Missing, Failed };

// The file as raw lines without their line ends.  Lines are kept as bytes so
// that a write puts back every line it does not change exactly as it was,
// even one that is not valid Shift_JIS.
ReadState ReadLines(const QString &path, QList<QByteArray> &lines, int32_t *code = nullptr) {
    lines.clear();
    if (path.isEmpty()) return ReadState::Failed;
    QByteArray bytes;
    const int32_t e = ReadRegularFile(path, kMaxSettingsBytes, bytes);
    if (code) *code = e;
    if (e == err::FileNotFound) return ReadState::Missing;
    if (e != 0) return ReadState::Failed;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') continue;
        lines.append(bytes.mid(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.append(bytes.mid(start));
    return ReadState::Ok;
}

bool IsComment(const QString &trimmed) { return trimmed.startsWith(QLatin1Char(';')); }

// The section name of a "[name]" line, or a null string for other lines.
QString SectionName(const QByteArray &line) {
    const QString t = FromShiftJis(line).trimmed();
    if (!t.startsWith(QLatin1Char('['))) return QString();
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    const QString name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
    return name.isNull() ? QStringLiteral("") : name;
}

// Splits a "key=value" line; false for lines that are none.
bool SplitKeyLine(const QByteArray &line, QString &key, QString &value) {
    const QString t = FromShiftJis(line);
    const QString trimmed = t.trimmed();
    if (trimmed.isEmpty() || IsComment(trimmed) || trimmed.startsWith(QLatin1Char('['))) return false;
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq < 0) return false;
    key = t.left(eq).trimmed();
    value = t.mid(eq + 1).trimmed();
    // A value wrapped in matching quotes is read without them, as the
    // platform's own profile functions read it.
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front()) {
        value = value.mid(1, value.size() - 2);
    }
    return true;
}

bool SameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Where a key sits: the index of the section's header line (-1 when the
// section is missing), of the key's line (-1 when missing) and of the last
// line that belongs to the section's content.
struct Place {
    int section = -1;
    int key = -1;
    int lastContent = -1;
    QString value;
};

Place Locate(const QList<QByteArray> &lines, const QString &section, const QString &key) {
    Place p;
    bool inside = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString name = SectionName(lines[i]);
        if (!name.isNull()) {
            if (inside) break;  // the first section of that name counts
            inside = SameName(name, section);
            if (inside) p.section = p.lastContent = i;
            continue;
        }
        if (!inside) continue;
        if (!FromShiftJis(lines[i]).trimmed().isEmpty()) p.lastContent = i;
        QString k, v;
        if (p.key < 0 && SplitKeyLine(lines[i], k, v) && SameName(k, key)) {
            p.key = i;
            p.value = v;
        }
    }
    return p;
}

struct FailureReport {
    CPrivateProfile::WriteFailureHandler handler;
    QSet<QString> reported;  // files whose failure was shown
};

FailureReport &Failures() {
    static FailureReport f;
    return f;
}

// A settings file that cannot be written is said once per file and run:
// every window writes its place on closing, and one message is enough.
bool Failed(const QString &path, int32_t code, int32_t *out) {
    if (out) *out = code;
    FailureReport &f = Failures();
    const QString key = QFileInfo(path).absoluteFilePath();
    if (f.handler && !f.reported.contains(key)) {
        f.reported.insert(key);
        f.handler(path, code);
    }
    return false;
}

bool HasLineBreak(const QString &s) {
    return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'));
}

}  // namespace

int32_t CPrivateProfile::GetValueLong(const QString &strINIFileName, const QString &strSection,
                                      const QString &strKey) {
    const QString v = GetValueString(strINIFileName, strSection, strKey).trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < v.size() && (v[i] == QLatin1Char('-') || v[i] == QLatin1Char('+'))) negative = v[i++] == QLatin1Char('-');
    int64_t n = 0;
    bool digits = false;
    for (; i < v.size() && v[i] >= QLatin1Char('0') && v[i] <= QLatin1Char('9'); ++i) {
        digits = true;
        n = n * 10 + (v[i].unicode() - '0');
        if (n > int64_t(INT32_MAX) + 1) return 0;  // no 32-bit value begins the text
    }
    if (!digits) return 0;
    if (negative) n = -n;
    if (n > INT32_MAX || n < INT32_MIN) return 0;
    return static_cast<int32_t>(n);
}

QString CPrivateProfile::GetValueString(const QString &strINIFileName, const QString &strSection,
                                        const QString &strKey) {
    QList<QByteArray> lines;
    if (ReadLines(strINIFileName, lines) != ReadState::Ok) return QString();
    const Place p = Locate(lines, strSection, strKey);
    return p.key < 0 ? QString() : p.value;
}

bool CPrivateProfile::CanHoldValue(const QString &strValue) {
    return !HasLineBreak(strValue) && CanEncodeShiftJis(strValue);
}

bool CPrivateProfile::SetValueString(const QString &strINIFileName, const QString &strSection,
                                     const QString &strKey, const QString &strValue, int32_t *code) {
    // Names and values that the line format cannot hold are refused rather
    // than written as lines that read back as something else.
    const QString section = strSection.trimmed();
    const QString key = strKey.trimmed();
    if (section.isEmpty() || key.isEmpty() || section.contains(QLatin1Char(']')) ||
        key.contains(QLatin1Char('=')) || key.startsWith(QLatin1Char('[')) || key.startsWith(QLatin1Char(';')) ||
        HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(strValue)) {
        if (code) *code = err::InvalidCall;
        return false;
    }
    bool ok = false;
    const QByteArray keyLine = ToShiftJis(key + QLatin1Char('=') + strValue, &ok);
    if (!ok || !CanEncodeShiftJis(key + QLatin1Char('=') + strValue) || !CanEncodeShiftJis(section)) {
        if (code) *code = err::InvalidCall;
        return false;
    }

    QList<QByteArray> lines;
    int32_t readCode = 0;
    if (ReadLines(strINIFileName, lines, &readCode) == ReadState::Failed)
        return Failed(strINIFileName, readCode ? readCode : err::PathAccess, code);
    const Place p = Locate(lines, section, key);
    if (p.key >= 0) {
        lines[p.key] = keyLine;
    } else if (p.section >= 0) {
        lines.insert(p.lastContent + 1, keyLine);
    } else {
        lines.append(ToShiftJis(QLatin1Char('[') + section + QLatin1Char(']')));
        lines.append(keyLine);
    }

    const QFileInfo info(strINIFileName);
    QDir().mkpath(info.absolutePath());
    QByteArray bytes;
    for (const QByteArray &l : lines) {
        bytes += l;
        bytes += "\r\n";
    }
    // Written whole beside the old file and renamed into place, so that a
    // crash or a full disk never leaves half a settings file.
    if (int32_t e = WriteFileReplacing(strINIFileName, bytes)) return Failed(strINIFileName, e, code);
    if (code) *code = 0;
    return true;
}

void CPrivateProfile::SetWriteFailureHandler(WriteFailureHandler handler) {
    Failures().handler = std::move(handler);
    Failures().reported.clear();
}

QString ReadIniString(const QString &section, const QString &key, const QString &file) {
    return CPrivateProfile::GetValueString(file, section, key);
}

}  // namespace wyndlor
