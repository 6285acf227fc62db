#pragma once

#include "net/FriendConnection.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <memory>

class SeatMoves;

// Who is at the friends' table: the lobby, then each friend's seat, the secret that speaks
// for it and the connection holding it. A friend whose page drops is away (the game plays
// the seat) until they come back with the secret or their time runs out. Wrong table codes
// are counted table-wide, so that the code cannot be guessed.
class TableRoster : public QObject
{
    Q_OBJECT

public:
    enum class Phase { Closed, Lobby, Playing, Over };

    struct Limits
    {
        int resumeWindowMs = 60000;    // a friend who dropped may come back this long
        int wrongCodesPerSecond = 10;  // table-wide; past them nobody is let in until
        int wrongCodeWindowMs = 1000;  // this window ends
    };

    struct Friend
    {
        QString name;
        QString secret;
        int seat = 0;
        QPointer<FriendConnection> connection;
        std::shared_ptr<QTimer> awayTimer;  // runs while the friend may still come back
        bool gone = false;                  // the seat is a computer's for good
    };

    TableRoster(SeatMoves &moves, const Limits &limits, QObject *parent = nullptr);

    Phase phase() const { return m_phase; }
    QString code() const { return m_code; }
    const QList<Friend> &friends() const { return m_friends; }
    // The friends in the lobby, in the order they joined.
    QStringList friendNames() const;
    // The friends' seats whose pages are connected now.
    QList<int> connectedSeats() const;
    // The friend `connection` speaks for, if any.
    const Friend *friendOf(const FriendConnection *connection) const;

    // The host's name as the lobby lists it (empty: the host only runs the show).
    void setHostName(const QString &name);
    // A new lobby with a new code.
    void openLobby();
    // The game starts: the seats the game gave the friends, in the order of friendNames().
    void seatFriends(const QList<int> &seats);
    void gameOver();
    // Nobody is let in any more; every friend is gone. Returns the seats whose pages were
    // connected in the game.
    QList<int> close();

    void join(FriendConnection *connection, const Protocol::Request &request);
    void resume(FriendConnection *connection, const Protocol::Request &request);
    void connectionLost(FriendConnection *connection);

Q_SIGNALS:
    void lobbyChanged();
    // `connection` speaks for `seat` in the game from now on: at the start or coming back.
    void seatTaken(FriendConnection *connection, int seat);
    void presenceChanged();

private:
    void awayTooLong(const QString &secret);
    Friend *friendHeldBy(const FriendConnection *connection);
    bool nameTaken(const QString &name) const;
    bool wrongCodeAllowed();
    bool lockedOut();
    void sendLobby();

    SeatMoves &m_moves;
    Limits m_limits;
    Phase m_phase = Phase::Closed;
    QString m_code;
    QString m_hostName;
    QList<Friend> m_friends;
    QElapsedTimer m_wrongCodeSecond;
    int m_wrongCodes = 0;
};
