// Shared pieces of the report window tests: a settings file, work folder
// and format file of the test's own, a calculated example project, a
// recording previewer starter, and print-file bytes read back.
#pragma once

#include "core/CalcRun.h"

#include "core/AppPaths.h"
#include "core/CPrivateProfile.h"
#include "tests/widgets/FakeDialogs.h"
#include "printing/PreviewerLaunch.h"
#include "core/ProjectFile.h"
#include "core/SystemHelpers.h"
#include "calc/CalcDriver.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace wyndlor::test {

inline QByteArray ReadBytes(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// The print-file lines as text, line ends removed (form feeds kept).
inline QStringList PrintLines(const QByteArray &file) {
    QStringList out;
    for (QByteArray line : file.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        out << FromShiftJis(line);
    }
    if (!out.isEmpty() && out.last().isEmpty()) out.removeLast();
    return out;
}

// Records every previewer start instead of starting a process.
struct RecordingStarter {
    std::vector<std::pair<QString, QStringList>> starts;
    bool result = true;
    RecordingStarter() {
        SetPreviewerStarter([this](const QString &program, const QStringList &arguments) {
            starts.emplace_back(program, arguments);
            return result;
        });
    }
    ~RecordingStarter() { SetPreviewerStarter({}); }
};

// A fresh settings file and work folder per test (the work folder's name
// has a space, as a user folder may), and the built format file.
class ReportUiFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        SetIniFileName(dir_.filePath(QStringLiteral("Wyndlor.INI")));
        SetFormatFileName(QStringLiteral(WYNDLOR_TEST_FMT));
        QDir(dir_.path()).mkdir(QStringLiteral("work folder"));
        SetWorkFolder(dir_.filePath(QStringLiteral("work folder")));
    }

    QString Ini() const { return IniFileName(); }
    QString TempPath(const QString &name) const { return dir_.filePath(name); }
    void SetIni(const QString &section, const QString &key, const QString &value) const {
        ASSERT_TRUE(CPrivateProfile::SetValueString(Ini(), section, key, value));
    }
    int IniValue(const QString &section, const QString &key) const {
        return CPrivateProfile::GetValueLong(Ini(), section, key);
    }
    QString IniText(const QString &section, const QString &key) const {
        return CPrivateProfile::GetValueString(Ini(), section, key);
    }

    // An example project, read and calculated (without the accuracy check).
    static void LoadExample(const char *name, CalcRun &run) {
        ProjectData data;
        InitProjectData(data);
        const QString path = QStringLiteral(WYNDLOR_EXAMPLES_DIR "/") + QString::fromLatin1(name);
        ASSERT_EQ(OpenProjectFile(path, data).outcome, OpenOutcome::Ok) << name;
        run = MakeCalcRun(data, CalcRunOptions{false, false});
        run.SourceFile = path;
        ASSERT_TRUE(run.Ok) << name;
    }

private:
    QTemporaryDir dir_;
};

}  // namespace wyndlor::test
