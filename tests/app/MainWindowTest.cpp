// The main window: start-up, layout, command dispatch, button colours and
// the shutdown question.
#include "app/CommandHandlers.h"
#include "tests/app/ShellFixture.h"
#include "widgets/WindowPlace.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QMenuBar>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>

namespace wyndlor {
namespace {

using test::ShellFixture;

class StartupTest : public ShellFixture {};

TEST_F(StartupTest, NewProjectState) {
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("Ostrevin[*]"));
    EXPECT_FALSE(P().IsModified);
    EXPECT_TRUE(P().CurrentFileName.isEmpty());
    EXPECT_FALSE(P().Data.HasConditions);
}

TEST_F(StartupTest, TopZeroCentresVerticallyLeftKept) {
    SetIni("MenuMain", "Top", "0");
    SetIni("MenuMain", "Left", "1500");
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(Window().pos().x(), TwipsToPixelsX(1500));
    EXPECT_NEAR(Window().pos().y(), std::max(0, (screen.height() - Window().height()) / 2), 1);
}

TEST_F(StartupTest, TopBeyondScreenCentresVertically) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    SetIni("MenuMain", "Top", QString::number(PixelsToTwipsY(screen.height()) + 300));
    SetIni("MenuMain", "Left", "600");
    EXPECT_EQ(Window().pos().x(), TwipsToPixelsX(600));
    EXPECT_NEAR(Window().pos().y(), std::max(0, (screen.height() - Window().height()) / 2), 1);
}

TEST_F(StartupTest, ButtonsSitInsideFrameWithoutOverlap) {
    const auto *frame = Window().findChild<QGroupBox *>(QStringLiteral("fraMenu"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), QStringLiteral("ﾒｲﾝﾒﾆｭｰ"));
    for (int i = 0; i < frmMenuMain::kMenuButtons; ++i) {
        const QRect r = Window().cmdMenu(i)->geometry();
        EXPECT_TRUE(frame->rect().contains(r)) << i;
        for (int j = i + 1; j < frmMenuMain::kMenuButtons; ++j)
            EXPECT_FALSE(r.intersects(Window().cmdMenu(j)->geometry())) << i << "," << j;
    }
    // The calculation button spans the rows of buttons 1 and 2.
    EXPECT_EQ(Window().cmdMenu(5)->geometry().top(), Window().cmdMenu(1)->geometry().top());
    EXPECT_NEAR(Window().cmdMenu(5)->geometry().bottom(), Window().cmdMenu(2)->geometry().bottom(),
                1);
    EXPECT_EQ(Window().cmdExit()->text(), QStringLiteral("  ﾌﾟﾛｸﾞﾗﾑ終了"));
    EXPECT_GT(Window().cmdExit()->geometry().top(), frame->geometry().bottom());
}

class DispatchTest : public ShellFixture {};

TEST_F(DispatchTest, UnregisteredTagSaysNotAvailable) {
    Window().cmdMenu(6)->click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("この機能はまだ利用できません。"));
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::Ok);
    EXPECT_TRUE(Window().cmdMenu(6)->isEnabled());
}

TEST_F(DispatchTest, EveryButtonTagNamesARegisteredCommand) {
    RegisterCommandHandlers(Window());
    for (int i = 0; i < frmMenuMain::kMenuButtons; ++i)
        EXPECT_TRUE(Window().HasCommandHandler(Window().CommandTag(i))) << Window().CommandTag(i).toStdString();
    EXPECT_FALSE(Window().HasCommandHandler(QStringLiteral("InpJyoukn")));
}

TEST_F(DispatchTest, HandlerRunsByTagWithWindowLocked) {
    QWidget *parentSeen = nullptr;
    bool lockedDuring = false;
    int calls = 0;
    Window().SetCommandHandler("InpArea", [&](QWidget *parent) {
        ++calls;
        parentSeen = parent;
        lockedDuring = !Window().cmdMenu(0)->isEnabled() && !Window().tbrMenu()->isEnabled() &&
                       !Window().menuBar()->isEnabled() && !Window().cmdExit()->isEnabled();
    });
    Window().cmdMenu(0)->click();  // "InpJyoken": not registered
    EXPECT_EQ(calls, 0);
    Window().cmdMenu(2)->click();  // "InpArea"
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(parentSeen, &Window());
    EXPECT_TRUE(lockedDuring);
    EXPECT_TRUE(Window().cmdMenu(0)->isEnabled());
    EXPECT_TRUE(Window().tbrMenu()->isEnabled());
    EXPECT_TRUE(Window().menuBar()->isEnabled());
    EXPECT_EQ(boxes.shown.size(), 1u) << "only the unregistered tag answered";
}

