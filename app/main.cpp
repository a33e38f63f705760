// Wyndlor: the design flood water level of an irrigation pond.  Starts the
// main window; the input forms, the calculation and the results windows are
// reached through the command handlers registered below.
#include "app/CommandHandlers.h"
#include "app/frmMenuMain.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wyndlor"));
    QApplication::setOrganizationName(QStringLiteral("Tarnvale"));

    wyndlor::SetUpAppPaths();
    wyndlor::frmMenuMain window;

    wyndlor::RegisterCommandHandlers(window);

    window.show();
    return app.exec();
}
