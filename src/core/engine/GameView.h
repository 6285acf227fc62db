#pragma once

#include <QString>

class LineStore;

// What the game logic may do to the game window, and nothing more. The real window
// implements it with widgets and timers; tests implement it with a recording fake and
// fire the timers themselves.
class GameView
{
public:
    // Elements whose caption the logic sets (besides the seat labels).
    enum class Caption { Bank, Summa, Label1, Label2, Button1 };
    // Elements the logic shows and hides (besides the seat labels).
    enum class Element { Summa, Label2, Button1, Button2, Answers };
    enum class Colour { White, Red };
    enum class Timer { Timer1 = 1, Timer2 = 2, Timer3 = 3 };
    // ListBox1 holds the question base (and, when a game ends, the winners file);
    // ListBox2 holds the numbers of the questions already put.
    enum class Store { ListBox1 = 1, ListBox2 = 2 };

    virtual ~GameView() = default;

    // Seat N's name label (Name1..Name8) and vote label (_Name1.._Name8).
    virtual void setNameCaption(int seat, const QString &text) = 0;
    virtual void setNameVisible(int seat, bool visible) = 0;
    virtual void setVoteCaption(int seat, const QString &text) = 0;
    virtual void setVoteVisible(int seat, bool visible) = 0;

    virtual void setCaption(Caption element, const QString &text) = 0;
    virtual void setVisible(Element element, bool visible) = 0;

    // The chain label of step 1..10 (_500 .. _50000).
    virtual void setChainColour(int step, Colour colour) = 0;

    virtual void clearNarration() = 0;
    virtual void appendNarration(const QString &line) = 0;

    virtual void clearAnswers() = 0;
    virtual void appendAnswer(const QString &text) = 0;
    virtual QString answerText(int index) const = 0;
    virtual int selectedAnswer() const = 0;  // -1 when nothing is selected
    virtual void selectNoAnswer() = 0;       // never counts as the player's click
    virtual void setAnswersEnabled(bool enabled) = 0;

    virtual LineStore &store(Store which) = 0;

    virtual void setTimerActive(Timer timer, bool active) = 0;
    virtual void setTimerInterval(Timer timer, int milliseconds) = 0;

    virtual void showWindow() = 0;

    // Beyond the specified elements, what tells the player what is happening at the table.
    // The seat being asked, 1..8, or 0 for none.
    virtual void markAskedSeat(int seat) = 0;
    // The answer just judged: the one chosen and the right one (the same when it was right).
    // Shown until the next question's answers replace them.
    virtual void showVerdict(int chosen, int right) = 0;
    // While the vote is open the seated names wait for the player's click.
    virtual void setVoteOpen(bool open) = 0;
    // The round clock in Label2, in seconds; the last ten are a warning.
    virtual void showClock(int seconds) = 0;
    // The game is over (the duel is decided or the player is voted off): the ways on.
    virtual void showGameOver() = 0;
};
