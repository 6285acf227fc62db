#pragma once

#include "core/engine/GameEngine.h"
#include "core/engine/SoundCues.h"
#include "screen/TablePresenter.h"
#include "screen/TableScreen.h"

#include <QWidget>

#include <array>

class Announcer;
class Narrator;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class SeatLabel;
class SoundControl;
class TurnRing;

// The game window: the table of eight seats, the money chain, the bank, the prize, the
// clock, the narration, the answer choice and the two buttons. It draws what the game's
// facts show (TablePresenter decides what) and forwards every click and key to the engine.
class GameWindow : public QWidget, public TableScreen
{
    Q_OBJECT
public:
    // Without `timers` the game runs on the event loop's.
    GameWindow(GameState &state, RandomSource &random, const Clock &clock, QDir dataDir, QWidget *parent = nullptr,
               GameTimers *timers = nullptr);

    // The engine behind the window. The window's elements are made on first use, so that
    // a window not shown yet costs nothing at start-up.
    GameEngine &engine();
    void ensureBuilt();
    // Shows the table of a game just set up.
    void showTable();

    // The player that sounds the game's cues, or none for a silent game. Not owned.
    void setSounds(SoundControl *sounds);

    // The host's voice, or none for a game without it. Not owned.
    void setNarrator(Narrator *narrator);

    // TableScreen
    void showSeatName(int seat, const QString &name) override;
    void setSeatNameShown(int seat, bool shown) override;
    void showSeatVotes(int seat, const QString &votes) override;
    void setSeatVotesShown(int seat, bool shown) override;
    void showBank(int sum) override;
    void markChainStep(int step) override;
    void showPrize(int total) override;
    void setPrizeShown(bool shown) override;
    void setScoreboardTitle(const QString &title) override;
    void setScoreboardShown(bool shown) override;
    void showClock(int seconds) override;
    void showDuelScore(int first, int second) override;
    void setStartButtonText(const QString &text) override;
    void setStartButtonShown(bool shown) override;
    void offerBank(bool offered) override;
    void clearNarration() override;
    void appendNarration(const QString &line) override;
    void setAnswersShown(bool shown) override;
    void clearAnswers() override;
    void appendAnswer(const QString &text) override;
    void selectNoAnswer() override;
    void setAnswersEnabled(bool enabled) override;
    void markAskedSeat(int seat) override;
    void showVerdict(int chosen, int right) override;
    void setVoteOpen(bool open) override;
    void showGameOver() override;
    void reportFailure(const Status &status) override;

public Q_SLOTS:
    void startPressed();
    void bankPressed();
    void answerChosen(int answer);
    void seatClicked(int seat);
    // The key M: the sound off or on again, remembered for the next games.
    void toggleSound();

Q_SIGNALS:
    // The window was closed: the game's timers are stopped and the menu comes back.
    void closed();
    // "Зал почёта" at the end of a game.
    void hallOfFameRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void setVisible(bool visible) override;

private:
    void windowClosed();
    void buildSeats();
    void buildChain();
    void buildControls();
    void buildKeys();
    void buildCues();
    void showAnswerCue();
    // The host's voice says what a cue on the table offers, while the table offers it.
    void sayHint(const QString &hint, bool shown);
    // Words a screen reader says at once.
    void announce(const QString &words);
    // A line a screen reader says with the focused control; the control gets its own
    // description back when the focus leaves it.
    void describeFocus(const QString &line);
    static void restoreDescription(QWidget *widget);
    void setClockUrgent(bool urgent);
    QLabel *keyHint(const QString &key, QPoint at, QWidget *parent);
    void pressFocused();
    void answerByKey(int index);
    // The keys for playing by ear: a digit answers or votes, R repeats, T tells the time
    // left, N the seats.
    void digitPressed(int digit);
    void repeatPressed();
    void timePressed();
    void seatsPressed();
    // The answer to one of the keys above.
    void answerAside(const QString &text);
    void showSoundState(bool on);
    QLabel *label(const QString &name, QPoint at, const QFont &font, const QColor &colour);

    GameEngine m_engine;
    TablePresenter m_presenter{*this};
    SoundCues m_soundCues;
    std::array<SeatLabel *, 9> m_seatNames{};
    std::array<QLabel *, 9> m_seatVotes{};
    std::array<QLabel *, 11> m_chainSteps{};
    QLabel *m_bankSum = nullptr;
    QLabel *m_prize = nullptr;
    QLabel *m_scoreboardTitle = nullptr;
    QLabel *m_scoreboard = nullptr;
    QPlainTextEdit *m_narration = nullptr;
    Announcer *m_announcer = nullptr;
    int m_narrationLines = 0;
    QString m_lastLine;  // the narration's last line that says something
    QGroupBox *m_answers = nullptr;
    QButtonGroup *m_answerGroup = nullptr;
    std::array<QRadioButton *, 2> m_answerButtons{};
    QStringList m_answerItems;
    QPushButton *m_startButton = nullptr;
    QPushButton *m_bankButton = nullptr;
    // What tells the player what is happening: the ring round the seat being asked, the
    // cue by the answers on the player's turn, the invitation to vote, the clock's warning
    // and the ways on at the end of a game.
    TurnRing *m_turnRing = nullptr;
    QLabel *m_yourTurn = nullptr;
    QLabel *m_voteInvitation = nullptr;
    QLabel *m_bankKey = nullptr;
    QLabel *m_startKey = nullptr;
    QLabel *m_soundKey = nullptr;
    Narrator *m_narrator = nullptr;
    SoundControl *m_sounds = nullptr;
    QTimer *m_clockPulse = nullptr;
    bool m_clockBright = false;
    QPushButton *m_toMenu = nullptr;
    QPushButton *m_hallOfFame = nullptr;
};
