#pragma once

#include "core/engine/GameTimers.h"
#include "core/engine/SteadyTicks.h"

#include <QElapsedTimer>
#include <QTimer>

#include <array>

// The game's timers on the event loop. The round clock keeps to a steady deadline: each
// tick is scheduled for its own second counted from the round's start, and a tick that
// comes late (a busy machine, a stalled event loop) is followed at once by the ticks it
// missed, so the clock shows the true time left and a round lasts its seconds under any
// load.
class EventLoopTimers final : public GameTimers
{
public:
    // `speed` > 1 runs every timer that many times faster (the friends' test host).
    explicit EventLoopTimers(int speed = 1);

    void start(Timer timer, int milliseconds) override;
    void stop(Timer timer) override;
    bool isActive(Timer timer) const override;
    const QTimer &timer(Timer timer) const { return m_timers[size_t(timer)]; }

private:
    void clockDue();

    std::array<QTimer, Count> m_timers;
    QElapsedTimer m_steady;
    SteadyTicks m_clockTicks;
    bool m_clockRunning = false;
    int m_speed = 1;
};
