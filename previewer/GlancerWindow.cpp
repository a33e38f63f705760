#include "previewer/GlancerWindow.h"

#include "previewer/GlancerMessages.h"
#include "previewer/PdfExport.h"

#include <QAction>
#include <algorithm>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStyle>
#include <QLabel>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

namespace wyndlor::glancer {

namespace {

const QSize kDefaultSize(900, 1000);   // px, shrunk to the screen
// Room kept for the window manager's frame around the client area before
// the frame is known (title bar and borders), in pixels.
const QSize kFrameAllowance(16, 40);
// How much of the title bar must lie on a screen for a stored place to be
// used, in pixels.
constexpr int kTitleGrip = 100;
constexpr int kTitleBar = 20;

// True when the title bar of the outer frame at `frame` lies on a screen.
bool TitleBarOnScreen(const QRect &frame)
{
    const QRect bar(frame.topLeft(), QSize(frame.width(), kTitleBar));
    for (const QScreen *s : QGuiApplication::screens()) {
        const QRect on = bar & s->availableGeometry();
        if (on.height() >= kTitleBar && on.width() >= std::min(frame.width(), kTitleGrip))
            return true;
    }
    return false;
}
constexpr int kDefaultOutlineWidth = 220;  // px
constexpr int kPageRole = Qt::UserRole;

}  // namespace

QString GlancerWindow::WindowTitle(const QString &projectFile, const QString &title,
                                   const QString &printFilePath)
{
    QStringList parts{QStringLiteral("Glancer")};
    if (!projectFile.isEmpty())
        parts.append(QFileInfo(projectFile).fileName());
    if (!title.trimmed().isEmpty())
        parts.append(title.simplified());
    if (parts.size() == 1)
        parts.append(QFileInfo(printFilePath).fileName());
    return parts.join(QStringLiteral(" - "));
}

GlancerWindow::GlancerWindow(PrintDocument doc, const QString &printFilePath,
                             const QString &workFolder, const QString &projectFile,
                             QWidget *parent)
    : QMainWindow(parent), doc_(std::move(doc)), printFilePath_(printFilePath),
      projectFile_(projectFile), settings_(workFolder)
{
    setWindowTitle(WindowTitle(projectFile_, doc_.title, printFilePath_));

    splitter_ = new QSplitter(this);
    outline_ = new QTreeWidget(splitter_);
    outline_->setHeaderLabel(QStringLiteral("見出し"));
    view_ = new PageView(splitter_);
    splitter_->addWidget(outline_);
    splitter_->addWidget(view_);
    splitter_->setStretchFactor(1, 1);
    setCentralWidget(splitter_);

    BuildActions();
    BuildOutline();

    connect(view_, &PageView::PageChanged, this, &GlancerWindow::ShowPage);
    connect(view_, &PageView::ZoomChanged, this, &GlancerWindow::ShowZoom);
    connect(pageBox_, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int shown) { view_->GoToPage(shown - 1); });
    connect(outline_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { view_->GoToPage(item->data(0, kPageRole).toInt()); });
    connect(outline_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { view_->GoToPage(item->data(0, kPageRole).toInt()); });

    view_->SetDocument(&doc_);
    view_->setFocus();
}

