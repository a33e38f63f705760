// The program's manual: Japanese HTML pages shipped in share/wyndlor/help/
// (beside the program in a build tree), one page per window and pages on
// the method and the accuracy check.
//
// ShowHelp opens a page in the help window, a window of its own that is
// never modal: it is made a top-level child of the window asking for help,
// so that it stays usable beside that window even when the window is a
// modal dialog, and it closes with it at the latest.  The ﾍﾙﾌﾟ buttons and
// F1 of every window open the window's page; a window's page id is the
// name of its settings section (help::kInpJyoken is "InpJyoken").
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace wyndlor {

namespace help {
// One page per window (the window's settings section).
inline const QString kMenuMain = QStringLiteral("MenuMain");
inline const QString kInpJyoken = QStringLiteral("InpJyoken");
inline const QString kInpHVC = QStringLiteral("InpHVC");
inline const QString kInpArea = QStringLiteral("InpArea");
inline const QString kInpSection = QStringLiteral("InpSection");
inline const QString kInpDeltaT = QStringLiteral("InpDeltaT");
inline const QString kInpRenban = QStringLiteral("InpRenban");
inline const QString kMenuRO = QStringLiteral("MenuRO");
inline const QString kResOutQi = QStringLiteral("ResOutQi");
inline const QString kResOutQo = QStringLiteral("ResOutQo");
inline const QString kGraphQi = QStringLiteral("GraphQi");
inline const QString kGraphQo = QStringLiteral("GraphQo");
inline const QString kMenuPrint = QStringLiteral("MenuPrint");
inline const QString kSolveWidth = QStringLiteral("SolveWidth");
inline const QString kFloodStudy = QStringLiteral("FloodStudy");
// The contents, the method and the accuracy check.
inline const QString kIndex = QStringLiteral("index");
inline const QString kMethod = QStringLiteral("method");
inline const QString kAccuracy = QStringLiteral("accuracy");
// Every page the manual must hold.
QStringList AllPages();
}  // namespace help

// The folder of the manual (found as the report format file is); tests may
// point it elsewhere.
QString HelpFolder();
void SetHelpFolder(const QString &folder);
// The file of a page: HelpFolder()/pageId.html.
QString HelpPagePath(const QString &pageId);

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *owner = nullptr);
    // Shows the page, or a line naming the missing file.
    void ShowPage(const QString &pageId);
    QString CurrentPage() const { return page_; }
    QTextBrowser *Browser() const { return browser_; }

private:
    QTextBrowser *browser_ = nullptr;
    QString page_;
};

// Opens `pageId` in the help window over the window of `from` (a window of
// its own, non-modal), raising it when it is already open there.  Returns
// the help window.
HelpWindow *ShowHelp(QWidget *from, const QString &pageId);
// The help window now open, if any.
HelpWindow *OpenHelpWindow();
// Binds F1 in the window of `window` to its help page.
void AddHelpKey(QWidget *window, const QString &pageId);

}  // namespace wyndlor
