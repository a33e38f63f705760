// A main window over a temporary settings file, with scripted message boxes
// and file dialogs.
#pragma once

#include "core/AppPaths.h"
#include "core/CPrivateProfile.h"
#include "tests/widgets/FakeDialogs.h"
#include "core/ProjectFile.h"
#include "core/Messages.h"
#include "app/frmMenuMain.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace wyndlor::test {

class ShellFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ini = dir.filePath(QStringLiteral("Wyndlor.INI"));
        SetIniFileName(ini);
    }
    // The window is made on demand, so that a test can prepare the
    // settings it starts from.
    frmMenuMain &Window() {
        if (!window) window = std::make_unique<frmMenuMain>();
        return *window;
    }
    Project &P() { return Window().project(); }

    QString Path(const QString &name) const { return dir.filePath(name); }
    QString Ini(const QString &section, const QString &key) const {
        return CPrivateProfile::GetValueString(ini, section, key);
    }
    void SetIni(const QString &section, const QString &key, const QString &value) {
        CPrivateProfile::SetValueString(ini, section, key, value);
    }
    // A project file holding a distinctive title and the conditions flag.
    QString WriteProject(const QString &name, const char *title = "北ため池") {
        ProjectData d;
        InitProjectData(d);
        d.HasConditions = true;
        d.ConditionsData(slot::Title) = SlotValue::String(title);
        int32_t code = 0;
        const QString path = Path(name);
        EXPECT_TRUE(SaveProjectFile(path, d, code)) << code;
        return path;
    }
    QString Title() const {
        return QString::fromStdString(window->project().Data.ConditionsData(slot::Title).ToText());
    }

    QTemporaryDir dir;
    QString ini;
    FakeMessageBoxes boxes;
    FakeFileDialogs dialogs;
    std::unique_ptr<frmMenuMain> window;
};

}  // namespace wyndlor::test
