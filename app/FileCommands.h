// The file commands of the main window: New, Open, open a recent file,
// Save and Save As, with their messages and their effect on the project,
// the window caption, the recent-file list and the Open dialog's folder.
//
// The project file layer does the reading and writing; this class decides
// what the user is asked and told, and what state the window is left in.
#pragma once

#include "core/Project.h"

#include <QString>
#include <functional>

class QWidget;

namespace wyndlor {

class FileCommands {
public:
    // What the commands change in the window that owns them.
    struct Hooks {
        std::function<void(const QString &fileTitle)> setFileCaption;  // "" for none
        std::function<void()> refreshColours;  // also the caption's unsaved mark
        std::function<void(const QString &path)> updateRecentFiles;
    };

    FileCommands(Project &project, QWidget *owner, Hooks hooks);

    // What is about to replace the input in the data set.
    enum class Replacing { Exit, New, Open };
    // The guard of unsaved input: with IsModified it asks Yes/No/Cancel
    // (the exit's question; New and Open ask it under their own title).
    // True when the caller may go on: nothing unsaved, No (drop the edits),
    // or Yes and the save succeeded.  A failed or cancelled save and Cancel
    // keep everything.
    bool SafeToReplace(Replacing what);

    // Asks, then resets the data set, forgets the file and the last run;
    // the new project is unmodified.
    void New();
    // True when a file was chosen and read.
    bool Open();
    // Open with the file already chosen (the command line, a file dropped
    // on the window): the same question about unsaved input, reading,
    // messages, caption, recent list and Open-dialog folder.  An empty path
    // asks for one in the Open dialog.
    bool OpenPath(const QString &path);
    // Reads the recent file `path`, the one its menu entry names.
    bool OpenRecent(const QString &path);
    // True only when the data set is now on disk; false after a failed
    // write or a cancelled Save As dialog.
    bool Save();
    bool SaveAs();

private:
    enum class ReadResult { Read, NotRead };
    // The Open dialog; false when cancelled.
    bool ChooseFileToOpen(QString &path);
    // The file-type check, reader choice and failure messages of both open
    // commands; on success the file becomes the current file.  The last
    // run goes whatever the outcome: it belongs to the input before.
    ReadResult ReadChosen(const QString &path);
    // The folder of a file chosen in a dialog or opened from the list
    // becomes the working folder.
    void EnterFolderOf(const QString &path);
    // Stores the working folder as the Open dialog's next starting folder.
    void WriteInitDir();
    bool WriteTo(const QString &path);

    Project &project_;
    QWidget *owner_;
    Hooks hooks_;
    // The folder the file dialogs work in: the process's folder at start,
    // then the folder of the last file chosen or opened from the list.  It
    // is what every closing file dialog, confirmed or cancelled, leaves as
    // "InitDir".
    QString workingFolder_;
};

}  // namespace wyndlor
