#pragma once

#include "core/engine/GameTimers.h"

#include <QtGlobal>

#include <array>

// The game's timers on a clock the test moves on: each running timer is due at the time it
// was started plus its interval, and fires only when the test says so.
class TestTimers : public GameTimers
{
public:
    qint64 now = 0;  // milliseconds
    std::array<bool, Count> active{};
    std::array<int, Count> intervals{};
    std::array<qint64, Count> due{};

    void start(Timer t, int ms) override
    {
        active[size_t(t)] = true;
        intervals[size_t(t)] = ms;
        due[size_t(t)] = now + ms;
    }
    void stop(Timer t) override { active[size_t(t)] = false; }
    bool isActive(Timer t) const override { return active[size_t(t)]; }
    int interval(Timer t) const { return intervals[size_t(t)]; }

    // The running timer due first (the round clock first on a tie), or none.
    bool next(Timer &t) const
    {
        int found = -1;
        for (int i = 0; i < Count; ++i) {
            if (active[size_t(i)] && (found < 0 || due[size_t(i)] < due[size_t(found)]))
                found = i;
        }
        if (found >= 0)
            t = Timer(found);
        return found >= 0;
    }
    bool anyActive() const
    {
        Timer t;
        return next(t);
    }

    // Moves the clock on to when `t` is due and fires it; a timer left running ticks again
    // one interval later.
    void fire(Timer t)
    {
        now = qMax(now, due[size_t(t)]);
        if (elapsed)
            elapsed(t);
        if (active[size_t(t)] && due[size_t(t)] <= now)
            due[size_t(t)] = now + intervals[size_t(t)];
    }
    // Fires the timer due first; false when none runs.
    bool fireNext()
    {
        Timer t;
        if (!next(t))
            return false;
        fire(t);
        return true;
    }
};
