// The window "洪水調節効果の試算": opened from the results menu on the run's
// input, its case table and its graph.
#include "core/Messages.h"
#include "results/ResultTableModel.h"
#include "results/frmFloodStudy.h"
#include "results/frmGraph.h"
#include "results/frmMenuRO.h"
#include "tests/results/ResultsTestSupport.h"

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace wyndlor {
namespace {

TEST(FloodStudyWindow, OpenedFromTheResultsMenuOnTheDefaults) {
    const CalcRun run = MakeCalcRun(test::SmallProject(), CalcRunOptions{false, false});
    frmMenuRO menu(run);
    menu.show();
    ASSERT_EQ(menu.cmdMenu(4)->text(), msg::FloodStudyTitle());
    int rows = -1;
    test::WithModal([&] { QTest::mouseClick(menu.cmdMenu(4), Qt::LeftButton); },
                    [&](QWidget *window) {
                        auto *study = qobject_cast<frmFloodStudy *>(window);
                        ASSERT_TRUE(study);
                        rows = study->Grid().RowCount();
                    });
    EXPECT_EQ(rows, 9 * 2);  // 0 to 2 m by 0.25 m, factors 1.0 and 1.1
    menu.close();
}

// The small project warns at its 10-minute step: every warned case reads
// in the warning colour with its reasons, the others do not.
TEST(FloodStudyWindow, WarnedCasesColouredBadFactorsRefusedGraphOnTheCrest) {
    const CalcRun run = MakeCalcRun(test::SmallProject(), CalcRunOptions{false, false});
    frmFloodStudy window(run);
    window.show();
    const FloodStudy &s = window.Study();
    ASSERT_TRUE(s.ok);
    ASSERT_TRUE(s.cases.front().warning);
    for (int r = 0; r < window.Grid().RowCount(); ++r) {
        const StudyCase &c = s.cases[static_cast<size_t>(r)];
        EXPECT_EQ(window.Grid().data(window.Grid().index(r, 0), Qt::ForegroundRole).value<QColor>() == kWarningColour,
                  c.warning)
            << r;
        if (c.warning) {
            EXPECT_TRUE(window.Grid().CellText(r + 1, 12).contains(msg::StudyReasonsText(c.reasons)));
        }
    }

    const std::unique_ptr<frmGraph> graph = window.CreateGraph(&window);
    EXPECT_EQ(graph->Data().Series.size(), 2 * 2 + 1);  // Q2 and HWL per factor, the crest
    EXPECT_EQ(ScaleGraph(graph->Data()).y2.min, s.fwl);  // the level axis starts at the crest

    window.txtFactors()->setText(QStringLiteral("1.0, x"));
    EXPECT_FALSE(window.RunStudy());
    EXPECT_EQ(window.lblMessage()->text(), msg::StudyListErrorText(StudyListError::BadFactor));
    EXPECT_EQ(window.Grid().RowCount(), 18);  // the last study stays
    window.close();
}

}  // namespace
}  // namespace wyndlor
