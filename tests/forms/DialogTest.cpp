#include "core/Messages.h"
#include "core/ProjectFile.h"
#include "forms/FormBinding.h"
#include "forms/FormRunner.h"
#include "tests/forms/FormsTestSupport.h"
#include "forms/InputGrid.h"
#include "widgets/NumberField.h"
#include "forms/frmInpArea.h"
#include "forms/frmInpDeltaT.h"
#include "forms/frmInpHVC.h"
#include "forms/TextGuard.h"
#include "forms/frmInpJyoken.h"
#include "forms/frmInpSection.h"
#include "widgets/HelpWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace wyndlor {
namespace {

using test::Boxes;

QString U(const char *s) { return QString::fromUtf8(s); }

double Num(const SlotValue &v) {
    double d = -12345;
    EXPECT_EQ(v.ToDouble(d), 0);
    return d;
}

// A form over a project as the main window opens it: created, connected,
// shown (which raises LoadData) and active.
class FormTest : public ::testing::Test {
protected:
    void SetUp() override { Boxes().Clear(); }

    template <class Form>
    Form &Open(const char *tag) {
        dialog = CreateInputForm(tag, project, nullptr);
        EXPECT_NE(dialog, nullptr);
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return *static_cast<Form *>(dialog.get());
    }
    // Types any text, also characters that have no key of their own.
    static void TypeText(QWidget *w, const QString &text) {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    // A click as the button's own (mouse clicks in quick succession on
    // different buttons may be merged by the platform's double-click rule).
    void Click(QAbstractButton *b) { b->click(); }
    // Types into a field the way a user does: focus, replace, leave.
    void Enter(NumberField *f, const QString &text) {
        f->setFocus();
        QApplication::processEvents();
        f->selectAll();
        QTest::keyClicks(f, text);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(f, &out);
    }

    Project project;
    std::unique_ptr<InputDialog> dialog;
};

// ---- Calculation conditions --------------------------------------------------

TEST_F(FormTest, ConditionsOfANewProjectShowTheDefaults) {
    auto &f = Open<frmInpJyoken>("InpJyoken");
    EXPECT_EQ(f.windowTitle(), U("計算条件の入力"));
    EXPECT_EQ(f.txtTitle->text(), U("(未定義)"));
    EXPECT_EQ(f.numYoyuu->text(), QString("20"));
    EXPECT_EQ(f.numCalcTime->text(), QString("12"));
    EXPECT_EQ(f.numFWL->text(), QString("+0.000"));
    EXPECT_EQ(f.numQfix->text(), QString("0.000"));
    EXPECT_EQ(f.numV->text(), QString("0"));
    for (OptionGroup *g : {f.optSiki, f.optTime, f.optUnit, f.optHakei}) EXPECT_EQ(g->Index(), 0);
    EXPECT_TRUE(f.numConstB->isEnabled());
    EXPECT_FALSE(f.numConstN->isEnabled());
    EXPECT_TRUE(f.cmdHelp->isEnabled()) << "the manual's page";
}

TEST_F(FormTest, ShermanUsesNInsteadOfBAndAHiddenValueIsStillSaved) {
    auto &f = Open<frmInpJyoken>("InpJyoken");
    Click(f.optSiki->button(1));
    EXPECT_FALSE(f.numConstB->isEnabled());
    EXPECT_TRUE(f.numConstN->isEnabled());
    EXPECT_TRUE(f.numConstA->isEnabled());
    Enter(f.numConstN, "0.65");
    Click(f.optSiki->button(2));
    EXPECT_TRUE(f.numConstB->isEnabled());
    EXPECT_FALSE(f.numConstN->isEnabled());
    Click(f.optSiki->button(0));
    EXPECT_FALSE(f.numConstN->isEnabled());
    Click(f.cmdOk);
    EXPECT_DOUBLE_EQ(Num(project.Data.ConditionsData(slot::ConstN)), 0.65);
    EXPECT_EQ(project.Data.ConditionsData(slot::Siki), SlotValue::Int32(0));
}

TEST_F(FormTest, MarginOfHundredIsRefusedOnLeavingAndOnOk) {
    auto &f = Open<frmInpJyoken>("InpJyoken");
    int saves = 0;
    QObject::connect(&f, &InputDialog::SaveData, [&saves](bool &) { ++saves; });
    Enter(f.numYoyuu, "100");
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, U("入力範囲：0 ～ 99"));
    EXPECT_EQ(Boxes().beeps, 1);
    EXPECT_EQ(QApplication::focusWidget(), f.numYoyuu);
    // Enter confirms without leaving the field: OK checks again.
    QTest::keyClick(f.numYoyuu, Qt::Key_Return);
    EXPECT_EQ(saves, 0);
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(project.Data.HasConditions);
}

TEST_F(FormTest, ConfirmedConditionsAreStoredAndShownAgain) {
    auto &f = Open<frmInpJyoken>("InpJyoken");
    f.txtTitle->selectAll();
    TypeText(f.txtTitle, U("大谷池"));
    Enter(f.numFWL, "-12.25");
    Enter(f.numA, "18500");
    Click(f.optTime->button(2));
    Click(f.optUnit->button(1));
    Click(f.optHakei->button(1));
    Click(f.cmdOk);
    EXPECT_EQ(f.UsrTag, QString("OK"));
    EXPECT_EQ(f.result(), QDialog::Accepted);
    const ProjectData &d = project.Data;
    EXPECT_TRUE(d.HasConditions);
    EXPECT_TRUE(project.IsModified);
    EXPECT_EQ(d.ConditionsData(slot::Title), SlotValue::String("大谷池"));
    EXPECT_DOUBLE_EQ(Num(d.ConditionsData(slot::FWL)), -12.25);
    EXPECT_DOUBLE_EQ(Num(d.ConditionsData(slot::Area)), 18500);
    EXPECT_DOUBLE_EQ(Num(d.ConditionsData(slot::Yoyuu)), 20);
    EXPECT_EQ(d.ConditionsData(slot::Time), SlotValue::Int32(2));
    EXPECT_EQ(d.ConditionsData(slot::Unit), SlotValue::Int32(1));
    EXPECT_EQ(d.ConditionsData(slot::Hakei), SlotValue::Int32(1));
    EXPECT_TRUE(d.ConditionsData(15).IsEmpty());

    auto &again = Open<frmInpJyoken>("InpJyoken");
    EXPECT_EQ(again.txtTitle->text(), U("大谷池"));
    EXPECT_EQ(again.numFWL->text(), QString("-12.250"));
    EXPECT_EQ(again.optTime->Index(), 2);
    EXPECT_EQ(again.optHakei->Index(), 1);
}

TEST_F(FormTest, TitleRefusesQuotesAndCharactersTheFileCannotHold) {
    auto &f = Open<frmInpJyoken>("InpJyoken");
    f.txtTitle->clear();
    TypeText(f.txtTitle, U("池\"A한"));
    EXPECT_EQ(f.txtTitle->text(), U("池A"));
    EXPECT_EQ(Boxes().beeps, 2);
}

TEST_F(FormTest, TitleTakesLookAlikeCharactersInTheirStorableForms) {
    auto &f = Open<frmInpJyoken>("InpJyoken");
    f.txtTitle->clear();
    TypeText(f.txtTitle, U("A〜B−C"));
    EXPECT_EQ(f.txtTitle->text(), U("A～B－C"));
    EXPECT_EQ(Boxes().beeps, 0);
    EXPECT_TRUE(IsStorableText(f.txtTitle->text()));
}

TEST_F(FormTest, CancelChangesNothing) {
    project.Data.HasConditions = true;
    project.Data.ConditionsData(slot::Yoyuu) = SlotValue::Double(30);
    const ProjectData before = project.Data;
    auto &f = Open<frmInpJyoken>("InpJyoken");
    int saves = 0;
    QObject::connect(&f, &InputDialog::SaveData, [&saves](bool &) { ++saves; });
    Enter(f.numYoyuu, "50");
    Click(f.cmdCancel);
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(f.UsrTag, U("ｷｬﾝｾﾙ"));
    EXPECT_EQ(f.result(), QDialog::Rejected);
    EXPECT_TRUE(project.Data == before);
    EXPECT_FALSE(project.IsModified);
}

TEST_F(FormTest, OptionIndexOutsideTheGroupLeavesTheDefault) {
    project.Data.HasConditions = true;
    project.Data.ConditionsData(slot::Siki) = SlotValue::Int32(7);
    project.Data.ConditionsData(slot::Yoyuu) = SlotValue::String("abc");
    project.Data.ConditionsData(slot::CalcTime) = SlotValue::Double(24);
    auto &f = Open<frmInpJyoken>("InpJyoken");
    EXPECT_EQ(f.optSiki->Index(), 0);
    EXPECT_EQ(f.numYoyuu->text(), QString("20"));
    EXPECT_EQ(f.numCalcTime->text(), QString("24"));
}

// ---- Catchment -----------------------------------------------------------------

class AreaFormTest : public FormTest {
protected:
    void Row(frmInpArea &f, int row, const char *name, const char *a, const char *fp, const char *c) {
        f.vaSpread1->SetCellText(row, frmInpArea::ColName, U(name));
        f.vaSpread1->SetCellText(row, frmInpArea::ColArea, a);
        f.vaSpread1->SetCellText(row, frmInpArea::ColFp, fp);
        f.vaSpread1->SetCellText(row, frmInpArea::ColC, c);
    }
};

TEST_F(AreaFormTest, NewProjectShowsAnEmptyGridAndZeros) {
    auto &f = Open<frmInpArea>("InpArea");
    EXPECT_EQ(f.windowTitle(), U("流域面積等の入力"));
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_TRUE(f.vaSpread1->CellText(r, c).isEmpty());
    EXPECT_EQ(f.numArea->text(), QString("0.0000"));
    EXPECT_EQ(f.numFp->text(), QString("0.000"));
    EXPECT_EQ(f.numC->text(), QString("0"));
    EXPECT_EQ(f.vaSpread1->horizontalHeaderItem(3)->text(), U("洪水到達時間係数Ｃ"));
}

TEST_F(AreaFormTest, DefaultValuesAreAreaWeightedAverages) {
    auto &f = Open<frmInpArea>("InpArea");
    Row(f, 0, "A", "1.5", "0.7", "290");
    Row(f, 2, "B", "0.5", "0.9", "190");
    Row(f, 3, "C", "9", "0.1", "");  // no C: not a sub-catchment yet
    QSignalSpy calc(&f, &frmInpArea::CalcData);
    Click(f.cmdDefault);
    EXPECT_EQ(calc.count(), 1);
    EXPECT_EQ(f.numArea->text(), QString("2.0000"));
    EXPECT_EQ(f.numFp->text(), QString("0.750"));
    EXPECT_EQ(f.numC->text(), QString("265"));
    EXPECT_TRUE(f.isVisible());
}

TEST_F(AreaFormTest, DefaultValuesOfAnEmptyGridLeaveTheFields) {
    auto &f = Open<frmInpArea>("InpArea");
    f.numFp->SetValue(0.4);
    Click(f.cmdDefault);
    EXPECT_EQ(f.numFp->text(), QString("0.400"));
}

TEST_F(AreaFormTest, SavingPacksFilledRowsAndDropsIncompleteOnes) {
    auto &f = Open<frmInpArea>("InpArea");
    Row(f, 0, "A", "1.5", "0.7", "290");
    Row(f, 1, "half", "3", "", "100");
    Row(f, 2, "", "0.5", "0.9", "190");  // a blank name keeps the row
    Enter(f.numArea, "2");
    Click(f.cmdOk);
    const ProjectData &d = project.Data;
    EXPECT_TRUE(d.HasCatchment);
    EXPECT_TRUE(project.IsModified);
    ASSERT_EQ(d.CatchmentCount, 2);
    EXPECT_EQ(d.CatchmentTable(1, 1), SlotValue::String("A"));
    EXPECT_DOUBLE_EQ(Num(d.CatchmentTable(2, 1)), 1.5);
    EXPECT_EQ(d.CatchmentTable(1, 2), SlotValue::String(""));
    EXPECT_DOUBLE_EQ(Num(d.CatchmentTable(2, 2)), 0.5);
    EXPECT_DOUBLE_EQ(Num(d.CatchmentTable(4, 2)), 190);
    EXPECT_TRUE(d.CatchmentTable(2, 3).IsEmpty());
    EXPECT_DOUBLE_EQ(Num(d.CatchmentSummary(slot::SumArea)), 2);

    auto &again = Open<frmInpArea>("InpArea");
    EXPECT_EQ(again.vaSpread1->CellText(1, frmInpArea::ColArea), QString("0.5000"));
    EXPECT_EQ(again.vaSpread1->CellText(1, frmInpArea::ColC), QString("190.0"));
    EXPECT_TRUE(again.vaSpread1->CellText(2, frmInpArea::ColArea).isEmpty());
    EXPECT_EQ(again.numArea->text(), QString("2.0000"));
}

TEST_F(AreaFormTest, ZeroAdoptedValuesWithRowsOfferTheTableValues) {
    auto &f = Open<frmInpArea>("InpArea");
    Row(f, 0, "A", "1.5", "0.7", "290");
    Row(f, 1, "B", "0.5", "0.9", "190");
    Enter(f.numArea, "2.5");  // the engineer's own area stays
    Boxes().answers = {MsgResult::Cancel};
    Click(f.cmdOk);
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, msg::AreaDefaultsOfferText());
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(project.Data.HasCatchment);
    Boxes().answers = {MsgResult::Yes};
    Click(f.cmdOk);
    const SlotArray &s = project.Data.CatchmentSummary;
    EXPECT_DOUBLE_EQ(Num(s(slot::SumArea)), 2.5);
    EXPECT_DOUBLE_EQ(Num(s(slot::SumFp)), 0.75);
    EXPECT_DOUBLE_EQ(Num(s(slot::SumC)), 265);
}

