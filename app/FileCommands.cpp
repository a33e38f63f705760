#include "app/FileCommands.h"

#include "core/AppPaths.h"
#include "widgets/CFileDialog.h"
#include "core/CPrivateProfile.h"
#include "widgets/MessageBoxes.h"
#include "core/ProjectFile.h"
#include "app/RecentFiles.h"
#include "core/Messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace wyndlor {

FileCommands::FileCommands(Project &project, QWidget *owner, Hooks hooks)
    : project_(project),
      owner_(owner),
      hooks_(std::move(hooks)),
      workingFolder_(QDir::toNativeSeparators(QDir::currentPath())) {}

bool FileCommands::SafeToReplace(Replacing what) {
    if (!project_.IsModified) return true;
    const QString text = what == Replacing::Exit ? msg::ExitText(project_.CurrentFileName)
                                                 : msg::SaveFirstText(project_.CurrentFileName);
    const QString title = what == Replacing::Exit  ? msg::ExitTitle()
                          : what == Replacing::New ? msg::NewTitle()
                                                   : msg::OpenTitle();
    const MsgResult answer =
        MessageBoxes().Show(owner_, text, title, MsgIcon::Information, MsgButtons::YesNoCancel);
    if (answer == MsgResult::Cancel) return false;
    // Going on after a failed write or a cancelled Save As dialog would
    // throw the input away although the user asked to keep it; the
    // write-error message has already said why.
    if (answer == MsgResult::Yes) return Save();
    return true;
}

void FileCommands::New() {
    // Unsaved input asks whether to save it first, which also confirms the
    // New; otherwise New is confirmed, as the user may have meant Open.
    if (project_.IsModified) {
        if (!SafeToReplace(Replacing::New)) return;
    } else if (MessageBoxes().Show(owner_, msg::NewText(), msg::NewTitle(), MsgIcon::Information,
                                   MsgButtons::OkCancel) != MsgResult::Ok) {
        return;
    }
    InitProjectData(project_.Data);
    // The dropped input was answered for (saved or let go): the fresh
    // project has nothing unsaved.
    project_.Replaced();
    project_.CurrentFileName.clear();
    hooks_.setFileCaption(QString());
    hooks_.refreshColours();
}

FileCommands::ReadResult FileCommands::ReadChosen(const QString &path) {
    const OpenResult r = OpenProjectFile(path, project_.Data);
    // A project just read is the file's content: nothing unsaved.  A file
    // not read leaves the flag as it was.
    if (r.outcome == OpenOutcome::Ok)
        project_.Replaced();
    else
        project_.SetRun(CalcRun());
    hooks_.refreshColours();
    if (r.outcome == OpenOutcome::Ok) {
        hooks_.setFileCaption(QFileInfo(path).fileName());
        project_.CurrentFileName = path;
        hooks_.updateRecentFiles(path);
        return ReadResult::Read;
    }
    // A rejected name or version leaves the data set as it was, but the
    // window no longer claims the file, so a later Save asks for a name
    // instead of overwriting a file that was never read.
    project_.CurrentFileName.clear();
    hooks_.setFileCaption(QString());
    if (r.outcome == OpenOutcome::UnsupportedVersion)
        MessageBoxes().Show(owner_, msg::UnsupportedVersionText(r.version),
                            msg::UnsupportedVersionTitle(), MsgIcon::Critical, MsgButtons::Ok);
    const int32_t code = r.outcome == OpenOutcome::ReadFailed ? r.code : 0;
    MessageBoxes().Show(owner_, msg::ReadErrorText(code, QDir::toNativeSeparators(path)), msg::ReadErrorTitle(),
                        MsgIcon::Critical, MsgButtons::Ok);
    return ReadResult::NotRead;
}

void FileCommands::EnterFolderOf(const QString &path) {
    workingFolder_ = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
}

void FileCommands::WriteInitDir() {
    CPrivateProfile::SetValueString(IniFileName(), msg::FileSection(), msg::InitDirKey(),
                                    workingFolder_);
}

bool FileCommands::Open() { return OpenPath(QString()); }

bool FileCommands::OpenPath(const QString &given) {
    // Unsaved input is never dropped without asking: the Open command, a
    // file named on the command line and a file dropped on the window alike.
    if (!SafeToReplace(Replacing::Open)) return false;
    QString path = given;
    if (path.isEmpty() && !ChooseFileToOpen(path)) return false;
    EnterFolderOf(path);
    const bool read = ReadChosen(path) == ReadResult::Read;
    WriteInitDir();
    return read;
}

bool FileCommands::ChooseFileToOpen(QString &path) {
    QString initDir =
        ReadIniString(msg::FileSection(), msg::InitDirKey(), IniFileName());
    if (initDir.isEmpty()) initDir = QCoreApplication::applicationDirPath();

    CFileDialog dlg;
    dlg.DialogTitle = msg::OpenDialogTitle();
    dlg.DefaultExt = msg::ProjectExtension();
    dlg.Filter = msg::ProjectFilter();
    dlg.FilterIndex = 1;
    dlg.Flags = ofn::OpenFlags;
    dlg.Parent = owner_;
    dlg.InitialDir = initDir;
    // Also a cancelled dialog stores the working folder, so that the next
    // Open starts where the file dialogs have been working.
    if (!dlg.Show(true)) {
        WriteInitDir();
        return false;
    }
    path = dlg.FileName;
    return true;
}

bool FileCommands::OpenRecent(const QString &path) {
    if (path.isEmpty() || !SafeToReplace(Replacing::Open)) return false;
    if (ReadChosen(path) != ReadResult::Read) return false;
    EnterFolderOf(path);
    WriteInitDir();
    return true;
}

bool FileCommands::WriteTo(const QString &path) {
    int32_t code = 0;
    if (SaveProjectFile(path, project_.Data, code)) return true;
    MessageBoxes().Show(owner_, msg::WriteErrorText(code, QDir::toNativeSeparators(path)), msg::WriteErrorTitle(),
                        MsgIcon::Critical, MsgButtons::Ok);
    return false;
}

bool FileCommands::Save() {
    if (project_.CurrentFileName.isEmpty()) return SaveAs();
    if (!WriteTo(project_.CurrentFileName)) return false;
    hooks_.updateRecentFiles(project_.CurrentFileName);
    project_.IsModified = false;
    hooks_.refreshColours();
    return true;
}

bool FileCommands::SaveAs() {
    CFileDialog dlg;
    dlg.DialogTitle = msg::SaveAsDialogTitle();
    dlg.DefaultExt = msg::ProjectExtension();
    dlg.Filter = msg::ProjectFilter();
    dlg.FilterIndex = 1;
    dlg.Flags = ofn::SaveFlags;
    dlg.Parent = owner_;
    dlg.FileName = project_.CurrentFileName;
    // A new project has no file to propose a folder; start where the last
    // dialog left off, as the platform dialog did by following the working
    // folder.
    if (dlg.FileName.isEmpty())
        dlg.InitialDir = ReadIniString(msg::FileSection(), msg::InitDirKey(), IniFileName());
    if (!dlg.Show(false)) {
        WriteInitDir();
        return false;
    }
    EnterFolderOf(dlg.FileName);
    const bool written = WriteTo(dlg.FileName);
    if (written) {
        hooks_.setFileCaption(dlg.FileTitle);
        project_.CurrentFileName = dlg.FileName;
        hooks_.updateRecentFiles(dlg.FileName);
        project_.IsModified = false;
        hooks_.refreshColours();
    }
    WriteInitDir();
    return written;
}

}  // namespace wyndlor
