#include "net/TableRoster.h"

#include "net/SeatMoves.h"
#include "net/TableSecrets.h"

#include <QLoggingCategory>

using namespace Qt::StringLiterals;

Q_DECLARE_LOGGING_CATEGORY(lcTable)

namespace {

const QString TooManyTries = u"Слишком много попыток: подождите немного"_s;

} // namespace

TableRoster::TableRoster(SeatMoves &moves, const Limits &limits, QObject *parent)
    : QObject(parent), m_moves(moves), m_limits(limits)
{
    m_wrongCodeSecond.start();
}

QStringList TableRoster::friendNames() const
{
    QStringList names;
    for (const Friend &f : m_friends) {
        if (!f.gone)
            names.append(f.name);
    }
    return names;
}

QList<int> TableRoster::connectedSeats() const
{
    QList<int> seats;
    for (const Friend &f : m_friends) {
        if (f.seat && f.connection)
            seats.append(f.seat);
    }
    return seats;
}

const TableRoster::Friend *TableRoster::friendOf(const FriendConnection *connection) const
{
    for (const Friend &f : m_friends) {
        if (f.connection == connection)
            return &f;
    }
    return nullptr;
}

TableRoster::Friend *TableRoster::friendHeldBy(const FriendConnection *connection)
{
    return const_cast<Friend *>(std::as_const(*this).friendOf(connection));
}

void TableRoster::setHostName(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed == m_hostName)
        return;
    m_hostName = trimmed;
    // The pages in the lobby list the host only while the host sits at the table.
    if (m_phase == Phase::Lobby)
        sendLobby();
}

void TableRoster::openLobby()
{
    m_code = TableSecrets::newCode();
    m_friends.clear();
    m_phase = Phase::Lobby;
}

void TableRoster::seatFriends(const QList<int> &seats)
{
    if (m_phase != Phase::Lobby)
        return;
    // Friends whose time to come back ran out in the lobby have left it already.
    m_friends.removeIf([](const Friend &f) { return f.gone; });
    m_phase = Phase::Playing;
    // Every friend has a seat before any page hears who plays where.
    for (qsizetype i = 0; i < m_friends.size(); ++i) {
        const int seat = i < seats.size() ? seats.at(i) : 0;
        m_friends[i].seat = seat >= 1 && seat <= SeatCount ? seat : 0;
    }
    for (Friend &f : m_friends) {
        if (!f.seat) {
            qCWarning(lcTable) << "no seat for" << f.name;
            if (f.connection)
                f.connection->close(u"Для вас не нашлось места"_s, false);
            continue;
        }
        if (f.connection)
            Q_EMIT seatTaken(f.connection, f.seat);
        else
            m_moves.seatAway(f.seat, true);
    }
    Q_EMIT presenceChanged();
}

void TableRoster::gameOver()
{
    m_phase = Phase::Over;
}

QList<int> TableRoster::close()
{
    const bool playing = m_phase == Phase::Playing;
    m_phase = Phase::Closed;
    QList<int> seats;
    for (Friend &f : m_friends) {
        if (f.awayTimer)
            f.awayTimer->stop();
        f.gone = true;
        if (playing && f.seat && f.connection)
            seats.append(f.seat);
    }
    return seats;
}

// Joining and coming back