void GlancerWindow::BuildActions()
{
    auto *fileMenu = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    auto *viewMenu = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    auto *moveMenu = menuBar()->addMenu(QStringLiteral("移動(&G)"));
    auto *bar = addToolBar(QStringLiteral("ツールバー"));
    bar->setObjectName(QStringLiteral("MainToolBar"));
    bar->setMovable(false);

    auto *print = fileMenu->addAction(QStringLiteral("印刷(&P)..."), this,
                                      &GlancerWindow::PrintWithDialog);
    print->setShortcut(QKeySequence::Print);
    auto *pdf = fileMenu->addAction(QStringLiteral("PDFに出力(&E)..."), this,
                                    &GlancerWindow::ExportWithDialog);
    fileMenu->addSeparator();
    auto *close = fileMenu->addAction(QStringLiteral("閉じる(&C)"), this, &QWidget::close);
    close->setShortcut(QKeySequence::Close);

    firstAction_ = moveMenu->addAction(QStringLiteral("最初のページ"), view_, &PageView::FirstPage);
    previousAction_ = moveMenu->addAction(QStringLiteral("前のページ"), view_, &PageView::PreviousPage);
    nextAction_ = moveMenu->addAction(QStringLiteral("次のページ"), view_, &PageView::NextPage);
    lastAction_ = moveMenu->addAction(QStringLiteral("最後のページ"), view_, &PageView::LastPage);

    auto *fitPage = viewMenu->addAction(QStringLiteral("ページ全体"), this,
                                        [this] { view_->SetZoomMode(ZoomMode::FitPage); });
    auto *fitWidth = viewMenu->addAction(QStringLiteral("ページ幅"), this,
                                         [this] { view_->SetZoomMode(ZoomMode::FitWidth); });
    auto *zoomOut = viewMenu->addAction(QStringLiteral("縮小"), view_, &PageView::ZoomOut);
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    auto *zoomIn = viewMenu->addAction(QStringLiteral("拡大"), view_, &PageView::ZoomIn);
    zoomIn->setShortcut(QKeySequence::ZoomIn);
    viewMenu->addSeparator();
    auto *showOutline = viewMenu->addAction(QStringLiteral("見出し一覧"));
    showOutline->setCheckable(true);
    showOutline->setChecked(true);
    connect(showOutline, &QAction::toggled, outline_, &QWidget::setVisible);

    bar->addAction(print);
    bar->addAction(pdf);
    bar->addSeparator();
    bar->addAction(firstAction_);
    bar->addAction(previousAction_);
    pageBox_ = new QSpinBox(bar);
    pageBox_->setRange(1, std::max(1, doc_.PageCount()));
    pageBox_->setKeyboardTracking(false);
    pageBox_->setAccessibleName(QStringLiteral("ページ番号"));
    bar->addWidget(pageBox_);
    pageCountLabel_ = new QLabel(QStringLiteral(" / %1 ").arg(doc_.PageCount()), bar);
    bar->addWidget(pageCountLabel_);
    bar->addAction(nextAction_);
    bar->addAction(lastAction_);
    bar->addSeparator();
    bar->addAction(fitPage);
    bar->addAction(fitWidth);
    bar->addAction(zoomOut);
    bar->addAction(zoomIn);
    zoomLabel_ = new QLabel(bar);
    bar->addWidget(zoomLabel_);
}

void GlancerWindow::BuildOutline()
{
    QTreeWidgetItem *parentItem = nullptr;
    for (const OutlineEntry &entry : doc_.outline) {
        auto *item = new QTreeWidgetItem(QStringList(entry.text));
        item->setData(0, kPageRole, entry.page);
        item->setToolTip(0, QStringLiteral("%1 ページ").arg(entry.page + 1));
        if (entry.level == 2 && parentItem) {
            parentItem->addChild(item);
        } else {
            outline_->addTopLevelItem(item);
            if (entry.level == 1)
                parentItem = item;
        }
    }
    outline_->expandAll();
    if (doc_.outline.isEmpty())
        outline_->hide();
}

void GlancerWindow::ShowPage(int page)
{
    const QSignalBlocker block(pageBox_);
    pageBox_->setValue(page + 1);
    const int count = view_->PageCount();
    firstAction_->setEnabled(page > 0);
    previousAction_->setEnabled(page > 0);
    nextAction_->setEnabled(page < count - 1);
    lastAction_->setEnabled(page < count - 1);
    statusBar()->showMessage(QStringLiteral("%1 / %2 ページ").arg(page + 1).arg(count));
}

void GlancerWindow::ShowZoom()
{
    zoomLabel_->setText(QStringLiteral(" %1%").arg(qRound(view_->EffectiveZoom() * 100)));
}

