#pragma once

namespace ui {

// Installs Qt's own Simplified Chinese texts (the file dialogs, the message boxes' standard
// buttons, the line edits' context menus) in the running application, so that no English
// appears among the Chinese captions whatever the system's language. Returns whether they were
// found: Debian's qt6-translations-l10n, or the translations folder beside the program on
// Windows.
bool installQtTranslations();

} // namespace ui