TEST_F(AreaFormTest, FpAboveOneIsRefused) {
    auto &f = Open<frmInpArea>("InpArea");
    Enter(f.numFp, "1.2");
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, U("入力範囲：0.000 ～ 1.000"));
    EXPECT_EQ(QApplication::focusWidget(), f.numFp);
}

// ---- Spillway control section ---------------------------------------------------

TEST_F(FormTest, SectionOfANewProjectShowsTypeZeroInFront) {
    auto &f = Open<frmInpSection>("InpSection");
    EXPECT_EQ(f.windowTitle(), U("洪水吐調整部断面形状の入力"));
    EXPECT_EQ(f.optType->Index(), 0);
    EXPECT_EQ(f.stack->currentWidget(), static_cast<QWidget *>(f.fraType1));
    EXPECT_TRUE(f.fraType1->isEnabled());
    EXPECT_FALSE(f.fraType2->isEnabled());
    EXPECT_EQ(f.numB1->text(), QString("0.00"));
    EXPECT_EQ(f.numC1->text(), QString("0.000"));
    EXPECT_EQ(f.numB->text(), QString("0.00"));
    EXPECT_EQ(f.numCd->text(), QString("0.000"));
}

TEST_F(FormTest, SectionTypeSwitchKeepsBothTypesValues) {
    auto &f = Open<frmInpSection>("InpSection");
    Enter(f.numB1, "3.5");
    Click(f.optType->button(1));
    EXPECT_EQ(f.stack->currentWidget(), static_cast<QWidget *>(f.fraType2));
    EXPECT_TRUE(f.fraType2->isEnabled());
    EXPECT_FALSE(f.fraType1->isEnabled());
    Enter(f.numCd, "1.8");
    Click(f.optType->button(0));
    EXPECT_EQ(f.numB1->text(), QString("3.50"));
    Click(f.optType->button(1));
    Click(f.cmdOk);
    const SlotArray &s = project.Data.SectionData;
    EXPECT_EQ(s(slot::SectType), SlotValue::Int32(1));
    EXPECT_DOUBLE_EQ(Num(s(slot::SectB1)), 3.5);
    EXPECT_DOUBLE_EQ(Num(s(slot::SectCd)), 1.8);
    EXPECT_TRUE(project.Data.HasSection);
    EXPECT_TRUE(project.IsModified);

    auto &again = Open<frmInpSection>("InpSection");
    EXPECT_EQ(again.stack->currentWidget(), static_cast<QWidget *>(again.fraType2));
    EXPECT_EQ(again.numCd->text(), QString("1.800"));
}

