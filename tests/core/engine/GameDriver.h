#pragma once

// Plays whole games against the engine on the recording table screen: the test's timers
// stand in for the event loop (the earliest due one fires), and a random human answers,
// banks, votes and presses "Начинаем" at random moments between the timer events, now and
// then also clicking things that are hidden or disabled. Used by the simulation test and
// the benchmarks; the transcript test plays with a player of its own.

#include "FakeTableScreen.h"
#include "TestTimers.h"

#include "core/engine/GameEngine.h"
#include "core/state/GameState.h"

#include <functional>
#include <random>

struct GameOutcome
{
    int events = 0;
    bool duelDecided = false;
    bool humanOut = false;
    QString failure;  // empty when every check held
};

class GameDriver
{
public:
    GameDriver(GameState &state, FakeTableScreen &view, TestTimers &timers, GameEngine &engine, unsigned humanSeed)
        : m_state(state), m_view(view), m_timers(timers), m_engine(engine), m_rng(humanSeed)
    {
    }

    // Stray clicks on hidden or disabled controls, per event; 0 turns them off.
    double strayRate = 0.02;
    // The human answers at once, before any timer fires (a computer-like player).
    bool instantHuman = false;

    // DuelOver keeps its value from the last game until the duel starts (which hides
    // "Начинаем"), so it counts only once the duel is under way.
    bool duelDecided() const
    {
        return m_state.round.number == 8 && m_state.duel.over
               && !m_view.startShown;
    }
    bool humanOut() const { return m_state.round.number != 0 && !m_state.humanSeated(); }
    bool gameOver() const { return duelDecided() || humanOut(); }

    // Plays from the current state until `stop` holds or the game is over. `check` runs
    // after every event; a non-empty answer stops the play as a failure.
    GameOutcome play(int maxEvents, const std::function<QString()> &check = {},
                     const std::function<bool()> &stop = {})
    {
        GameOutcome out;
        while (!gameOver() && !(stop && stop())) {
            if (out.events >= maxEvents) {
                out.failure = QStringLiteral("no end after %1 events").arg(out.events);
                return out;
            }
            if (!step()) {
                out.failure = QStringLiteral("stuck: no timer runs and the human can do nothing");
                return out;
            }
            ++out.events;
            if (check) {
                if (QString broken = check(); !broken.isEmpty()) {
                    out.failure = broken;
                    return out;
                }
            }
        }
        out.duelDecided = duelDecided();
        out.humanOut = humanOut();
        return out;
    }

    // Every control of the window once, as a player clicking about would; the game must not react.
    void clickEverything()
    {
        m_engine.startPressed();
        m_engine.bankPressed(m_engine.state().table.playerSeat);
        m_engine.answerChosen(m_state.table.playerSeat, 0);
        for (int seat = 0; seat <= SeatCount + 1; ++seat)
            m_engine.seatVoted(m_state.table.playerSeat, seat);
    }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(m_rng) < p; }

    bool mayAnswer() const { return m_view.answersEnabled && m_view.answersShown; }

    // One event: a human action or the earliest timer.
    bool step()
    {
        const bool answer = mayAnswer();
        const bool bank = m_view.bankOffered;
        const bool vote = m_state.vote.open;
        const bool start = m_view.startShown;
        GameTimers::Timer timer;
        const bool timerRuns = m_timers.next(timer);

        if (strayRate > 0 && chance(strayRate)) {
            stray(answer, vote);
            return true;
        }
        if (!timerRuns || (answer && (instantHuman || chance(0.4))) || (bank && chance(0.3))) {
            if (timerRuns)  // the human acts some time before the next tick
                m_timers.now += below(int(m_timers.due[size_t(timer)] - m_timers.now) + 1);
            return act(answer, bank, vote, start);
        }
        m_timers.fire(timer);
        return true;
    }

    bool act(bool answer, bool bank, bool vote, bool start)
    {
        if (answer) {
            m_engine.answerChosen(m_state.table.playerSeat, below(2));
        } else if (bank) {
            m_engine.bankPressed(m_engine.state().table.playerSeat);
        } else if (vote) {
            QList<int> seats;
            for (int seat = 1; seat <= SeatCount; ++seat) {
                if (m_view.names[seat].visible && m_state.isOccupied(seat))
                    seats.append(seat);
            }
            if (seats.isEmpty())
                return false;
            m_engine.seatVoted(m_state.table.playerSeat, seats.at(below(int(seats.size()))));
        } else if (start) {
            m_engine.startPressed();
        } else {
            return false;
        }
        return true;
    }

    void stray(bool answer, bool vote)
    {
        switch (below(4)) {
        case 0:
            if (!m_view.startShown)
                m_engine.startPressed();
            break;
        case 1:
            if (!m_view.bankOffered)
                m_engine.bankPressed(m_engine.state().table.playerSeat);
            break;
        case 2:
            if (!answer)
                m_engine.answerChosen(m_state.table.playerSeat, below(2));
            break;
        default:
            if (!vote)
                m_engine.seatVoted(m_state.table.playerSeat, below(SeatCount) + 1);
            break;
        }
    }

    GameState &m_state;
    FakeTableScreen &m_view;
    TestTimers &m_timers;
    GameEngine &m_engine;
    std::mt19937 m_rng;
};
