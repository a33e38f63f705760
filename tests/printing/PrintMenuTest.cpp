// The print menu: building the report on opening, joining the ticked
// sections for the previewer, the tick buttons, the settings it keeps, and
// the print files it leaves behind (none).
#include "tests/printing/ReportUiTestSupport.h"
#include "core/Messages.h"
#include "printing/frmMenuPrint.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

namespace wyndlor {
namespace {

using test::FakeMessageBoxes;
using test::ReadBytes;
using test::RecordingStarter;

class PrintMenuTest : public test::ReportUiFixture {
protected:
    void SetUp() override {
        ReportUiFixture::SetUp();
        LoadExample("osawa-ike.wyd", run_);
    }

    std::unique_ptr<frmMenuPrint> OpenMenu() {
        auto menu = std::make_unique<frmMenuPrint>(run_);
        menu->Load();
        return menu;
    }
    static void Tick(frmMenuPrint &menu, std::array<bool, 3> ticks) {
        for (int i = 0; i < 3; ++i) menu.chkPrintItem[i]->setChecked(ticks[i]);
    }
    static QByteArray SectionFile(const frmMenuPrint &menu, int section) {
        return ReadBytes(menu.Writer().PrintFileList.at(section));
    }
    static QByteArray JoinedFile(const frmMenuPrint &menu) { return ReadBytes(menu.Writer().PrintFileList.at(3)); }