TEST_F(FormTest, SectionRefusesNinetyNineAndAHalf) {
    auto &f = Open<frmInpSection>("InpSection");
    Enter(f.numC1, "99.5");
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, U("入力範囲：0.000 ～ 99.000"));
    EXPECT_EQ(QApplication::focusWidget(), f.numC1);
}

// ---- Calculation time step ------------------------------------------------------

TEST_F(FormTest, TimeStepOfANewProjectShowsTenAndNoArrivalTime) {
    auto &f = Open<frmInpDeltaT>("InpDeltaT");
    EXPECT_EQ(f.windowTitle(), U("計算時間間隔の入力"));
    EXPECT_EQ(f.numDeltaT->text(), QString("10"));
    EXPECT_EQ(f.numTp->text(), QString("0.0"));
    EXPECT_TRUE(f.numTp->isReadOnly());
}

TEST_F(FormTest, TimeStepRecommendsTheGuidelineStepWithItsDischarge) {
    // nishitani-ike: tp 82.8 minutes, so Δt ≈ tp is 83 minutes, whatever
    // step the project holds and whether or not it was calculated.
    InitProjectData(project.Data);
    ASSERT_EQ(OpenProjectFile(QStringLiteral(WYNDLOR_EXAMPLES_DIR "/nishitani-ike.wyd"), project.Data).outcome,
              OpenOutcome::Ok);
    project.Data.DeltaTData(slot::DeltaT) = SlotValue::Int32(120);
    auto &f = Open<frmInpDeltaT>("InpDeltaT");
    EXPECT_TRUE(f.lblGuidelineStep->isVisible());
    EXPECT_EQ(f.lblGuidelineStep->text(),
              msg::GuidelineStepText(83, DesignDischargeAt(project.Data, 83)));
    EXPECT_TRUE(f.lblGuidelineStep->text().startsWith(QStringLiteral("Δｔ≒ｔｐ：83分（Ｑ1＝")));
    dialog->close();
    // Without a catchment there is no tp and no recommendation.
    InitProjectData(project.Data);
    EXPECT_FALSE(Open<frmInpDeltaT>("InpDeltaT").lblGuidelineStep->isVisible());
}