void GlancerWindow::PrintWithDialog()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(DefaultPageLayout());
    printer.setDocName(doc_.title.isEmpty() ? QFileInfo(printFilePath_).fileName() : doc_.title);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("印刷"));
    dialog.setMinMax(1, doc_.PageCount());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, true);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    if (dialog.exec() != QDialog::Accepted)
        return;

    int from = 1;
    int to = doc_.PageCount();
    if (printer.printRange() == QPrinter::PageRange) {
        from = std::max(1, printer.fromPage());
        to = std::min(doc_.PageCount(), printer.toPage());
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        from = to = view_->CurrentPage() + 1;
    }
    QList<int> pages;
    for (int p = from; p <= to; ++p)
        pages.append(p - 1);
    // the printer makes the copies itself when it can
    const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
    QString error;
    if (!PaintPages(printer, doc_, pages, copies, error))
        GlancerMessages().Error(this, error);
}

QString GlancerWindow::SuggestedPdfPath() const
{
    // The report belongs beside its project, under the project's name; the
    // temporary print file's name means nothing to the user.
    if (!projectFile_.isEmpty()) {
        const QFileInfo project(projectFile_);
        return QDir(project.absolutePath()).filePath(project.completeBaseName() + QStringLiteral(".pdf"));
    }
    const QString folder = pdfFolder_.isEmpty() ? QFileInfo(printFilePath_).absolutePath()
                                                : pdfFolder_;
    return QDir(folder).filePath(QFileInfo(printFilePath_).completeBaseName() + QStringLiteral(".pdf"));
}

void GlancerWindow::ExportWithDialog()
{
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("PDFに出力"), SuggestedPdfPath(), QStringLiteral("PDF ファイル (*.pdf)"));
    if (path.isEmpty())
        return;
    if (ExportTo(path))
        pdfFolder_ = QFileInfo(path).absolutePath();
}

bool GlancerWindow::ExportTo(const QString &pdfPath)
{
    QString error;
    if (!ExportPdf(doc_, pdfPath, error)) {
        GlancerMessages().Error(this, error);
        return false;
    }
    return true;
}

void GlancerWindow::RestoreState()
{
    const GlancerState state = settings_.Load();
    pdfFolder_ = state.pdfFolder;
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 1024);
    // The stored place is that of the outer frame (its top-left corner) and
    // the size that of the client area.  A window moved before it has a
    // native window is placed by its frame, so the title bar lands where
    // it was and never above the screen.
    if (!state.geometry.isEmpty() && TitleBarOnScreen(state.geometry)) {
        resize(state.geometry.size());
        move(state.geometry.topLeft());
    } else {
        const QSize size = kDefaultSize.boundedTo(available.size() - kFrameAllowance);
        resize(size);
        move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size + kFrameAllowance,
                                 available)
                 .topLeft());
    }
    splitter_->setSizes({state.outlineWidth > 0 ? state.outlineWidth : kDefaultOutlineWidth,
                         std::max(1, width() - kDefaultOutlineWidth)});
    if (state.zoomMode == ZoomMode::Factor)
        view_->SetZoomFactor(state.zoomFactor);
    else
        view_->SetZoomMode(state.zoomMode);
    if (state.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void GlancerWindow::SaveState()
{
    GlancerState state;
    // Frame place and client size, as RestoreState reads them.
    const QPoint frameOffset = frameGeometry().topLeft() - geometry().topLeft();
    state.geometry = QRect(normalGeometry().topLeft() + frameOffset, normalGeometry().size());
    state.maximized = isMaximized();
    state.zoomMode = view_->Mode();
    state.zoomFactor = view_->EffectiveZoom();
    state.outlineWidth = outline_->isVisible() ? splitter_->sizes().value(0) : 0;
    state.pdfFolder = pdfFolder_;
    const QString failure = settings_.Save(state);
    if (!failure.isEmpty())
        GlancerMessages().Error(this, failure);
}

void GlancerWindow::closeEvent(QCloseEvent *event)
{
    SaveState();
    event->accept();
}

}  // namespace wyndlor::glancer
