#include "core/engine/EventLoopTimers.h"

namespace {
constexpr size_t RoundClock = size_t(GameTimers::Timer::RoundClock);
}

EventLoopTimers::EventLoopTimers(int speed)
    : m_speed(qMax(1, speed))
{
    m_steady.start();
    // The clock's ticks are timed one by one to their deadlines; a coarse timer may fire a
    // few milliseconds early.
    m_timers[RoundClock].setTimerType(Qt::PreciseTimer);
    m_timers[RoundClock].setSingleShot(true);
    QObject::connect(&m_timers[RoundClock], &QTimer::timeout, &m_timers[RoundClock], [this] { clockDue(); });
    for (size_t i = 0; i < size_t(Count); ++i) {
        if (i == RoundClock)
            continue;
        QObject::connect(&m_timers[i], &QTimer::timeout, &m_timers[i], [this, i] {
            if (elapsed)
                elapsed(Timer(i));
        });
    }
}

void EventLoopTimers::start(Timer timer, int milliseconds)
{
    milliseconds = qMax(1, milliseconds / m_speed);
    if (timer == Timer::RoundClock) {
        m_clockRunning = true;
        m_clockTicks.start(m_steady.elapsed(), milliseconds);
    }
    m_timers[size_t(timer)].start(milliseconds);
}

void EventLoopTimers::stop(Timer timer)
{
    if (timer == Timer::RoundClock)
        m_clockRunning = false;
    m_timers[size_t(timer)].stop();
}

bool EventLoopTimers::isActive(Timer timer) const
{
    return timer == Timer::RoundClock ? m_clockRunning : m_timers[size_t(timer)].isActive();
}

void EventLoopTimers::clockDue()
{
    // Every tick that is due, each told as a tick of its own; one of them may end the round
    // (and stop the clock), or a new round may start it afresh.
    for (int due = m_clockTicks.take(m_steady.elapsed()); due > 0 && m_clockRunning; --due) {
        if (elapsed)
            elapsed(Timer::RoundClock);
    }
    if (m_clockRunning && !m_timers[RoundClock].isActive())
        m_timers[RoundClock].start(m_clockTicks.untilNext(m_steady.elapsed()));
}
