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

// "&1 C:\dir\a.wyd": the access digit, a blank and the path (an "&" in the
// path is doubled so that it shows as itself).
QString RecentFileCaption(int index, const QString &path);

// The four menu entries mnuFileName(0..3).  An empty list entry disables
// its menu entry and gives back the design caption "&1".."&4".
class RecentFilesMenu : public QObject {
    Q_OBJECT
public:
    RecentFilesMenu(QMenu *menu, QObject *parent);
    QAction *entry(int index) const { return entries_.at(static_cast<size_t>(index)); }
    void Refresh(const QStringList &files);

signals:
    void entryTriggered(int index);

private:
    std::array<QAction *, kRecentFiles> entries_{};
};

}  // namespace wyndlor
