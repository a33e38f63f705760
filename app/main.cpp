// Wyndlor: the design flood water level of an irrigation pond.  Starts the
// main window; the input forms, the calculation and the results windows are
// reached through the command handlers registered below.
//
//     Wyndlor [FILE.wyd]           opens the project file at start-up
//     Wyndlor --exit-when-shown    quits as soon as the main window is
//                                  drawn (start-up timing, see README)
//     Wyndlor --version | --help   answers on the terminal, no display needed
#include "app/CommandHandlers.h"
#include "app/frmMenuMain.h"
#include "core/CPrivateProfile.h"
#include "core/Messages.h"
#include "core/QtJapanese.h"
#include "core/SystemHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <cstring>

#ifndef OSTREVIN_VERSION
#define OSTREVIN_VERSION "1.4.0"
#endif

namespace {

const char kUsage[] =
    "Usage: Wyndlor [FILE.wyd]\n"
    "       Wyndlor --version | --help\n"
    "\n"
    "Ostrevin, the design flood water level of an irrigation pond (Japanese user\n"
    "interface). Opens FILE.wyd at start-up when given. The settings file\n"
    "Wyndlor.INI is kept in ~/.config/Tarnvale/Wyndlor/ ($XDG_CONFIG_HOME) for an\n"
    "installed program, beside the program in a portable folder.\n"
    "\n"
    "  --exit-when-shown  quit as soon as the main window is drawn (start-up timing)\n"
    "  --version          print the version and exit\n"
    "  --help             print this text and exit\n";

// --version and --help are answered before any window system is opened, so
// that they work on a terminal without a display.  -1: go on and start.
int AnswerInformationOptions(int argc, char *argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Wyndlor (Ostrevin) %s\n", OSTREVIN_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    return -1;
}

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
    if (const int answered = AnswerInformationOptions(argc, argv); answered >= 0) return answered;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wyndlor"));
    QApplication::setOrganizationName(QStringLiteral("Tarnvale"));
    // Every window carries the program's icon, in the sizes the window
    // manager and the task bar pick from.
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/wyndlor-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
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
