// The network module's one object: the program loads this module when the host first opens a
// table.
#include "net/FriendsTable.h"
#include "net/NetModuleInterface.h"

class NetModule : public QObject, public NetModuleInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZYB_NET_MODULE_IID)
    Q_INTERFACES(NetModuleInterface)

public:
    FriendsTableControl *createTable(SeatMoves &moves, QObject *parent) override
    {
        return new FriendsTable(moves, parent);
    }
};

#include "NetModule.moc"
