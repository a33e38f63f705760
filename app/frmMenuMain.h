// The main window: the shell of the program and the owner of the project.
//
// It shows the seven command buttons of the input groups, the calculation
// and the numbering style, the File menu and toolbar with the file
// commands, and the "&?" menu with the about box.  Each button carries a
// tag; what a tag does is registered from outside (SetCommandHandler), so
// the window knows nothing of the input forms or the results windows.  The
// caption colour of the five input buttons tells which groups hold data.
#pragma once

#include "app/FileCommands.h"
#include "app/RecentFiles.h"
#include "core/Project.h"

#include <QMainWindow>
#include <QMap>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QMimeData;
class QGroupBox;
class QPushButton;
class QToolBar;

namespace wyndlor {


// Fixes the process-wide paths before the main window is made: the
// settings file, the report format file and the per-user work folder
// (created if missing).  main() calls it; tests set the paths themselves.
void SetUpAppPaths();

class frmMenuMain : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kMenuButtons = 7;
    using CommandHandler = std::function<void(QWidget *parent)>;

    explicit frmMenuMain(QWidget *parent = nullptr);
    ~frmMenuMain() override;

    // The process-wide project: the input, the last results, the file in
    // use and whether the input changed since it was saved.
    Project &project() { return project_; }

    // What the button with `tag` does; the window is locked while it runs.
    void SetCommandHandler(const QString &tag, CommandHandler handler);
    bool HasCommandHandler(const QString &tag) const { return handlers_.contains(tag); }
    // The tag of button `index`.
    QString CommandTag(int index) const;
    // Runs button `index` as a click does.
    void RunCommand(int index);

    // The input buttons' caption colours from the group flags: highlight
    // for a group that holds data, the button-text colour otherwise.
    void RefreshButtonColours();
    // Puts `path` first in the recent-file list and refreshes the menu.
    void UpdateRecentFiles(const QString &path);
    QList<QAction *> mnuFileNameSession() const;
    FileCommands &fileCommands() { return files_; }

    // The project file named on the command line (`Wyndlor FILE.wyd`, also
    // how a file manager opens a double-clicked project), opened as the
    // Open command opens a chosen file.  Arguments starting with "-" are
    // options, not files.  False when none was named or it was not read.
    bool OpenFileArgument(const QStringList &arguments);
    // The project file a drag carries: one local file with the project
    // extension; "" for anything else.
    static QString DroppedProjectFile(const QMimeData *data);

    // The controls, for the handlers and for tests.
    QPushButton *cmdMenu(int index) const { return cmdMenu_.at(static_cast<size_t>(index)); }
    QPushButton *cmdExit() const { return cmdExit_; }
    QToolBar *tbrMenu() const { return tbrMenu_; }
    QAction *mnuFileName(int index) const;
    QAction *toolbarAction(const QString &key) const;

protected:
    void changeEvent(QEvent *event) override;
    // The shutdown question; the window stays open unless the data are
    // safe or the user chose to drop them.
    void closeEvent(QCloseEvent *event) override;
    // A project file dropped on the window opens as if chosen in the Open
    // dialog (asking first, as Open does, when the input has unsaved edits).
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void BuildMenuFrame();
    void BuildMenus();
    void BuildToolbar();
    void SetFileCaption(const QString &fileTitle);
    // Locks the window's own controls while a command's window is open.
    // The window itself stays enabled: disabling it would also disable the
    // modal window the command opens, which is its child.
    void SetCommandsEnabled(bool enabled);
    void ShowAbout();

    Project project_;
    FileCommands files_;
    QMap<QString, CommandHandler> handlers_;
    QGroupBox *fraMenu_ = nullptr;
    std::array<QPushButton *, kMenuButtons> cmdMenu_{};
    QPushButton *cmdExit_ = nullptr;
    QToolBar *tbrMenu_ = nullptr;
    RecentFilesMenu *recent_ = nullptr;
    RecentFiles recentFiles_;
};

}  // namespace wyndlor
