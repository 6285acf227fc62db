#pragma once

#include "core/data/Status.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class GameEngine;
class GameListener;

// A table opened for friends, as the host's window sees it. The server behind it (a page for
// the friends' browsers and the live game over WebSockets) lives in a module of its own beside
// the program, loaded only when the player opens a table: the program's start and its menu
// carry none of the network libraries.
class FriendsTable
{
public:
    virtual ~FriendsTable() = default;

    // Starts listening on the local network at `port`; nothing is reachable before.
    virtual Status open(quint16 port) = 0;
    // The address friends open, with the table's code in it, and the code alone.
    virtual QString address() const = 0;
    virtual QString code() const = 0;
    // The address as a QR code: one pixel per module, black on white, without a margin.
    virtual QImage qrCode() const = 0;
    // The friends waiting, in the order they came, and whether each is connected now.
    virtual QStringList friendNames() const = 0;
    virtual QList<bool> friendsConnected() const = 0;

    // A game is about to start on `engine`: the table hands it the friends' moves and hears
    // its facts through listener(). When the engine tells the table seated, its state's
    // friendSeats holds each friend's seat, in the order of friendNames().
    virtual void attach(GameEngine &engine) = 0;
    virtual GameListener &listener() = 0;
    // Closes every connection and stops listening.
    virtual void close() = 0;

    // Called when friends come, go, or lose or regain their connection.
    std::function<void()> changed;

    // The module's one entry point: makes a table, not yet open.
    using Create = FriendsTable *(*)();
    static constexpr char EntryPoint[] = "zybCreateFriendsTable";
};
