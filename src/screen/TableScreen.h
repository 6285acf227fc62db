#pragma once

#include <QString>

struct Status;

// What a screen of the game table shows: the seats, the money, the scoreboard, the host's
// words, the two answers and the player's buttons. The game window draws it with widgets;
// tests keep it as plain values. TablePresenter decides what it shows, from the game's facts.
class TableScreen
{
public:
    virtual ~TableScreen() = default;

    // The seats, 1..8: each seat's name and, under it, the votes it got.
    virtual void showSeatName(int seat, const QString &name) = 0;
    virtual void setSeatNameShown(int seat, bool shown) = 0;
    virtual void showSeatVotes(int seat, const QString &votes) = 0;
    virtual void setSeatVotesShown(int seat, bool shown) = 0;

    // The money: the round's bank, the chain's lit step (1..10, 0 for none) and the prize.
    virtual void showBank(int sum) = 0;
    virtual void markChainStep(int step) = 0;
    virtual void showPrize(int total) = 0;
    virtual void setPrizeShown(bool shown) = 0;

    // The scoreboard: its title ("Время:", "СЧЕТ") over the round clock or the duel's
    // score. The clock's last ten seconds are a warning.
    virtual void setScoreboardTitle(const QString &title) = 0;
    virtual void setScoreboardShown(bool shown) = 0;
    virtual void showClock(int seconds) = 0;
    virtual void showDuelScore(int first, int second) = 0;

    // The player's buttons: the one that starts a round, and "БАНК!".
    virtual void setStartButtonText(const QString &text) = 0;
    virtual void setStartButtonShown(bool shown) = 0;
    virtual void offerBank(bool offered) = 0;

    // The host's words, line by line.
    virtual void clearNarration() = 0;
    virtual void appendNarration(const QString &line) = 0;

    // The two answers of the question being put.
    virtual void setAnswersShown(bool shown) = 0;
    virtual void clearAnswers() = 0;
    virtual void appendAnswer(const QString &text) = 0;
    virtual void selectNoAnswer() = 0;  // never counts as the player's click
    virtual void setAnswersEnabled(bool enabled) = 0;

    // The seat being asked, 1..8, or 0 for none.
    virtual void markAskedSeat(int seat) = 0;
    // The answer just judged: the one chosen and the right one (the same when it was right).
    // Shown until the next question's answers replace them.
    virtual void showVerdict(int chosen, int right) = 0;
    // While the vote is open the seated names wait for the player's click.
    virtual void setVoteOpen(bool open) = 0;
    // The game is over (the duel is decided or the player is voted off): the ways on.
    virtual void showGameOver() = 0;
    // Something went wrong that the player must be told (a winners record not written).
    virtual void reportFailure(const Status &status) = 0;
};
