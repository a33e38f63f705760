// Window places: the centring rule per axis and the round trip through the
// settings file.
#include "core/AppPaths.h"
#include "core/CPrivateProfile.h"
#include "widgets/WindowBase.h"
#include "widgets/WindowPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace wyndlor {
namespace {

struct AxisCase {
    const char *name;
    int value, screen, window;
    PlaceRule rule;
    int expected;
};

class PlaceAxisTest : public ::testing::TestWithParam<AxisCase> {};

TEST_P(PlaceAxisTest, GivesPlace) {
    const AxisCase &c = GetParam();
    EXPECT_EQ(PlaceAxis(c.value, c.screen, c.window, c.rule), c.expected);
}

constexpr auto Beyond = PlaceRule::CentreNonPositiveOrBeyond;
constexpr auto NonPositive = PlaceRule::CentreNonPositive;

INSTANTIATE_TEST_SUITE_P(
    Rules, PlaceAxisTest,
    ::testing::Values(
        AxisCase{"InsideKept", 1500, 15360, 9000, Beyond, 1500},
        AxisCase{"OneTwipKept", 1, 15360, 9000, Beyond, 1},
        AxisCase{"ZeroCentred", 0, 15360, 9000, Beyond, 3180},
        AxisCase{"NegativeCentred", -300, 15360, 9000, NonPositive, 3180},
        AxisCase{"AtScreenSizeCentred", 15360, 15360, 9000, Beyond, 3180},
        AxisCase{"BeyondScreenCentred", 20000, 15360, 9000, Beyond, 3180},
        AxisCase{"BeyondKeptByOtherRule", 20000, 15360, 9000, NonPositive, 20000},
        AxisCase{"OddDifferenceTruncated", 0, 15361, 9000, Beyond, 3180},
        AxisCase{"WindowLargerThanScreenAtZero", 0, 9000, 15360, Beyond, 0}),
    [](const ::testing::TestParamInfo<AxisCase> &i) { return std::string(i.param.name); });

TEST(TwipsTest, OneInchIsTheLogicalDpi) {
    const QScreen *s = QGuiApplication::primaryScreen();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(TwipsToPixelsX(1440), qRound(s->logicalDotsPerInchX()));
    EXPECT_EQ(TwipsToPixelsY(1440), qRound(s->logicalDotsPerInchY()));
    // Back to twips within one pixel's worth.
    const double twipsPerPixel = 1440.0 / s->logicalDotsPerInchX();
    EXPECT_NEAR(PixelsToTwipsX(TwipsToPixelsX(3855)), 3855, twipsPerPixel);
}

class WindowPlaceFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ini = dir.filePath(QStringLiteral("Wyndlor.INI"));
        SetIniFileName(ini);
        screen = QGuiApplication::primaryScreen()->geometry();
        w.resize(300, 200);
    }
    void Write(const char *key, int value) {
        CPrivateProfile::SetValueString(ini, QStringLiteral("GraphQi"), QLatin1String(key),
                                        QString::number(value));
    }
    int Read(const char *key) {
        return CPrivateProfile::GetValueLong(ini, QStringLiteral("GraphQi"), QLatin1String(key));
    }
    QTemporaryDir dir;
    QString ini;
    QRect screen;
    QWidget w;
};

TEST_F(WindowPlaceFileTest, MissingFileCentresBothAxes) {
    RestoreWindowPlace(&w, QStringLiteral("GraphQi"), true, PlaceRule::CentreNonPositive);
    EXPECT_EQ(w.size(), QSize(300, 200)) << "a missing size keeps the design size";
    EXPECT_NEAR(w.pos().x(), (screen.width() - 300) / 2, 1);
    EXPECT_NEAR(w.pos().y(), (screen.height() - 200) / 2, 1);
}

TEST_F(WindowPlaceFileTest, TopBeyondScreenCentresOnlyThatAxis) {
    Write("Top", PixelsToTwipsY(screen.height()) + 15);
    Write("Left", 1500);
    RestoreWindowPlace(&w, QStringLiteral("GraphQi"), false, Beyond);
    EXPECT_EQ(w.pos().x(), TwipsToPixelsX(1500));
    EXPECT_NEAR(w.pos().y(), (screen.height() - 200) / 2, 1);
}

TEST_F(WindowPlaceFileTest, DamagedHugeValuesCountAsMissing) {
    // Beyond any window system's coordinates (and beyond int once in
    // pixels): centred, design size kept, even where the rule keeps a
    // value beyond the screen.
    for (const char *key : {"Top", "Left", "Width", "Height"}) Write(key, 2147483647);
    RestoreWindowPlace(&w, QStringLiteral("GraphQi"), true, NonPositive);
    EXPECT_EQ(w.size(), QSize(300, 200));
    EXPECT_NEAR(w.pos().x(), (screen.width() - 300) / 2, 1);
    EXPECT_NEAR(w.pos().y(), (screen.height() - 200) / 2, 1);
}

