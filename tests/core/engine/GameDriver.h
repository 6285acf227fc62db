#pragma once

// Plays whole games against the engine with the recording window: a small scheduler stands
// in for the event loop (each running timer is due at the time it was started plus its
// interval; the earliest due one fires), and a random human answers, banks, votes and
// presses "Начинаем" at random moments between the timer events, now and then also clicking
// things that are hidden or disabled. Used by the simulation test and the benchmarks; the
// transcript test plays on ScheduledView with a player of its own.

#include "FakeGameView.h"

#include "core/data/LineStore.h"
#include "core/engine/GameEngine.h"
#include "core/state/GameState.h"

#include <functional>
#include <random>

// A window whose timers remember when they are due, on a clock the driver moves on.
class ScheduledView : public FakeGameView
{
public:
    qint64 now = 0;  // milliseconds
    std::array<qint64, 4> due{};

    void setTimerActive(Timer t, bool active) override
    {
        FakeGameView::setTimerActive(t, active);
        if (active)
            due[int(t)] = now + interval(t);
    }
    void setTimerInterval(Timer t, int ms) override
    {
        FakeGameView::setTimerInterval(t, ms);
        if (isActive(t))
            due[int(t)] = now + ms;  // a running timer starts over with the new interval
    }

    // The running timer due first (the clock first on a tie), or 0 when none runs.
    int nextTimer() const
    {
        int next = 0;
        for (int t = 1; t <= 3; ++t) {
            if (timerActive[t] && (next == 0 || due[t] < due[next]))
                next = t;
        }
        return next;
    }
    bool anyTimer() const { return nextTimer() != 0; }
};

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
    GameDriver(GameState &state, ScheduledView &view, GameEngine &engine, unsigned humanSeed)
        : m_state(state), m_view(view), m_engine(engine), m_rng(humanSeed)
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
        m_engine.bankPressed();
        m_view.selected = 0;
        m_engine.answerChosen();
        for (int seat = 0; seat <= SeatCount + 1; ++seat)
            (void)m_engine.seatClicked(seat);
    }

    const QString &lastStatusFailure() const { return m_statusFailure; }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(m_rng) < p; }

    void note(const Status &s)
    {
        if (!s.ok())
            m_statusFailure = s.message;
    }

    bool mayAnswer() const { return m_view.answersEnabled && m_view.answersShown; }

    // One event: a human action or the earliest timer.
    bool step()
    {
        const bool answer = mayAnswer();
        const bool bank = m_view.bankOffered;
        const bool vote = m_state.vote.open;
        const bool start = m_view.startShown;
        const int timer = m_view.nextTimer();

        if (strayRate > 0 && chance(strayRate)) {
            stray(answer, vote);
            return true;
        }
        if (timer == 0 || (answer && (instantHuman || chance(0.4))) || (bank && chance(0.3))) {
            if (timer != 0)  // the human acts some time before the next tick
                m_view.now += below(int(m_view.due[timer] - m_view.now) + 1);
            return act(answer, bank, vote, start);
        }
        fire(timer);
        return true;
    }

    bool act(bool answer, bool bank, bool vote, bool start)
    {
        if (answer) {
            m_view.selected = below(2);
            m_engine.answerChosen();
        } else if (bank) {
            m_engine.bankPressed();
        } else if (vote) {
            QList<int> seats;
            for (int seat = 1; seat <= SeatCount; ++seat) {
                if (m_view.names[seat].visible && m_state.isOccupied(seat))
                    seats.append(seat);
            }
            if (seats.isEmpty())
                return false;
            note(m_engine.seatClicked(seats.at(below(int(seats.size())))));
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
                m_engine.bankPressed();
            break;
        case 2:
            if (!answer) {
                m_view.selected = below(2);
                m_engine.answerChosen();
            }
            break;
        default:
            if (!vote)
                note(m_engine.seatClicked(below(SeatCount) + 1));
            break;
        }
    }

    void fire(int timer)
    {
        m_view.now = m_view.due[timer];
        switch (timer) {
        case 1: m_engine.clockTicked(); break;
        case 2: note(m_engine.answerDelayElapsed()); break;
        default: m_engine.pauseElapsed(); break;
        }
        // A timer its handler left running ticks again one interval later.
        if (m_view.timerActive[timer] && m_view.due[timer] <= m_view.now)
            m_view.due[timer] = m_view.now + m_view.interval(GameView::Timer(timer));
    }

    GameState &m_state;
    ScheduledView &m_view;
    GameEngine &m_engine;
    std::mt19937 m_rng;
    QString m_statusFailure;
};
