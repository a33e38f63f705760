// Qt's own texts in Japanese: the file, print and colour dialogs, the
// standard buttons of message boxes and the context menus of text fields
// come from Qt's translation catalogue qtbase_ja (Debian package
// qt6-translations-l10n), installed whatever the system locale, so that
// an engineer on an English desktop still reads one language.
#pragma once

#include <QString>

class QCoreApplication;

namespace wyndlor {

// Installs qtbase_ja from Qt's translations folder into `app` (the
// translator lives as long as the application).  False when the catalogue
// is missing: Qt's texts then stay in English and nothing else changes.
bool InstallQtJapanese(QCoreApplication &app);

}  // namespace wyndlor
