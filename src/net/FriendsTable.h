#pragma once

#include "core/engine/GameListener.h"
#include "net/FriendConnection.h"
#include "net/FriendsTableControl.h"

#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class PageServer;

// The friends' table: a lobby the friends join with the table's code, then their seats in
// the game. It is one more listener of the game's facts, told to every page as the
// protocol's messages, and it passes each friend's taps to the game as that seat's moves.
// The game's rules stay in the game: the table only checks who speaks for a seat (the
// connection holding its secret) and refuses what is plainly too late.
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
    void setHostName(const QString &name) override;
    bool open(quint16 port) override;
    QString error() const override { return m_error; }
    bool isOpen() const override;
    QUrl address() const override;
    QList<QBitArray> qrCode() const override;
    QString code() const override { return m_code; }
    QStringList friendNames() const override;
    void seatFriends(const QList<int> &seats) override;
    QList<int> connectedSeats() const override;
    void close() override;
    GameListener *listener() override { return this; }

    // The port it listens on, once open.
    quint16 port() const;

    // GameListener
    void tableSeated(const PerSeat<QString> &names, int playerSeat) override;
    void hostSays(const QString &line) override;
    void roundStarted(int round, int seconds, int prize, const PerSeat<QString> &seated) override;
    void clockShows(int seconds) override;
    void questionPut(const Question &question) override;
    void answerAwaited(int seat) override;
    void answerJudged(const Verdict &verdict) override;
    void bankOffered(int seat) override;
    void banked(int seat, int bank) override;
    void roundEnded(int round) override;
    void prizeChanged(int prize) override;
    void voteOpened() override;
    void voteClosed() override;
    void seatVoted(int seat, int votedFor) override;
    void votedOff(int seat) override;
    void startAwaited(int round) override;
    void finalistsSeated(int seatA, const QString &nameA, int seatB, const QString &nameB) override;
    void duelScoreChanged(int scoreA, int scoreB) override;
    void gameOver(const Ending &ending) override;

private:
    enum class Phase { Closed, Lobby, Playing, Over };

    struct Friend
    {
        QString name;
        QString secret;
        int seat = 0;
        QPointer<FriendConnection> connection;
        std::shared_ptr<QTimer> awayTimer;  // runs while the friend may still come back
        bool gone = false;                  // the seat is a computer's for good
    };

    void socketOpened(QWebSocket *socket);
    void requested(FriendConnection *connection, const Protocol::Request &request);
    void connectionClosed(FriendConnection *connection);
    void join(FriendConnection *connection, const Protocol::Request &request);
    void resume(FriendConnection *connection, const Protocol::Request &request);
    void move(FriendConnection *connection, const Protocol::Request &request);
    void awayTooLong(const QString &secret);

    Friend *friendOf(const FriendConnection *connection);
    bool nameTaken(const QString &name) const;
    bool wrongCodeAllowed();
    bool lockedOut();

    // Every page at the table hears `message`; `state` keeps it for a page that comes back.
    void tell(const QString &type, const QJsonObject &fields = {});
    void keep(const QString &type, const QString &message);
    void forget(std::initializer_list<const char *> types);
    void sendLobby();
    void sendPresence();
    void sendSeated(Friend &f);
    void sendState(Friend &f);

    SeatMoves &m_moves;
    Limits m_limits;
    PageServer *m_server = nullptr;
    Phase m_phase = Phase::Closed;
    QString m_error;
    QString m_code;
    QString m_hostName;
    QList<Friend> m_friends;
    QList<FriendConnection *> m_connections;
    QElapsedTimer m_wrongCodeSecond;
    int m_wrongCodes = 0;

    // The game as the pages last heard it.
    PerSeat<QString> m_names;
    PerSeat<bool> m_seated{};
    int m_hostSeat = 0;
    qint64 m_questionId = 0;
    int m_questionSeat = 0;   // the seat asked, until its answer is judged
    int m_awaitedSeat = 0;
    int m_bankSeat = 0;
    bool m_voteOpen = false;
    PerSeat<bool> m_hasVoted{};
    bool m_duel = false;
    QMap<QString, QString> m_kept;   // the last message of each type that draws the table
    QStringList m_votes;             // the votes told since the vote opened
};
