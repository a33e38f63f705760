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


}  // namespace

bool IsInstalledProgram(const QString &exeFolder) {
    return QFileInfo(QDir::cleanPath(exeFolder + QStringLiteral("/../share/wyndlor"))).isDir();
}

QString UserSettingsFolder() {
    // Not AppConfigLocation: that folder follows each program's own name,
    // and the three programs must meet in one file.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Tarnvale/Wyndlor");
}

QString IniFileNameFor(const QString &exeFolder) {
    if (!IsInstalledProgram(exeFolder) && QFileInfo(exeFolder).isWritable())
        return exeFolder + QLatin1Char('/') + QLatin1String(kIniName);
    return UserSettingsFolder() + QLatin1Char('/') + QLatin1String(kIniName);
}

QString DefaultIniFileName() { return IniFileNameFor(ExeFolder()); }

QString PreviewerSettingsFolder() {
    if (IsInstalledProgram(ExeFolder())) return QFileInfo(IniFileName()).absolutePath();
    return WorkFolder();
}

QString LocateDataFile(const QString &fileName) {
    const QString exe = ExeFolder();
    // A build tree or a portable folder: the file beside the program.
    const QString beside = exe + QLatin1Char('/') + fileName;
    if (QFileInfo::exists(beside)) return beside;
    // An installed tree, PREFIX/bin beside PREFIX/share/wyndlor: the
    // program's own prefix first, so that two installations (a package
    // in /usr and a trial in /opt) each read their own files.
    const QString ownPrefix =
        QDir::cleanPath(exe + QStringLiteral("/../share/wyndlor/") + fileName);
    if (QFileInfo::exists(ownPrefix)) return ownPrefix;
    const QString shared =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("wyndlor/") + fileName);
    if (!shared.isEmpty()) return shared;
    // None found: the name beside the program, so that a message names the
    // file the installation lacks.
    return beside;
}

QString DefaultFormatFileName() { return LocateDataFile(QLatin1String(kFormatName)); }

QString DefaultSettingsFileName() { return LocateDataFile(QLatin1String(kDefaultSettingsName)); }

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
