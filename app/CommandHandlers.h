// The commands behind the main window's buttons: the five input forms, the
// calculation with its results menu, and the numbering style of the report.
#pragma once

namespace wyndlor {

class frmMenuMain;

// Registers a handler for every button tag the program provides.
void RegisterCommandHandlers(frmMenuMain &window);

}  // namespace wyndlor
