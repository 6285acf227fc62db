#pragma once

#include <QCollator>
#include <QStringList>

// The names base: one name per line. The game draws the computer players' names from it
// in file order; the settings window shows it sorted alphabetically without regard to
// letter case.
namespace NamesBase {

// "0" marks an empty seat and "!" opens a record of the winners file: a player with
// either name would break the game or the winners file.
bool canBeSeated(const QString &name);

// The lines of the file that can be drawn for a seat, in file order.
QStringList drawable(const QStringList &lines);

// How many different names of `names` can sit beside a human called `playerName`.
int distinctSeatable(const QStringList &names, const QString &playerName);

// Names a new game needs: with eight different names besides the player's, the draw
// always finds a name for every seat.
inline constexpr int NeededForDraw = 8;

// Russian collation, letter case ignored.
QCollator collator();
QStringList sorted(QStringList names);
// Where `name` goes in an already sorted list (after any equal entries).
int insertPosition(const QStringList &sorted, const QString &name);

// A name the settings window refuses; empty when it can be stored.
QString refusal(const QString &name);

} // namespace NamesBase