struct StepCase {
    const char *name;
    const char *typed;
    bool refused;
};

class TimeStepRangeTest : public FormTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(TimeStepRangeTest, RangeIsTenToHundredTwenty) {
    auto &f = Open<frmInpDeltaT>("InpDeltaT");
    Enter(f.numDeltaT, GetParam().typed);
    EXPECT_EQ(Boxes().shown.size(), GetParam().refused ? 1u : 0u);
    if (GetParam().refused) {
        EXPECT_EQ(Boxes().shown[0].text, U("入力範囲：10 ～ 120"));
    }
}

INSTANTIATE_TEST_SUITE_P(Steps, TimeStepRangeTest,
                         ::testing::Values(StepCase{"Nine", "9", true}, StepCase{"Ten", "10", false},
                                           StepCase{"HundredTwenty", "120", false},
                                           StepCase{"HundredTwentyOne", "121", true}),
                         [](const ::testing::TestParamInfo<StepCase> &i) {
                             return std::string(i.param.name);
                         });

TEST_F(FormTest, ConfirmedTimeStepIsStored) {
    auto &f = Open<frmInpDeltaT>("InpDeltaT");
    Enter(f.numDeltaT, "30");
    Click(f.cmdOk);
    EXPECT_DOUBLE_EQ(Num(project.Data.DeltaTData(slot::DeltaT)), 30);
    EXPECT_TRUE(project.Data.HasDeltaT);
    EXPECT_TRUE(project.IsModified);
}

