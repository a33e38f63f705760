// Wyndlor: the design flood water level of an irrigation pond.  Starts the
// main window; the input forms, the calculation and the results windows are
// reached through the command handlers registered below.
//
//     Wyndlor [FILE.wyd]           opens the project file at start-up
//     Wyndlor --exit-when-shown    quits as soon as the main window is
//                                  drawn (start-up timing, see README)
#include "app/CommandHandlers.h"
#include "app/frmMenuMain.h"
#include "core/CPrivateProfile.h"
#include "core/Messages.h"
#include "core/QtJapanese.h"
#include "core/SystemHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QTimer>

namespace {

// Quits the application once the window has been painted on the screen:
// the moment the engineer can use it.
class QuitWhenPainted : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wyndlor"));
    QApplication::setOrganizationName(QStringLiteral("Tarnvale"));
    wyndlor::InstallQtJapanese(app);

    wyndlor::SetUpAppPaths();
    // The print files of an interrupted session are removed with it.
    wyndlor::PrepareTempFiles();
    // Window places, recent files and the numbering style are written as the
    // windows close; a settings file that cannot be written is said once.
    wyndlor::CPrivateProfile::SetWriteFailureHandler([](const QString &path, int32_t code) {
        wyndlor::MessageBoxes().Show(nullptr, wyndlor::msg::SettingsWriteFailedText(path, code),
                                     wyndlor::msg::SettingsWriteFailedTitle(), wyndlor::MsgIcon::Critical,
                                     wyndlor::MsgButtons::Ok);
    });
    wyndlor::frmMenuMain window;

    wyndlor::RegisterCommandHandlers(window);

    const QStringList arguments = QApplication::arguments().mid(1);
    QuitWhenPainted timing;
    if (arguments.contains(QStringLiteral("--exit-when-shown"))) window.installEventFilter(&timing);
    window.show();
    // Opened over the visible window, so that a read error is shown over it.
    window.OpenFileArgument(arguments);
    return app.exec();
}
