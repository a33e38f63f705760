// Projects opened from outside the program: named on the command line (as a
// file manager does on a double click) or dropped on the main window; and
// Qt's own texts in Japanese.
#include "core/QtJapanese.h"
#include "tests/app/ShellFixture.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace wyndlor {
namespace {

using test::ShellFixture;

class OpenFromOutsideTest : public ShellFixture {
protected:
    // Sends a drag carrying `urls` over the window and drops it; true when
    // the window accepted the drag.
    bool Drop(const QList<QUrl> &urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&Window(), &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&Window(), &drop);
        return true;
    }
};

TEST_F(OpenFromOutsideTest, FileNamedOnTheCommandLineOpensAsTheOpenCommandDoes) {
    const QString path = WriteProject(QStringLiteral("西池.wyd"));
    EXPECT_TRUE(Window().OpenFileArgument({QStringLiteral("-style=fusion"), path}));
    EXPECT_EQ(Title(), QStringLiteral("北ため池"));
    EXPECT_EQ(P().CurrentFileName, path);
    EXPECT_EQ(Window().windowTitle(), msg::MainCaption(QStringLiteral("西池.wyd")));
    EXPECT_EQ(Ini("FileName", "FileName1"), path);
    EXPECT_EQ(Ini("FileName", "InitDir"), QDir::toNativeSeparators(dir.path()));
    EXPECT_TRUE(dialogs.requests.empty()) << "no Open dialog for a named file";
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(OpenFromOutsideTest, MissingFileOnTheCommandLineGivesTheReadError) {
    EXPECT_FALSE(Window().OpenFileArgument({Path(QStringLiteral("gone.wyd"))}));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, msg::ReadErrorTitle());
    EXPECT_TRUE(P().CurrentFileName.isEmpty());
    EXPECT_FALSE(Window().OpenFileArgument({})) << "no file named: nothing to open";
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(OpenFromOutsideTest, DroppedProjectOpensAndOtherDropsAreRefused) {
    const QString path = WriteProject(QStringLiteral("drop.WYD"));
    const QString other = Path(QStringLiteral("notes.txt"));
    EXPECT_FALSE(Drop({QUrl::fromLocalFile(other)}));
    EXPECT_FALSE(Drop({QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)}));
    EXPECT_FALSE(Drop({QUrl(QStringLiteral("https://example.invalid/drop.wyd"))}));
    EXPECT_TRUE(P().CurrentFileName.isEmpty());

    EXPECT_TRUE(Drop({QUrl::fromLocalFile(path)}));
    EXPECT_EQ(P().CurrentFileName, path);
    EXPECT_EQ(Title(), QStringLiteral("北ため池"));
    EXPECT_EQ(Ini("FileName", "FileName1"), path);
}

TEST(QtJapaneseTest, QtsOwnButtonsSpeakJapanese) {
    ASSERT_TRUE(InstallQtJapanese(*QCoreApplication::instance()))
        << "qtbase_ja missing: install qt6-translations-l10n";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("アドレス:"));
}

}  // namespace
}  // namespace wyndlor
