// wyndlor-calc installed in a prefix (PREFIX/bin beside PREFIX/share/wyndlor)
// numbers the report's headings in the style the desktop program saved in
// the user's settings file.
#include "core/AppPaths.h"
#include "core/CPrivateProfile.h"
#include "core/SystemHelpers.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace wyndlor {
namespace {

TEST(InstalledProgram, ReportTakesTheNumberingTheDesktopProgramSaved) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString bin = root.filePath(QStringLiteral("usr/bin"));
    const QString share = root.filePath(QStringLiteral("usr/share/wyndlor"));
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(share));
    ASSERT_TRUE(QFile::copy(QStringLiteral(WYNDLOR_CALC_PROGRAM), bin + QStringLiteral("/wyndlor-calc")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(WYNDLOR_FORMAT_FILE), share + QStringLiteral("/Wyndlor.FMT")));
    const QString config = root.filePath(QStringLiteral("config"));

    // What the numbering dialog of the installed desktop program stores:
    // chapters numbered from 7.
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    const QString ini = IniFileNameFor(bin);
    qputenv("XDG_CONFIG_HOME", saved);
    ASSERT_TRUE(ini.startsWith(config + QLatin1Char('/')));
    const char *const keys[][2] = {{"Method", "2"}, {"Init", "7"}, {"Style1", "1"}, {"Style2", "1"},
                                   {"Style3", "3"}, {"Style4", "2"}};
    for (const auto &kv : keys)
        ASSERT_TRUE(CPrivateProfile::SetValueString(ini, QStringLiteral("Chapter"), QLatin1String(kv[0]),
                                                    QLatin1String(kv[1])));

    QProcess calc;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    calc.setProcessEnvironment(env);
    const QString report = root.filePath(QStringLiteral("report.prn"));
    calc.start(bin + QStringLiteral("/wyndlor-calc"),
               {QStringLiteral("--report"), report, QStringLiteral(WYNDLOR_EXAMPLES_DIR "/osawa-ike.wyd")});
    ASSERT_TRUE(calc.waitForFinished(60000));
    ASSERT_EQ(calc.exitCode(), 0) << calc.readAllStandardError().toStdString();

    QFile file(report);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = FromShiftJis(file.readAll());
    EXPECT_TRUE(text.startsWith(QStringLiteral("?R17. "))) << "the first chapter is not numbered 7";
    EXPECT_FALSE(text.contains(QStringLiteral("?R11."))) << "chapters still numbered from 1";
    EXPECT_FALSE(QFileInfo::exists(bin + QStringLiteral("/Wyndlor.INI")));
}

}  // namespace
}  // namespace wyndlor
