#include "widgets/CFileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

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

class QtFileDialogs : public IFileDialogs {
public:
    bool Run(const CFileDialog &d, bool fOpen, QString &chosen) override {
        const QStringList filters = ToQtFilters(d.Filter);
        QFileDialog dlg(d.Parent, d.DialogTitle);
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
