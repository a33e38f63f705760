// The file commands against real files in a temporary folder.
#include "app/RecentFiles.h"
#include "tests/app/ShellFixture.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace wyndlor {
namespace {

using test::ShellFixture;

// The read error as the user sees it, naming the file.
QString ReadError(const char *code, const QString &path) {
    return QStringLiteral("指定された入力ﾃﾞｰﾀﾌｧｲﾙの読み込みができませんでした。（ｴﾗｰｺｰﾄﾞ ： ") +
           QLatin1String(code) + QStringLiteral("）\nﾌｧｲﾙ名：") + path +
           QStringLiteral("\n\nお問い合わせの際は，上記ｴﾗｰﾒｯｾｰｼﾞおよびｴﾗｰｺｰﾄﾞをお知らせください。");
}

class NewCommandTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        P().Data.HasCatchment = true;
        P().CurrentFileName = Path("pond.wyd");
        P().IsModified = true;
    }
};

TEST_F(NewCommandTest, CancelKeepsEverything) {
    P().IsModified = false;  // nothing unsaved: New is confirmed
    boxes.answers = {MsgResult::Cancel};
    Window().fileCommands().New();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("新規作成"));
    EXPECT_EQ(boxes.shown[0].text,
              QStringLiteral("現在編集中の入力ﾃﾞｰﾀを全て破棄し，入力ﾃﾞｰﾀを初期化します。"));
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::OkCancel);
    EXPECT_TRUE(P().Data.HasCatchment);
    EXPECT_EQ(P().CurrentFileName, Path("pond.wyd"));
}

TEST_F(NewCommandTest, OkResetsToAnUnmodifiedProject) {
    Window().setWindowTitle(QStringLiteral("pond.wyd - Ostrevin"));
    boxes.answers = {MsgResult::No};  // drop the unsaved input
    Window().toolbarAction("New")->trigger();
    EXPECT_FALSE(P().Data.HasCatchment);
    EXPECT_TRUE(P().CurrentFileName.isEmpty());
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("Ostrevin[*]"));
    EXPECT_FALSE(P().IsModified);
    EXPECT_FALSE(Window().isWindowModified());
    EXPECT_EQ(Window().cmdMenu(2)->palette().color(QPalette::ButtonText),
              Window().cmdMenu(3)->palette().color(QPalette::ButtonText))
        << "colours refreshed after the reset";
}

class OpenCommandTest : public ShellFixture {};

// Edit, Open answered No, a file read, then New: neither the read project
// nor the new one asks to be saved, so Enter can never overwrite a file.
TEST_F(OpenCommandTest, ReadAndNewProjectsAreUnmodified) {
    const QString path = WriteProject("pond.wyd");
    P().MarkEdited();
    Window().RefreshButtonColours();  // as after every command's window
    EXPECT_TRUE(Window().isWindowModified());
    boxes.answers = {MsgResult::No};
    dialogs.answers = {path};
    ASSERT_TRUE(Window().fileCommands().Open());
    EXPECT_FALSE(P().IsModified);
    EXPECT_FALSE(Window().isWindowModified());
    boxes.answers = {MsgResult::Ok};
    Window().fileCommands().New();
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].buttons, MsgButtons::OkCancel) << "New confirmed, not a save question";
    EXPECT_FALSE(P().IsModified);
    EXPECT_TRUE(Window().close());
    EXPECT_EQ(boxes.shown.size(), 2u);
}

TEST_F(OpenCommandTest, DialogStartsInStoredFolder) {
    SetIni("FileName", "InitDir", dir.path());
    dialogs.answers = {std::nullopt};
    EXPECT_FALSE(Window().fileCommands().Open());
    ASSERT_EQ(dialogs.requests.size(), 1u);
    const auto &r = dialogs.requests[0];
    EXPECT_TRUE(r.open);
    EXPECT_EQ(r.title, QStringLiteral("ﾌｧｲﾙを開く..."));
    EXPECT_EQ(r.defaultExt, QStringLiteral(".wyd"));
    EXPECT_EQ(r.filter, QStringLiteral("入力ﾃﾞｰﾀ(*.wyd)|*.wyd"));
    EXPECT_EQ(r.filterIndex, 1);
    EXPECT_EQ(r.flags, 6148);
    EXPECT_EQ(r.initialDir, dir.path());
    EXPECT_TRUE(r.fileName.isEmpty());
    EXPECT_TRUE(boxes.shown.empty());
}

