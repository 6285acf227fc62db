#pragma once

#include "core/engine/GameEngine.h"
#include "core/engine/SoundCues.h"
#include "screen/TablePresenter.h"
#include "screen/TableScreen.h"
#include "ui/table/GameQuestions.h"
#include "ui/look/LazyWindow.h"
#include "ui/table/KeyboardPlay.h"
#include "ui/table/TableWidgets.h"

class Narrator;
class QTimer;
class SoundControl;

// The game window: the table of eight seats, the money chain, the bank, the prize, the
// clock, the narration, the answer choice and the two buttons (TableWidgets). It draws what
// the game's facts show (TablePresenter decides what) and forwards every click to the
// engine; the keys, and what a player who plays by ear is told, are KeyboardPlay's.
class GameWindow : public LazyWindow, public TableScreen
{
    Q_OBJECT
public:
    // Without `timers` the game runs on the event loop's.
    GameWindow(GameState &state, RandomSource &random, const Clock &clock, QDir dataDir, QWidget *parent = nullptr,
               GameTimers *timers = nullptr);

    // The engine behind the window. The window's elements are made on first use, so that
    // a window not shown yet costs nothing at start-up.
    GameEngine &engine();
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

    // At a friends' table: whether the friend at `seat` is connected.
    void showFriendPresence(int seat, bool connected) { m_presenter.showPresence(seat, connected); }

public Q_SLOTS:
    void startPressed();
    void bankPressed();
    void answerChosen(int answer);
    void seatClicked(int seat);

Q_SIGNALS:
    // The window was closed: the game's timers are stopped and the menu comes back.
    void closed();
    // "Зал почёта" at the end of a game.
    void hallOfFameRequested();
    // A question of the game just played, chosen in «Вопросы этой игры» to be corrected.
    void questionEditRequested(const QString &text);

protected:
    void build() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void connectControls();
    void showGameQuestions();
    void showAnswerCue();
    void setClockUrgent(bool urgent);

    GameEngine m_engine;
    TablePresenter m_presenter{*this};
    SoundCues m_soundCues;
    QuestionsOfTheGame m_questionsPut;
    TableWidgets m_table;
    KeyboardPlay m_keyboard{*this, m_table, m_engine};
    SoundControl *m_sounds = nullptr;
    int m_narrationLines = 0;
    QString m_lastLine;  // the narration's last line that says something
    QStringList m_answerItems;
    // The last ten seconds of a round pulse in red.
    QTimer *m_clockPulse = nullptr;
    bool m_clockBright = false;
};
