#include "app/frmMenuMain.h"

#include "widgets/AboutBox.h"
#include "widgets/HelpWindow.h"
#include "core/AppPaths.h"
#include "widgets/MessageBoxes.h"
#include "core/Messages.h"
#include "core/SystemHelpers.h"
#include "widgets/ToolbarIcons.h"
#include "widgets/WindowPlace.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QGroupBox>
#include <QKeySequence>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>

namespace wyndlor {
namespace {

// The layout of the window in twips, as it has always been drawn; the
// screen's logical DPI turns it into pixels.
struct MenuButton {
    const char *caption;
    const char *tag;
    int left, top, height;
};
constexpr int kButtonWidth = 3855;
constexpr int kButtonHeight = 615;
// Button 5 (the calculation) spans two rows.
constexpr int kTallButtonHeight = 1335;
const MenuButton kMenuButtonLayout[frmMenuMain::kMenuButtons] = {
    {"計算条件の入力", "InpJyoken", 360, 360, kButtonHeight},
    {"ｈ－Ｖ曲線算定ﾃﾞｰﾀの入力", "InpHVC", 360, 1080, kButtonHeight},
    {"流域面積等の入力", "InpArea", 360, 1800, kButtonHeight},
    {"洪水吐調整部断面形状の入力", "InpSection", 360, 2520, kButtonHeight},
    {"計算時間間隔の入力", "InpDeltaT", 4560, 360, kButtonHeight},
    {"設計洪水位の計算", "MenuRO", 4560, 1080, kTallButtonHeight},
    {"連番条件設定", "InpRenban", 4560, 2520, kButtonHeight},
};
// The frame keeps the buttons' left margin on the right and below.
constexpr int kFrameMargin = 360;
constexpr int kFrameLeft = 240, kFrameTop = 120;
constexpr int kFrameWidth = 4560 + kButtonWidth + kFrameMargin;
constexpr int kFrameHeight = 2520 + kButtonHeight + kFrameMargin;
// The exit button sits below the frame, flush with its right edge.
constexpr int kExitWidth = 2055, kExitHeight = 495, kExitGap = 180;
constexpr int kFormMargin = 240;

// The group flag that colours each of the five input buttons.
bool GroupFlag(const ProjectData &d, int index) {
    switch (index) {
    case 0: return d.HasConditions;
    case 1: return d.HasHVC;
    case 2: return d.HasCatchment;
    case 3: return d.HasSection;
    case 4: return d.HasDeltaT;
    default: return false;
    }
}
constexpr int kColouredButtons = 5;

QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width),
                 TwipsToPixelsY(height));
}

const char *const kTagProperty = "Tag";
const char *const kKeyProperty = "Key";

}  // namespace

void SetUpAppPaths() {
    SetIniFileName(DefaultIniFileName());
    SetFormatFileName(DefaultFormatFileName());
    SetWorkFolder(PrepareWorkFolder());
}

frmMenuMain::frmMenuMain(QWidget *parent)
    : QMainWindow(parent),
      files_(project_, this,
             FileCommands::Hooks{[this](const QString &t) { SetFileCaption(t); },
                                 [this] { RefreshButtonColours(); },
                                 [this](const QString &p) { UpdateRecentFiles(p); }}) {
    setObjectName(QStringLiteral("frmMenuMain"));
    SetFileCaption(QString());
    setAcceptDrops(true);
    AddHelpKey(this, help::kMenuMain);

    BuildMenus();
    BuildToolbar();
    BuildMenuFrame();
    // A fixed dialog-like window: the layout is drawn to size.
    setFixedSize(sizeHint());

    RestoreWindowPlace(this, msg::MainSection(), false, PlaceRule::CentreNonPositiveOrBeyond);
    recentFiles_.stored = ReadRecentFiles(IniFileName());
    recent_->Refresh(recentFiles_);

    InitProjectData(project_.Data);
    project_.CurrentFileName.clear();
    project_.IsModified = false;
    RefreshButtonColours();
}

frmMenuMain::~frmMenuMain() = default;

