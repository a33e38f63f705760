#include "widgets/CFileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <QTreeView>

namespace wyndlor {

QStringList ToQtFilters(const QString &filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString desc = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns = patterns.simplified();
        if (patterns.isEmpty()) continue;
        // Qt reads the patterns from the last parenthesis of the entry; a
        // description that already names its own patterns is kept as it is.
        if (desc.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')')))
            out << desc;
        else
            out << (desc.isEmpty() ? QString() : desc + QLatin1Char(' ')) + QLatin1Char('(') +
                       patterns + QLatin1Char(')');
    }
    return out;
}

namespace {

QLocale JapaneseLocale() { return QLocale(QLocale::Japanese, QLocale::Japan); }

// The file system model writes sizes and dates in the system's language;
// under the Japanese captions they are written the Japanese way
// ("2026/12/08 15:04", "446 バイト").
class JapaneseDetailsDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (const auto *files = qobject_cast<const QFileSystemModel *>(index.model()))
            option->text = FileDetailText(*files, index, option->text);
    }
};

}  // namespace

QString FileDetailText(const QFileSystemModel &files, const QModelIndex &index, const QString &shown) {
    if (index.column() == kDateColumn)
        return JapaneseLocale().toString(files.lastModified(index), QLocale::ShortFormat);
    if (index.column() == kSizeColumn && !files.isDir(index))
        return JapaneseLocale().formattedDataSize(files.size(index));
    return shown;
}

void ShowDetailsInJapanese(QFileDialog &dlg) {
    dlg.setLocale(JapaneseLocale());
    auto *view = dlg.findChild<QTreeView *>(QStringLiteral("treeView"));
    if (!view) return;
    view->setLocale(JapaneseLocale());
    view->setItemDelegate(new JapaneseDetailsDelegate(view));
    // Wide enough for the longest text each column shows; the name column
    // takes what is left of a dialog widened to hold them.
    const QFontMetrics fm = view->fontMetrics();
    const int pad = 3 * fm.averageCharWidth();
    const QString samples[] = {
        QString(),
        JapaneseLocale().formattedDataSize(Q_INT64_C(999) * 1024 * 1024 * 1024),
        QStringLiteral("Ostrevin 入力データファイル"),
        JapaneseLocale().toString(QDateTime(QDate(2026, 12, 28), QTime(23, 58)), QLocale::ShortFormat),
    };
    QHeaderView *header = view->header();
    header->setStretchLastSection(false);
    int columns = 0;
    for (int column = kSizeColumn; column <= kDateColumn; ++column) {
        header->resizeSection(column, fm.horizontalAdvance(samples[column]) + pad);
        columns += header->sectionSize(column);
    }
    const int name = fm.horizontalAdvance(QLatin1Char('M')) * 24;
    header->resizeSection(0, name);
    // The sidebar of places sits left of the view.
    dlg.resize(qMax(dlg.width(), name + columns + 30 * fm.averageCharWidth()), dlg.height());
}

namespace {

class QtFileDialogs : public IFileDialogs {
public:
    bool Run(const CFileDialog &d, bool fOpen, QString &chosen) override {
        const QStringList filters = ToQtFilters(d.Filter);
        QFileDialog dlg(d.Parent, d.DialogTitle);
        // Qt's own dialog, so that it speaks Japanese as the program does.
        dlg.setOption(QFileDialog::DontUseNativeDialog);
        ShowDetailsInJapanese(dlg);
        dlg.setAcceptMode(fOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dlg.setFileMode(fOpen && (d.Flags & ofn::FileMustExist) ? QFileDialog::ExistingFile
                                                                  : QFileDialog::AnyFile);
        dlg.setOption(QFileDialog::DontConfirmOverwrite,
                      fOpen || !(d.Flags & ofn::OverwritePrompt));
        if (!filters.isEmpty()) {
            dlg.setNameFilters(filters);
            const int index = d.FilterIndex - 1;
            if (index >= 0 && index < filters.size()) dlg.selectNameFilter(filters[index]);
        }
        QString ext = d.DefaultExt;
        if (ext.startsWith(QLatin1Char('.'))) ext.remove(0, 1);
        if (!ext.isEmpty()) dlg.setDefaultSuffix(ext);

        // A proposed full path opens its folder; a bare name opens the
        // starting folder.
        const QFileInfo proposed(d.FileName);
        if (!d.FileName.isEmpty() && proposed.isAbsolute()) {
            dlg.setDirectory(proposed.absolutePath());
            dlg.selectFile(proposed.fileName());
        } else {
            if (!d.InitialDir.isEmpty()) dlg.setDirectory(d.InitialDir);
            if (!d.FileName.isEmpty()) dlg.selectFile(d.FileName);
        }
        if (dlg.exec() != QDialog::Accepted) return false;
        const QStringList files = dlg.selectedFiles();
        if (files.isEmpty() || files.front().isEmpty()) return false;
        chosen = QDir::toNativeSeparators(files.front());
        return true;
    }
};

QtFileDialogs &QtDialogs() {
    static QtFileDialogs dialogs;
    return dialogs;
}

IFileDialogs *g_installed = nullptr;

}  // namespace

IFileDialogs &FileDialogs() { return g_installed ? *g_installed : QtDialogs(); }
void SetFileDialogs(IFileDialogs *dialogs) { g_installed = dialogs; }

bool CFileDialog::Show(bool fOpen) {
    QString chosen;
    if (!FileDialogs().Run(*this, fOpen, chosen)) return false;
    FileName = chosen;
    FileTitle = QFileInfo(chosen).fileName();
    return true;
}

}  // namespace wyndlor
