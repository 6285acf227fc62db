#pragma once

#include "core/data/Status.h"
#include "core/engine/GameView.h"
#include "core/engine/UnaskedPool.h"
#include "core/state/GameState.h"

#include <QDir>
#include <QLocale>

class Clock;
class LineStore;
class RandomSource;

// The game's logic: the new game set-up, the question turn, the judging of answers with
// the money chain and the bank, the round clock, the vote and the final duel.
//
// It works on the shared state and reaches the game window only through GameView. The
// window forwards each of its events to the handler of the same name; every handler runs
// to completion. The pacing of a round is carried by the window's three timers:
//   Button1Click  starts a round (or the duel) and puts its first question;
//   a computer's answer arrives with Timer2 (1500..6499 ms), a human's with RadioGroup1Click,
//   which starts Timer2 for 1500 ms; Timer2Timer judges/passes the turn and the bank, then
//   starts Timer3 (2000 ms); Timer3Timer puts the next question;
//   Timer1Timer counts the round clock down and ends the round;
//   NameClick is the human's vote.
// Handlers that write the winners file return its Status; every other step has no failure.
class GameEngine
{
public:
    GameEngine(GameState &state, GameView &view, RandomSource &random, const Clock &clock,
               QDir dataDir = QDir::current(), QLocale locale = QLocale());

    // "Играть": sets up a new game, using `namesList` (the main menu's list) for the names
    // base. On failure nothing of the previous state changes and the window is not shown.
    Status NewGame(LineStore &namesList);

    void Button1Click();
    void Button2Click();
    void RadioGroup1Click();
    void Timer1Timer();
    [[nodiscard]] Status Timer2Timer();
    void Timer3Timer();
    [[nodiscard]] Status NameClick(int seat);
    void FormClose();

    // The chain's value at each step 0..10.
    static int chainValue(int step);
    // The skill level for a draw v of 1..100.
    static int skillLevel(int v);
    // Whether a draw r of 0..999 gives a right answer at skill `level`.
    static bool answersRight(int level, int r);

    GameState &state() { return m_state; }
    const QDir &dataDir() const { return m_dataDir; }

private:
    // Question turn
    void NextQuestion();
    void putQuestion(int question, const QString &addressee);
    void DrawComputerAnswer();
    void PassTurn();
    int answeringSkill() const;

    // Answers, chain and bank
    void judge(int answer, int seat);
    void narrateComputerAnswer(const QString &name);
    void bank(int seat, bool earnsPoint);
    void computerBankDecision();
    void ShowChain();

    // Rounds
    void startRound();
    void endRound();
    void findStrongAndWeak();

    // Vote
    void setVoteOpen(bool open);
    void EliminationVote();
    Status humanExit();

    // The human's controls, mirrored so that a stray click or key does nothing.
    void setButton1(bool visible);
    void setButton2(bool visible);
    void setHumanMayAnswer(bool mayAnswer);
    bool humanAnswers() const;
    void offerAnswer();

    // Duel
    void startDuel();
    void duelHumanAnswer();
    void judgeDuelAnswer(int answer, int side, const QString &wrongLine);
    Status duelAnswerDelayEnded();
    Status writeWinner(const QString &name, qint64 amount);

    GameState &m_state;
    MainMenuModule &M;
    GameModule &G;
    GameView &m_view;
    RandomSource &m_random;
    const Clock &m_clock;
    QDir m_dataDir;
    QLocale m_locale;
    UnaskedPool m_unasked;
    bool m_button1Shown = false;
    bool m_button2Shown = false;
    bool m_humanMayAnswer = false;
};
