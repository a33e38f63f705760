// The numbering-style form: what it shows for the settings it finds, what
// it stores, its samples, and the effect of its margins on a written report.
#include "widgets/NumberField.h"
#include "printing/RenbanBinding.h"
#include "report/ReportJob.h"
#include "tests/printing/ReportUiTestSupport.h"
#include "printing/frmInpRenban.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

namespace wyndlor {
namespace {

using test::FakeMessageBoxes;

const QString kChapter = QStringLiteral("Chapter");

class RenbanTest : public test::ReportUiFixture {
protected:
    std::unique_ptr<frmInpRenban> OpenForm() {
        auto form = CreateRenbanForm(nullptr);
        form->Load();
        return form;
    }
    FakeMessageBoxes boxes_;
};

TEST_F(RenbanTest, WithoutAChapterSectionNothingIsSelectedAndTheSampleIsUnnumbered) {
    auto form = OpenForm();
    EXPECT_TRUE(form->optMethodButton[0]->isChecked());
    for (int k = 0; k < kNumberedLevels; ++k) {
        EXPECT_EQ(form->cboStyle[k]->currentIndex(), -1) << "level " << k + 1;
        EXPECT_EQ(form->numMargin[k]->Value(), 0.0) << "level " << k + 1;
    }
    EXPECT_EQ(form->numInit->Value(), 0.0);
    EXPECT_EQ(form->txtMethod->toPlainText(),
              QStringLiteral("○○○\n  ○○○\n    ○○○\n        ○○○"));
    EXPECT_EQ(form->txtMargin->toPlainText(), QStringLiteral("○○○\n○○○\n○○○\n○○○"));
    EXPECT_EQ(form->TabStrip1->currentIndex(), 0);
    EXPECT_EQ(form->focusWidget(), form->numInit) << "opens on its first field, not on the tabs";
}

TEST_F(RenbanTest, StoredSettingsAreShownAndValuesOutOfRangeAreHeldToTheFields) {
    const std::pair<const char *, const char *> keys[] = {
        {"Method", "3"}, {"Init", "5"},    {"Style1", "8"},   {"Style2", "1"},   {"Style3", "12"},
        {"Style4", "9"}, {"Margin1", "2"}, {"Margin2", "10"}, {"Margin3", "25"}, {"Margin4", "-3"}};
    for (const auto &[k, v] : keys) SetIni(kChapter, QString::fromLatin1(k), QString::fromLatin1(v));
    auto form = OpenForm();
    EXPECT_TRUE(form->optMethodButton[3]->isChecked());
    EXPECT_EQ(form->numInit->Value(), 5.0);
    EXPECT_EQ(form->cboStyle[0]->currentText(), QStringLiteral("①,②,③,...⑳"));
    EXPECT_EQ(form->cboStyle[1]->currentText(), QStringLiteral("1,2,3,..99"));
    EXPECT_EQ(form->cboStyle[2]->currentIndex(), -1);
    EXPECT_EQ(form->cboStyle[3]->currentText(), QStringLiteral("・,・,・,...・"));
    const std::array<double, 4> margins = {2, 10, 10, 0};
    for (int k = 0; k < kNumberedLevels; ++k) EXPECT_EQ(form->numMargin[k]->Value(), margins[k]) << k;
    EXPECT_EQ(form->txtMethod->toPlainText().split('\n').at(2), QStringLiteral("    (章).(節).(項)○○○"));
}

TEST_F(RenbanTest, AMethodOutsideTheChoicesShowsNone) {
    SetIni(kChapter, QStringLiteral("Method"), QStringLiteral("7"));
    auto form = OpenForm();
    EXPECT_TRUE(form->optMethodButton[0]->isChecked());
    EXPECT_EQ(form->txtMethod->toPlainText().split('\n').first(), QStringLiteral("○○○"));
}

TEST_F(RenbanTest, OkStoresEveryKeyAndAnUnselectedStyleAsZero) {
    SetIni(kChapter, QStringLiteral("Style2"), QStringLiteral("4"));
    auto form = OpenForm();
    form->optMethodButton[2]->click();
    form->numInit->SetValue(12);
    form->cboStyle[0]->setCurrentIndex(2);  // "1),2),3),.(99)": style 3
    form->cboStyle[1]->setCurrentIndex(-1);
    form->TabStrip1->setCurrentIndex(2);
    form->numMargin[3]->SetValue(6);
    QTest::mouseClick(form->cmdOk, Qt::LeftButton);
    EXPECT_EQ(form->UsrTag, QStringLiteral("OK"));
    EXPECT_EQ(form->result(), QDialog::Accepted);

    const std::pair<const char *, const char *> expected[] = {
        {"Method", "2"}, {"Init", "12"},  {"Style1", "3"},  {"Style2", "0"},  {"Style3", "0"},
        {"Style4", "0"}, {"Margin1", "0"}, {"Margin2", "0"}, {"Margin3", "0"}, {"Margin4", "6"}};
    for (const auto &[k, v] : expected)
        EXPECT_EQ(IniText(kChapter, QString::fromLatin1(k)), QString::fromLatin1(v)) << k;
    EXPECT_FALSE(IniText(QStringLiteral("InpRenban"), QStringLiteral("Top")).isEmpty());
}

TEST_F(RenbanTest, CancelStoresNothing) {
    auto form = OpenForm();
    form->optMethodButton[1]->click();
    form->cboStyle[0]->setCurrentIndex(0);
    QTest::mouseClick(form->cmdCancel, Qt::LeftButton);
    EXPECT_EQ(form->UsrTag, QStringLiteral("ｷｬﾝｾﾙ"));
    EXPECT_TRUE(IniText(kChapter, QStringLiteral("Method")).isEmpty());
    EXPECT_TRUE(IniText(kChapter, QStringLiteral("Style1")).isEmpty());
}

struct SampleCase {
    const char *name;
    int method;
    QStringList lines;
};

class MethodSampleTest : public RenbanTest, public ::testing::WithParamInterface<SampleCase> {};

TEST_P(MethodSampleTest, ClickingAMethodShowsItsSample) {
    const SampleCase &c = GetParam();
    auto form = OpenForm();
    // Start from another method so the click has something to change.
    form->optMethodButton[(c.method + 1) % kNumberingMethods]->click();
    form->optMethodButton[c.method]->click();
    EXPECT_EQ(form->txtMethod->toPlainText().split('\n'), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Methods, MethodSampleTest,
    ::testing::Values(
        SampleCase{"None", 0, {"○○○", "  ○○○", "    ○○○", "        ○○○"}},
        SampleCase{"OwnNumber", 1, {"(章)○○○", "  (節)○○○", "    (項)○○○", "        (No)○○○"}},
        SampleCase{"JoinedByHyphen", 2,
                   {"(章)○○○", "  (章)-(節)○○○", "    (章)-(節)-(項)○○○", "        (No)○○○"}},
        SampleCase{"JoinedByPoint", 3,
                   {"(章)○○○", "  (章).(節)○○○", "    (章).(節).(項)○○○", "        (No)○○○"}}),
    [](const ::testing::TestParamInfo<SampleCase> &info) { return std::string(info.param.name); });

TEST_F(RenbanTest, TheMarginSampleFollowsTheTypingAndTheMethod) {
    auto form = OpenForm();
    form->show();
    form->TabStrip1->setCurrentIndex(2);
    form->numMargin[1]->setFocus();
    QTest::keyClicks(form->numMargin[1], QStringLiteral("7"));
    EXPECT_EQ(form->txtMargin->toPlainText().split('\n').at(1), QStringLiteral("       ○○○"));
    // The method is chosen on the first tab; the margin tab then shows it.
    form->TabStrip1->setCurrentIndex(0);
    form->optMethodButton[1]->click();
    form->TabStrip1->setCurrentIndex(2);
    EXPECT_EQ(form->txtMargin->toPlainText().split('\n').at(1), QStringLiteral("       (節)○○○"));
    form->reject();
}

TEST_F(RenbanTest, AMarginOutOfRangeKeepsItsTabOpen) {
    auto form = OpenForm();
    form->show();
    form->TabStrip1->setCurrentIndex(2);
    form->numMargin[0]->setFocus();
    QTest::keyClicks(form->numMargin[0], QStringLiteral("11"));
    form->TabStrip1->setCurrentIndex(0);
    EXPECT_EQ(form->TabStrip1->currentIndex(), 2);
    EXPECT_TRUE(form->TabStrip1->widget(2)->isEnabled());
    ASSERT_FALSE(boxes_.shown.empty());
    EXPECT_EQ(boxes_.shown.back().text, QStringLiteral("入力範囲：0 ～ 10"));
    EXPECT_GE(boxes_.beeps, 1);
    form->reject();
}

// A margin stored by the form moves the report's headings of that level by
// as many columns; the chapter markers stay right after the margin.
struct MarginCase {
    const char *name;
    int margin;
};

class MarginReportTest : public RenbanTest, public ::testing::WithParamInterface<MarginCase> {};

TEST_P(MarginReportTest, TheChapterMarginIndentsTheChapterHeadingsOfTheReport) {
    const int margin = GetParam().margin;
    {
        auto form = OpenForm();
        form->TabStrip1->setCurrentIndex(2);
        form->numMargin[0]->SetValue(margin);
        QTest::mouseClick(form->cmdOk, Qt::LeftButton);
        ASSERT_EQ(form->UsrTag, QStringLiteral("OK"));
    }
    CalcRun run;
    LoadExample("yamanaka-ike.wyd", run);
    const QString out = TempPath(QStringLiteral("report.txt"));
    QString message;
    ASSERT_TRUE(WriteFullReport(out, run, FormatFileName(), Ini(), message)) << qPrintable(message);

    int chapters = 0;
    const QByteArray head = QByteArray(margin, ' ') + "?R1";
    for (QByteArray line : test::ReadBytes(out).split('\n')) {
        if (line.startsWith('\f')) line.remove(0, 1);
        if (!line.contains("?R1")) continue;
        ++chapters;
        EXPECT_TRUE(line.startsWith(head)) << line.constData();
    }
    EXPECT_EQ(chapters, 3);
}

INSTANTIATE_TEST_SUITE_P(Margins, MarginReportTest,
                         ::testing::Values(MarginCase{"None", 0}, MarginCase{"Ten", 10}),
                         [](const ::testing::TestParamInfo<MarginCase> &info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace wyndlor
