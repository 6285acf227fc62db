#pragma once

#include "core/data/LineStore.h"
#include "core/data/Status.h"
#include "core/engine/GameListener.h"
#include "core/engine/GameTimers.h"
#include "core/engine/UnaskedPool.h"
#include "core/state/GameState.h"

#include <QDir>
#include <QList>
#include <QLocale>

#include <memory>

class Clock;
class RandomSource;

// The game's logic: the new game set-up, the question turn, the judging of answers with
// the money chain and the bank, the round clock, the vote and the final duel.
//
// It owns the game: the question base loaded for it, the questions already put, the names
// drawn (in the shared state), its timers, and the winners record it writes. It takes the
// players' moves as events and tells its listeners what happens (GameListener); it never
// asks a listener for anything. Every event and every timer runs to completion:
//   startPressed starts a round (or the duel) and puts its first question;
//   a computer's answer comes when the answer delay elapses (1500..6499 ms); the player's
//   answerChosen is judged at once and starts the answer delay for 1500 ms; when the delay
//   elapses the turn and the bank pass on, then the pause (2000 ms) stands before the next
//   question; the round clock counts down each second and ends the round;
//   seatVoted is the player's vote.
class GameEngine
{
public:
    // Without `timers` the engine runs on the event loop's own.
    GameEngine(GameState &state, RandomSource &random, const Clock &clock, QDir dataDir = QDir::current(),
               QLocale locale = QLocale(), GameTimers *timers = nullptr);

    // Who hears the game; the engine does not own them. They hear each fact in the order
    // they were added.
    void addListener(GameListener *listener) { m_listeners.append(listener); }
    void removeListener(GameListener *listener) { m_listeners.removeAll(listener); }

    // "Играть": sets up a new game, using `namesList` (the application's list) for the names
    // base. On failure nothing of the previous state changes and nothing is told.
    // `friendNames` are people at a shared table: each takes a computer's seat, drawn at
    // random (state().table.friendSeats tells which, 0 for a name already at the table).
    // At such a table the player may only run the show: a computer takes the seat drawn for
    // the player, and the player's seat is 0.
    enum class Player { Plays, RunsTheShow };
    Status newGame(LineStore &namesList, const QStringList &friendNames = {}, Player player = Player::Plays);

    // The players' moves: each is ignored when the table does not offer it to that seat.
    // Only "Начинаем" and closing the table are the host's alone.
    void startPressed();
    void bankPressed(int seat);
    void answerChosen(int seat, int answer);
    // A person's vote; the votes are counted when every person at the table has voted.
    void seatVoted(int seat, int votedFor);
    // A friend's connection was lost (`away`) or is back: meanwhile a computer plays the seat,
    // from the next question on, or at once when the seat was being asked or had to vote.
    void seatAway(int seat, bool away);
    // The friend away from `seat` did not come back in time: a computer plays it to the end.
    // When no person is left at the table, the game ends as when the player is voted off.
    void seatLeft(int seat);
    void windowClosed();

    // The timers' jobs, run when they elapse (tests may run them directly).
    void clockTicked();
    void answerDelayElapsed();
    void pauseElapsed();

    // The chain's value at each step 0..10.
    static int chainValue(int step);
    // The skill level for a draw v of 1..100.
    static int skillLevel(int v);
    // Whether a draw r of 0..999 gives a right answer at skill `level`.
    static bool answersRight(int level, int r);

    GameState &state() { return m_state; }
    const GameState &state() const { return m_state; }
    const QDir &dataDir() const { return m_dataDir; }
    GameTimers &timers() { return *m_timers; }
    // The question base as loaded for the game, and the numbers of the questions put.
    const QStringList &questionLines() const { return m_questionBase.lines(); }
    const QStringList &askedQuestions() const { return m_asked.lines(); }

private:
    template <typename Fact, typename... Args>
    void tell(Fact fact, const Args &...args)
    {
        for (GameListener *listener : std::as_const(m_listeners))
            (listener->*fact)(args...);
    }
    void say(const QString &line) { tell(&GameListener::hostSays, line); }
    void pause() { tell(&GameListener::hostPauses); }

    void timerElapsed(GameTimers::Timer timer);

    // Question turn
    void nextQuestion();
    void putQuestion(int question, int seat, bool opensRound);
    void drawComputerAnswer();
    void passTurn();
    int answeringSkill() const;
    int answeringSeat() const;

    // Answers, chain and bank
    void judge(int answer, int seat);
    void bank(int seat, bool earnsPoint);
    void computerBankDecision();
    void completeChain();

    // Rounds
    void startRound();
    void endRound();
    void findStrongAndWeak();

    // Vote
    void setVoteOpen(bool open);
    void countVotesWhenAllVoted();
    void countVotes();
    void playerLeaves();

    // The players' controls, mirrored so that a stray click or key does nothing.
    void awaitStart(int round);
    void offerBank(int seat);
    bool personAnswers() const;
    void offerAnswer();
    void seatFriends(const QStringList &friendNames, const LineStore &namesList);
    void giveComputerName(int seat, const LineStore &namesList);

    // Duel
    void startDuel();
    void judgeDuelAnswer(int answer, int side, const QString &wrongLine);
    void duelAnswerDelayEnded();
    int finalistSeat(int side) const;
    void endGame(int winnerSeat, const QString &winner, qint64 amount, bool playerWon);

    GameState &m_state;
    RandomSource &m_random;
    const Clock &m_clock;
    QDir m_dataDir;
    QLocale m_locale;
    std::unique_ptr<GameTimers> m_ownTimers;
    GameTimers *m_timers;
    QList<GameListener *> m_listeners;
    LineStore m_questionBase;
    LineStore m_asked;
    UnaskedPool m_unasked;
    bool m_over = false;             // the game has ended
    bool m_startOffered = false;
    bool m_bankOffered = false;
    bool m_playerMayAnswer = false;  // the person asked may answer now
    bool m_personAsked = false;      // the question in play waits for a person, not a computer
    PerSeat<int> m_votes{};          // each person's vote this time, 0 before they vote
};
