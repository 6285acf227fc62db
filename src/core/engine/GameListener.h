#pragma once

#include "core/data/Status.h"
#include "core/state/GameState.h"

#include <QString>

// What happens in a game, told by the engine as it happens, in the game's own words. The
// game window, the host's voice, the sound cues and the tests all listen to the same facts;
// nothing flows back: a listener is never asked for anything.
//
// Seats are the table's seats 1..8; in the duel each finalist keeps the seat they played
// the rounds from. Answers are 0 (the first) and 1 (the second).
class GameListener
{
public:
    // A question as it is put.
    struct Question
    {
        int seat = 0;          // who is asked
        QString name;          // their name, as the host says it
        QString text;
        QString answers[2];
        bool opensRound = false;  // the first question of a round or of the duel
        int right = 0;            // the answer the question base holds as right
    };

    // An answer as it is judged.
    struct Verdict
    {
        int seat = 0;
        int chosen = 0;
        int right = 0;
        QString hostWord;      // what the host says to it
        // After the answer: in a round the chain's step and the bank, in the duel the score.
        int chainStep = 0;
        int bank = 0;
        bool duel = false;
        int scoreA = 0;
        int scoreB = 0;

        bool isRight() const { return chosen == right; }
    };

    // The game is over.
    struct Ending
    {
        QString winner;
        qint64 amount = 0;     // as the winners file records it
        bool playerWon = false;
        int winnerSeat = 0;    // the seat the winner played from
    };

    virtual ~GameListener() = default;

    // A new game: who sits where (EmptySeat where nobody sits) and the player's seat. The
    // table waits for "Начинаем".
    virtual void tableSeated(const PerSeat<QString> &names, int playerSeat) { Q_UNUSED(names) Q_UNUSED(playerSeat) }
    // The host's words, a line as it is said, and a pause between them.
    virtual void hostSays(const QString &line) { Q_UNUSED(line) }
    virtual void hostPauses() {}

    // Round 1..7 starts with `seconds` on its clock, the players left in `seated`; the prize
    // so far is `prize`.
    virtual void roundStarted(int round, int seconds, int prize, const PerSeat<QString> &seated)
    {
        Q_UNUSED(round) Q_UNUSED(seconds) Q_UNUSED(prize) Q_UNUSED(seated)
    }
    // The round clock reads `seconds`.
    virtual void clockShows(int seconds) { Q_UNUSED(seconds) }
    virtual void questionPut(const Question &question) { Q_UNUSED(question) }
    // The seat asked may answer now.
    virtual void answerAwaited(int seat) { Q_UNUSED(seat) }
    virtual void answerJudged(const Verdict &verdict) { Q_UNUSED(verdict) }
    // "БАНК!" is offered to `seat`, or to nobody any more (0).
    virtual void bankOffered(int seat) { Q_UNUSED(seat) }
    // `seat` banked; the round's bank now holds `bank`, and the chain starts again.
    virtual void banked(int seat, int bank) { Q_UNUSED(seat) Q_UNUSED(bank) }
    // The round's clock ran out: nobody is asked any more.
    virtual void roundEnded(int round) { Q_UNUSED(round) }
    virtual void prizeChanged(int prize) { Q_UNUSED(prize) }

    // The vote: it opens after a round, closes when the player has voted, each seat's
    // vote is told, the votes are counted and one seat leaves the table.
    virtual void voteOpened() {}
    virtual void voteClosed() {}
    virtual void seatVoted(int seat, int votedFor) { Q_UNUSED(seat) Q_UNUSED(votedFor) }
    virtual void votesCounted() {}
    virtual void votedOff(int seat) { Q_UNUSED(seat) }
    // The table waits for "Начинаем" for round `round` (8: the duel).
    virtual void startAwaited(int round) { Q_UNUSED(round) }

    // The duel: the finalists (seats and names, A first) take the duel's places, then it starts.
    virtual void finalistsSeated(int seatA, const QString &nameA, int seatB, const QString &nameB)
    {
        Q_UNUSED(seatA) Q_UNUSED(nameA) Q_UNUSED(seatB) Q_UNUSED(nameB)
    }
    virtual void duelStarted() {}
    // The duel's score: side A's right answers, and side B's.
    virtual void duelScoreChanged(int scoreA, int scoreB) { Q_UNUSED(scoreA) Q_UNUSED(scoreB) }

    virtual void gameOver(const Ending &ending) { Q_UNUSED(ending) }
    // Something the player must be told went wrong (the winners record could not be written).
    virtual void failed(const Status &status) { Q_UNUSED(status) }
};
