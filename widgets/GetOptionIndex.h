// The selected choice of an option group, as the data set stores it: the
// index of the first checked button counting from 0.
#pragma once

#include <QList>

class QRadioButton;

namespace wyndlor {

// Index of the first checked button; 0 when none is checked (the same as
// the first button, so an untouched group stores the first choice).  A null
// entry stands for a missing member of the group and is skipped, keeping
// the indexes of the others.
int GetOptionIndex(const QList<QRadioButton *> &buttons);

}  // namespace wyndlor
