// The about box: the product title, its version and what it computes.
// Modal, opened from the main window's "&?" menu; it keeps no place in the
// settings file.
#pragma once

#include <QDialog>

namespace wyndlor {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);
    // "1.4.0": the version of this build.
    static QString VersionText();
};

}  // namespace wyndlor
