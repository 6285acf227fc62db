#pragma once

#include <QString>

class LineStore;

// What the game logic may do to the game window, in the game's terms, and nothing more.
// The real window implements it with widgets and timers; tests implement it with a
// recording fake and fire the timers themselves.
class GameView
{
public:
    // The window's three timers, by their job: the round clock ticks each second; the
    // answer delay brings a computer's answer, or judges the player's; the pause stands
    // between a verdict and the next question.
    enum class Timer { RoundClock = 1, AnswerDelay = 2, Pause = 3 };

    virtual ~GameView() = default;

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

    virtual void clearNarration() = 0;
    virtual void appendNarration(const QString &line) = 0;

    // The two answers of the question being put.
    virtual void setAnswersShown(bool shown) = 0;
    virtual void clearAnswers() = 0;
    virtual void appendAnswer(const QString &text) = 0;
    virtual QString answerText(int index) const = 0;
    virtual int selectedAnswer() const = 0;  // -1 when nothing is selected
    virtual void selectNoAnswer() = 0;       // never counts as the player's click
    virtual void setAnswersEnabled(bool enabled) = 0;

    // The question base as loaded for the game (and, when a game ends, the winners file
    // that gets the new record), and the numbers of the questions already put.
    virtual LineStore &questionList() = 0;
    virtual LineStore &askedList() = 0;

    virtual void setTimerActive(Timer timer, bool active) = 0;
    virtual void setTimerInterval(Timer timer, int milliseconds) = 0;

    virtual void showWindow() = 0;

    // The seat being asked, 1..8, or 0 for none.
    virtual void markAskedSeat(int seat) = 0;
    // The answer just judged: the one chosen and the right one (the same when it was right).
    // Shown until the next question's answers replace them.
    virtual void showVerdict(int chosen, int right) = 0;
    // While the vote is open the seated names wait for the player's click.
    virtual void setVoteOpen(bool open) = 0;
    // The game is over (the duel is decided or the player is voted off): the ways on.
    virtual void showGameOver() = 0;
};
