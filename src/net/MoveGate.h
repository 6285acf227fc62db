#pragma once

#include "core/engine/GameListener.h"
#include "net/Protocol.h"

class FriendConnection;
class SeatMoves;
class TableRoster;

// A friend's move on its way to the game. It hears the game's facts to know what each seat
// may do now, and passes on a move only from the connection that holds a seat in the game,
// and only while it is not plainly too late. Whether the game takes it is the game's affair.
class MoveGate : public GameListener
{
public:
    MoveGate(const TableRoster &roster, SeatMoves &moves);

    // An answer, a bank or a vote from `connection`.
    void move(FriendConnection *connection, const Protocol::Request &request);

    // The id of the question put last, the one an answer names.
    qint64 questionId() const { return m_questionId; }
    bool isSeated(int seat) const { return m_seated[size_t(seat)]; }
    bool isVoteOpen() const { return m_voteOpen; }

    // GameListener
    void tableSeated(const PerSeat<QString> &names, int playerSeat) override;
    void roundStarted(int round, int seconds, int prize, const PerSeat<QString> &seated) override;
    void questionPut(const Question &question) override;
    void answerJudged(const Verdict &verdict) override;
    void bankOffered(int seat) override;
    void roundEnded(int round) override;
    void voteOpened() override;
    void voteClosed() override;
    void seatVoted(int seat, int votedFor) override;
    void votedOff(int seat) override;
    void finalistsSeated(int seatA, const QString &nameA, int seatB, const QString &nameB) override;

private:
    const TableRoster &m_roster;
    SeatMoves &m_moves;
    PerSeat<bool> m_seated{};
    qint64 m_questionId = 0;
    int m_questionSeat = 0;  // the seat asked, until its answer is judged
    int m_bankSeat = 0;
    bool m_voteOpen = false;
    PerSeat<bool> m_hasVoted{};
};
