// The pictures of the toolbars of the main window and the graph windows,
// drawn at run time so that the program carries no image files: a blank
// page (new), an opening folder (open), a diskette (save), a diskette with
// a pen (save as), a printer (page set-up, print), two sheets (copy).
#pragma once

#include <QIcon>
#include <QString>

namespace wyndlor {

// `key` is the toolbar key: "New", "Open", "SaveAs", "Save", "Printer" or
// "Copy"; any other key gives a null icon.
QIcon ToolbarIcon(const QString &key);

}  // namespace wyndlor
