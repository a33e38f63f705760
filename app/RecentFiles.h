// The list of the four most recently used project files, kept in the
// settings file (section "FileName", keys FileName1..FileName4, most recent
// first) and shown as four entries of the File menu.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>

class QAction;
class QMenu;

namespace wyndlor {

constexpr int kRecentFiles = 4;

// The list after `path` has been used: `path` first, then the old entries
// in order without the one equal to `path` (exact, case-sensitive; when it
// occurs twice the last occurrence is the one removed), cut to four.  A
// path not yet listed pushes the fourth entry out.
QStringList NextRecentFiles(const QStringList &old, const QString &path);

// FileName1..FileName4 of the settings file `ini` (always four entries,
// empty for a missing key).
QStringList ReadRecentFiles(const QString &ini);
void WriteRecentFiles(const QString &ini, const QStringList &files);

// The list in memory: the four entries of the settings file, as it holds
// them, and the files of this session that it cannot hold (a path with a
// character Shift_JIS lacks, or a write that failed), most recent first.
// Such a file is listed after the four and moves none of them, so entry n
// of the menu is always FileName<n> of the settings file.
struct RecentFiles {
    QStringList stored;
    QStringList sessionOnly;
};

// `files` after `path` has been opened or saved: the settings file's list
// is updated when it can hold the path, and `stored` is what the file
// holds afterwards; otherwise the path goes first among the session's.
void UseRecentFile(const QString &ini, RecentFiles &files, const QString &path);

// "&1 C:\dir\a.wyd": the access digit, a blank and the path (an "&" in the
// path is doubled so that it shows as itself).
QString RecentFileCaption(int index, const QString &path);

// The four menu entries mnuFileName(0..3), then one entry per file of the
// session only.  An empty stored entry disables its menu entry and gives
// back the design caption "&1".."&4".  Choosing an entry names the file of
// its caption.
class RecentFilesMenu : public QObject {
    Q_OBJECT
public:
    RecentFilesMenu(QMenu *menu, QObject *parent);
    QAction *entry(int index) const { return entries_.at(static_cast<size_t>(index)); }
    // The entries of the session-only files, in list order.
    const QList<QAction *> &sessionEntries() const { return session_; }
    void Refresh(const RecentFiles &files);

signals:
    void entryTriggered(const QString &path);

private:
    QMenu *menu_;
    std::array<QAction *, kRecentFiles> entries_{};
    QList<QAction *> session_;
};

}  // namespace wyndlor
