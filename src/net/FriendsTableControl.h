#pragma once

#include "net/SeatMoves.h"

#include <QBitArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

class GameListener;

// The friends' table as the host's window holds it. The table itself lives in a module
// beside the program (zybkotsepye-net, NetModuleInterface), loaded when the host first opens
// a table.
//
// The host's window:
//   1. makes the table through the module and calls setHostName() (empty when the host only
//      runs the show);
//   2. open(port): false with error() when nothing could listen; show address(), its
//      qrCode() and code(); friendNames() fill up (lobbyChanged());
//   3. starts the game with the friends' names (the engine's newGame), adds listener() to
//      the engine's listeners *before* the game starts, and then calls seatFriends() with
//      the seats the engine gave them, in the order of friendNames();
//   4. shows connectedSeats() (presenceChanged()).
// The table closes itself a few seconds after the game is over; close() closes it at once.
// Delete it only after the engine stops telling it anything.
//
// Both the program and the module build this class in, each its own copy: a signal is found
// by its place among the class's signals, which both copies share, so the program connects to
// the module's table by the signals' addresses.
class FriendsTableControl : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The host's name as the friends see it in the lobby, unique at the table.
    virtual void setHostName(const QString &name) = 0;
    // Listens on the local network's addresses and loopback at `port` (0: any free port).
    virtual bool open(quint16 port) = 0;
    // Why open() failed, in Russian.
    virtual QString error() const = 0;
    virtual bool isOpen() const = 0;
    // The page's address for a friend's browser.
    virtual QUrl address() const = 0;
    // The address as a QR code: rows of modules, true where dark, without the quiet zone.
    virtual QList<QBitArray> qrCode() const = 0;
    // The table code friends type to take a seat: four characters, none of 0, O, 1, I.
    virtual QString code() const = 0;
    // The friends in the lobby, in the order they joined.
    virtual QStringList friendNames() const = 0;
    // The seat the engine gave each friend, in the order of friendNames().
    virtual void seatFriends(const QList<int> &seats) = 0;
    // The friends' seats whose browsers are connected now.
    virtual QList<int> connectedSeats() const = 0;
    // Stops listening, tells every page and closes every connection.
    virtual void close() = 0;

    // Hears the game's facts and tells them to the friends.
    virtual GameListener *listener() = 0;

Q_SIGNALS:
    // The table opened, or a friend joined the lobby or left it for good.
    void lobbyChanged();
    // connectedSeats() may have changed.
    void presenceChanged();
};
