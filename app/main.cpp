// Wyndlor: the design flood water level of an irrigation pond.  Starts the
// main window; the input forms, the calculation and the results windows are
// reached through the command handlers registered below.
#include "app/CommandHandlers.h"
#include "app/frmMenuMain.h"
#include "core/CPrivateProfile.h"
#include "core/Messages.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wyndlor"));
    QApplication::setOrganizationName(QStringLiteral("Tarnvale"));

    wyndlor::SetUpAppPaths();
    // Window places, recent files and the numbering style are written as the
    // windows close; a settings file that cannot be written is said once.
    wyndlor::CPrivateProfile::SetWriteFailureHandler([](const QString &path, int32_t code) {
        wyndlor::MessageBoxes().Show(nullptr, wyndlor::msg::SettingsWriteFailedText(path, code),
                                     wyndlor::msg::SettingsWriteFailedTitle(), wyndlor::MsgIcon::Critical,
                                     wyndlor::MsgButtons::Ok);
    });
    wyndlor::frmMenuMain window;

    wyndlor::RegisterCommandHandlers(window);

    window.show();
    return app.exec();
}
