// The window "洪水吐幅の試算": opened from the results menu, and the project
// changed only through its take button.
#include "core/Messages.h"
#include "widgets/NumberField.h"
#include "results/frmMenuRO.h"
#include "results/frmSolveWidth.h"
#include "tests/results/ResultsTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace wyndlor {
namespace {

TEST(SolveWidthWindow, OpenedFromTheResultsMenu) {
    const CalcRun run = MakeCalcRun(test::SmallProject(), CalcRunOptions{false, false});
    QWidget *openedOver = nullptr;
    frmMenuRO menu(run, {}, nullptr, [&](QWidget *parent) { openedOver = parent; });
    menu.show();
    ASSERT_EQ(menu.cmdMenu(3)->text(), QStringLiteral("洪水吐幅の試算"));
    QTest::mouseClick(menu.cmdMenu(3), Qt::LeftButton);
    EXPECT_EQ(openedOver, &menu);
    menu.close();
}

TEST(SolveWidthWindow, AnswerTableAndTakeButton) {
    // The small project: a 5 m weir on a pond at FWL 100 m.
    const CalcRun run = MakeCalcRun(test::SmallProject(), CalcRunOptions{false, false});
    ASSERT_TRUE(run.Ok);
    std::vector<double> taken;
    frmSolveWidth window(run, [&](double B) { taken.push_back(B); });
    window.show();
    window.numHWLa()->SetValue(run.Results.DesignFloodLevel - 0.1);
    QTest::mouseClick(window.cmdSolve(), Qt::LeftButton);
    const WidthSolution &s = window.Solution();
    ASSERT_EQ(s.status, WidthStatus::Found);
    EXPECT_GT(s.B, 5.0);
    // The answer shown and taken is the one the check leaves: the 1-minute
    // routing's width where the guideline routing is not accurate at B.
    EXPECT_EQ(window.numB()->text(), msg::FormatWidth(s.AnswerB()));
    EXPECT_EQ(window.grdWidths()->rowCount(), 2 * kWidthTableHalfRows + 1);
    EXPECT_EQ(window.grdWidths()->item(kWidthTableHalfRows, 2)->text(), QStringLiteral("以下"));
    EXPECT_EQ(window.grdWidths()->item(kWidthTableHalfRows - 1, 2)->text(), QStringLiteral("超過"));
    EXPECT_TRUE(taken.empty());  // solving alone changes nothing

    QTest::mouseClick(window.cmdTake(), Qt::LeftButton);
    ASSERT_EQ(taken, std::vector<double>{s.AnswerB()});
    EXPECT_FALSE(window.cmdTake()->isEnabled());
    window.close();
}

TEST(SolveWidthWindow, TakingSetsTheWidthOfTheProjectsTypeAndMarksItModified) {
    Project project;
    project.Data = test::SmallProject();  // a weir
    project.Data.SectionData(slot::SectB1) = SlotValue::Double(2);
    TakeSpillwayWidth(project, 7.3);
    EXPECT_EQ(project.Data.SectionData(slot::SectB), SlotValue::Double(7.3));
    EXPECT_EQ(project.Data.SectionData(slot::SectB1), SlotValue::Double(2));
    EXPECT_TRUE(project.IsModified);
    project.Data.SectionData(slot::SectType) = SlotValue::Int32(0);  // channel inflow
    TakeSpillwayWidth(project, 1.5);
    EXPECT_EQ(project.Data.SectionData(slot::SectB1), SlotValue::Double(1.5));
    EXPECT_EQ(project.Data.SectionData(slot::SectB), SlotValue::Double(7.3));
}

}  // namespace
}  // namespace wyndlor
