// Files shared by the previewer's tests.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace previewer_test {

// The sample report: four pages, headings 1, 1-1, 1-2, 2, 2-1, 3, 3-1, 3-2,
// a table running from page 2 over page 3.
inline QString SamplePath()
{
    return QStringLiteral(PREVIEWER_TEST_DATA "/sample.prn");
}

inline bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace previewer_test
