// The result-table window: cell formats, copying, CSV and the resize rule.
#include "tests/results/ResultsTestSupport.h"
#include "results/frmResOut.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace wyndlor {
namespace {

// ---- Cell formats of the two grids ----------------------------------------

struct FormatCase {
    const char *name;
    ResultColumn column;
    QVariant value;
    const char *expected;
};

class CellFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(CellFormat, ReadsAsTheColumnSays) {
    const FormatCase &c = GetParam();
    EXPECT_EQ(FormatCell(c.column, c.value), QString::fromUtf8(c.expected));
}

const ResultColumn kMinutes{QStringLiteral("t(min)"), CellKind::Integer, 0};
const ResultColumn kThree{QStringLiteral("Qi(m3/s)"), CellKind::Number, 3};
const ResultColumn kFour{QStringLiteral("Q(m3/s)"), CellKind::Number, 4};
const ResultColumn kText{QStringLiteral("備考"), CellKind::Text, 0};

INSTANTIATE_TEST_SUITE_P(
    Columns, CellFormat,
    ::testing::Values(
        FormatCase{"WholeMinutes", kMinutes, QVariant(1440), "1440"},
        FormatCase{"StorageHasNoDecimals", kMinutes, QVariant(8823.6), "8824"},
        FormatCase{"ThreeDecimalsPadded", kThree, QVariant(2.6), "2.600"},
        FormatCase{"FourDecimals", kFour, QVariant(4.0063), "4.0063"},
        FormatCase{"NegativeKept", kThree, QVariant(-1.25), "-1.250"},
        FormatCase{"OutOfRangeShownUnchanged", kThree, QVariant(1234.5), "1234.500"},
        FormatCase{"TextAsStored", kText, QVariant(QStringLiteral("最大")), "最大"},
        FormatCase{"EmptyCellIsBlank", kThree, QVariant(), ""}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- The grid model ----------------------------------------------------------

TEST(ResultGrid, StartsWith999EmptyRowsUntilLoaded) {
    ResultTableModel grid(ResOutQiConfig().Columns);
    EXPECT_EQ(grid.rowCount(), 999);
    EXPECT_EQ(grid.CellText(1, 1), QString());
    grid.SetRowCount(3);
    EXPECT_EQ(grid.rowCount(), 3);
}

TEST(ResultGrid, IsReadOnlyAndIgnoresCellsOutsideIt) {
    ResultTableModel grid(ResOutQiConfig().Columns);
    grid.SetRowCount(2);
    grid.SetCell(3, 1, 10);
    grid.SetCell(1, 5, 10);
    grid.SetCell(0, 1, 10);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 4; ++c) EXPECT_FALSE(grid.Cell(r, c).isValid());
    EXPECT_FALSE(grid.flags(grid.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(grid.setData(grid.index(0, 0), 5));
}

TEST(ResultGrid, HeadingsOfBothTables) {
    const QStringList qi{"t(min)", "r(mm/h)", "Q(m3/s)", "Qi(m3/s)"};
    const QStringList qo{"時刻(hh:mm)", "t(min)", "Ｑi(m3/s)", "Ｑo(m3/s)", "Ｈ(m)", "Ｖ(m3)", "備考"};
    ResultTableModel a(ResOutQiConfig().Columns), b(ResOutQoConfig().Columns);
    ASSERT_EQ(a.columnCount(), qi.size());
    ASSERT_EQ(b.columnCount(), qo.size());
    for (int c = 0; c < qi.size(); ++c) EXPECT_EQ(a.headerData(c, Qt::Horizontal).toString(), qi[c]);
    for (int c = 0; c < qo.size(); ++c) EXPECT_EQ(b.headerData(c, Qt::Horizontal).toString(), qo[c]);
}

// A routing grid of three rows as the results menu fills it.
void FillSample(ResultTableModel &grid) {
    grid.SetRowCount(3);
    const QVariant rows[3][7] = {
        {"000:10", 10, 5.0, 0.175, 0.072, 1447.0, ""},
        {"000:20", 20, 10.0, 1.3, 0.275, 5505.0, "最大"},
        {"000:30", 30, 5.0, 1.0, 0.2, 4000.0, ""},
    };
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 7; ++c) grid.SetCell(r + 1, c + 1, rows[r][c]);
}

// ---- Copy and CSV --------------------------------------------------------------

TEST(ResultCopy, BlockWithHeadingsAsTabSeparatedLines) {
    ResultTableModel grid(ResOutQoConfig().Columns);
    FillSample(grid);
    const QModelIndexList block{grid.index(0, 2), grid.index(0, 3), grid.index(1, 2),
                                grid.index(1, 3)};
    EXPECT_EQ(SelectionToTsv(grid, block),
              QStringLiteral("Ｑi(m3/s)\tＱo(m3/s)\r\n5.000\t0.175\r\n10.000\t1.300\r\n"));
}

TEST(ResultCopy, ScatteredCellsKeepTheirPlaces) {
    ResultTableModel grid(ResOutQoConfig().Columns);
    FillSample(grid);
    // Row 1 column t and row 3 column 備考: the empty corners stay empty.
    const QModelIndexList cells{grid.index(2, 6), grid.index(0, 1)};
    EXPECT_EQ(SelectionToTsv(grid, cells),
              QStringLiteral("t(min)\t備考\r\n10\t\r\n\t\r\n"));
    EXPECT_EQ(SelectionToTsv(grid, {}), QString());
}

TEST(ResultCsv, WholeTableWithBomAndQuotedFields) {
    ResultTableModel grid(ResOutQoConfig().Columns);
    FillSample(grid);
    grid.SetCell(3, 7, QStringLiteral("a,\"b\""));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("routing.csv"));
    ASSERT_TRUE(SaveTableCsv(grid, path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 5);  // heading, three rows, the empty rest after the last CR LF
    EXPECT_EQ(lines[0], QStringLiteral("時刻(hh:mm),t(min),Ｑi(m3/s),Ｑo(m3/s),Ｈ(m),Ｖ(m3),備考"));
    EXPECT_EQ(lines[2], QStringLiteral("000:20,20,10.000,1.300,0.275,5505,最大"));
    EXPECT_EQ(lines[3], QStringLiteral("000:30,30,5.000,1.000,0.200,4000,\"a,\"\"b\"\"\""));
    EXPECT_EQ(lines[4], QString());
}

TEST(ResultCsv, UnwritablePathFailsWithReason) {
    ResultTableModel grid(ResOutQiConfig().Columns);
    QString error;
    EXPECT_FALSE(SaveTableCsv(grid, QStringLiteral("/nonexistent-folder/x.csv"), &error));
    EXPECT_FALSE(error.isEmpty());
}

// ---- The window ----------------------------------------------------------------

struct ResizeCase {
    const char *name;
    QSize client;
    int gridWidth, gridHeight, legendTop, buttonLeft;
};

class ResizeRule : public ::testing::TestWithParam<ResizeCase> {};

// Button 100 px wide: column 116 px; status bar 20, legend 100, grid top 8.
TEST_P(ResizeRule, GridTakesTheRestAndNeverGoesNegative) {
    const ResizeCase &c = GetParam();
    const ResultTableGeometry g = LayOutResultTable(c.client, 8, 100, 20, 100);
    EXPECT_EQ(g.Grid.width(), c.gridWidth);
    EXPECT_EQ(g.Grid.height(), c.gridHeight);
    EXPECT_EQ(g.LegendTop, c.legendTop);
    EXPECT_EQ(g.ButtonLeft, c.buttonLeft);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ResizeRule,
    ::testing::Values(ResizeCase{"Ordinary", {640, 480}, 500, 344, 360, 524},
                      ResizeCase{"ExactlyNoRoom", {140, 136}, 0, 0, 16, 24},
                      ResizeCase{"Tiny", {10, 10}, 0, 0, 16, -106},
                      ResizeCase{"Zero", {0, 0}, 0, 0, 16, -116}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ResultWindow, ShrunkBelowItsControlsKeepsTheGridAtZero) {
    frmResOut w(ResOutQoConfig());
    w.show();
    w.resize(20, 20);
    EXPECT_EQ(w.View()->width(), 0);
    EXPECT_EQ(w.View()->height(), 0);
    w.resize(900, 600);
    EXPECT_GT(w.View()->width(), 0);
    EXPECT_EQ(w.LegendFrame()->y(), w.View()->y() + w.View()->height() + 8);
    EXPECT_EQ(w.findChild<QPushButton *>(QStringLiteral("cmdClose"))->geometry().right(),
              900 - 16 - 1);
    w.close();
}

TEST(ResultWindow, LegendPairsOfTheRoutingTable) {
    frmResOut w(ResOutQoConfig());
    EXPECT_EQ(w.LegendFrame()->title(), QStringLiteral("記号説明"));
    QStringList texts;
    for (int i = 0; i < 10; ++i)
        texts << w.LegendFrame()->findChild<QLabel *>(QStringLiteral("lblMemo%1").arg(i))->text();
    EXPECT_EQ(texts, (QStringList{"ｔ", "；降雨開始からの経過時間(min)", "Ｑi", "；流入量(m3/s)",
                                   "Ｑo", "；放流量(m3/s)", "Ｈ", "；水位(m)  速度水頭を含む越流総水頭",
                                   "Ｖ", "；貯留量(m3)"}));
}

TEST(ResultWindow, LoadRaisesLoadDataOnceAndOffersTheManualsPage) {
    frmResOut w(ResOutQiConfig());
    int loads = 0;
    QObject::connect(&w, &frmResOut::LoadData, [&] {
        ++loads;
        w.Grid().SetRowCount(2);
    });
    w.UsrCaption = QStringLiteral("別の題");
    w.show();
    w.hide();
    w.show();
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(w.Grid().rowCount(), 2);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("別の題"));
    EXPECT_TRUE(w.HelpButton()->isEnabled()) << "the manual's page";
    w.close();
}

TEST(ResultWindow, CtrlCCopiesTheSelection) {
    frmResOut w(ResOutQoConfig());
    QObject::connect(&w, &frmResOut::LoadData, [&] { FillSample(w.Grid()); });
    w.show();
    QApplication::clipboard()->clear();
    QItemSelectionModel *sel = w.View()->selectionModel();
    sel->select(QItemSelection(w.Grid().index(1, 0), w.Grid().index(1, 6)),
                QItemSelectionModel::Select);
    QTest::keyClick(w.View(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("時刻(hh:mm)\tt(min)\tＱi(m3/s)\tＱo(m3/s)\tＨ(m)\tＶ(m3)\t備考\r\n"
                             "000:20\t20\t10.000\t1.300\t0.275\t5505\t最大\r\n"));
    w.close();
}

TEST(ResultWindow, GraphButtonAsksForTheGraph) {
    frmResOut w(ResOutQiConfig());
    int asked = 0;
    QObject::connect(&w, &frmResOut::GraphRequested, [&] { ++asked; });
    EXPECT_EQ(w.GraphButton()->objectName(), QStringLiteral("cmdGraphQi"));
    QTest::mouseClick(w.GraphButton(), Qt::LeftButton);
    EXPECT_EQ(asked, 1);
}

TEST(ResultWindow, PlaceAndSizeSurviveReopening) {
    {
        frmResOut w(ResOutQiConfig());
        w.show();
        w.resize(700, 450);
        w.move(123, 77);
        w.close();
    }
    frmResOut again(ResOutQiConfig());
    again.show();
    EXPECT_EQ(again.size(), QSize(700, 450));
    EXPECT_EQ(again.pos(), QPoint(123, 77));
    again.close();
}

}  // namespace
}  // namespace wyndlor
