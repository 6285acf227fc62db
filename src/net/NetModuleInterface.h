#pragma once

#include "net/FriendsTableControl.h"

#include <QtPlugin>

// What the network module (zybkotsepye-net) offers the program: the friends' table.
class NetModuleInterface
{
public:
    virtual ~NetModuleInterface() = default;
    // A table that plays the friends' moves through `moves`, owned by `parent`.
    virtual FriendsTableControl *createTable(SeatMoves &moves, QObject *parent) = 0;
};

#define ZYB_NET_MODULE_IID "io.github.zybkotsepye.NetModule/1"
Q_DECLARE_INTERFACE(NetModuleInterface, ZYB_NET_MODULE_IID)
