// The file dialog object, option groups, the message box default and the
// about box.
#include "widgets/AboutBox.h"
#include "widgets/CFileDialog.h"
#include "tests/widgets/FakeDialogs.h"
#include "widgets/GetOptionIndex.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QFileSystemModel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace wyndlor {
namespace {

struct FilterCase {
    const char *name;
    const char *filter;
    QStringList expected;
};
class ToQtFiltersTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(ToQtFiltersTest, Converts) {
    EXPECT_EQ(ToQtFilters(QString::fromUtf8(GetParam().filter)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, ToQtFiltersTest,
    ::testing::Values(
        FilterCase{"ProjectFilterKeptAsIs", "入力ﾃﾞｰﾀ(*.wyd)|*.wyd",
                   {QStringLiteral("入力ﾃﾞｰﾀ(*.wyd)")}},
        FilterCase{"PatternAppended", "Text|*.txt", {QStringLiteral("Text (*.txt)")}},
        FilterCase{"TwoPairs", "入力ﾃﾞｰﾀ(*.wyd)|*.wyd|All|*.*",
                   {QStringLiteral("入力ﾃﾞｰﾀ(*.wyd)"), QStringLiteral("All (*.*)")}},
        FilterCase{"SemicolonPatterns", "Data|*.wyd;*.txt",
                   {QStringLiteral("Data (*.wyd *.txt)")}},
        FilterCase{"DanglingDescriptionDropped", "Data|*.wyd|Broken",
                   {QStringLiteral("Data (*.wyd)")}},
        FilterCase{"Empty", "", {}}),
    [](const ::testing::TestParamInfo<FilterCase> &i) { return std::string(i.param.name); });

TEST(CFileDialogTest, ConfirmedDialogGivesPathAndTitle) {
    test::FakeFileDialogs fake;
    fake.answers.push_back(QStringLiteral("/data/ponds/Kita.wyd"));
    CFileDialog dlg;
    dlg.FileName = QStringLiteral("/old/Minami.wyd");
    dlg.Flags = ofn::SaveFlags;
    ASSERT_TRUE(dlg.Show(false));
    EXPECT_EQ(dlg.FileName, QStringLiteral("/data/ponds/Kita.wyd"));
    EXPECT_EQ(dlg.FileTitle, QStringLiteral("Kita.wyd"));
    ASSERT_EQ(fake.requests.size(), 1u);
    EXPECT_FALSE(fake.requests[0].open);
    EXPECT_EQ(fake.requests[0].fileName, QStringLiteral("/old/Minami.wyd"));
    EXPECT_EQ(fake.requests[0].flags, 6150);
}

TEST(CFileDialogTest, CancelledDialogLeavesPropertiesUnchanged) {
    test::FakeFileDialogs fake;
    fake.answers.push_back(std::nullopt);
    CFileDialog dlg;
    dlg.FileName = QStringLiteral("proposed.wyd");
    dlg.FileTitle = QStringLiteral("before");
    EXPECT_FALSE(dlg.Show(true));
    EXPECT_EQ(dlg.FileName, QStringLiteral("proposed.wyd"));
    EXPECT_EQ(dlg.FileTitle, QStringLiteral("before"));
}

// Whatever the system's language, the dialog's detail view writes a file's
// date and size the Japanese way, as the captions around them are.
TEST(CFileDialogTest, DetailsOfAFileInJapanese) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("kita.wyd")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(446, 'x'));
    ASSERT_TRUE(file.flush());
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2026, 12, 8), QTime(15, 4)), QFileDevice::FileModificationTime));
    file.close();
    QFileSystemModel files;
    QSignalSpy loaded(&files, &QFileSystemModel::directoryLoaded);
    const QModelIndex folder = files.setRootPath(dir.path());
    ASSERT_TRUE(loaded.wait(5000));
    const QModelIndex row = files.index(file.fileName());
    ASSERT_TRUE(row.isValid());
    EXPECT_EQ(FileDetailText(files, row.siblingAtColumn(kDateColumn), QString()), QStringLiteral("2026/12/08 15:04"));
    EXPECT_EQ(FileDetailText(files, row.siblingAtColumn(kSizeColumn), QString()), QStringLiteral("446 バイト"));
    EXPECT_EQ(FileDetailText(files, folder.siblingAtColumn(kSizeColumn), QStringLiteral("--")), QStringLiteral("--"));
}

