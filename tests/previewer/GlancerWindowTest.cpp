#include "previewer/GlancerMessages.h"
#include "previewer/GlancerWindow.h"
#include "tests/previewer/TestFiles.h"
#include "tests/support/FileSystemFaults.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <sys/resource.h>

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

    std::unique_ptr<GlancerWindow> MakeWindow(const QString &workFolder = QString())
    {
        PrintDocument doc;
        QString error;
        EXPECT_TRUE(LoadPrintFile(previewer_test::SamplePath(), doc, error));
        auto w = std::make_unique<GlancerWindow>(std::move(doc), previewer_test::SamplePath(),
                                                 workFolder.isEmpty() ? work_.path() : workFolder);
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

// Glancer.INI on a full disk: the old file stays and the user is told.
TEST_F(GlancerWindowTest, SettingsOnAFullDiskAreSaid)
{
    wyndlor::test::FullFileSystem disk;
    if (!disk.Mounted())
        GTEST_SKIP() << "needs root to mount a small tmpfs";
    const QString ini = disk.FilePath(QStringLiteral("Glancer.INI"));
    ASSERT_TRUE(previewer_test::WriteFile(ini, "[Glancer]\r\nZoom=2\r\n"));
    window_ = MakeWindow(disk.Path());
    disk.Fill();
    window_->close();
    ASSERT_EQ(messages_.errors.size(), 1);
    EXPECT_TRUE(messages_.errors.at(0).contains(ini)) << messages_.errors.at(0).toStdString();
    EXPECT_EQ(previewer_test::ReadFile(ini), QByteArray("[Glancer]\r\nZoom=2\r\n"));
}

// A print file of three million one-word headings: the window on it stays
// within the document limits and far below 300 MB (peak resident memory of
// this test's process; ctest runs each test in a process of its own).
TEST_F(GlancerWindowTest, ThreeMillionHeadingsStayWithinMemory)
{
    window_.reset();
    QByteArray bytes;
    bytes.reserve(3000000 * 7);
    for (int i = 0; i < 3000000; ++i)
        bytes += "?R1 Hx\r\n";
    PrintDocument doc = ParsePrintFile(bytes);
    bytes = QByteArray();
    EXPECT_EQ(doc.PageCount(), kMaxPages + 1) << "the last page says the rest is cut";
    EXPECT_EQ(doc.outline.size(), kMaxOutlineEntries + 1) << "the last entry says how many are left out";
    EXPECT_LE(doc.MaxLines(), kSheetLines);
    GlancerWindow window(std::move(doc), QStringLiteral("big.prn"), work_.path());
    window.show();
    QImage page(window.View()->viewport()->size(), QImage::Format_RGB32);
    window.View()->viewport()->render(&page);
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine: no measure of the program's own";
#endif
    struct rusage usage {};
    ASSERT_EQ(::getrusage(RUSAGE_SELF, &usage), 0);
    EXPECT_LT(usage.ru_maxrss / 1024, 300) << "MB at peak";  // ru_maxrss is in KiB
}

TEST(GlancerSettings, NoWorkFolderNoFile)
{
    const GlancerSettings settings{QString()};
    EXPECT_TRUE(settings.FilePath().isEmpty());
    settings.Save(GlancerState{});  // must not write anywhere
    EXPECT_EQ(settings.Load().zoomMode, ZoomMode::FitWidth);
}

}  // namespace
