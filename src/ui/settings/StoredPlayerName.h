#pragma once

#include <QString>

// The player's name, kept with the other settings of the game so that it outlives the run
// in which it was set in the settings window.
namespace StoredPlayerName {

// The stored name, or an empty string where none is stored or the stored one is no name the
// game could use: empty, refused by the names base's rules ("0", "!", characters that the
// data files cannot hold, a line break) or longer than any name the game would set.
QString read();
void store(const QString &name);

} // namespace StoredPlayerName
