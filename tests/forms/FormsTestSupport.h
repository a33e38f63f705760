// Shared pieces of the form tests: a message-box stand-in that records what
// was asked, and small helpers to drive real widgets.
#pragma once

#include "widgets/MessageBoxes.h"

#include <QString>
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
        return MsgResult::Ok;
    }
    void Beep() override { ++beeps; }
    void Clear() {
        shown.clear();
        beeps = 0;
    }
    std::vector<ShownBox> shown;
    int beeps = 0;
};

// The recorder installed for the whole run (FormsTestMain.cpp).
RecordingBoxes &Boxes();

}  // namespace wyndlor::test
