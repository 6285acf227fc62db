#pragma once

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
