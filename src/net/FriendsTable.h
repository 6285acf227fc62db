#pragma once

#include "core/engine/GameListener.h"
#include "net/FriendConnection.h"
#include "net/FriendsTableControl.h"
#include "net/MoveGate.h"
#include "net/TableBroadcaster.h"
#include "net/TableRoster.h"

#include <QList>
#include <QObject>

class PageServer;

// The friends' table: a lobby the friends join with the table's code, then their seats in
// the game. It is one more listener of the game's facts, told to every page as the
// protocol's messages, and it passes each friend's taps to the game as that seat's moves.
// The game's rules stay in the game: the table only checks who speaks for a seat (the
// connection holding its secret) and refuses what is plainly too late.
//
// It runs the server and its connections and wires its parts: the roster (who sits where),
// the move gate (a friend's move to the game) and the broadcaster (the game's facts to the
// pages).
class FriendsTable : public FriendsTableControl, public GameListener
{
    Q_OBJECT

public:
    struct Limits
    {
        FriendConnection::Limits connection;
        int maxConnections = 32;
        int resumeWindowMs = 60000;    // a friend who dropped may come back this long
        int closeAfterOverMs = 5000;   // the table stays open this long after the game
        int wrongCodesPerSecond = 10;  // table-wide, so that the code cannot be guessed;
        int wrongCodeWindowMs = 1000;  // past them nobody is let in until this window ends
    };

    explicit FriendsTable(SeatMoves &moves, QObject *parent = nullptr);
    FriendsTable(SeatMoves &moves, const Limits &limits, QObject *parent = nullptr);
    ~FriendsTable() override;

    // FriendsTableControl
    void setHostName(const QString &name) override { m_roster.setHostName(name); }
    bool open(quint16 port) override;
    QString error() const override { return m_error; }
    bool isOpen() const override;
    QUrl address() const override;
    QList<QBitArray> qrCode() const override;
    QString code() const override { return m_roster.code(); }
    QStringList friendNames() const override { return m_roster.friendNames(); }
    void seatFriends(const QList<int> &seats) override { m_roster.seatFriends(seats); }
    QList<int> connectedSeats() const override { return m_roster.connectedSeats(); }
    void close() override;
    GameListener *listener() override { return this; }

    // The port it listens on, once open.
    quint16 port() const;

    // GameListener: the gate hears each fact before the broadcaster tells it (a fact the
    // table is to hear needs its line here, or neither hears it).
    void tableSeated(const PerSeat<QString> &names, int playerSeat) override { both(&GameListener::tableSeated, names, playerSeat); }
    void hostSays(const QString &line) override { both(&GameListener::hostSays, line); }
    void roundStarted(int round, int seconds, int prize, const PerSeat<QString> &seated) override
    {
        both(&GameListener::roundStarted, round, seconds, prize, seated);
    }
    void clockShows(int seconds) override { both(&GameListener::clockShows, seconds); }
    void questionPut(const Question &question) override { both(&GameListener::questionPut, question); }
    void answerAwaited(int seat) override { both(&GameListener::answerAwaited, seat); }
    void answerJudged(const Verdict &verdict) override { both(&GameListener::answerJudged, verdict); }
    void bankOffered(int seat) override { both(&GameListener::bankOffered, seat); }
    void banked(int seat, int bank) override { both(&GameListener::banked, seat, bank); }
    void roundEnded(int round) override { both(&GameListener::roundEnded, round); }
    void prizeChanged(int prize) override { both(&GameListener::prizeChanged, prize); }
    void voteOpened() override { both(&GameListener::voteOpened); }
    void voteClosed() override { both(&GameListener::voteClosed); }
    void seatVoted(int seat, int votedFor) override { both(&GameListener::seatVoted, seat, votedFor); }
    void votedOff(int seat) override { both(&GameListener::votedOff, seat); }
    void startAwaited(int round) override { both(&GameListener::startAwaited, round); }
    void finalistsSeated(int seatA, const QString &nameA, int seatB, const QString &nameB) override
    {
        both(&GameListener::finalistsSeated, seatA, nameA, seatB, nameB);
    }
    void duelScoreChanged(int scoreA, int scoreB) override { both(&GameListener::duelScoreChanged, scoreA, scoreB); }
    void gameOver(const Ending &ending) override;

private:
    template <typename... Params, typename... Args>
    void both(void (GameListener::*fact)(Params...), const Args &...args)
    {
        (m_gate.*fact)(args...);
        (m_broadcaster.*fact)(args...);
    }

    void socketOpened(QWebSocket *socket);
    void requested(FriendConnection *connection, const Protocol::Request &request);
    void connectionClosed(FriendConnection *connection);

    Limits m_limits;
    PageServer *m_server = nullptr;
    QString m_error;
    QList<FriendConnection *> m_connections;
    SeatMoves &m_moves;
    TableRoster m_roster;
    MoveGate m_gate;
    TableBroadcaster m_broadcaster;
};
