// Scripted answers for message boxes and file dialogs, installed for the
// life of the object, recording what the program asked.
#pragma once

#include "widgets/CFileDialog.h"
#include "widgets/MessageBoxes.h"

#include <deque>
#include <optional>
#include <vector>

namespace wyndlor::test {

struct ShownMessage {
    QString text, title;
    MsgIcon icon;
    MsgButtons buttons;
};

class FakeMessageBoxes : public IMessageBoxes {
public:
    FakeMessageBoxes() { SetMessageBoxes(this); }
    ~FakeMessageBoxes() override { SetMessageBoxes(nullptr); }

    std::vector<ShownMessage> shown;
    std::deque<MsgResult> answers;  // used in order; when empty: Ok or Cancel
    int beeps = 0;

    MsgResult Show(QWidget *, const QString &text, const QString &title, MsgIcon icon,
                   MsgButtons buttons) override {
        shown.push_back({text, title, icon, buttons});
        if (!answers.empty()) {
            const MsgResult r = answers.front();
            answers.pop_front();
            return r;
        }
        return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
    }
    void Beep() override { ++beeps; }
};

struct FileDialogRequest {
    bool open;
    QString title, defaultExt, fileName, filter, initialDir;
    int filterIndex;
    int32_t flags;
};

class FakeFileDialogs : public IFileDialogs {
public:
    FakeFileDialogs() { SetFileDialogs(this); }
    ~FakeFileDialogs() override { SetFileDialogs(nullptr); }

    std::vector<FileDialogRequest> requests;
    std::deque<std::optional<QString>> answers;  // nullopt or empty: cancel

    bool Run(const CFileDialog &d, bool fOpen, QString &chosen) override {
        requests.push_back({fOpen, d.DialogTitle, d.DefaultExt, d.FileName, d.Filter,
                            d.InitialDir, d.FilterIndex, d.Flags});
        if (answers.empty()) return false;
        const std::optional<QString> a = answers.front();
        answers.pop_front();
        if (!a) return false;
        chosen = *a;
        return true;
    }
};

}  // namespace wyndlor::test