TEST_F(DispatchTest, CatchmentOnlyColoursButtonTwo) {
    const QPalette app = QApplication::palette();
    ASSERT_NE(app.color(QPalette::Highlight), app.color(QPalette::ButtonText));
    Window().SetCommandHandler("InpArea", [&](QWidget *) {
        P().Data.HasCatchment = true;
        P().IsModified = true;
    });
    Window().cmdMenu(2)->click();
    for (int i = 0; i < 5; ++i) {
        const QColor expected =
            app.color(i == 2 ? QPalette::Highlight : QPalette::ButtonText);
        EXPECT_EQ(Window().cmdMenu(i)->palette().color(QPalette::ButtonText), expected) << i;
    }
}

TEST_F(DispatchTest, ColoursFollowFlagsBothWays) {
    const QPalette app = QApplication::palette();
    P().Data.HasConditions = true;
    P().Data.HasDeltaT = true;
    Window().RefreshButtonColours();
    EXPECT_EQ(Window().cmdMenu(0)->palette().color(QPalette::ButtonText),
              app.color(QPalette::Highlight));
    EXPECT_EQ(Window().cmdMenu(4)->palette().color(QPalette::ButtonText),
              app.color(QPalette::Highlight));
    P().Data.HasConditions = false;
    Window().RefreshButtonColours();
    EXPECT_EQ(Window().cmdMenu(0)->palette().color(QPalette::ButtonText),
              app.color(QPalette::ButtonText));
}

class ExitTest : public ShellFixture {
protected:
    void Modify() {
        P().Data.HasSection = true;
        P().IsModified = true;
    }
};

TEST_F(ExitTest, UnmodifiedEndsWithoutQuestionAndWritesPlace) {
    Window().move(TwipsToPixelsX(1200), TwipsToPixelsY(900));
    EXPECT_TRUE(Window().close());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_NEAR(Ini("MenuMain", "Left").toInt(), 1200, 15);
    EXPECT_NEAR(Ini("MenuMain", "Top").toInt(), 900, 15);
}

TEST_F(ExitTest, CancelKeepsRunningWithData) {
    Modify();
    boxes.answers = {MsgResult::Cancel};
    EXPECT_FALSE(Window().close());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝ終了"));
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(boxes.shown[0].text,
              QStringLiteral("現在編集中の入力ﾃﾞｰﾀがあります。名前を付けて保存してから終了しますか？"
                             "\n\n編集中のﾌｧｲﾙ名：無題"))
        << "an untitled project is named and offered Save As";
    EXPECT_TRUE(P().Data.HasSection);
    EXPECT_TRUE(P().IsModified);
    EXPECT_TRUE(Ini("MenuMain", "Top").isEmpty()) << "the place is written only when ending";
}

TEST_F(ExitTest, NoEndsWithoutSaving) {
    Modify();
    boxes.answers = {MsgResult::No};
    EXPECT_TRUE(Window().close());
    EXPECT_TRUE(dialogs.requests.empty());
}

TEST_F(ExitTest, YesSavesCurrentFileThenEnds) {
    Modify();
    P().CurrentFileName = Path("pond.wyd");
    boxes.answers = {MsgResult::Yes};
    EXPECT_TRUE(Window().close());
    EXPECT_TRUE(boxes.shown[0].text.endsWith(QStringLiteral("編集中のﾌｧｲﾙ名：") + Path("pond.wyd")));
    ProjectData read;
    int32_t code = 0;
    ASSERT_TRUE(LoadProjectFile(Path("pond.wyd"), read, code)) << code;
    EXPECT_TRUE(read.HasSection);
}

TEST_F(ExitTest, YesThenCancelledSaveAsKeepsRunning) {
    Modify();
    boxes.answers = {MsgResult::Yes};
    dialogs.answers = {std::nullopt};
    EXPECT_FALSE(Window().close());
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_FALSE(dialogs.requests[0].open);
    EXPECT_TRUE(P().Data.HasSection);
    EXPECT_TRUE(P().IsModified);
}

TEST_F(ExitTest, YesThenFailedWriteKeepsRunning) {
    Modify();
    P().CurrentFileName = Path("no-such-folder/pond.wyd");
    boxes.answers = {MsgResult::Yes};
    EXPECT_FALSE(Window().close());
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].title, QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ書き込みｴﾗｰ"));
    EXPECT_TRUE(P().IsModified);

    // Answering No on the next try lets it end.
    boxes.answers = {MsgResult::No};
    EXPECT_TRUE(Window().close());
}

TEST_F(ExitTest, NewAfterEditEndsWithoutAsking) {
    Modify();
    boxes.answers = {MsgResult::No};
    Window().fileCommands().New();
    EXPECT_FALSE(P().Data.HasSection);
    EXPECT_TRUE(Window().close()) << "the new project has nothing unsaved";
    EXPECT_EQ(boxes.shown.size(), 1u);
}

}  // namespace
}  // namespace wyndlor
