#pragma once

#include <QTimer>

#include <array>
#include <functional>

// The game's three timers, by their job: the round clock ticks each second; the answer
// delay brings a computer's answer, or the turn after the player's; the pause stands
// between a verdict and the next question. The engine starts and stops them and hears
// them elapse; tests replace them with timers they fire themselves.
class GameTimers
{
public:
    enum class Timer { RoundClock, AnswerDelay, Pause };
    static constexpr int Count = 3;

    virtual ~GameTimers() = default;
    // Starts `timer` afresh: it elapses every `milliseconds` until stopped.
    virtual void start(Timer timer, int milliseconds) = 0;
    virtual void stop(Timer timer) = 0;
    virtual bool isActive(Timer timer) const = 0;

    // Called each time a timer elapses; set by the engine.
    std::function<void(Timer)> elapsed;
};

// The timers of the event loop.
class EventLoopTimers final : public GameTimers
{
public:
    EventLoopTimers()
    {
        // The round clock keeps to the second: a coarse timer may fire a few milliseconds
        // early each time, and a round of 150 ticks came out 0.2 s short.
        m_timers[0].setTimerType(Qt::PreciseTimer);
        for (int i = 0; i < Count; ++i) {
            QObject::connect(&m_timers[size_t(i)], &QTimer::timeout, &m_timers[size_t(i)], [this, i] {
                if (elapsed)
                    elapsed(Timer(i));
            });
        }
    }
    void start(Timer timer, int milliseconds) override { m_timers[size_t(timer)].start(milliseconds); }
    void stop(Timer timer) override { m_timers[size_t(timer)].stop(); }
    bool isActive(Timer timer) const override { return m_timers[size_t(timer)].isActive(); }
    const QTimer &timer(Timer timer) const { return m_timers[size_t(timer)]; }

private:
    std::array<QTimer, Count> m_timers;
};
