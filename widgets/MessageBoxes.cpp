#include "widgets/MessageBoxes.h"

#include "core/Messages.h"
#include "core/ProjectFile.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace wyndlor {
namespace {

// The Qt message box with Japanese button captions, since the program ships
// without Qt's translations.
class QtMessageBoxes : public IMessageBoxes {
public:
    MsgResult Show(QWidget *parent, const QString &text, const QString &title, MsgIcon icon,
                   MsgButtons buttons) override {
        QMessageBox box(parent);
        box.setWindowTitle(title.isEmpty() ? QString::fromLatin1(ProductTitle()) : title);
        box.setText(text);
        switch (icon) {
        case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
        case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
        case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        }
        QPushButton *ok = nullptr, *cancel = nullptr, *yes = nullptr, *no = nullptr;
        switch (buttons) {
        case MsgButtons::Ok:
            ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            box.setEscapeButton(ok);
            break;
        case MsgButtons::OkCancel:
            ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            cancel = box.addButton(QStringLiteral("ｷｬﾝｾﾙ"), QMessageBox::RejectRole);
            break;
        case MsgButtons::YesNo:
            yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
            no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
            box.setEscapeButton(no);
            break;
        case MsgButtons::YesNoCancel:
            yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
            no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
            cancel = box.addButton(QStringLiteral("ｷｬﾝｾﾙ"), QMessageBox::RejectRole);
            break;
        }
        box.setDefaultButton(ok ? ok : yes);
        box.exec();
        const QAbstractButton *clicked = box.clickedButton();
        if (clicked == yes && yes) return MsgResult::Yes;
        if (clicked == no && no) return MsgResult::No;
        if (clicked == ok && ok) return MsgResult::Ok;
        // Closing the box by its close button counts as its escape answer.
        if (cancel) return MsgResult::Cancel;
        if (no) return MsgResult::No;
        return MsgResult::Ok;
    }

    void Beep() override { QApplication::beep(); }
};

QtMessageBoxes &QtBoxes() {
    static QtMessageBoxes boxes;
    return boxes;
}

IMessageBoxes *g_installed = nullptr;

}  // namespace

IMessageBoxes &MessageBoxes() { return g_installed ? *g_installed : QtBoxes(); }

void SetMessageBoxes(IMessageBoxes *boxes) { g_installed = boxes; }

QLabel *StaleResultsLabel(QWidget *parent) {
    auto *label = new QLabel(msg::StaleResultsText(), parent);
    label->setObjectName(QStringLiteral("lblStale"));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor(192, 0, 0));  // the warning colour of the results
    label->setPalette(pal);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setVisible(false);
    return label;
}

}  // namespace wyndlor
