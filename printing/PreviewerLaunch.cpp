#include "printing/PreviewerLaunch.h"

#include "core/AppPaths.h"
#include "core/SystemHelpers.h"
#include "report/PrintWriter.h"

#include <QCoreApplication>
#include <QDir>

namespace wyndlor {

namespace {

PreviewerStarter &Starter() {
    static PreviewerStarter starter;
    return starter;
}

}  // namespace

QString PreviewerProgram() {
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("Glancer.exe");
#else
    const QString name = QStringLiteral("Glancer");
#endif
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

QStringList PreviewerArguments(const QString &workFolder, const QString &printFile, const QString &projectFile,
                               const QString &title) {
    QStringList arguments{QStringLiteral("/INI=") + workFolder};
    if (!projectFile.isEmpty()) arguments << QStringLiteral("/PROJECT=") + projectFile;
    const QString shown = ReportText(title).simplified();
    if (!shown.isEmpty()) arguments << QStringLiteral("/TITLE=") + shown;
    return arguments << printFile;
}

bool StartPreviewer(const QString &printFile, const QString &projectFile, const QString &title) {
    const QString program = PreviewerProgram();
    const QStringList arguments = PreviewerArguments(PreviewerSettingsFolder(), printFile, projectFile, title);
    if (Starter()) return Starter()(program, arguments);
    return CSystem::Shell(program, arguments, false);
}

void SetPreviewerStarter(PreviewerStarter starter) {
    Starter() = std::move(starter);
}

}  // namespace wyndlor