// ---- h-V curve ------------------------------------------------------------------

class HVCFormTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        project.Data.HasConditions = true;
        project.Data.ConditionsData(slot::FWL) = SlotValue::Double(100.5);
        project.Data.ConditionsData(slot::Area) = SlotValue::Double(5000);
    }
    frmInpHVC &OpenFrustum() {
        auto &f = Open<frmInpHVC>("InpHVC");
        Click(f.optHVC->button(1));
        f.vaSpread1->ClearAll();
        return f;
    }
    void Row(frmInpHVC &f, int row, const char *h, const char *a) {
        f.vaSpread1->SetCellText(row, frmInpHVC::ColLevel, h);
        f.vaSpread1->SetCellText(row, frmInpHVC::ColArea, a);
    }
};

TEST_F(HVCFormTest, FirstOpeningOffersTheConstantAreaMethodGreyedTable) {
    auto &f = Open<frmInpHVC>("InpHVC");
    EXPECT_EQ(f.windowTitle(), U("ｈ－Ｖ曲線算定ﾃﾞｰﾀの入力"));
    EXPECT_EQ(f.optHVC->Index(), 0);
    EXPECT_FALSE(f.numFWL->isEnabled());
    EXPECT_FALSE(f.vaSpread1->isEnabled());
    EXPECT_FALSE(f.lblText->isEnabled());
    EXPECT_EQ(f.numFWL->text(), QString("+100.500"));
    EXPECT_EQ(f.vaSpread1->CellText(0, 0), QString("100.500"));
    EXPECT_EQ(f.vaSpread1->CellText(0, 1), QString("5000.0"));
    EXPECT_EQ(f.vaSpread1->CellText(1, 0), QString("101.500"));
    EXPECT_EQ(f.vaSpread1->CellText(1, 1), QString("5000.0"));
    EXPECT_TRUE(f.vaSpread1->CellText(2, 0).isEmpty());
    Click(f.optHVC->button(1));
    EXPECT_TRUE(f.numFWL->isEnabled());
    EXPECT_TRUE(f.vaSpread1->isEnabled());
    EXPECT_TRUE(f.lblText->isEnabled());
}

