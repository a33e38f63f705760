// Wyndlor: the design flood water level of an irrigation pond.  Starts the
// main window; the input forms, the calculation and the results windows are
// reached through the command handlers registered below.
//
//     Wyndlor [FILE.wyd]           opens the project file at start-up
//     Wyndlor --exit-when-shown    quits as soon as the main window is
//                                  drawn (start-up timing, see README)
#include "app/CommandHandlers.h"
#include "app/frmMenuMain.h"
#include "core/QtJapanese.h"

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