// The keys of the File menu reach their commands from the keyboard.
TEST_F(OpenCommandTest, CtrlOOpensAndCtrlShiftSSavesThroughTheFileDialog) {
    Window().show();
    QApplication::setActiveWindow(&Window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    dialogs.answers = {std::nullopt, std::nullopt};
    QTest::keyClick(&Window(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_TRUE(dialogs.requests[0].open);
    QTest::keyClick(&Window(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(dialogs.requests.size(), 2u);
    EXPECT_FALSE(dialogs.requests[1].open);
}

// The folder the file dialogs work in until a file is chosen: the process's.
QString StartFolder() { return QDir::cleanPath(QDir::currentPath()); }
QString StoredFolder(const QString &initDir) { return QDir::cleanPath(QDir::fromNativeSeparators(initDir)); }

TEST_F(OpenCommandTest, CancelledDialogStoresTheWorkingFolder) {
    SetIni("FileName", "InitDir", Path("last-session"));
    dialogs.answers = {std::nullopt};
    EXPECT_FALSE(Window().fileCommands().Open());
    EXPECT_EQ(StoredFolder(Ini("FileName", "InitDir")), StartFolder());
}

TEST_F(OpenCommandTest, CancelAfterARecentFileStoresItsFolder) {
    QDir(dir.path()).mkdir("sub");
    SetIni("FileName", "FileName1", WriteProject("sub/kita.wyd"));
    ASSERT_TRUE(Window().fileCommands().OpenRecent(Path("sub/kita.wyd")));
    SetIni("FileName", "InitDir", Path("elsewhere"));
    dialogs.answers = {std::nullopt};
    EXPECT_FALSE(Window().fileCommands().Open());
    EXPECT_EQ(StoredFolder(Ini("FileName", "InitDir")), QDir::cleanPath(dir.filePath("sub")));
}

TEST_F(OpenCommandTest, UpperCaseExtensionReads) {
    QDir(dir.path()).mkdir("sub");
    const QString path = WriteProject("sub/KITA.WYD");
    P().IsModified = true;
    boxes.answers = {MsgResult::No};
    dialogs.answers = {path};
    EXPECT_TRUE(Window().fileCommands().Open());
    EXPECT_EQ(boxes.shown.size(), 1u) << "only the question about the unsaved input";
    EXPECT_EQ(Title(), QStringLiteral("北ため池"));
    EXPECT_EQ(P().CurrentFileName, path);
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("KITA.WYD[*] - Ostrevin"));
    EXPECT_EQ(Ini("FileName", "FileName1"), path);
    EXPECT_EQ(QDir::cleanPath(QDir::fromNativeSeparators(Ini("FileName", "InitDir"))),
              QDir::cleanPath(dir.filePath("sub")));
    EXPECT_FALSE(P().IsModified) << "a project just read has nothing unsaved";
    EXPECT_EQ(Window().cmdMenu(0)->palette().color(QPalette::ButtonText),
              QApplication::palette().color(QPalette::Highlight));
}

TEST_F(OpenCommandTest, TextFileRejectedDataKept) {
    const QString wyd = WriteProject("pond.wyd");
    QFile::copy(wyd, Path("pond.txt"));
    P().Data.HasDeltaT = true;
    P().CurrentFileName = wyd;
    dialogs.answers = {Path("pond.txt")};
    EXPECT_FALSE(Window().fileCommands().Open());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ読み込みｴﾗｰ"));
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(boxes.shown[0].text, ReadError("0", Path("pond.txt")));
    EXPECT_TRUE(P().Data.HasDeltaT) << "no reader ran";
    EXPECT_TRUE(P().CurrentFileName.isEmpty());
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("Ostrevin[*]"));
    EXPECT_TRUE(Ini("FileName", "FileName1").isEmpty());
}

TEST_F(OpenCommandTest, Version130GivesBothMessagesInOrder) {
    QFile f(Path("old.wyd"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("TARNVALE INPUT FILE FORMAT V1\r\n"
            "PRODUCT NAME                   [Ostrevin]\r\n"
            "INPUT FILE VERSION             [1.30]\r\n#TRUE#\r\n");
    f.close();
    P().Data.HasHVC = true;
    dialogs.answers = {Path("old.wyd")};
    EXPECT_FALSE(Window().fileCommands().Open());
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("ﾌｧｲﾙを開く"));
    EXPECT_EQ(boxes.shown[0].text,
              QStringLiteral("入力ﾃﾞｰﾀﾌｧｲﾙの書式（Ver.1.30）には現在対応しておりません。"));
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(boxes.shown[1].text, ReadError("0", Path("old.wyd")));
    EXPECT_TRUE(P().Data.HasHVC);
}

TEST_F(OpenCommandTest, FileCutShortReportsCodeAndResets) {
    const QString path = WriteProject("cut.wyd");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    f.close();
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (int i = 0; i < 30; ++i) f.write(lines[i] + '\n');
    f.close();

    P().Data.HasHVC = true;
    dialogs.answers = {path};
    EXPECT_FALSE(Window().fileCommands().Open());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, ReadError("62", path)) << "reading past the end of the file";
    EXPECT_FALSE(P().Data.HasHVC) << "a failed read leaves a reset data set";
    EXPECT_TRUE(P().CurrentFileName.isEmpty());
    // The dialog was confirmed, so its folder is where the next Open starts.
    EXPECT_FALSE(Ini("FileName", "InitDir").isEmpty());
}

TEST_F(OpenCommandTest, MissingFileReportsWhyAndKeepsData) {
    P().Data.HasHVC = true;
    dialogs.answers = {Path("gone.wyd")};
    EXPECT_FALSE(Window().fileCommands().Open());
    ASSERT_EQ(boxes.shown.size(), 1u) << "no version message for a file that is not there";
    EXPECT_EQ(boxes.shown[0].text, ReadError("53", Path("gone.wyd")));
    EXPECT_TRUE(P().Data.HasHVC) << "no reader ran";
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("Ostrevin[*]"));
}

TEST_F(OpenCommandTest, RecentEntryReadsPathFromSettings) {
    const QString a = WriteProject("a.wyd", "Ａ池");
    const QString b = WriteProject("b.wyd", "Ｂ池");
    SetIni("FileName", "FileName1", a);
    SetIni("FileName", "FileName2", b);
    Window().mnuFileName(1)->trigger();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(Title(), QStringLiteral("Ｂ池"));
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("b.wyd[*] - Ostrevin"));
    EXPECT_EQ(Ini("FileName", "FileName1"), b);
    EXPECT_EQ(Ini("FileName", "FileName2"), a);
    EXPECT_EQ(Window().mnuFileName(0)->text(), QStringLiteral("&1 ") + b);
    EXPECT_FALSE(Ini("FileName", "InitDir").isEmpty());
}

TEST_F(OpenCommandTest, VanishedRecentFileReportsAndKeepsInitDir) {
    SetIni("FileName", "FileName1", Path("vanished.wyd"));
    SetIni("FileName", "InitDir", "/before");
    EXPECT_FALSE(Window().fileCommands().OpenRecent(Path("vanished.wyd")));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ読み込みｴﾗｰ"));
    EXPECT_EQ(Ini("FileName", "InitDir"), QStringLiteral("/before"));
    EXPECT_EQ(Ini("FileName", "FileName1"), Path("vanished.wyd")) << "the list is not pruned";
}

TEST_F(OpenCommandTest, EntryOpensTheFileItsCaptionNamesAlsoBesideAPathTheSettingsCannotHold) {
    const QString a = WriteProject("a.wyd", "Ａ池");
    QDir(dir.path()).mkdir(QStringLiteral("池〜東"));
    const QString wave = WriteProject(QStringLiteral("池〜東/w.wyd"), "波池");
    ASSERT_FALSE(CPrivateProfile::CanHoldValue(wave));
    SetIni("FileName", "FileName1", a);
    dialogs.answers = {wave};
    ASSERT_TRUE(Window().fileCommands().Open());
    // The settings file, the list in memory and the menu agree; the path it
    // cannot hold is listed for this session after the four.
    EXPECT_EQ(ReadRecentFiles(ini), (QStringList{a, "", "", ""}));
    EXPECT_EQ(Window().mnuFileName(0)->text(), QStringLiteral("&1 ") + a);
    ASSERT_EQ(Window().mnuFileNameSession().size(), 1);
    EXPECT_EQ(Window().mnuFileNameSession()[0]->text(), wave);
    Window().mnuFileName(0)->trigger();
    EXPECT_EQ(Title(), QStringLiteral("Ａ池"));
    Window().mnuFileNameSession()[0]->trigger();
    EXPECT_EQ(Title(), QStringLiteral("波池"));
    EXPECT_TRUE(boxes.shown.empty());
}

// Unsaved input before New, Open or a recent file: the Yes/No/Cancel
// question of the exit, with its rules.
enum class Cmd { New, Open, Recent };
struct GuardCase {
    const char *name;
    Cmd command;
    MsgResult answer;
    bool hasFile;   // the input has a file to save to
    bool goesOn;    // the command replaces the input
};
class UnsavedInputTest : public ShellFixture, public ::testing::WithParamInterface<GuardCase> {};
TEST_P(UnsavedInputTest, AsksAndFollowsTheExitRules) {
    const GuardCase &c = GetParam();
    const QString other = WriteProject("other.wyd", "他の池");
    SetIni("FileName", "FileName1", other);
    P().Data.HasSection = true;
    P().IsModified = true;
    P().Run.Ok = true;
    if (c.hasFile) P().CurrentFileName = Path("mine.wyd");
    boxes.answers = {c.answer};
    // Yes without a file asks for a name, and that dialog is cancelled.
    dialogs.answers = {c.answer == MsgResult::Yes && !c.hasFile ? std::nullopt : std::optional<QString>(other)};
    if (c.command == Cmd::New) Window().fileCommands().New();
    if (c.command == Cmd::Open) Window().fileCommands().Open();
    if (c.command == Cmd::Recent) Window().mnuFileName(0)->trigger();

    ASSERT_GE(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(QStringLiteral("現在編集中の入力ﾃﾞｰﾀがあります。") +
                                               (c.hasFile ? QStringLiteral("上書き保存") : QStringLiteral("名前を付けて保存"))));
    EXPECT_EQ(boxes.shown[0].text.endsWith(QStringLiteral("：無題")), !c.hasFile);
    EXPECT_EQ(QFileInfo::exists(Path("mine.wyd")), c.answer == MsgResult::Yes && c.hasFile);
    EXPECT_EQ(P().Data.HasSection, !c.goesOn);
    EXPECT_EQ(P().Run.Ok, !c.goesOn) << "the last run goes with the input it belongs to";
    if (c.command != Cmd::New) {
        EXPECT_EQ(Title() == QStringLiteral("他の池"), c.goesOn);
    }
}
INSTANTIATE_TEST_SUITE_P(
    Answers, UnsavedInputTest,
    ::testing::Values(GuardCase{"NewCancelKeepsAll", Cmd::New, MsgResult::Cancel, true, false},
                      GuardCase{"NewYesSavesThenResets", Cmd::New, MsgResult::Yes, true, true},
                      GuardCase{"OpenNoDropsTheEdits", Cmd::Open, MsgResult::No, false, true},
                      GuardCase{"OpenYesThenCancelledSaveAsKeepsAll", Cmd::Open, MsgResult::Yes, false, false},
                      GuardCase{"RecentCancelKeepsAll", Cmd::Recent, MsgResult::Cancel, false, false},
                      GuardCase{"RecentYesSavesThenOpens", Cmd::Recent, MsgResult::Yes, true, true}),
    [](const auto &info) { return std::string(info.param.name); });

class SaveCommandTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        P().Data.HasConditions = true;
        P().Data.ConditionsData(slot::Title) = SlotValue::String("南ため池, 改修");
        P().IsModified = true;
    }
    QString SavedTitle(const QString &path) {
        ProjectData d;
        int32_t code = 0;
        EXPECT_TRUE(LoadProjectFile(path, d, code)) << code;
        return QString::fromStdString(d.ConditionsData(slot::Title).ToText());
    }
};