TEST_F(HVCFormTest, FrustumNeedsTwoCompleteRows) {
    const std::vector<std::vector<std::pair<const char *, const char *>>> cases = {
        {{"100", "5000"}},
        {{"100", "5000"}, {"101", ""}},
    };
    for (const auto &rows : cases) {
        Boxes().Clear();
        auto &f = OpenFrustum();
        for (size_t i = 0; i < rows.size(); ++i) Row(f, static_cast<int>(i), rows[i].first, rows[i].second);
        Click(f.cmdOk);
        ASSERT_EQ(Boxes().shown.size(), 1u);
        EXPECT_EQ(Boxes().shown[0].text, U("ｈ－Ｖ曲線算定ﾃﾞｰﾀは必ず2行以上入力して下さい。"));
        EXPECT_EQ(Boxes().shown[0].title, U("ｈ－Ｖ曲線算定ﾃﾞｰﾀの入力"));
        EXPECT_TRUE(f.isVisible());
        EXPECT_FALSE(project.Data.HasHVC);
        EXPECT_FALSE(project.IsModified);
    }
}

TEST_F(HVCFormTest, FrustumLevelsMustRiseDownTheTable) {
    for (const char *second : {"100", "99.5"}) {
        Boxes().Clear();
        auto &f = OpenFrustum();
        Row(f, 0, "100", "5000");
        Row(f, 3, second, "6000");
        Click(f.cmdOk);
        ASSERT_EQ(Boxes().shown.size(), 1u) << second;
        EXPECT_EQ(Boxes().shown[0].text,
                  U("ｈ－Ｖ曲線算定ﾃﾞｰﾀの断面位置は下の行ほど高くなるように入力して下さい。"));
        EXPECT_EQ(Boxes().shown[0].title, U("ｈ－Ｖ曲線算定ﾃﾞｰﾀの入力"));
        EXPECT_TRUE(f.isVisible());
        EXPECT_FALSE(project.Data.HasHVC);
    }
}

TEST_F(HVCFormTest, RowsOneFourSevenAreStoredAsOneTwoThree) {
    auto &f = OpenFrustum();
    Row(f, 0, "100", "5000");
    Row(f, 3, "101", "6000");
    Row(f, 6, "102.5", "7200.5");
    Enter(f.numFWL, "100.25");
    Click(f.cmdOk);
    const ProjectData &d = project.Data;
    EXPECT_TRUE(Boxes().shown.empty());
    EXPECT_TRUE(d.HasHVC);
    EXPECT_TRUE(project.IsModified);
    EXPECT_EQ(d.HVCData(slot::HVCMethod), SlotValue::Int16(1));
    EXPECT_DOUBLE_EQ(Num(d.HVCData(slot::HVCStartLevel)), 100.25);
    ASSERT_EQ(d.HVCCount, 3);
    EXPECT_DOUBLE_EQ(Num(d.HVCTable(1, 2)), 101);
    EXPECT_DOUBLE_EQ(Num(d.HVCTable(1, 3)), 102.5);
    EXPECT_DOUBLE_EQ(Num(d.HVCTable(2, 3)), 7200.5);

    auto &again = Open<frmInpHVC>("InpHVC");
    EXPECT_EQ(again.optHVC->Index(), 1);
    EXPECT_TRUE(again.vaSpread1->isEnabled());
    EXPECT_EQ(again.vaSpread1->CellText(2, 0), QString("102.500"));
    EXPECT_EQ(again.numFWL->text(), QString("100.250")) << "opened on this field, in its edit format";
}

TEST_F(HVCFormTest, ConstantAreaMethodStillStoresTheCompleteRows) {
    auto &f = Open<frmInpHVC>("InpHVC");
    f.vaSpread1->SetCellText(4, 0, "90");  // no area: not a data row
    Click(f.cmdOk);
    EXPECT_TRUE(Boxes().shown.empty());
    EXPECT_TRUE(project.Data.HasHVC);
    EXPECT_EQ(project.Data.HVCData(slot::HVCMethod), SlotValue::Int16(0));
    ASSERT_EQ(project.Data.HVCCount, 2);
    EXPECT_DOUBLE_EQ(Num(project.Data.HVCTable(1, 2)), 101.5);
}

