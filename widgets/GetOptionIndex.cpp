#include "widgets/GetOptionIndex.h"

#include <QRadioButton>

namespace wyndlor {

int GetOptionIndex(const QList<QRadioButton *> &buttons) {
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons[i] && buttons[i]->isChecked()) return i;
    return 0;
}

}  // namespace wyndlor
