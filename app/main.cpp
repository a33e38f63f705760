// Wyndlor: the design flood water level of an irrigation pond.  Starts the
// main window; the input forms, the calculation and the results windows are
// reached through the command handlers registered below.
#include "frmMenuMain.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wyndlor"));
    QApplication::setOrganizationName(QStringLiteral("Tarnvale"));

    wyndlor::SetUpAppPaths();
    wyndlor::frmMenuMain window;

    // ---- Command handlers -------------------------------------------------
    // One per button tag: "InpJyoken", "InpHVC", "InpArea", "InpSection",
    // "InpDeltaT", "MenuRO", "InpRenban".  Each receives the main window as
    // the parent of its modal window and reaches the data through
    // window.project(); a tag without a handler tells the user the command
    // is not available yet.
    //   window.SetCommandHandler("InpJyoken", [&window](QWidget *parent) { ... });
    // ---------------------------------------------------------------------

    window.show();
    return app.exec();
}