// ---- Window place ----------------------------------------------------------------

TEST_F(FormTest, ClosedFormReopensWhereItWasLeft) {
    auto &f = Open<frmInpDeltaT>("InpDeltaT");
    f.move(130, 90);
    const QPoint left = f.pos();
    Click(f.cmdCancel);
    auto &again = Open<frmInpDeltaT>("InpDeltaT");
    EXPECT_EQ(again.pos(), left);
}

// Every number the forms take, with the range it must lie in and the
// formats it is shown and edited in.
TEST(FormFields, EveryNumberHasItsRangeAndFormats) {
    frmInpJyoken j;
    frmInpArea a;
    frmInpSection s;
    frmInpDeltaT d;
    frmInpHVC h;
    struct Row {
        const char *name;
        const NumberField *field;
        double min, max;
        const char *display, *edit;
    };
    const char *fwl = "+##0.000;-##0.000";
    const Row rows[] = {
        {"V", j.numV, 0, 9999999, "#######0", "#######0"},
        {"FWL", j.numFWL, -999, 999, fwl, "##0.000"},
        {"A", j.numA, 0, 9999999, "######0", "######0"},
        {"Yoyuu", j.numYoyuu, 0, 99, "#0", "#0"},
        {"Qfix", j.numQfix, 0, 99, "#0.000", "#0.000"},
        {"ConstA", j.numConstA, -99999.999, 99999.999, "####0.000", "####0.000"},
        {"ConstB", j.numConstB, -99.999, 99.999, "#0.000", "#0.000"},
        {"ConstN", j.numConstN, -99.999, 99.999, "#0.000", "#0.000"},
        {"CalcTime", j.numCalcTime, 0, 99, "#0", "#0"},
        {"Area", a.numArea, 0, 999, "##0.0000", "##0.0000"},
        {"Fp", a.numFp, 0, 1, "0.000", "0.000"},
        {"C", a.numC, 0, 999, "##0", "##0"},
        {"B1", s.numB1, 0, 99, "#0.00", "#0.00"},
        {"C1", s.numC1, 0, 99, "#0.000", "#0.000"},
        {"B", s.numB, 0, 99, "#0.00", "#0.00"},
        {"Cd", s.numCd, 0, 99, "#0.000", "#0.000"},
        {"Tp", d.numTp, -999.9, 999.9, "##0.0", "##0.0"},
        {"DeltaT", d.numDeltaT, 10, 120, "##0", "##0"},
        {"StartLevel", h.numFWL, -999, 999, fwl, "##0.000"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(r.field->MinValue(), r.min);
        EXPECT_EQ(r.field->MaxValue(), r.max);
        EXPECT_EQ(r.field->DisplayFormat().Picture(), QString(r.display));
        EXPECT_EQ(r.field->EditFormat().Picture(), QString(r.edit));
    }
    EXPECT_TRUE(d.numTp->isReadOnly());
    // The h-V table: levels to the millimetre, areas to a tenth of a m2.
    EXPECT_TRUE(h.vaSpread1->AcceptsText(frmInpHVC::ColLevel, "-999.999"));
    EXPECT_FALSE(h.vaSpread1->AcceptsText(frmInpHVC::ColLevel, "1000"));
    EXPECT_FALSE(h.vaSpread1->AcceptsText(frmInpHVC::ColLevel, "1.0005"));
    EXPECT_TRUE(h.vaSpread1->AcceptsText(frmInpHVC::ColArea, "9999999.9"));
    EXPECT_FALSE(h.vaSpread1->AcceptsText(frmInpHVC::ColArea, "-1"));
    EXPECT_FALSE(h.vaSpread1->AcceptsText(frmInpHVC::ColArea, "1.25"));
}

TEST_F(FormTest, FormulaChosenWithTheArrowKeysSetsTheConstantsToo) {
    auto &f = Open<frmInpJyoken>("InpJyoken");
    QAbstractButton *talbot = f.optSiki->button(0);
    talbot->setFocus();
    QApplication::processEvents();
    QTest::keyClick(talbot, Qt::Key_Down);
    EXPECT_EQ(f.optSiki->Index(), 1);
    EXPECT_FALSE(f.numConstB->isEnabled());
    EXPECT_TRUE(f.numConstN->isEnabled());
}

// ---- Running a form modally ------------------------------------------------------

TEST(RunInputForm, ConfirmedFormReturnsTrueAndStoresItsGroup) {
    Project project;
    QTimer::singleShot(0, [] {
        auto *d = qobject_cast<InputDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        d->cmdOk->click();
    });
    EXPECT_TRUE(RunInputForm("InpSection", project, nullptr));
    EXPECT_TRUE(project.Data.HasSection);
    EXPECT_TRUE(project.IsModified);
}

TEST(RunInputForm, CancelledFormReturnsFalse) {
    Project project;
    QTimer::singleShot(0, [] {
        auto *d = qobject_cast<InputDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        d->cmdCancel->click();
    });
    EXPECT_FALSE(RunInputForm("InpDeltaT", project, nullptr));
    EXPECT_FALSE(project.Data.HasDeltaT);
    EXPECT_FALSE(project.IsModified);
}

TEST_F(FormTest, EveryFormOpensOnItsFirstInputNotOnOk) {
    for (const char *tag : {"InpJyoken", "InpHVC", "InpArea", "InpSection", "InpDeltaT"}) {
        Open<InputDialog>(tag);
        QWidget *focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr) << tag;
        EXPECT_EQ(focus->window(), dialog.get()) << tag;
        EXPECT_FALSE(qobject_cast<QAbstractButton *>(focus) && !qobject_cast<QRadioButton *>(focus)) << tag;
        dialog->close();
    }
    // A title typed with a space goes into the title, not onto OK.
    auto &f = Open<frmInpJyoken>("InpJyoken");
    f.txtTitle->selectAll();
    QTest::keyClicks(QApplication::focusWidget(), "Kita Ike");
    EXPECT_EQ(f.txtTitle->text(), QString("Kita Ike"));
    EXPECT_TRUE(f.isVisible());
}

