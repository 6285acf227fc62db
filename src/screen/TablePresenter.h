#pragma once

#include "core/engine/GameListener.h"

class TableScreen;

// Shows the game on a table screen: listens to the game's facts and decides what the
// screen shows of them, for the player sitting at `playerSeat` (told with the seating).
// The host's words go to the narration as they are said; the presenter adds what the
// table itself writes there (a computer's answer, a bank) and turns the page where a new
// question or a new round begins.
class TablePresenter final : public GameListener
{
public:
    explicit TablePresenter(TableScreen &screen) : m_screen(screen) {}

    void tableSeated(const PerSeat<QString> &names, int playerSeat) override;
    void hostSays(const QString &line) override;
    void hostPauses() override;
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
    // Not a fact of the game but of the friends' table: whether the friend at `seat` is
    // connected. An away friend's name reads so until they are back.
    void showPresence(int seat, bool connected);
    void seatVoted(int seat, int votedFor) override;
    void votedOff(int seat) override;
    void votesCounted() override;
    void startAwaited(int round) override;
    void finalistsSeated(int seatA, const QString &nameA, int seatB, const QString &nameB) override;
    void duelScoreChanged(int scoreA, int scoreB) override;
    void gameOver(const Ending &ending) override;
    void failed(const Status &status) override;

private:
    // Where a seat is shown: in the duel the finalists sit at places 4 (A) and 5 (B).
    int place(int seat) const;
    // A line said by a player at the table, under their name.
    void sayAtSeat(int seat, const QString &words);

    TableScreen &m_screen;
    QString seatName(int seat) const;

    PerSeat<QString> m_names;
    PerSeat<bool> m_away{};
    bool m_playerOut = false;
    int m_playerSeat = 0;
    int m_duelSeatA = 0;  // 0 outside the duel
    QString m_answers[2];
};
