#include "app/RecentFiles.h"

#include "core/CPrivateProfile.h"
#include "core/Messages.h"

#include <QAction>
#include <QMenu>

namespace wyndlor {
namespace {
QString Key(int index) { return QStringLiteral("FileName") + QString::number(index + 1); }
QString DesignCaption(int index) { return QLatin1Char('&') + QString::number(index + 1); }
}  // namespace

QStringList NextRecentFiles(const QStringList &old, const QString &path) {
    const int found = static_cast<int>(old.lastIndexOf(path));
    QStringList next{path};
    for (int i = 0; i < old.size() && next.size() < kRecentFiles; ++i)
        if (i != found) next << old[i];
    while (next.size() < kRecentFiles) next << QString();
    return next;
}

QStringList ReadRecentFiles(const QString &ini) {
    QStringList files;
    for (int i = 0; i < kRecentFiles; ++i) files << ReadIniString(msg::FileSection(), Key(i), ini);
    return files;
}

void WriteRecentFiles(const QString &ini, const QStringList &files) {
    // A failed write only costs the list entry; the open or save it follows
    // has already succeeded, so nothing is reported.
    for (int i = 0; i < kRecentFiles; ++i)
        CPrivateProfile::SetValueString(ini, msg::FileSection(), Key(i), files.value(i));
}

QString RecentFileCaption(int index, const QString &path) {
    QString shown = path;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return DesignCaption(index) + QLatin1Char(' ') + shown;
}

RecentFilesMenu::RecentFilesMenu(QMenu *menu, QObject *parent) : QObject(parent) {
    for (int i = 0; i < kRecentFiles; ++i) {
        QAction *a = menu->addAction(DesignCaption(i));
        a->setObjectName(QStringLiteral("mnuFileName") + QString::number(i));
        a->setEnabled(false);
        connect(a, &QAction::triggered, this, [this, i] { emit entryTriggered(i); });
        entries_[static_cast<size_t>(i)] = a;
    }
}

void RecentFilesMenu::Refresh(const QStringList &files) {
    for (int i = 0; i < kRecentFiles; ++i) {
        const QString path = files.value(i);
        QAction *a = entries_[static_cast<size_t>(i)];
        a->setText(path.isEmpty() ? DesignCaption(i) : RecentFileCaption(i, path));
        a->setEnabled(!path.isEmpty());
    }
}

}  // namespace wyndlor