void frmMenuMain::BuildMenuFrame() {
    auto *central = new QWidget(this);
    fraMenu_ = new QGroupBox(QStringLiteral("ﾒｲﾝﾒﾆｭｰ"), central);
    fraMenu_->setObjectName(QStringLiteral("fraMenu"));
    fraMenu_->setGeometry(TwipsRect(kFrameLeft, kFrameTop, kFrameWidth, kFrameHeight));

    for (int i = 0; i < kMenuButtons; ++i) {
        const MenuButton &b = kMenuButtonLayout[i];
        auto *button = new QPushButton(QString::fromUtf8(b.caption), fraMenu_);
        button->setObjectName(QStringLiteral("cmdMenu") + QString::number(i));
        button->setProperty(kTagProperty, QString::fromLatin1(b.tag));
        button->setGeometry(TwipsRect(b.left, b.top, kButtonWidth, b.height));
        connect(button, &QPushButton::clicked, this, [this, i] { RunCommand(i); });
        cmdMenu_[static_cast<size_t>(i)] = button;
    }
    QFont bold = cmdMenu_[5]->font();
    bold.setBold(true);
    cmdMenu_[5]->setFont(bold);

    cmdExit_ = new QPushButton(QStringLiteral("  ﾌﾟﾛｸﾞﾗﾑ終了"), central);
    cmdExit_->setObjectName(QStringLiteral("cmdExit"));
    cmdExit_->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    const int exitLeft = kFrameLeft + kFrameWidth - kExitWidth;
    const int exitTop = kFrameTop + kFrameHeight + kExitGap;
    cmdExit_->setGeometry(TwipsRect(exitLeft, exitTop, kExitWidth, kExitHeight));
    connect(cmdExit_, &QPushButton::clicked, this, &QWidget::close);

    central->setFixedSize(TwipsToPixelsX(kFrameLeft + kFrameWidth + kFormMargin),
                          TwipsToPixelsY(exitTop + kExitHeight + kFormMargin));
    setCentralWidget(central);
}

