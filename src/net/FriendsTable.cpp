#include "net/FriendsTable.h"

#include "net/LanAddresses.h"
#include "net/PageServer.h"
#include "net/QrCode.h"
#include "net/TableSecrets.h"

#include <QJsonArray>
#include <QLoggingCategory>
#include <QWebSocket>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcTable, "zyb.net.table")

namespace {

using Type = Protocol::Request::Type;

QString typeName(Type type)
{
    switch (type) {
    case Type::Join: return u"join"_s;
    case Type::Resume: return u"resume"_s;
    case Type::Answer: return u"answer"_s;
    case Type::Bank: return u"bank"_s;
    case Type::Vote: return u"vote"_s;
    }
    return {};
}

QString text(const QByteArray &message) { return QString::fromUtf8(message); }

// The messages that draw the table as it stands, in the order a page that comes back gets
// them.
const QString TooManyTries = u"Слишком много попыток: подождите немного"_s;

constexpr const char *KeptTypes[] = {"round", "prize", "clock", "duel", "duelScore", "startAwaited",
                                     "question", "judged", "banked", "bankOffer", "voteOpen"};

} // namespace

FriendsTable::FriendsTable(SeatMoves &moves, QObject *parent) : FriendsTable(moves, Limits(), parent) {}

FriendsTable::FriendsTable(SeatMoves &moves, const Limits &limits, QObject *parent)
    : FriendsTableControl(parent), m_moves(moves), m_limits(limits)
{
    m_names.fill(EmptySeat);
    m_wrongCodeSecond.start();
}

FriendsTable::~FriendsTable()
{
    // The game may be gone already: nobody is told anything any more. The connections,
    // closed ones waiting to be deleted among them, go before the server that accepted them.
    m_phase = Phase::Closed;
    const QList<FriendConnection *> connections = findChildren<FriendConnection *>(Qt::FindDirectChildrenOnly);
    for (FriendConnection *connection : connections)
        connection->disconnect(this);
    qDeleteAll(connections);
    delete m_server;
}

void FriendsTable::setHostName(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed == m_hostName)
        return;
    m_hostName = trimmed;
    // The pages in the lobby list the host only while the host sits at the table.
    if (m_phase == Phase::Lobby)
        sendLobby();
}

bool FriendsTable::open(quint16 port)
{
    if (m_phase != Phase::Closed)
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
    m_code = TableSecrets::newCode();
    m_friends.clear();
    m_phase = Phase::Lobby;
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
    url.setQuery(u"code="_s + m_code);
    return url;
}

QList<QBitArray> FriendsTable::qrCode() const
{
    return isOpen() ? qrCodeOf(address().toString()) : QList<QBitArray>();
}

QStringList FriendsTable::friendNames() const
{
    QStringList names;
    for (const Friend &f : m_friends) {
        if (!f.gone)
            names.append(f.name);
    }
    return names;
}

void FriendsTable::seatFriends(const QList<int> &seats)
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
        if (f.connection) {
            sendSeated(f);
            sendState(f);
        } else {
            m_moves.seatAway(f.seat, true);
        }
    }
    sendPresence();
    Q_EMIT presenceChanged();
}

QList<int> FriendsTable::connectedSeats() const
{
    QList<int> seats;
    for (const Friend &f : m_friends) {
        if (f.seat && f.connection)
            seats.append(f.seat);
    }
    return seats;
}

void FriendsTable::close()
{
    if (m_phase == Phase::Closed)
        return;
    const bool playing = m_phase == Phase::Playing;
    const QString reason = m_phase == Phase::Over ? u"Игра окончена"_s : u"Ведущий закрыл стол"_s;
    m_phase = Phase::Closed;
    m_server->stopListening();
    for (Friend &f : m_friends) {
        if (f.awayTimer)
            f.awayTimer->stop();
        f.gone = true;
        if (playing && f.seat && f.connection)
            m_moves.seatAway(f.seat, true);
    }
    const QList<FriendConnection *> connections = m_connections;
    for (FriendConnection *connection : connections)
        connection->close(reason, false);
    qCInfo(lcTable) << "table closed";
    Q_EMIT presenceChanged();
}

// Connections