TEST_F(SaveCommandTest, NewProjectSaveAsksForNameAndWrites) {
    SetIni("FileName", "FileName1", "/p/older.wyd");
    dialogs.answers = {Path("minami.wyd")};
    EXPECT_TRUE(Window().fileCommands().Save());
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_FALSE(dialogs.requests[0].open);
    EXPECT_EQ(dialogs.requests[0].title, QStringLiteral("ﾌｧｲﾙに名前を付けて保存..."));
    EXPECT_EQ(dialogs.requests[0].flags, 6150);
    EXPECT_EQ(SavedTitle(Path("minami.wyd")), QStringLiteral("南ため池, 改修"));
    EXPECT_FALSE(P().IsModified);
    EXPECT_EQ(P().CurrentFileName, Path("minami.wyd"));
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("minami.wyd[*] - Ostrevin"));
    EXPECT_EQ(Ini("FileName", "FileName1"), Path("minami.wyd"));
    EXPECT_EQ(Ini("FileName", "FileName2"), QStringLiteral("/p/older.wyd"));
}

TEST_F(SaveCommandTest, SaveAsProposesCurrentFile) {
    P().CurrentFileName = Path("first.wyd");
    dialogs.answers = {Path("second.wyd")};
    EXPECT_TRUE(Window().fileCommands().SaveAs());
    EXPECT_EQ(dialogs.requests[0].fileName, Path("first.wyd"));
    EXPECT_EQ(P().CurrentFileName, Path("second.wyd"));
    EXPECT_FALSE(QFileInfo::exists(Path("first.wyd")));
}

