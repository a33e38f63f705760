// The previewer's main window: the outline of the report's headings beside
// the page view, page and zoom controls in the tool bar, printing through the
// print dialog and export to PDF.  The window's place, the zoom and the last
// PDF folder live in Glancer.INI of the work folder.
#pragma once

#include "previewer/GlancerSettings.h"
#include "previewer/PageView.h"
#include "previewer/PrintDocument.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QSpinBox;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;

namespace wyndlor::glancer {

class GlancerWindow : public QMainWindow {
    Q_OBJECT
public:
    // The document is already read.  `printFilePath` names the window and
    // the PDF when no project is known.  `workFolder` may be "".
    // `projectFile` (the .wyd the report was made from, "" when unknown or
    // never saved) and the document's title name the window, and the PDF
    // save dialog starts beside the project file with its name.
    GlancerWindow(PrintDocument doc, const QString &printFilePath, const QString &workFolder,
                  const QString &projectFile = QString(), QWidget *parent = nullptr);

    // "Glancer - name.wyd - title", leaving out what is unknown; the print
    // file's name when neither the project file nor the title is known.
    static QString WindowTitle(const QString &projectFile, const QString &title,
                               const QString &printFilePath);
    // The file the PDF save dialog suggests.
    QString SuggestedPdfPath() const;

    PageView *View() const { return view_; }
    QTreeWidget *Outline() const { return outline_; }
    QSpinBox *PageBox() const { return pageBox_; }

    // Writes the PDF without asking; false after showing the failure.
    bool ExportTo(const QString &pdfPath);
    // Restores the place and zoom from the settings file.
    void RestoreState();

public slots:
    void PrintWithDialog();
    void ExportWithDialog();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildActions();
    void BuildOutline();
    void ShowPage(int page);
    void ShowZoom();
    void SaveState();

    PrintDocument doc_;
    QString printFilePath_;
    QString projectFile_;
    GlancerSettings settings_;
    QString pdfFolder_;

    QSplitter *splitter_ = nullptr;
    QTreeWidget *outline_ = nullptr;
    PageView *view_ = nullptr;
    QSpinBox *pageBox_ = nullptr;
    QLabel *pageCountLabel_ = nullptr;
    QLabel *zoomLabel_ = nullptr;
    QAction *firstAction_ = nullptr;
    QAction *previousAction_ = nullptr;
    QAction *nextAction_ = nullptr;
    QAction *lastAction_ = nullptr;
};

}  // namespace wyndlor::glancer