    CalcRun run_;
    FakeMessageBoxes boxes_;
    RecordingStarter starter_;
};

TEST_F(PrintMenuTest, OpeningBuildsThreeSectionFilesAndAnEmptyJoinedFile) {
    auto menu = OpenMenu();
    EXPECT_TRUE(boxes_.shown.empty());
    ASSERT_EQ(menu->Writer().PrintFileList.size(), 4);
    for (int s = 0; s < 3; ++s) EXPECT_FALSE(SectionFile(*menu, s).isEmpty()) << "section " << s;
    EXPECT_TRUE(QFile::exists(menu->Writer().PrintFileList[3]));
    EXPECT_TRUE(JoinedFile(*menu).isEmpty());
}

TEST_F(PrintMenuTest, NothingTickedBeepsAndShowsTheHintAndStartsNothing) {
    auto menu = OpenMenu();
    Tick(*menu, {false, false, false});
    QTest::mouseClick(menu->cmdPreview, Qt::LeftButton);
    EXPECT_EQ(boxes_.beeps, 1);
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text, QStringLiteral("印刷項目はひとつ以上選択して下さい。"));
    EXPECT_EQ(boxes_.shown[0].title, QStringLiteral("検討結果の印刷"));
    EXPECT_EQ(boxes_.shown[0].icon, MsgIcon::Information);
    EXPECT_TRUE(starter_.starts.empty());
    EXPECT_TRUE(JoinedFile(*menu).isEmpty());
}

// Which sections are ticked, and which section files the joined file must
// consist of, in order, one form feed between two of them.
struct JoinCase {
    const char *name;
    std::array<bool, 3> ticks;
    std::vector<int> sections;
};

class PrintMenuJoinTest : public PrintMenuTest, public ::testing::WithParamInterface<JoinCase> {};

TEST_P(PrintMenuJoinTest, JoinedFileHoldsTheTickedSectionsSeparatedByOneFormFeed) {
    const JoinCase &c = GetParam();
    auto menu = OpenMenu();
    Tick(*menu, c.ticks);
    ASSERT_TRUE(menu->Preview());

    QByteArray expected;
    for (size_t i = 0; i < c.sections.size(); ++i) {
        if (i > 0) expected += '\f';
        expected += SectionFile(*menu, c.sections[i]);
    }
    const QByteArray joined = JoinedFile(*menu);
    EXPECT_FALSE(joined.startsWith('\f'));
    EXPECT_EQ(joined.size(), expected.size());
    EXPECT_TRUE(joined == expected);

    // The previewer gets the work folder, the project and its title, and the
    // joined file, each whole.
    ASSERT_EQ(starter_.starts.size(), 1u);
    EXPECT_EQ(starter_.starts[0].first, PreviewerProgram());
    EXPECT_EQ(starter_.starts[0].second,
              QStringList({QStringLiteral("/INI=") + WorkFolder(), QStringLiteral("/PROJECT=") + run_.SourceFile,
                           QStringLiteral("/TITLE=大沢ため池（大沢地区）"), menu->Writer().PrintFileList[3]}));
    EXPECT_TRUE(boxes_.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ticks, PrintMenuJoinTest,
    ::testing::Values(JoinCase{"OnlyThird", {false, false, true}, {2}},
                      JoinCase{"FirstAndSecond", {true, true, false}, {0, 1}},
                      JoinCase{"FirstAndThird", {true, false, true}, {0, 2}},
                      JoinCase{"All", {true, true, true}, {0, 1, 2}}),
    [](const ::testing::TestParamInfo<JoinCase> &info) { return std::string(info.param.name); });

TEST_F(PrintMenuTest, PrintingTwiceGivesTheSameJoinedFile) {
    auto menu = OpenMenu();
    Tick(*menu, {true, false, true});
    ASSERT_TRUE(menu->Preview());
    const QByteArray once = JoinedFile(*menu);
    ASSERT_TRUE(menu->Preview());
    EXPECT_TRUE(JoinedFile(*menu) == once);
    EXPECT_EQ(starter_.starts.size(), 2u);
}

TEST_F(PrintMenuTest, HeadingNumbersOfLaterSectionsContinueWhenEarlierOnesAreNotTicked) {
    // Chapters numbered 1., 2., ... (method 2, style 1).
    SetIni(QStringLiteral("Chapter"), QStringLiteral("Method"), QStringLiteral("2"));
    SetIni(QStringLiteral("Chapter"), QStringLiteral("Style1"), QStringLiteral("1"));
    auto menu = OpenMenu();
    Tick(*menu, {false, false, true});
    ASSERT_TRUE(menu->Preview());
    const QStringList lines = test::PrintLines(JoinedFile(*menu));
    const QStringList chapters = lines.filter(QStringLiteral("?R1"));
    ASSERT_FALSE(chapters.isEmpty());
    EXPECT_EQ(chapters.first().trimmed(), QStringLiteral("?R13. 設計洪水位の計算"));
}

TEST_F(PrintMenuTest, ClosingDeletesEveryPrintFileAndStoresTicksAndPlace) {
    auto menu = OpenMenu();
    Tick(*menu, {true, false, true});
    ASSERT_TRUE(menu->Preview());
    const QStringList files = menu->Writer().PrintFileList;
    ASSERT_EQ(files.size(), 4);
    for (const QString &f : files) ASSERT_TRUE(QFile::exists(f)) << qPrintable(f);

    QTest::mouseClick(menu->cmdClose, Qt::LeftButton);
    for (const QString &f : files) EXPECT_FALSE(QFile::exists(f)) << qPrintable(f);
    const QString s = QStringLiteral("MenuPrint");
    EXPECT_EQ(IniText(s, QStringLiteral("0")), QStringLiteral("1"));
    EXPECT_EQ(IniText(s, QStringLiteral("1")), QStringLiteral("0"));
    EXPECT_EQ(IniText(s, QStringLiteral("2")), QStringLiteral("1"));
    EXPECT_FALSE(IniText(s, QStringLiteral("Top")).isEmpty());
    EXPECT_FALSE(IniText(s, QStringLiteral("Left")).isEmpty());
}

TEST_F(PrintMenuTest, AMenuDestroyedWithoutClosingLeavesNoPrintFiles) {
    QStringList files;
    {
        auto menu = OpenMenu();
        files = menu->Writer().PrintFileList;
        ASSERT_EQ(files.size(), 4);
    }
    for (const QString &f : files) EXPECT_FALSE(QFile::exists(f)) << qPrintable(f);
}

TEST_F(PrintMenuTest, TicksAreRestoredFromTheSettingsAndMissingKeysAreUnticked) {
    SetIni(QStringLiteral("MenuPrint"), QStringLiteral("0"), QStringLiteral("1"));
    SetIni(QStringLiteral("MenuPrint"), QStringLiteral("1"), QStringLiteral("0"));
    auto menu = OpenMenu();
    EXPECT_TRUE(menu->chkPrintItem[0]->isChecked());
    EXPECT_FALSE(menu->chkPrintItem[1]->isChecked());
    EXPECT_FALSE(menu->chkPrintItem[2]->isChecked());
}

// The tick buttons over a starting state; section 2 may be disabled.
struct CheckCase {
    const char *name;
    int button;
    std::array<bool, 3> before;
    bool secondDisabled;
    std::array<bool, 3> after;
};

class PrintMenuCheckTest : public PrintMenuTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(PrintMenuCheckTest, TickButtonsChangeTheTicks) {
    const CheckCase &c = GetParam();
    auto menu = OpenMenu();
    Tick(*menu, c.before);
    menu->chkPrintItem[1]->setEnabled(!c.secondDisabled);
    QTest::mouseClick(menu->cmdCheck[c.button], Qt::LeftButton);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(menu->chkPrintItem[i]->isChecked(), c.after[i]) << "item " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, PrintMenuCheckTest,
    ::testing::Values(
        CheckCase{"AllFromNone", 0, {false, false, false}, false, {true, true, true}},
        CheckCase{"AllSkipsDisabled", 0, {false, false, false}, true, {true, false, true}},
        CheckCase{"NoneFromAll", 1, {true, true, true}, false, {false, false, false}},
        CheckCase{"InvertMixed", 2, {true, false, true}, false, {false, true, false}},
        CheckCase{"InvertLeavesDisabledUnticked", 2, {false, false, true}, true, {true, false, false}}),
    [](const ::testing::TestParamInfo<CheckCase> &info) { return std::string(info.param.name); });

TEST_F(PrintMenuTest, AFailedSectionIsReportedAndCannotBePrinted) {
    // A format file whose design-flood-level section is missing.
    QByteArray format = ReadBytes(QStringLiteral(WYNDLOR_TEST_FMT));
    const QByteArray header = ToShiftJis(QStringLiteral("\n設計洪水位1\r\n"));
    ASSERT_TRUE(format.contains(header));
    format.replace(header, ToShiftJis(QStringLiteral("\n設計洪水位1を欠く\r\n")));
    QFile broken(TempPath(QStringLiteral("Broken.FMT")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(format);
    broken.close();
    SetFormatFileName(broken.fileName());
    SetIni(QStringLiteral("MenuPrint"), QStringLiteral("2"), QStringLiteral("1"));

    auto menu = OpenMenu();
    ASSERT_EQ(boxes_.shown.size(), 1u);
    // The message names the section and why it failed.
    EXPECT_EQ(boxes_.shown[0].text, QStringLiteral("･『設計洪水位の計算』の印刷ﾌｧｲﾙ生成ｴﾗｰ\n　") +
                                        msg::FormatSectionMissing(QStringLiteral("設計洪水位1"), broken.fileName()));
    EXPECT_EQ(boxes_.shown[0].title, QString());  // the product title
    EXPECT_EQ(boxes_.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(menu->chkPrintItem[0]->isEnabled());
    EXPECT_TRUE(menu->chkPrintItem[1]->isEnabled());
    EXPECT_FALSE(menu->chkPrintItem[2]->isEnabled());
    EXPECT_FALSE(menu->chkPrintItem[2]->isChecked());

    // The other sections still print.
    menu->CheckItems(0);
    ASSERT_TRUE(menu->Preview());
    QByteArray expected = SectionFile(*menu, 0) + '\f' + SectionFile(*menu, 1);
    EXPECT_TRUE(JoinedFile(*menu) == expected);

    // The engineer's tick of the failed section survives for the next build.
    menu->reject();
    EXPECT_EQ(IniText(QStringLiteral("MenuPrint"), QStringLiteral("2")), QStringLiteral("1"));
}

TEST_F(PrintMenuTest, APreviewerThatDoesNotStartIsReported) {
    starter_.result = false;
    auto menu = OpenMenu();
    Tick(*menu, {true, false, false});
    EXPECT_FALSE(menu->Preview());
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(boxes_.shown[0].text.contains(PreviewerProgram()));
}

}  // namespace
}  // namespace wyndlor
