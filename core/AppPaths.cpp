#include "core/AppPaths.h"

#include "core/SystemHelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace wyndlor {

namespace {

struct Paths {
    QString ini, format, work;
};

Paths &Current() {
    static Paths p;
    return p;
}

// The folder of the running executable, also before a QCoreApplication
// exists (tests, early start-up).
QString ExeFolder() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    const QString target = self.symLinkTarget();
    return target.isEmpty() ? QDir::currentPath() : QFileInfo(target).absolutePath();
}

const char kIniName[] = "Wyndlor.INI";
const char kFormatName[] = "Wyndlor.FMT";
const char kDefaultSettingsName[] = "Wyndlor.default.INI";

// A file shipped with the program: beside the executable, else in the
// installed data folder.
QString ShippedFile(const QString &name) {
    const QString exe = ExeFolder();
    const QString beside = exe + QLatin1Char('/') + name;
    if (QFileInfo::exists(beside)) return beside;
    const QString installed = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                     QStringLiteral("wyndlor/") + name);
    if (!installed.isEmpty()) return installed;
    const QString relative = QDir::cleanPath(exe + QStringLiteral("/../share/wyndlor/") + name);
    if (QFileInfo::exists(relative)) return relative;
    // None found: the name beside the program, so that a message names the
    // file the installation lacks.
    return beside;
}

}  // namespace

QString DefaultIniFileName() {
    const QString exe = ExeFolder();
    if (QFileInfo(exe).isWritable()) return exe + QLatin1Char('/') + QLatin1String(kIniName);
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QLatin1Char('/') +
           QLatin1String(kIniName);
}

QString DefaultFormatFileName() { return ShippedFile(QLatin1String(kFormatName)); }

QString DefaultSettingsFileName() { return ShippedFile(QLatin1String(kDefaultSettingsName)); }

QString IniFileName() {
    if (Current().ini.isEmpty()) Current().ini = DefaultIniFileName();
    return Current().ini;
}
void SetIniFileName(const QString &path) { Current().ini = path; }

QString FormatFileName() {
    if (Current().format.isEmpty()) Current().format = DefaultFormatFileName();
    return Current().format;
}
void SetFormatFileName(const QString &path) { Current().format = path; }

QString WorkFolder() {
    if (Current().work.isEmpty()) Current().work = PrepareWorkFolder();
    return Current().work;
}
void SetWorkFolder(const QString &path) { Current().work = path; }

}  // namespace wyndlor
