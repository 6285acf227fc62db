#include "net/FriendsTable.h"

#include "net/LanAddresses.h"
#include "net/PageServer.h"
#include "net/QrCode.h"

#include <QLoggingCategory>
#include <QTimer>
#include <QWebSocket>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcTable, "zyb.net.table")

namespace {

TableRoster::Limits rosterLimits(const FriendsTable::Limits &limits)
{
    TableRoster::Limits roster;
    roster.resumeWindowMs = limits.resumeWindowMs;
    roster.wrongCodesPerSecond = limits.wrongCodesPerSecond;
    roster.wrongCodeWindowMs = limits.wrongCodeWindowMs;
    return roster;
}

} // namespace

FriendsTable::FriendsTable(SeatMoves &moves, QObject *parent) : FriendsTable(moves, Limits(), parent) {}

FriendsTable::FriendsTable(SeatMoves &moves, const Limits &limits, QObject *parent)
    : FriendsTableControl(parent),
      m_limits(limits),
      m_moves(moves),
      m_roster(moves, rosterLimits(limits)),
      m_gate(m_roster, moves),
      m_broadcaster(m_roster, m_gate, moves)
{
    connect(&m_roster, &TableRoster::lobbyChanged, this, &FriendsTable::lobbyChanged);
    connect(&m_roster, &TableRoster::seatTaken, this,
            [this](FriendConnection *connection, int seat) { m_broadcaster.seatTaken(connection, seat); });
    connect(&m_roster, &TableRoster::presenceChanged, this, [this] {
        m_broadcaster.sendPresence();
        Q_EMIT presenceChanged();
    });
}

FriendsTable::~FriendsTable()
{
    // The game may be gone already: nobody is told anything any more. The connections,
    // closed ones waiting to be deleted among them, go before the server that accepted them.
    m_roster.close();
    const QList<FriendConnection *> connections = findChildren<FriendConnection *>(Qt::FindDirectChildrenOnly);
    for (FriendConnection *connection : connections)
        connection->disconnect(this);
    qDeleteAll(connections);
    delete m_server;
}

bool FriendsTable::open(quint16 port)
{
    if (m_roster.phase() != TableRoster::Phase::Closed)
        return true;
    if (!m_server) {
        m_server = new PageServer(this);
        connect(m_server, &PageServer::socketOpened, this, &FriendsTable::socketOpened);
    }
    if (!m_server->listen(LanAddresses::listening(), port)) {
        m_error = u"Не удалось открыть стол на порту %1: порт занят или недоступен."_s.arg(port);
        return false;
    }
    m_error.clear();
    m_roster.openLobby();
    qCInfo(lcTable) << "table open at" << address().toString();
    Q_EMIT lobbyChanged();
    return true;
}

bool FriendsTable::isOpen() const
{
    return m_server && m_server->isListening();
}

quint16 FriendsTable::port() const
{
    return m_server ? m_server->port() : 0;
}

QUrl FriendsTable::address() const
{
    if (!isOpen())
        return {};
    QUrl url;
    url.setScheme(u"http"_s);
    url.setHost(LanAddresses::forFriends(m_server->addresses()).toString());
    url.setPort(m_server->port());
    url.setPath(u"/"_s);
    // The code rides along: a friend who opens the address or reads its QR code need not
    // type it.
    url.setQuery(u"code="_s + m_roster.code());
    return url;
}

QList<QBitArray> FriendsTable::qrCode() const
{
    return isOpen() ? qrCodeOf(address().toString()) : QList<QBitArray>();
}

void FriendsTable::close()
{
    const TableRoster::Phase phase = m_roster.phase();
    if (phase == TableRoster::Phase::Closed)
        return;
    const QString reason = phase == TableRoster::Phase::Over ? u"Игра окончена"_s : u"Ведущий закрыл стол"_s;
    const QList<int> away = m_roster.close();
    m_server->stopListening();
    for (int seat : away)
        m_moves.seatAway(seat, true);
    const QList<FriendConnection *> connections = m_connections;
    for (FriendConnection *connection : connections)
        connection->close(reason, false);
    qCInfo(lcTable) << "table closed";
    Q_EMIT presenceChanged();
}

void FriendsTable::gameOver(const Ending &ending)
{
    if (m_roster.phase() != TableRoster::Phase::Playing)
        return;
    m_roster.gameOver();
    m_broadcaster.gameOver(ending);
    // Nothing stays reachable once the game is over.
    QTimer::singleShot(m_limits.closeAfterOverMs, this, &FriendsTable::close);
}

// Connections

void FriendsTable::socketOpened(QWebSocket *socket)
{
    if (m_roster.phase() == TableRoster::Phase::Closed || m_connections.size() >= m_limits.maxConnections) {
        qCWarning(lcTable) << "connection from" << socket->peerAddress().toString() << "dropped: too many";
        socket->abort();
        socket->deleteLater();
        return;
    }
    auto *connection = new FriendConnection(socket, m_limits.connection, this);
    connect(connection, &FriendConnection::requested, this, &FriendsTable::requested);
    connect(connection, &FriendConnection::closed, this, &FriendsTable::connectionClosed);
    m_connections.append(connection);
}

void FriendsTable::requested(FriendConnection *connection, const Protocol::Request &request)
{
    switch (request.type) {
    case Protocol::Request::Type::Join: m_roster.join(connection, request); break;
    case Protocol::Request::Type::Resume: m_roster.resume(connection, request); break;
    default: m_gate.move(connection, request); break;
    }
}

void FriendsTable::connectionClosed(FriendConnection *connection)
{
    m_connections.removeOne(connection);
    connection->deleteLater();
    m_roster.connectionLost(connection);
}
