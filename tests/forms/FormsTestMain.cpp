#include "core/AppPaths.h"
#include "tests/forms/FormsTestSupport.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace wyndlor::test {
RecordingBoxes &Boxes() {
    static RecordingBoxes boxes;
    return boxes;
}
}  // namespace wyndlor::test

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Window places go to a settings file of this run only.
    QTemporaryDir dir;
    wyndlor::SetIniFileName(dir.filePath("Wyndlor.INI"));
    wyndlor::SetMessageBoxes(&wyndlor::test::Boxes());
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    wyndlor::SetMessageBoxes(nullptr);
    return rc;
}