bool TableRoster::nameTaken(const QString &name) const
{
    if (m_hostName.compare(name, Qt::CaseInsensitive) == 0)
        return true;
    for (const Friend &f : m_friends) {
        if (!f.gone && f.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool TableRoster::wrongCodeAllowed()
{
    if (m_wrongCodeSecond.elapsed() >= m_limits.wrongCodeWindowMs) {
        m_wrongCodeSecond.restart();
        m_wrongCodes = 0;
    }
    return ++m_wrongCodes <= m_limits.wrongCodesPerSecond;
}

// Past the wrong codes a second allows, the table takes nobody for the rest of that
// second, whatever they send: a guesser must not learn that a code was right.
bool TableRoster::lockedOut()
{
    if (m_wrongCodeSecond.elapsed() >= m_limits.wrongCodeWindowMs)
        return false;
    return m_wrongCodes > m_limits.wrongCodesPerSecond;
}

void TableRoster::join(FriendConnection *connection, const Protocol::Request &request)
{
    const QString what = u"join"_s;
    if (connection->isAdmitted())
        return connection->refuse(what, u"Вы уже за столом"_s);
    if (m_phase != Phase::Lobby)
        return connection->refuse(what, u"Игра уже началась: новых игроков стол не принимает"_s);
    if (lockedOut() || (request.code != m_code && !wrongCodeAllowed()))
        return connection->refuse(what, TooManyTries);
    if (request.code != m_code)
        return connection->refuse(what, u"Неверный код стола"_s);
    const int places = SeatCount - (m_hostName.isEmpty() ? 0 : 1);
    if (friendNames().size() >= places)
        return connection->refuse(what, u"Стол полон"_s);
    if (nameTaken(request.name))
        return connection->refuse(what, u"Игрок с таким именем уже за столом"_s);

    Friend f;
    f.name = request.name;
    f.secret = TableSecrets::newSecret();
    f.connection = connection;
    m_friends.append(f);
    connection->admit();
    qCInfo(lcTable) << f.name << "joined";
    connection->send(Protocol::welcome(f.secret, f.name).text);
    sendLobby();
    Q_EMIT lobbyChanged();
}

void TableRoster::resume(FriendConnection *connection, const Protocol::Request &request)
{
    const QString what = u"resume"_s;
    if (m_phase != Phase::Lobby && m_phase != Phase::Playing)
        return connection->refuse(what, u"Игра окончена"_s);
    Friend *f = nullptr;
    for (Friend &candidate : m_friends) {
        if (TableSecrets::sameSecret(candidate.secret, request.secret))
            f = &candidate;
    }
    // A friend coming back holds a secret nobody guesses; an unknown one counts as a
    // wrong try, so that the lock-out is no less one for a guesser who resumes.
    if (!f && (lockedOut() || !wrongCodeAllowed()))
        return connection->refuse(what, TooManyTries);
    if (!f)
        return connection->refuse(what, u"Ваше место за столом не найдено"_s);
    if (f->gone) {
        return connection->refuse(what, m_phase == Phase::Lobby ? u"Вас не было слишком долго: займите место снова"_s
                                                                : u"Вас не было слишком долго: за вас доигрывает компьютер"_s);
    }
    const Friend *held = friendOf(connection);
    if (held && held != f)
        return connection->refuse(what, u"Вы уже за столом"_s);

    const bool wasAway = !f->connection;
    if (f->connection && f->connection != connection) {
        // The seat follows the newest connection: the old one is a page left open elsewhere.
        FriendConnection *old = f->connection;
        f->connection = connection;
        old->close(u"Вы вошли с другого устройства"_s, false);
    }
    f->connection = connection;
    connection->admit();
    if (f->awayTimer)
        f->awayTimer->stop();
    qCInfo(lcTable) << f->name << "is back";
    connection->send(Protocol::welcome(f->secret, f->name).text);
    if (m_phase == Phase::Lobby) {
        sendLobby();
        return;
    }
    if (!f->seat)
        return;
    if (wasAway)
        m_moves.seatAway(f->seat, false);
    Q_EMIT seatTaken(connection, f->seat);
    Q_EMIT presenceChanged();
}

// Away

void TableRoster::connectionLost(FriendConnection *connection)
{
    Friend *f = friendHeldBy(connection);
    if (!f)
        return;
    f->connection = nullptr;
    if (m_phase != Phase::Lobby && m_phase != Phase::Playing)
        return;
    if (!f->awayTimer) {
        f->awayTimer = std::make_shared<QTimer>();
        f->awayTimer->setSingleShot(true);
        connect(f->awayTimer.get(), &QTimer::timeout, this, [this, secret = f->secret] { awayTooLong(secret); });
    }
    f->awayTimer->start(m_limits.resumeWindowMs);
    if (m_phase == Phase::Playing && f->seat) {
        m_moves.seatAway(f->seat, true);
        Q_EMIT presenceChanged();
    }
}

void TableRoster::awayTooLong(const QString &secret)
{
    // The friend stays in the list (its timer is running this very call), as gone: the
    // lobby no longer shows them, and their name is free again.
    for (Friend &f : m_friends) {
        if (f.secret != secret || f.connection)
            continue;
        f.gone = true;
        qCInfo(lcTable) << f.name << "did not come back";
        if (m_phase == Phase::Lobby) {
            sendLobby();
            Q_EMIT lobbyChanged();
        } else if (m_phase == Phase::Playing && f.seat) {
            m_moves.seatLeft(f.seat);
        }
        return;
    }
}

void TableRoster::sendLobby()
{
    QStringList players;
    if (!m_hostName.isEmpty())
        players.append(m_hostName);
    players += friendNames();
    const QString message = Protocol::lobby(players, m_code).text;
    for (const Friend &f : std::as_const(m_friends)) {
        if (f.connection)
            f.connection->send(message);
    }
}