TEST_F(SaveCommandTest, CancelledSaveAsKeepsDataAndStoresWorkingFolder) {
    SetIni("FileName", "InitDir", Path("last-session"));
    dialogs.answers = {std::nullopt};
    EXPECT_FALSE(Window().fileCommands().SaveAs());
    EXPECT_TRUE(P().IsModified);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(Ini("FileName", "FileName1").isEmpty());
    EXPECT_EQ(StoredFolder(Ini("FileName", "InitDir")), StartFolder());
}

TEST_F(SaveCommandTest, SaveToCurrentFileNeedsNoDialog) {
    P().CurrentFileName = Path("kita.wyd");
    Window().toolbarAction("Save")->trigger();
    EXPECT_TRUE(dialogs.requests.empty());
    EXPECT_EQ(SavedTitle(Path("kita.wyd")), QStringLiteral("南ため池, 改修"));
    EXPECT_FALSE(P().IsModified);
    EXPECT_EQ(Ini("FileName", "FileName1"), Path("kita.wyd"));
}

TEST_F(SaveCommandTest, FailedWriteReportsAndKeepsState) {
    Window().setWindowTitle(QStringLiteral("kita.wyd - Ostrevin"));
    P().CurrentFileName = Path("kita.wyd");
    dialogs.answers = {Path("missing-folder/x.wyd")};
    EXPECT_FALSE(Window().fileCommands().SaveAs());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ書き込みｴﾗｰ"));
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(
        QStringLiteral("入力ﾃﾞｰﾀﾌｧｲﾙを作成することができませんでした。（ｴﾗｰｺｰﾄﾞ ： ")));
    EXPECT_FALSE(boxes.shown[0].text.contains(QStringLiteral("： 0）")));
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("ﾌｧｲﾙ名：") + Path("missing-folder/x.wyd")));
    EXPECT_EQ(P().CurrentFileName, Path("kita.wyd"));
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("kita.wyd - Ostrevin"));
    EXPECT_TRUE(P().IsModified);
    EXPECT_TRUE(Ini("FileName", "FileName1").isEmpty());
}

struct CodeCase {
    const char *name;
    long long code;
    const char *text;
};
class ErrorCodeFormatTest : public ::testing::TestWithParam<CodeCase> {};
TEST_P(ErrorCodeFormatTest, ThousandsSeparated) {
    EXPECT_EQ(msg::FormatErrorCode(GetParam().code), QLatin1String(GetParam().text));
}
INSTANTIATE_TEST_SUITE_P(
    Codes, ErrorCodeFormatTest,
    ::testing::Values(CodeCase{"Zero", 0, "0"}, CodeCase{"Small", 62, "62"},
                      CodeCase{"ThreeDigits", 999, "999"}, CodeCase{"FourDigits", 1004, "1,004"},
                      CodeCase{"Millions", 1234567, "1,234,567"},
                      CodeCase{"Negative", -31037, "-31,037"}),
    [](const ::testing::TestParamInfo<CodeCase> &i) { return std::string(i.param.name); });

}  // namespace
}  // namespace wyndlor
