#pragma once

// Qt's own words in the editor's dialogs (the file dialog's columns and tooltips, the
// context menus of the fields) in Russian, where Debian's translations of Qt are installed.
// Installed for the whole application when the editor first opens: not at start-up, where it
// would weigh more than a megabyte, nor ahead of the window's opening, as it makes every open
// window paint itself again.
namespace QtTranslation {

// Installs the translation, once.
void installRussian();

} // namespace QtTranslation
