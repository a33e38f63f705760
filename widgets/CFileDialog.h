// The open/save file dialog as an object with properties: the caller fills
// the properties, calls Show and reads the chosen path back.
//
// The flag bits keep the values the settings and callers have always used:
// OFN_FILEMUSTEXIST (the chosen file must exist when opening),
// OFN_OVERWRITEPROMPT (saving over an existing file asks first) and
// OFN_HIDEREADONLY (no read-only box; Qt never shows one).  The default
// extension is added when the user types a name without one.  Tests answer
// the dialog through IFileDialogs, as they answer message boxes.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

class QFileDialog;
class QFileSystemModel;
class QModelIndex;
class QWidget;

namespace wyndlor {

namespace ofn {
constexpr int32_t OverwritePrompt = 0x2;
constexpr int32_t HideReadOnly = 0x4;
constexpr int32_t PathMustExist = 0x800;
constexpr int32_t FileMustExist = 0x1000;
// The two combinations the file commands use.
constexpr int32_t OpenFlags = FileMustExist | PathMustExist | HideReadOnly;  // 6148
constexpr int32_t SaveFlags = OpenFlags | OverwritePrompt;                   // 6150
}  // namespace ofn

class CFileDialog {
public:
    QString DefaultExt;       // ".wyd": added to a typed name without extension
    QString DialogTitle;
    QString FileName;         // in: proposed name or full path; out: chosen full path
    QString FileTitle;        // out: chosen file name without its folder
    QString Filter;           // "description|pattern|description|pattern..."
    int16_t FilterIndex = 1;  // 1-based
    int32_t Flags = 0;        // ofn:: bits
    QWidget *Parent = nullptr;  // owner window
    QString InitialDir;       // empty: the current folder
    int16_t MaxFileSize = 260;  // kept for the callers; paths are not limited

    // Runs the open dialog (fOpen) or the save dialog.  True when the user
    // confirmed; then FileName and FileTitle hold the choice.  Cancelled:
    // false and the properties unchanged.
    bool Show(bool fOpen);
};

// "入力ﾃﾞｰﾀ(*.wyd)|*.wyd" becomes Qt's {"入力ﾃﾞｰﾀ(*.wyd)"}; a description
// that does not end in its own pattern gets it appended, "Text (*.txt)".
// Several patterns ("*.a;*.b") are separated by blanks for Qt.  A trailing
// description without pattern is dropped.
QStringList ToQtFilters(const QString &filter);

// Qt's file dialog with the details written as the Japanese captions
// around them expect: dates and sizes in the Japanese locale's format, and
// the size, type and date columns wide enough for their texts.
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;
void ShowDetailsInJapanese(QFileDialog &dlg);
// The text the dialog's detail view shows in a cell: the date and the size
// of a file in Japanese, any other cell as the model gives it (`shown`).
QString FileDetailText(const QFileSystemModel &files, const QModelIndex &index, const QString &shown);

// Answers file dialogs: the Qt dialog unless a test installed another.
class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // Shows `dlg` (open or save); on confirmation stores the full path in
    // `chosen` and returns true.
    virtual bool Run(const CFileDialog &dlg, bool fOpen, QString &chosen) = 0;
};
IFileDialogs &FileDialogs();
// Installs `dialogs` (not owned); nullptr restores the Qt dialog.
void SetFileDialogs(IFileDialogs *dialogs);

}  // namespace wyndlor
