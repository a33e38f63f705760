// Fixture files for the file-layer tests: written as the program's own
// files are, Shift_JIS with CR LF, independently of the code under test.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringEncoder>
#include <QStringList>

#include "calc/SlotValue.h"

#include <ostream>

namespace wyndlor {
// Readable slot values in failure messages.
inline void PrintTo(const SlotValue &v, std::ostream *os) {
    static const char *const kinds[] = {"Empty", "Int16", "Int32", "Double", "String"};
    *os << kinds[static_cast<int>(v.kind())] << "(" << v.ToText() << ")";
}
}  // namespace wyndlor

namespace wyndlor::testfiles {

inline QByteArray Sjis(const QString &s) {
    QStringEncoder enc("Shift_JIS");
    return enc(s);
}

inline QByteArray SjisLines(const QStringList &lines) {
    return Sjis(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

inline bool WriteBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write(bytes) == bytes.size();
}

inline QByteArray ReadBytes(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QByteArray();
    return f.readAll();
}

}  // namespace wyndlor::testfiles