TEST_F(WindowPlaceFileTest, SizeAndPlaceSurviveARoundTrip) {
    Write("Top", 900);
    Write("Left", 1200);
    Write("Width", 6000);
    Write("Height", 4500);
    RestoreWindowPlace(&w, QStringLiteral("GraphQi"), true, NonPositive);
    EXPECT_EQ(w.size(), QSize(TwipsToPixelsX(6000), TwipsToPixelsY(4500)));

    w.move(TwipsToPixelsX(2400), TwipsToPixelsY(1800));
    SaveWindowPlace(&w, QStringLiteral("GraphQi"), true);
    EXPECT_NEAR(Read("Top"), 1800, 15);
    EXPECT_NEAR(Read("Left"), 2400, 15);
    EXPECT_NEAR(Read("Width"), 6000, 15);
    EXPECT_NEAR(Read("Height"), 4500, 15);
}

TEST_F(WindowPlaceFileTest, SaveWithoutSizeWritesNoSizeKeys) {
    w.move(30, 40);
    SaveWindowPlace(&w, QStringLiteral("GraphQi"), false);
    EXPECT_EQ(CPrivateProfile::GetValueString(ini, QStringLiteral("GraphQi"),
                                              QStringLiteral("Width")),
              QString());
    EXPECT_NEAR(Read("Left"), PixelsToTwipsX(30), 1);
}

struct TitleBarCase {
    const char *name;
    QRect frame;
    bool visible;
};

class TitleBarTest : public ::testing::TestWithParam<TitleBarCase> {};

TEST_P(TitleBarTest, MustLieOnAScreen) {
    // Two screens side by side, the right one lower and with a 30 px panel
    // at its top.
    const QList<QRect> screens = {QRect(0, 0, 1280, 1024), QRect(1280, 30, 1920, 1050)};
    EXPECT_EQ(TitleBarVisible(GetParam().frame, screens, 20), GetParam().visible);
}

INSTANTIATE_TEST_SUITE_P(
    Places, TitleBarTest,
    ::testing::Values(TitleBarCase{"InsideFirstScreen", QRect(100, 100, 400, 300), true},
                      TitleBarCase{"TitleAboveTheScreen", QRect(100, -10, 400, 300), false},
                      TitleBarCase{"TitleBelowTheScreen", QRect(100, 1010, 400, 300), false},
                      TitleBarCase{"OnlyAStubOfTitleOnScreen", QRect(1230, 100, 400, 300), true},
                      TitleBarCase{"LessThanAGripOnScreen", QRect(-350, 100, 400, 300), false},
                      TitleBarCase{"UnderThePanelOfTheSecond", QRect(1500, 35, 400, 300), true},
                      TitleBarCase{"BehindThePanelOfTheSecond", QRect(1500, 10, 400, 300), false},
                      TitleBarCase{"OnAScreenTakenAway", QRect(3300, 100, 400, 300), false}),
    [](const ::testing::TestParamInfo<TitleBarCase> &i) { return std::string(i.param.name); });

// A window of the base with nothing of its own.
class PlainWindow : public WindowBase {
public:
    explicit PlainWindow(Keeps keeps)
        : WindowBase(QStringLiteral("GraphQi"), keeps, PlaceRule::CentreNonPositive, nullptr) {
        setMinimumSize(200, 150);
    }
    using WindowBase::Keeps;
};

TEST_F(WindowPlaceFileTest, PlaceAndSizeReopenUnchangedTimeAfterTime) {
    const QPoint place(screen.x() + 123, screen.y() + 87);
    const QSize size(345, 234);
    {
        PlainWindow first(PlainWindow::Keeps::PlaceAndSize);
        first.show();
        first.move(place);
        first.resize(size);
        first.done(0);
    }
    for (int opening = 0; opening < 10; ++opening) {
        PlainWindow again(PlainWindow::Keeps::PlaceAndSize);
        again.show();
        ASSERT_EQ(again.pos(), place) << "opening " << opening;
        ASSERT_EQ(again.size(), size) << "opening " << opening;
        again.done(0);
    }
}

TEST_F(WindowPlaceFileTest, PlaceLeavingTheTitleBarOffEveryScreenCentres) {
    Write("Top", PixelsToTwipsY(screen.height() + 400));
    Write("Left", 1500);
    PlainWindow w(PlainWindow::Keeps::Place);
    w.show();
    // Centred by the size it had before its frame was known.
    EXPECT_NEAR(w.pos().x(), screen.x() + (screen.width() - w.width()) / 2, 1);
    EXPECT_NEAR(w.pos().y(), screen.y() + (screen.height() - w.height()) / 2, 1);
    w.done(0);
}

}  // namespace
}  // namespace wyndlor
