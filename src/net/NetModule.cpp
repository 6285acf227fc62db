// The friends' table module's entry point: the program loads this module when the host first
// opens a table.
#include "net/FriendsTable.h"

extern "C" Q_DECL_EXPORT FriendsTableControl *zybCreateFriendsTable(SeatMoves *moves, QObject *parent)
{
    return moves ? new FriendsTable(*moves, parent) : nullptr;
}

static_assert(sizeof(FriendsTableControl::EntryPoint) == sizeof("zybCreateFriendsTable"));
