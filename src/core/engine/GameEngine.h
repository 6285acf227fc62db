#pragma once

#include "core/data/Status.h"
#include "core/engine/GameSounds.h"
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
//   startPressed starts a round (or the duel) and puts its first question;
//   a computer's answer comes when the answer delay elapses (1500..6499 ms); the player's
//   answerChosen starts the answer delay for 1500 ms; answerDelayElapsed judges the answer,
//   passes the turn and the bank, then starts the pause (2000 ms); pauseElapsed puts the
//   next question;
//   clockTicked counts the round clock down and ends the round;
//   seatClicked is the player's vote.
// Handlers that write the winners file return its Status; every other step has no failure.
class GameEngine
{
public:
    GameEngine(GameState &state, GameView &view, RandomSource &random, const Clock &clock,
               QDir dataDir = QDir::current(), QLocale locale = QLocale());

    // "Играть": sets up a new game, using `namesList` (the main menu's list) for the names
    // base. On failure nothing of the previous state changes and the window is not shown.
    Status newGame(LineStore &namesList);

    void startPressed();
    void bankPressed();
    void answerChosen();
    void clockTicked();
    [[nodiscard]] Status answerDelayElapsed();
    void pauseElapsed();
    [[nodiscard]] Status seatClicked(int seat);
    void windowClosed();

    // The chain's value at each step 0..10.
    static int chainValue(int step);
    // The skill level for a draw v of 1..100.
    static int skillLevel(int v);
    // Whether a draw r of 0..999 gives a right answer at skill `level`.
    static bool answersRight(int level, int r);

    // Who hears the game's cues; none (the default) keeps the game silent. The engine does
    // not own it.
    void setSounds(GameSounds *sounds) { m_sounds = sounds; }

    GameState &state() { return m_state; }
    const QDir &dataDir() const { return m_dataDir; }

private:
    // Question turn
    void nextQuestion();
    void putQuestion(int question, const QString &addressee);
    void drawComputerAnswer();
    void passTurn();
    int answeringSkill() const;

    // Answers, chain and bank
    void judge(int answer, int seat);
    void narrateComputerAnswer(const QString &name);
    void bank(int seat, bool earnsPoint);
    void computerBankDecision();
    void showChain();

    // Rounds
    void startRound();
    void endRound();
    void findStrongAndWeak();

    // Vote
    void setVoteOpen(bool open);
    void countVotes();
    Status humanExit();

    // The human's controls, mirrored so that a stray click or key does nothing.
    void setStartButtonShown(bool visible);
    void setBankOffered(bool visible);
    void setHumanMayAnswer(bool mayAnswer);
    bool humanAnswers() const;
    void offerAnswer();

    // Duel
    void startDuel();
    void duelHumanAnswer();
    void judgeDuelAnswer(int answer, int side, const QString &wrongLine);
    Status duelAnswerDelayEnded();
    Status writeWinner(const QString &name, qint64 amount);

    void cue(GameSounds::Cue cue)
    {
        if (m_sounds)
            m_sounds->play(cue);
    }

    GameState &m_state;
    GameView &m_view;
    RandomSource &m_random;
    const Clock &m_clock;
    QDir m_dataDir;
    QLocale m_locale;
    UnaskedPool m_unasked;
    GameSounds *m_sounds = nullptr;
    bool m_startShown = false;
    bool m_bankOffered = false;
    bool m_humanMayAnswer = false;
};
