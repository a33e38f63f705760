#include "tests/forms/FormsTestSupport.h"
#include "widgets/NumberField.h"

#include <QApplication>
#include <QFocusEvent>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

namespace wyndlor {
namespace {

using test::Boxes;

struct RangeCase {
    const char *name;
    double min, max;
    const char *display;
    const char *message;
};

class RangeTextTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(RangeTextTest, ShowsBothBoundsInTheDisplayFormat) {
    const RangeCase &c = GetParam();
    NumberField f(c.min, c.max, QString::fromUtf8(c.display));
    EXPECT_EQ(f.RangeText(), QString::fromUtf8(c.message));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RangeTextTest,
    ::testing::Values(RangeCase{"Margin", 0, 99, "#0", "入力範囲：0 ～ 99"},
                      RangeCase{"FullWaterLevel", -999, 999, "+##0.000;-##0.000",
                                "入力範囲：-999.000 ～ +999.000"},
                      RangeCase{"Fp", 0, 1, "0.000", "入力範囲：0.000 ～ 1.000"},
                      RangeCase{"TimeStep", 10, 120, "##0", "入力範囲：10 ～ 120"},
                      RangeCase{"ConstantB", -99.999, 99.999, "#0.000",
                                "入力範囲：-99.999 ～ 99.999"}),
    [](const ::testing::TestParamInfo<RangeCase> &i) { return std::string(i.param.name); });

// A window with two fields, so that the focus has somewhere to go.
class NumberFieldFocus : public ::testing::Test {
protected:
    void SetUp() override {
        Boxes().Clear();
        host = std::make_unique<QWidget>();
        auto *lay = new QVBoxLayout(host.get());
        margin = new NumberField(0, 99, "#0", QString(), host.get());
        level = new NumberField(-999, 999, "+##0.000;-##0.000", "##0.000", host.get());
        lay->addWidget(margin);
        lay->addWidget(level);
        host->show();
        host->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(host.get()));
    }
    void Type(NumberField *f, const QString &text) {
        f->setFocus();
        QApplication::processEvents();
        f->selectAll();
        QTest::keyClicks(f, text);
    }
    void LeaveDirectly(NumberField *f) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(f, &out);
    }
    std::unique_ptr<QWidget> host;
    NumberField *margin = nullptr, *level = nullptr;
};

TEST_F(NumberFieldFocus, OutOfRangeBeepsShowsTheRangeAndKeepsTheFocus) {
    Type(margin, "100");
    LeaveDirectly(margin);
    EXPECT_EQ(Boxes().beeps, 1);
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, QString::fromUtf8("入力範囲：0 ～ 99"));
    EXPECT_EQ(Boxes().shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(QApplication::focusWidget(), margin);
    EXPECT_DOUBLE_EQ(margin->Value(), 100);
}

TEST_F(NumberFieldFocus, MovingTheFocusAwayFromAnOutOfRangeValueBringsItBack) {
    Type(margin, "100");
    level->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(QApplication::focusWidget(), margin);
}

TEST_F(NumberFieldFocus, ValueInRangeIsTakenAndShownInTheDisplayFormat) {
    Type(level, "12.5");
    EXPECT_EQ(level->text(), QString("12.5"));
    margin->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(Boxes().shown.empty());
    EXPECT_EQ(Boxes().beeps, 0);
    EXPECT_DOUBLE_EQ(level->Value(), 12.5);
    EXPECT_EQ(level->text(), QString("+12.500"));
}

TEST_F(NumberFieldFocus, EditFormatWhileFocusedDisplayFormatAfter) {
    level->SetValue(-3);
    EXPECT_EQ(level->text(), QString("-3.000"));
    level->SetValue(100);
    EXPECT_EQ(level->text(), QString("+100.000"));
    level->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(level->text(), QString("100.000"));
}

TEST_F(NumberFieldFocus, RefusesCharactersThatMakeNoNumber) {
    Type(level, "-1a2.5x");
    EXPECT_EQ(level->text(), QString("-12.5"));
}

TEST_F(NumberFieldFocus, MinusWhereTheRangeHasNoNegativesGetsTheRangeMessage) {
    Type(margin, "-5");
    LeaveDirectly(margin);
    EXPECT_EQ(Boxes().beeps, 1);
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, QString::fromUtf8("入力範囲：0 ～ 99"));
    EXPECT_DOUBLE_EQ(margin->Value(), -5);
}

TEST_F(NumberFieldFocus, EmptiedFieldMeansZero) {
    margin->SetValue(20);
    Type(margin, "");
    QTest::keyClick(margin, Qt::Key_Backspace);
    LeaveDirectly(margin);
    EXPECT_DOUBLE_EQ(margin->Value(), 0);
    EXPECT_EQ(margin->text(), QString("0"));
}

TEST(NumberFieldReadOnly, DisplayOnlyFieldTakesNoFocusAndNoInput) {
    NumberField tp(-999.9, 999.9, "##0.0");
    tp.SetDisplayOnly(true);
    tp.SetValue(38.04);
    EXPECT_EQ(tp.text(), QString("38.0"));
    EXPECT_TRUE(tp.isReadOnly());
    EXPECT_EQ(tp.focusPolicy(), Qt::NoFocus);
    QTest::keyClicks(&tp, "5");
    EXPECT_EQ(tp.text(), QString("38.0"));
}

}  // namespace
}  // namespace wyndlor
