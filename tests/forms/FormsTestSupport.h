// Shared pieces of the form tests: a message-box stand-in that records what
// was asked, and small helpers to drive real widgets.
#pragma once

#include "widgets/MessageBoxes.h"

#include <QString>
#include <deque>
#include <vector>

namespace wyndlor::test {

struct ShownBox {
    QString text, title;
    MsgIcon icon;
};

class RecordingBoxes : public IMessageBoxes {
public:
    MsgResult Show(QWidget *, const QString &text, const QString &title, MsgIcon icon,
                   MsgButtons) override {
        shown.push_back({text, title, icon});
        if (answers.empty()) return MsgResult::Ok;
        const MsgResult r = answers.front();
        answers.pop_front();
        return r;
    }
    void Beep() override { ++beeps; }
    void Clear() {
        shown.clear();
        answers.clear();
        beeps = 0;
    }
    std::vector<ShownBox> shown;
    std::deque<MsgResult> answers;  // used in order; then Ok
    int beeps = 0;
};

// The recorder installed for the whole run (FormsTestMain.cpp).
RecordingBoxes &Boxes();

}  // namespace wyndlor::test