void frmMenuMain::BuildMenus() {
    QMenu *mnuFile = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    // Each entry runs its file command; whether it succeeded is told by the
    // command's own messages.  The desktop's usual shortcuts stand beside
    // the captions (the menu shows them).
    auto add = [&](const char *name, const QString &caption, const char *keys, auto cmd) {
        QAction *a = mnuFile->addAction(caption);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(QKeySequence(QLatin1String(keys)));
        connect(a, &QAction::triggered, this, [this, cmd] { (files_.*cmd)(); });
    };
    add("mnuFileNew", QStringLiteral("新規作成(&N)"), "Ctrl+N", &FileCommands::New);
    add("mnuFileOpen", QStringLiteral("ﾌｧｲﾙを開く(&O)..."), "Ctrl+O", &FileCommands::Open);
    add("mnuFileSaveAs", QStringLiteral("ﾌｧｲﾙに名前を付けて保存(&A)..."), "Ctrl+Shift+S", &FileCommands::SaveAs);
    add("mnuFileSave", QStringLiteral("ﾌｧｲﾙの上書き保存(&S)..."), "Ctrl+S", &FileCommands::Save);
    mnuFile->addSeparator();
    recent_ = new RecentFilesMenu(mnuFile, this);
    connect(recent_, &RecentFilesMenu::entryTriggered, this,
            [this](const QString &path) { files_.OpenRecent(path); });
    mnuFile->addSeparator();
    QAction *exit = mnuFile->addAction(QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ終了(&X)"));
    exit->setObjectName(QStringLiteral("mnuFileExit"));
    exit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QAction *about = menuBar()->addAction(QStringLiteral("&?"));
    about->setObjectName(QStringLiteral("mnuAbout"));
    connect(about, &QAction::triggered, this, &frmMenuMain::ShowAbout);
}

void frmMenuMain::BuildToolbar() {
    tbrMenu_ = addToolBar(QStringLiteral("tbrMenu"));
    tbrMenu_->setObjectName(QStringLiteral("tbrMenu"));
    tbrMenu_->setMovable(false);
    tbrMenu_->setFloatable(false);
    tbrMenu_->setIconSize(QSize(24, 24));
    tbrMenu_->toggleViewAction()->setEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    struct Button {
        const char *key;
        const char *tip;
        std::function<void()> run;
    };
    const Button buttons[] = {
        {"New", "新規作成", [this] { files_.New(); }},
        {"Open", "ﾌｧｲﾙを開く...", [this] { files_.Open(); }},
        {"SaveAs", "ﾌｧｲﾙに名前を付けて保存...", [this] { files_.SaveAs(); }},
        {"Save", "ﾌｧｲﾙの上書き保存", [this] { files_.Save(); }},
    };
    // No page set-up button: the report's page is fixed by its format file
    // and set up in the previewer, and the graphs and tables choose printer
    // and page in their own print dialogs; a button here had nothing to set.
    for (const Button &b : buttons) {
        const QString key = QString::fromLatin1(b.key);
        QAction *a = tbrMenu_->addAction(ToolbarIcon(key), QString::fromUtf8(b.tip));
        a->setToolTip(QString::fromUtf8(b.tip));
        a->setProperty(kKeyProperty, key);
        a->setObjectName(QStringLiteral("tbr") + key);
        connect(a, &QAction::triggered, this, b.run);
    }
}

QAction *frmMenuMain::mnuFileName(int index) const { return recent_->entry(index); }

QList<QAction *> frmMenuMain::mnuFileNameSession() const { return recent_->sessionEntries(); }

QAction *frmMenuMain::toolbarAction(const QString &key) const {
    for (QAction *a : tbrMenu_->actions())
        if (a->property(kKeyProperty).toString() == key) return a;
    return nullptr;
}

void frmMenuMain::SetCommandHandler(const QString &tag, CommandHandler handler) {
    if (handler)
        handlers_.insert(tag, std::move(handler));
    else
        handlers_.remove(tag);
}

void frmMenuMain::SetCommandsEnabled(bool enabled) {
    centralWidget()->setEnabled(enabled);
    menuBar()->setEnabled(enabled);
    tbrMenu_->setEnabled(enabled);
}

QString frmMenuMain::CommandTag(int index) const {
    return cmdMenu(index)->property(kTagProperty).toString();
}

void frmMenuMain::RunCommand(int index) {
    if (index < 0 || index >= kMenuButtons) return;
    const QString tag = CommandTag(index);
    SetCommandsEnabled(false);
    const auto it = handlers_.constFind(tag);
    if (it != handlers_.constEnd())
        (*it)(this);
    else
        MessageBoxes().Show(this, msg::NotAvailableText(), QString(), MsgIcon::Information,
                            MsgButtons::Ok);
    SetCommandsEnabled(true);
    // The command's window may have changed a group; the activation that
    // follows its closing is not guaranteed on every platform.
    RefreshButtonColours();
}

void frmMenuMain::RefreshButtonColours() {
    // The caption's "[*]" shows whether the input has unsaved edits.
    setWindowModified(project_.IsModified);
    const QPalette app = QApplication::palette();
    for (int i = 0; i < kColouredButtons; ++i) {
        QPushButton *b = cmdMenu(i);
        QPalette pal = b->palette();
        const QColor colour = GroupFlag(project_.Data, i) ? app.color(QPalette::Highlight)
                                                          : app.color(QPalette::ButtonText);
        pal.setColor(QPalette::Active, QPalette::ButtonText, colour);
        pal.setColor(QPalette::Inactive, QPalette::ButtonText, colour);
        b->setPalette(pal);
    }
}

void frmMenuMain::UpdateRecentFiles(const QString &path) {
    UseRecentFile(IniFileName(), recentFiles_, path);
    recent_->Refresh(recentFiles_);
}

void frmMenuMain::SetFileCaption(const QString &fileTitle) {
    setWindowTitle(msg::MainCaption(fileTitle));
    setWindowModified(project_.IsModified);
}

bool frmMenuMain::OpenFileArgument(const QStringList &arguments) {
    for (const QString &arg : arguments) {
        if (arg.startsWith(QLatin1Char('-'))) continue;
        // Absolute, so that the recent list and the caption name the file
        // whatever folder the program was started from.
        return files_.OpenPath(QFileInfo(arg).absoluteFilePath());
    }
    return false;
}

QString frmMenuMain::DroppedProjectFile(const QMimeData *data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1) return QString();
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile()) return QString();
    const QString path = url.toLocalFile();
    const QString suffix = QLatin1Char('.') + QFileInfo(path).suffix();
    return suffix.compare(msg::ProjectExtension(), Qt::CaseInsensitive) == 0 ? path : QString();
}

void frmMenuMain::dragEnterEvent(QDragEnterEvent *event) {
    // Refused while a command's window is open: the project is in use.
    if (menuBar()->isEnabled() && !DroppedProjectFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmMenuMain::dropEvent(QDropEvent *event) {
    const QString path = DroppedProjectFile(event->mimeData());
    if (path.isEmpty() || !menuBar()->isEnabled()) return;
    event->acceptProposedAction();
    files_.OpenPath(path);
}

void frmMenuMain::ShowAbout() {
    AboutBox box(this);
    box.exec();
}

void frmMenuMain::changeEvent(QEvent *event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) RefreshButtonColours();
    QMainWindow::changeEvent(event);
}

void frmMenuMain::closeEvent(QCloseEvent *event) {
    // The window stays open with its data unless they are safe or the user
    // chose to drop them.
    if (!files_.SafeToReplace(FileCommands::Replacing::Exit)) {
        event->ignore();
        return;
    }
    SaveWindowPlace(this, msg::MainSection(), false);
    event->accept();
}

}  // namespace wyndlor
