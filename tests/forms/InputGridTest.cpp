#include "tests/forms/FormsTestSupport.h"
#include "forms/InputGrid.h"
#include "forms/TextGuard.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace wyndlor {
namespace {

using test::Boxes;

// The columns of the h-V table and a name column, as the forms use them.
std::vector<GridColumn> Columns() {
    std::vector<GridColumn> c(4);
    c[0] = GridColumn{"h", true, -999.999, 999.999, 3, 12, 0};
    c[1] = GridColumn{"A", true, 0, 9999999.9, 1, 12, 0};
    c[2].heading = "name";
    c[2].numeric = false;
    c[2].maxLength = 20;
    c[3] = GridColumn{"fp", true, 0, 1, 3, 12, 0};
    return c;
}

struct CellCase {
    const char *name;
    int col;
    const char *text;
    bool accepted;
};

class GridCellTest : public ::testing::TestWithParam<CellCase> {};

TEST_P(GridCellTest, AcceptsOnlyWhatTheColumnHolds) {
    InputGrid grid(10, Columns());
    const CellCase &c = GetParam();
    EXPECT_EQ(grid.AcceptsText(c.col, QString::fromUtf8(c.text)), c.accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, GridCellTest,
    ::testing::Values(CellCase{"LevelTop", 0, "999.999", true},
                      CellCase{"LevelBottom", 0, "-999.999", true},
                      CellCase{"LevelTooHigh", 0, "1000", false},
                      CellCase{"LevelFourDecimals", 0, "1.2345", false},
                      CellCase{"LevelText", 0, "abc", false},
                      CellCase{"AreaMax", 1, "9999999.9", true},
                      CellCase{"AreaNegative", 1, "-1", false},
                      CellCase{"AreaTwoDecimals", 1, "5.55", false},
                      CellCase{"EmptyClears", 1, "", true},
                      CellCase{"NameText", 2, "上流域", true},
                      CellCase{"NameQuote", 2, "A\"B", false},
                      CellCase{"NameTooLong", 2, "abcdefghijklmnopqrstu", false}),
    [](const ::testing::TestParamInfo<CellCase> &i) { return std::string(i.param.name); });

class GridKeys : public ::testing::Test {
protected:
    void SetUp() override {
        Boxes().Clear();
        grid = std::make_unique<InputGrid>(10, Columns());
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 2; ++c) grid->SetCellText(r, c, QString::number(r * 10 + c));
        grid->show();
    }
    std::unique_ptr<InputGrid> grid;
};

TEST_F(GridKeys, DeleteClearsTheActiveCellOnly) {
    grid->setCurrentCell(1, 1);
    QTest::keyClick(grid.get(), Qt::Key_Delete);
    EXPECT_EQ(grid->CellText(1, 1), QString());
    EXPECT_EQ(grid->CellText(1, 0), QString("10"));
    EXPECT_EQ(grid->CellText(2, 1), QString("21"));
}

TEST_F(GridKeys, DeleteClearsAMultiCellSelection) {
    grid->setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 1), true);
    QTest::keyClick(grid.get(), Qt::Key_Delete);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) EXPECT_EQ(grid->CellText(r, c), QString()) << r << "," << c;
    EXPECT_EQ(grid->CellText(2, 0), QString("20"));
}

TEST_F(GridKeys, PastesASpreadsheetBlockAtTheCurrentCell) {
    grid->setCurrentCell(4, 0);
    EXPECT_EQ(grid->PasteText("100.5\t5000\r\n101.5\t5200\r\n"), 4);
    EXPECT_EQ(grid->CellText(4, 0), QString("100.5"));
    EXPECT_EQ(grid->CellText(4, 1), QString("5000"));
    EXPECT_EQ(grid->CellText(5, 0), QString("101.5"));
    EXPECT_EQ(grid->CellText(5, 1), QString("5200"));
    EXPECT_EQ(grid->CellText(6, 0), QString());
    EXPECT_EQ(Boxes().beeps, 0);
}

