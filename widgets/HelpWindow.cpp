#include "widgets/HelpWindow.h"

#include "core/AppPaths.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace wyndlor {

namespace {

QString &FolderOverride() {
    static QString folder;
    return folder;
}

QPointer<HelpWindow> &Current() {
    static QPointer<HelpWindow> window;
    return window;
}

}  // namespace

QStringList help::AllPages() {
    return {kMenuMain, kInpJyoken, kInpHVC,  kInpArea,   kInpSection, kInpDeltaT,
            kInpRenban, kMenuRO,   kResOutQi, kResOutQo, kGraphQi,    kGraphQo,
            kMenuPrint, kSolveWidth, kFloodStudy, kIndex, kMethod,   kAccuracy};
}

QString HelpFolder() {
    if (!FolderOverride().isEmpty()) return FolderOverride();
    return LocateDataFile(QStringLiteral("help"));
}

void SetHelpFolder(const QString &folder) { FolderOverride() = folder; }

QString HelpPagePath(const QString &pageId) {
    return HelpFolder() + QLatin1Char('/') + pageId + QStringLiteral(".html");
}

HelpWindow::HelpWindow(QWidget *owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("ﾍﾙﾌﾟ"));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("txtHelp"));
    browser_->setOpenExternalLinks(true);
    auto *home = new QPushButton(QStringLiteral("目次"), this);
    auto *back = new QPushButton(QStringLiteral("戻る"), this);
    auto *forward = new QPushButton(QStringLiteral("進む"), this);
    auto *close = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    for (QPushButton *b : {home, back, forward, close}) b->setAutoDefault(false);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(home, &QPushButton::clicked, this, [this] { ShowPage(help::kIndex); });
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl &url) {
        page_ = QFileInfo(url.toLocalFile()).completeBaseName();
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("ﾍﾙﾌﾟ") : QStringLiteral("ﾍﾙﾌﾟ - ") + title);
    });
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(home);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
    resize(fontMetrics().horizontalAdvance(QStringLiteral("あ")) * 44, fontMetrics().height() * 40);
    auto *escape = new QShortcut(QKeySequence::Cancel, this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void HelpWindow::ShowPage(const QString &pageId) {
    const QString path = HelpPagePath(pageId);
    if (!QFileInfo(path).isFile()) {
        // An installation without its manual: say which file is missing.
        page_ = pageId;
        browser_->setHtml(QStringLiteral("<p>ﾍﾙﾌﾟﾌｧｲﾙが見つかりません：%1</p>").arg(path.toHtmlEscaped()));
        return;
    }
    browser_->setSearchPaths({HelpFolder()});
    browser_->setSource(QUrl::fromLocalFile(path));
}

HelpWindow *ShowHelp(QWidget *from, const QString &pageId) {
    QWidget *owner = from ? from->window() : nullptr;
    QPointer<HelpWindow> &window = Current();
    if (window && window->parentWidget() != owner) {
        // Moved to the window now asking, so that a modal dialog does not
        // block it; it keeps its size and place.
        const QRect place = window->geometry();
        window->setParent(owner, Qt::Window);
        window->setGeometry(place);
    }
    if (!window) {
        window = new HelpWindow(owner);
        // Beside the window it explains, on the side with room, so that
        // both can be read at once.
        if (owner) {
            const QRect o = owner->frameGeometry();
            const QRect screen = owner->screen()->availableGeometry();
            const int right = o.right() + 1;
            const int x = right + window->width() <= screen.right() ? right
                                                                    : std::max(screen.left(), o.left() - window->width());
            window->move(x, std::max(screen.top(), o.top()));
        }
    }
    window->ShowPage(pageId);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

HelpWindow *OpenHelpWindow() { return Current(); }

void AddHelpKey(QWidget *window, const QString &pageId) {
    auto *key = new QShortcut(QKeySequence::HelpContents, window);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, window, [window, pageId] { ShowHelp(window, pageId); });
}

}  // namespace wyndlor
