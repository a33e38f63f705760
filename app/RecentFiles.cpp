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

void UseRecentFile(const QString &ini, RecentFiles &files, const QString &path) {
    if (CPrivateProfile::CanHoldValue(path)) WriteRecentFiles(ini, NextRecentFiles(ReadRecentFiles(ini), path));
    files.stored = ReadRecentFiles(ini);
    files.sessionOnly.removeAll(path);
    if (files.stored.value(0) != path) {
        files.sessionOnly.prepend(path);
        while (files.sessionOnly.size() > kRecentFiles) files.sessionOnly.removeLast();
    }
}

namespace {
QString Escaped(const QString &path) {
    QString shown = path;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return shown;
}
}  // namespace

QString RecentFileCaption(int index, const QString &path) {
    return DesignCaption(index) + QLatin1Char(' ') + Escaped(path);
}

RecentFilesMenu::RecentFilesMenu(QMenu *menu, QObject *parent) : QObject(parent), menu_(menu) {
    for (int i = 0; i < kRecentFiles; ++i) {
        QAction *a = menu->addAction(DesignCaption(i));
        a->setObjectName(QStringLiteral("mnuFileName") + QString::number(i));
        a->setEnabled(false);
        connect(a, &QAction::triggered, this, [this, a] { emit entryTriggered(a->data().toString()); });
        entries_[static_cast<size_t>(i)] = a;
    }
}

void RecentFilesMenu::Refresh(const RecentFiles &files) {
    for (int i = 0; i < kRecentFiles; ++i) {
        const QString path = files.stored.value(i);
        QAction *a = entries_[static_cast<size_t>(i)];
        a->setText(path.isEmpty() ? DesignCaption(i) : RecentFileCaption(i, path));
        a->setData(path);
        a->setEnabled(!path.isEmpty());
    }
    // The session's entries follow the fourth, without an access digit of
    // their own: they are no entry of the settings file.
    qDeleteAll(session_);
    session_.clear();
    QAction *before = entries_.back();
    const QList<QAction *> all = menu_->actions();
    const qsizetype at = all.indexOf(before);
    QAction *next = at >= 0 && at + 1 < all.size() ? all[at + 1] : nullptr;
    for (const QString &path : files.sessionOnly) {
        auto *a = new QAction(Escaped(path), menu_);
        a->setObjectName(QStringLiteral("mnuFileNameSession"));
        a->setData(path);
        a->setStatusTip(msg::SessionOnlyRecentText());
        a->setToolTip(msg::SessionOnlyRecentText());
        connect(a, &QAction::triggered, this, [this, a] { emit entryTriggered(a->data().toString()); });
        menu_->insertAction(next, a);
        session_.append(a);
    }
}

}  // namespace wyndlor