TEST_F(GridKeys, PasteKeepsCellsItCannotTakeAndDropsWhatFallsOutside) {
    grid->setCurrentCell(9, 0);
    EXPECT_EQ(grid->PasteText("x\t7\n1\t2\n"), 1);
    EXPECT_EQ(grid->CellText(9, 0), QString());  // "x" refused
    EXPECT_EQ(grid->CellText(9, 1), QString("7"));
    EXPECT_EQ(Boxes().beeps, 1);
}

TEST_F(GridKeys, TypedCellOutOfRangeKeepsItsText) {
    grid->setCurrentCell(0, 0);
    grid->editItem(grid->item(0, 0));
    auto *editor = grid->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "12345");  // the fourth digit is refused as typed
    EXPECT_EQ(editor->text(), QString("123"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();  // the delegate commits on a queued call
    EXPECT_EQ(grid->CellText(0, 0), QString("123"));
}

// The fp cell of row 1 (0 to 1) holding 0.7, `typed` typed over it and
// committed with Enter: the cell keeps 0.7, with the beep and the range
// message.  A minus sign where the column has no negatives is typed, then
// refused the same way.
class GridRefusal : public GridKeys, public ::testing::WithParamInterface<const char *> {};
TEST_P(GridRefusal, OutOfRangeKeepsTheCellWithTheRangeMessage) {
    grid->SetCellText(0, 3, "0.7");
    grid->setCurrentCell(0, 3);
    grid->editItem(grid->item(0, 3));
    auto *editor = grid->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, GetParam());
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(grid->CellText(0, 3), QString("0.7"));
    EXPECT_EQ(Boxes().beeps, 1);
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, QString::fromUtf8("入力範囲：0.000 ～ 1.000"));
}
INSTANTIATE_TEST_SUITE_P(Typed, GridRefusal, ::testing::Values("1.2", "-0.5"));

TEST_F(GridKeys, RowFilledNeedsEveryListedCell) {
    grid->SetCellText(3, 0, "1");
    EXPECT_TRUE(grid->RowFilled(0, {0, 1}));
    EXPECT_FALSE(grid->RowFilled(3, {0, 1}));
    grid->SetCellText(3, 1, "  ");
    EXPECT_FALSE(grid->RowFilled(3, {0, 1}));
}

TEST(GridNumbers, LoadedValuesShowInTheColumnFormatAndKeepTheirExactValue) {
    InputGrid grid(3, Columns());
    grid.SetCellNumber(0, 0, 51);
    grid.SetCellNumber(1, 0, 51.12345);
    grid.SetCellNumber(2, 1, 1234);
    EXPECT_EQ(grid.CellText(0, 0), QStringLiteral("51.000"));
    EXPECT_EQ(grid.CellText(1, 0), QStringLiteral("51.123"));
    EXPECT_EQ(grid.CellText(2, 1), QStringLiteral("1234.0"));
    double v = 0;
    ASSERT_TRUE(grid.CellNumber(1, 0, v));
    EXPECT_EQ(v, 51.12345) << "the shown text rounds, the value stays exact";
    grid.SetCellText(1, 0, QStringLiteral("51.123"));
    ASSERT_TRUE(grid.CellNumber(1, 0, v));
    EXPECT_EQ(v, 51.123) << "a value typed over it counts as typed";
    grid.SetCellText(1, 0, QString());
    EXPECT_FALSE(grid.CellNumber(1, 0, v));
}

TEST(StorableText, RefusesQuotesAndCharactersShiftJisCannotHold) {
    EXPECT_TRUE(IsStorableText(QString::fromUtf8("大谷池（上流）")));
    EXPECT_TRUE(IsStorableText(QString::fromUtf8("ｈ－Ｖ")));
    EXPECT_FALSE(IsStorableText(QString::fromUtf8("大谷\"池")));
    EXPECT_FALSE(IsStorableText(QString::fromUtf8("한국")));
}

TEST(StorableText, LookAlikeCharactersBecomeTheirShiftJisForms) {
    const QString typed = QString::fromUtf8("〜−—‖¢£¬");
    EXPECT_FALSE(IsStorableText(typed));
    const QString stored = ToStorableForms(typed);
    EXPECT_EQ(stored, QString::fromUtf8("～－―∥￠￡￢"));
    EXPECT_TRUE(IsStorableText(stored));
}

}  // namespace
}  // namespace wyndlor
