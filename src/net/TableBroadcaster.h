#pragma once

#include "core/engine/GameListener.h"
#include "net/Protocol.h"

#include <QMap>
#include <QStringList>

class FriendConnection;
class MoveGate;
class SeatMoves;
class TableRoster;

// The game's facts told to every friend's page at the table, and what a page that takes
// its seat is sent to draw the table as it stands: the last message of each kind that draws
// it, the votes told since the vote opened, and its turn if the question waits for it.
class TableBroadcaster : public GameListener
{
public:
    // Question ids and who still sits at the table come from `gate`, which hears each fact
    // first; the chain's values from `moves`.
    TableBroadcaster(const TableRoster &roster, const MoveGate &gate, const SeatMoves &moves);

    // `connection` speaks for `seat` now: who sits where, then the table as it stands.
    void seatTaken(FriendConnection *connection, int seat);
    // Who is connected, to every seated friend.
    void sendPresence();

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
    using Kind = Protocol::Message::Kind;

    // Every seated friend hears `message` while the game goes on; the kinds that draw the
    // table are kept.
    void tell(const Protocol::Message &message);
    void forget(std::initializer_list<Kind> kinds);

    const TableRoster &m_roster;
    const MoveGate &m_gate;
    const SeatMoves &m_moves;
    PerSeat<QString> m_names;
    int m_hostSeat = 0;
    int m_awaitedSeat = 0;   // a friend's seat told it is their turn
    bool m_duel = false;
    QMap<Kind, QString> m_kept;  // the last message of each kind that draws the table
    QStringList m_votes;         // the votes told since the vote opened
};