TEST(GetOptionIndexTest, FirstCheckedOrZero) {
    QWidget group;
    QRadioButton a(&group), b(&group), c(&group);
    const QList<QRadioButton *> buttons{&a, &b, &c};
    EXPECT_EQ(GetOptionIndex(buttons), 0) << "none checked";
    c.setChecked(true);
    EXPECT_EQ(GetOptionIndex(buttons), 2);
    a.setChecked(true);  // auto-exclusive: c is cleared
    EXPECT_EQ(GetOptionIndex(buttons), 0);
}

TEST(GetOptionIndexTest, MissingMemberKeepsTheOthersIndexes) {
    QWidget group;
    QRadioButton a(&group), d(&group);
    d.setChecked(true);
    EXPECT_EQ(GetOptionIndex({&a, nullptr, nullptr, &d}), 3);
    EXPECT_EQ(GetOptionIndex({}), 0);
}

// Presses the button captioned `caption` of the message box once it is up,
// recording its title.
void AnswerNextBox(const QString &caption, QString *title) {
    QTimer::singleShot(0, [caption, title] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) return;
        *title = box->windowTitle();
        for (QAbstractButton *b : box->buttons())
            if (b->text() == caption) b->click();
    });
}

TEST(QtMessageBoxesTest, EmptyTitleShowsProductAndAnswersMap) {
    ASSERT_EQ(&MessageBoxes(), &MessageBoxes());
    QString title;
    AnswerNextBox(QStringLiteral("いいえ(&N)"), &title);
    EXPECT_EQ(MessageBoxes().Show(nullptr, QStringLiteral("本文"), QString(),
                                  MsgIcon::Information, MsgButtons::YesNoCancel),
              MsgResult::No);
    EXPECT_EQ(title, QStringLiteral("Ostrevin"));

    AnswerNextBox(QStringLiteral("ｷｬﾝｾﾙ"), &title);
    EXPECT_EQ(MessageBoxes().Show(nullptr, QStringLiteral("本文"), QStringLiteral("新規作成"),
                                  MsgIcon::Information, MsgButtons::OkCancel),
              MsgResult::Cancel);
    EXPECT_EQ(title, QStringLiteral("新規作成"));
}

TEST(MessageBoxesTest, InstalledFakeAnswersUntilRemoved) {
    IMessageBoxes *qtBoxes = &MessageBoxes();
    {
        test::FakeMessageBoxes fake;
        fake.answers.push_back(MsgResult::Yes);
        EXPECT_EQ(&MessageBoxes(), &fake);
        EXPECT_EQ(MessageBoxes().Show(nullptr, QStringLiteral("t"), QString(), MsgIcon::Critical,
                                      MsgButtons::YesNo),
                  MsgResult::Yes);
        MessageBoxes().Beep();
        EXPECT_EQ(fake.beeps, 1);
    }
    EXPECT_EQ(&MessageBoxes(), qtBoxes);
}

TEST(AboutBoxTest, ShowsProductVersionAndPurpose) {
    AboutBox box;
    EXPECT_EQ(box.findChild<QLabel *>(QStringLiteral("lblTitle"))->text(),
              QStringLiteral("Ostrevin"));
    EXPECT_TRUE(box.findChild<QLabel *>(QStringLiteral("lblVersion"))->text().endsWith(
        QStringLiteral("1.4.0")));
    EXPECT_TRUE(box.findChild<QLabel *>(QStringLiteral("lblPurpose"))->text().contains(
        QStringLiteral("設計洪水位")));
    EXPECT_TRUE(box.isModal());
}

}  // namespace
}  // namespace wyndlor
