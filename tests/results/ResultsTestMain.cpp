// main() of the results-display tests: an offscreen QApplication and a
// settings file of its own in a temporary folder, so that window places
// written by one test run never reach the engineer's settings.
#include "core/AppPaths.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir settings;
    wyndlor::SetIniFileName(QDir(settings.path()).filePath(QStringLiteral("Wyndlor.INI")));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