void FriendsTable::socketOpened(QWebSocket *socket)
{
    if (m_phase == Phase::Closed || m_connections.size() >= m_limits.maxConnections) {
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

void FriendsTable::connectionClosed(FriendConnection *connection)
{
    m_connections.removeOne(connection);
    connection->deleteLater();
    Friend *f = friendOf(connection);
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
        sendPresence();
        Q_EMIT presenceChanged();
    }
}

void FriendsTable::awayTooLong(const QString &secret)
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

FriendsTable::Friend *FriendsTable::friendOf(const FriendConnection *connection)
{
    for (Friend &f : m_friends) {
        if (f.connection == connection)
            return &f;
    }
    return nullptr;
}

// Requests

void FriendsTable::requested(FriendConnection *connection, const Protocol::Request &request)
{
    switch (request.type) {
    case Type::Join: join(connection, request); break;
    case Type::Resume: resume(connection, request); break;
    default: move(connection, request); break;
    }
}

bool FriendsTable::nameTaken(const QString &name) const
{
    if (m_hostName.compare(name, Qt::CaseInsensitive) == 0)
        return true;
    for (const Friend &f : m_friends) {
        if (!f.gone && f.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool FriendsTable::wrongCodeAllowed()
{
    if (m_wrongCodeSecond.elapsed() >= m_limits.wrongCodeWindowMs) {
        m_wrongCodeSecond.restart();
        m_wrongCodes = 0;
    }
    return ++m_wrongCodes <= m_limits.wrongCodesPerSecond;
}

// Past the wrong codes a second allows, the table takes nobody for the rest of that
// second, whatever they send: a guesser must not learn that a code was right.
bool FriendsTable::lockedOut()
{
    if (m_wrongCodeSecond.elapsed() >= m_limits.wrongCodeWindowMs)
        return false;
    return m_wrongCodes > m_limits.wrongCodesPerSecond;
}

void FriendsTable::join(FriendConnection *connection, const Protocol::Request &request)
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
    connection->send(text(Protocol::message(u"welcome"_s, {{u"secret"_s, f.secret}, {u"name"_s, f.name}})));
    sendLobby();
    Q_EMIT lobbyChanged();
}

void FriendsTable::resume(FriendConnection *connection, const Protocol::Request &request)
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
    Friend *held = friendOf(connection);
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
    connection->send(text(Protocol::message(u"welcome"_s, {{u"secret"_s, f->secret}, {u"name"_s, f->name}})));
    if (m_phase == Phase::Lobby) {
        sendLobby();
        return;
    }
    if (!f->seat)
        return;
    if (wasAway)
        m_moves.seatAway(f->seat, false);
    sendSeated(*f);
    sendState(*f);
    sendPresence();
    Q_EMIT presenceChanged();
}

// A seat's move: the connection must hold a seat in the game, and the move must not be
// plainly too late. Whether the game takes it is the game's own affair. Moves refused
// here are not counted as bad messages: a slow phone sends them in good faith.
void FriendsTable::move(FriendConnection *connection, const Protocol::Request &request)
{
    const QString what = typeName(request.type);
    Friend *f = friendOf(connection);
    if (!f)
        return connection->refuse(what, u"Сначала займите место за столом"_s);
    const auto late = [&](const QString &reason) {
        connection->send(text(Protocol::refused(what, reason)));
    };
    if (m_phase == Phase::Lobby)
        return late(u"Игра ещё не началась"_s);
    if (m_phase != Phase::Playing || !f->seat)
        return late(u"Игра окончена"_s);
    const int seat = f->seat;
    if (!m_seated[size_t(seat)])
        return late(u"Вы уже не играете в этой игре"_s);

    switch (request.type) {
    case Type::Answer:
        if (request.question != m_questionId || m_questionSeat == 0)
            return late(u"Время ответа вышло"_s);
        if (m_questionSeat != seat)
            return late(u"Сейчас отвечает другой игрок"_s);
        m_moves.answerChosen(seat, request.answer);
        break;
    case Type::Bank:
        if (m_bankSeat != seat)
            return late(u"«БАНК!» сейчас не ваш"_s);
        m_moves.bankPressed(seat);
        break;
    case Type::Vote:
        if (!m_voteOpen)
            return late(u"Голосование закрыто"_s);
        if (m_hasVoted[size_t(seat)])
            return late(u"Вы уже проголосовали"_s);
        if (!m_seated[size_t(request.seat)])
            return late(u"Этого игрока нет за столом"_s);
        // The game tells the votes once everybody has voted.
        m_hasVoted[size_t(seat)] = true;
        m_moves.seatVoted(seat, request.seat);
        break;
    default:
        break;
    }
}

// Telling the pages

void FriendsTable::tell(const QString &type, const QJsonObject &fields)
{
    const QString message = text(Protocol::message(type, fields));
    keep(type, message);
    if (m_phase != Phase::Playing && m_phase != Phase::Over)
        return;
    for (const Friend &f : std::as_const(m_friends)) {
        if (f.seat && f.connection)
            f.connection->send(message);
    }
}

void FriendsTable::keep(const QString &type, const QString &message)
{
    for (const char *kept : KeptTypes) {
        if (type == QLatin1StringView(kept)) {
            m_kept.insert(type, message);
            return;
        }
    }
}

void FriendsTable::forget(std::initializer_list<const char *> types)
{
    for (const char *type : types)
        m_kept.remove(QString::fromLatin1(type));
}

void FriendsTable::sendLobby()
{
    QJsonArray players;
    if (!m_hostName.isEmpty())
        players.append(m_hostName);
    for (const QString &name : friendNames())
        players.append(name);
    const QString message = text(Protocol::message(u"lobby"_s, {{u"players"_s, players}, {u"code"_s, m_code}}));
    for (const Friend &f : std::as_const(m_friends)) {
        if (f.connection)
            f.connection->send(message);
    }
}

void FriendsTable::sendPresence()
{
    QJsonArray connected;
    for (int seat : connectedSeats())
        connected.append(seat);
    const QString message = text(Protocol::message(u"presence"_s, {{u"connected"_s, connected}}));
    for (const Friend &f : std::as_const(m_friends)) {
        if (f.seat && f.connection)
            f.connection->send(message);
    }
}

void FriendsTable::sendSeated(Friend &f)
{
    QJsonArray names{u""_s};
    for (int seat = 1; seat <= SeatCount; ++seat)
        names.append(m_names[size_t(seat)] == EmptySeat ? QString() : m_names[size_t(seat)]);
    QJsonArray humans;
    if (m_hostSeat)
        humans.append(m_hostSeat);
    for (const Friend &other : std::as_const(m_friends)) {
        if (other.seat)
            humans.append(other.seat);
    }
    QJsonArray chain;
    for (int step = 1; step <= 10; ++step)
        chain.append(m_moves.chainValue(step));
    f.connection->send(text(Protocol::message(
        u"seated"_s, {{u"you"_s, f.seat}, {u"names"_s, names}, {u"humans"_s, humans}, {u"chain"_s, chain}})));
}

void FriendsTable::sendState(Friend &f)
{
    for (const char *type : KeptTypes) {
        const auto kept = m_kept.constFind(QString::fromLatin1(type));
        if (kept != m_kept.cend())
            f.connection->send(*kept);
    }
    for (const QString &vote : std::as_const(m_votes))
        f.connection->send(vote);
    if (m_awaitedSeat == f.seat)
        f.connection->send(text(Protocol::message(u"yourTurn"_s, {{u"id"_s, m_questionId}})));
}

// The game's facts

void FriendsTable::tableSeated(const PerSeat<QString> &names, int playerSeat)
{
    m_names = names;
    m_hostSeat = playerSeat;
    for (int seat = 1; seat <= SeatCount; ++seat)
        m_seated[size_t(seat)] = names[size_t(seat)] != EmptySeat;
    m_kept.clear();
    m_votes.clear();
    m_questionSeat = m_awaitedSeat = m_bankSeat = 0;
    m_voteOpen = m_duel = false;
}

void FriendsTable::hostSays(const QString &line)
{
    tell(u"host"_s, {{u"text"_s, line}});
}

void FriendsTable::roundStarted(int round, int seconds, int prize, const PerSeat<QString> &seated)
{
    QJsonArray seats;
    for (int seat = 1; seat <= SeatCount; ++seat) {
        m_seated[size_t(seat)] = seated[size_t(seat)] != EmptySeat;
        if (m_seated[size_t(seat)])
            seats.append(seat);
    }
    forget({"startAwaited", "question", "judged", "banked", "bankOffer", "voteOpen", "clock"});
    m_votes.clear();
    m_questionSeat = m_awaitedSeat = m_bankSeat = 0;
    tell(u"round"_s, {{u"round"_s, round}, {u"seconds"_s, seconds}, {u"prize"_s, prize}, {u"seats"_s, seats}});
}

void FriendsTable::clockShows(int seconds)
{
    tell(u"clock"_s, {{u"seconds"_s, seconds}});
}

void FriendsTable::questionPut(const Question &question)
{
    ++m_questionId;
    m_questionSeat = question.seat;
    m_awaitedSeat = 0;
    forget({"judged"});
    tell(u"question"_s, {{u"id"_s, m_questionId},
                         {u"seat"_s, question.seat},
                         {u"name"_s, question.name},
                         {u"text"_s, question.text},
                         {u"answers"_s, QJsonArray{question.answers[0], question.answers[1]}},
                         {u"duel"_s, m_duel}});
}

// Every seat asked is told, computers' too; only a friend at the table hears it is their turn
// (while a friend is away the computer answers for them).
void FriendsTable::answerAwaited(int seat)
{
    m_awaitedSeat = 0;
    if (m_phase != Phase::Playing)
        return;
    for (const Friend &f : std::as_const(m_friends)) {
        if (f.seat == seat && f.connection) {
            m_awaitedSeat = seat;
            f.connection->send(text(Protocol::message(u"yourTurn"_s, {{u"id"_s, m_questionId}})));
        }
    }
}

void FriendsTable::answerJudged(const Verdict &verdict)
{
    m_questionSeat = m_awaitedSeat = 0;
    tell(u"judged"_s, {{u"seat"_s, verdict.seat},
                       {u"chosen"_s, verdict.chosen},
                       {u"right"_s, verdict.right},
                       {u"word"_s, verdict.hostWord},
                       {u"chain"_s, verdict.chainStep},
                       {u"bank"_s, verdict.bank},
                       {u"duel"_s, verdict.duel},
                       {u"scoreA"_s, verdict.scoreA},
                       {u"scoreB"_s, verdict.scoreB}});
}

void FriendsTable::bankOffered(int seat)
{
    m_bankSeat = seat;
    tell(u"bankOffer"_s, {{u"seat"_s, seat}});
}

void FriendsTable::banked(int seat, int bank)
{
    tell(u"banked"_s, {{u"seat"_s, seat}, {u"bank"_s, bank}});
}

void FriendsTable::roundEnded(int round)
{
    m_questionSeat = m_awaitedSeat = m_bankSeat = 0;
    forget({"question", "judged", "bankOffer", "clock"});
    tell(u"roundEnded"_s, {{u"round"_s, round}});
}

void FriendsTable::prizeChanged(int prize)
{
    tell(u"prize"_s, {{u"prize"_s, prize}});
}

void FriendsTable::voteOpened()
{
    m_voteOpen = true;
    m_hasVoted.fill(false);
    m_votes.clear();
    QJsonArray candidates;
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (m_seated[size_t(seat)])
            candidates.append(seat);
    }
    tell(u"voteOpen"_s, {{u"candidates"_s, candidates}});
}

void FriendsTable::voteClosed()
{
    m_voteOpen = false;
    forget({"voteOpen"});
    m_votes.clear();
    tell(u"voteClosed"_s);
}

void FriendsTable::seatVoted(int seat, int votedFor)
{
    if (seat >= 1 && seat <= SeatCount)
        m_hasVoted[size_t(seat)] = true;
    tell(u"voted"_s, {{u"seat"_s, seat}, {u"for"_s, votedFor}});
    if (m_voteOpen)
        m_votes.append(text(Protocol::message(u"voted"_s, {{u"seat"_s, seat}, {u"for"_s, votedFor}})));
}

void FriendsTable::votedOff(int seat)
{
    if (seat < 1 || seat > SeatCount)
        return;
    m_seated[size_t(seat)] = false;
    tell(u"votedOff"_s, {{u"seat"_s, seat}, {u"name"_s, m_names[size_t(seat)]}});
}

void FriendsTable::startAwaited(int round)
{
    tell(u"startAwaited"_s, {{u"round"_s, round}});
}

void FriendsTable::finalistsSeated(int seatA, const QString &nameA, int seatB, const QString &nameB)
{
    m_duel = true;
    forget({"question", "judged", "banked", "bankOffer", "voteOpen", "clock", "round"});
    m_questionSeat = m_awaitedSeat = m_bankSeat = 0;
    tell(u"duel"_s, {{u"seatA"_s, seatA}, {u"nameA"_s, nameA}, {u"seatB"_s, seatB}, {u"nameB"_s, nameB}});
}

void FriendsTable::duelScoreChanged(int scoreA, int scoreB)
{
    tell(u"duelScore"_s, {{u"a"_s, scoreA}, {u"b"_s, scoreB}});
}

void FriendsTable::gameOver(const Ending &ending)
{
    if (m_phase != Phase::Playing)
        return;
    m_phase = Phase::Over;
    const int winnerSeat = ending.winnerSeat;
    for (const Friend &f : std::as_const(m_friends)) {
        if (!f.seat || !f.connection)
            continue;
        f.connection->send(text(Protocol::message(u"over"_s, {{u"winner"_s, ending.winner},
                                                                 {u"winnerSeat"_s, winnerSeat},
                                                                 {u"amount"_s, double(ending.amount)},
                                                                 {u"you"_s, winnerSeat != 0 && winnerSeat == f.seat}})));
    }
    // Nothing stays reachable once the game is over.
    QTimer::singleShot(m_limits.closeAfterOverMs, this, &FriendsTable::close);
}