TEST(RunInputForm, UnknownTagOpensNothing) {
    Project project;
    EXPECT_FALSE(RunInputForm("InpRenban", project, nullptr));
    EXPECT_EQ(CreateInputForm("MenuRO", project, nullptr), nullptr);
}

// ---- Focus and help ---------------------------------------------------------------

// A digit typed as the form opens lands in its first numeric field, also
// where option buttons come before it.
struct FirstFieldCase {
    const char *name;
    const char *tag;
};
class FirstFieldTest : public FormTest, public ::testing::WithParamInterface<FirstFieldCase> {};

TEST_P(FirstFieldTest, TypedDigitLandsInTheFirstNumericField) {
    project.Data.HasHVC = true;
    project.Data.HVCData(1) = SlotValue::Int16(1);  // frustum: the start level is open
    Open<InputDialog>(GetParam().tag);
    auto *field = qobject_cast<NumberField *>(QApplication::focusWidget());
    ASSERT_NE(field, nullptr) << "focus on " << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "nothing");
    field->selectAll();
    QTest::keyClicks(QApplication::focusWidget(), "7");
    EXPECT_DOUBLE_EQ(field->Value(), 7);
}
INSTANTIATE_TEST_SUITE_P(Forms, FirstFieldTest,
                         ::testing::Values(FirstFieldCase{"HVC", "InpHVC"}, FirstFieldCase{"Section", "InpSection"}),
                         [](const auto &i) { return std::string(i.param.name); });

class HelpTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        SetHelpFolder(QStringLiteral(WYNDLOR_HELP_DIR));
    }
    void TearDown() override {
        if (HelpWindow *w = OpenHelpWindow()) delete w;
        SetHelpFolder(QString());
    }
};

TEST_F(HelpTest, EveryWindowHasItsPage) {
    for (const QString &page : help::AllPages())
        EXPECT_TRUE(QFileInfo(HelpPagePath(page)).isFile()) << page.toStdString();
}

// F1 opens the form's page in a window of its own that the modal form does
// not block: a child window of the form, not the form itself.
TEST_F(HelpTest, F1OpensTheFormsPageBesideIt) {
    for (const char *tag : {"InpJyoken", "InpHVC", "InpArea", "InpSection", "InpDeltaT"}) {
        auto &f = Open<InputDialog>(tag);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        HelpWindow *help = OpenHelpWindow();
        ASSERT_NE(help, nullptr) << tag;
        EXPECT_EQ(help->CurrentPage(), QLatin1String(tag));
        EXPECT_TRUE(help->isWindow());
        EXPECT_EQ(help->parentWidget(), &f);
        EXPECT_FALSE(help->Browser()->toPlainText().isEmpty());
        dialog.reset();
    }
}

}  // namespace
}  // namespace wyndlor
