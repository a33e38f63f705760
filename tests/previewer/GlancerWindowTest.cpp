#include "previewer/GlancerMessages.h"
#include "previewer/GlancerWindow.h"
#include "tests/previewer/TestFiles.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace wyndlor::glancer;

namespace {

class RecordedMessages : public IGlancerMessages {
public:
    void Error(QWidget *, const QString &text) override { errors.append(text); }
    QStringList errors;
};

// A window on the sample report, its settings in a temporary work folder.
class GlancerWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetGlancerMessages(&messages_);
        window_ = MakeWindow();
    }
    void TearDown() override { SetGlancerMessages(nullptr); }

    std::unique_ptr<GlancerWindow> MakeWindow()
    {
        PrintDocument doc;
        QString error;
        EXPECT_TRUE(LoadPrintFile(previewer_test::SamplePath(), doc, error));
        auto w = std::make_unique<GlancerWindow>(std::move(doc), previewer_test::SamplePath(),
                                                 work_.path());
        w->RestoreState();
        w->show();
        return w;
    }

    void Key(int key)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(window_->View(), &press);
    }

    void WheelDown()
    {
        const QPointF at(10, 10);
        QWheelEvent wheel(at, at, QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(window_->View()->viewport(), &wheel);
    }

    QString IniPath() const { return QDir(work_.path()).filePath(QStringLiteral("Glancer.INI")); }

    QTemporaryDir work_;
    RecordedMessages messages_;
    std::unique_ptr<GlancerWindow> window_;
};

TEST_F(GlancerWindowTest, TitleNamesTheFile)
{
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("Glancer - sample.prn"));
}

TEST_F(GlancerWindowTest, AProjectNamesTheWindowAndThePdf)
{
    PrintDocument doc;
    doc.title = QStringLiteral("大沢ため池");
    const QString project = QDir(work_.path()).filePath(QStringLiteral("osawa-ike.wyd"));
    GlancerWindow window(std::move(doc), previewer_test::SamplePath(), work_.path(), project);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Glancer - osawa-ike.wyd - 大沢ため池"));
    EXPECT_EQ(window.SuggestedPdfPath(), QDir(work_.path()).filePath(QStringLiteral("osawa-ike.pdf")));
}

TEST_F(GlancerWindowTest, OutlineNestsHeadingsAndJumpsToTheirPage)
{
    QTreeWidget *tree = window_->Outline();
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("1. 計算条件"));
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(tree->topLevelItem(1)->childCount(), 1);
    EXPECT_EQ(tree->topLevelItem(2)->childCount(), 2);

    emit tree->itemClicked(tree->topLevelItem(2)->child(1), 0);
    EXPECT_EQ(window_->View()->CurrentPage(), 3);
    EXPECT_EQ(window_->PageBox()->value(), 4);
    emit tree->itemActivated(tree->topLevelItem(1)->child(0), 0);
    EXPECT_EQ(window_->View()->CurrentPage(), 1);
}

TEST_F(GlancerWindowTest, KeysAndPageBoxTurnPages)
{
    PageView *view = window_->View();
    Key(Qt::Key_PageUp);
    EXPECT_EQ(view->CurrentPage(), 0);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(view->CurrentPage(), 1);
    Key(Qt::Key_End);
    EXPECT_EQ(view->CurrentPage(), 3);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(view->CurrentPage(), 3);
    EXPECT_EQ(window_->PageBox()->value(), 4);
    Key(Qt::Key_Home);
    EXPECT_EQ(view->CurrentPage(), 0);

    window_->PageBox()->setValue(3);
    EXPECT_EQ(view->CurrentPage(), 2);
}

TEST_F(GlancerWindowTest, WheelPastAWholePageTurnsIt)
{
    window_->View()->SetZoomMode(ZoomMode::FitPage);
    WheelDown();
    EXPECT_EQ(window_->View()->CurrentPage(), 1);
}

TEST_F(GlancerWindowTest, ZoomStepsFromTheFittedSize)
{
    PageView *view = window_->View();
    view->SetZoomMode(ZoomMode::FitPage);
    const double fitted = view->EffectiveZoom();
    view->ZoomIn();
    EXPECT_EQ(view->Mode(), ZoomMode::Factor);
    EXPECT_GT(view->EffectiveZoom(), fitted);
    view->ZoomOut();
    view->ZoomOut();
    EXPECT_LT(view->EffectiveZoom(), fitted);
    for (int i = 0; i < 20; ++i)
        view->ZoomIn();
    EXPECT_DOUBLE_EQ(view->EffectiveZoom(), PageView::ZoomSteps().last());
}

TEST_F(GlancerWindowTest, ZoomAndPlaceSurviveARestart)
{
    window_->View()->SetZoomFactor(1.5);
    window_->setGeometry(100, 120, 700, 650);
    window_->close();
    {
        QSettings ini(IniPath(), QSettings::IniFormat);
        EXPECT_EQ(ini.value("Glancer/ZoomMode").toString(), QStringLiteral("Factor"));
        EXPECT_DOUBLE_EQ(ini.value("Glancer/Zoom").toDouble(), 1.5);
    }
    window_ = MakeWindow();
    EXPECT_EQ(window_->View()->Mode(), ZoomMode::Factor);
    EXPECT_DOUBLE_EQ(window_->View()->EffectiveZoom(), 1.5);
    EXPECT_EQ(window_->normalGeometry().size(), QSize(700, 650));
}

TEST_F(GlancerWindowTest, PdfExportWritesOrTellsWhy)
{
    const QString good = QDir(work_.path()).filePath(QStringLiteral("report.pdf"));
    EXPECT_TRUE(window_->ExportTo(good));
    EXPECT_TRUE(QFile::exists(good));
    EXPECT_TRUE(messages_.errors.isEmpty());

    EXPECT_FALSE(window_->ExportTo(QDir(work_.path()).filePath(QStringLiteral("no/dir/r.pdf"))));
    ASSERT_EQ(messages_.errors.size(), 1);
    EXPECT_TRUE(messages_.errors.at(0).contains(QStringLiteral("r.pdf")));
}

TEST(GlancerSettings, NoWorkFolderNoFile)
{
    const GlancerSettings settings{QString()};
    EXPECT_TRUE(settings.FilePath().isEmpty());
    settings.Save(GlancerState{});  // must not write anywhere
    EXPECT_EQ(settings.Load().zoomMode, ZoomMode::FitWidth);
}

}  // namespace
