#pragma once

#include "core/engine/GameEngine.h"

// Time passing in a game that runs on the event loop's timers, without waiting: the first
// of the engine's running timers fires, answers and pauses before the round clock, which
// comes first every third call (`calls` counts them), so that about two answers or pauses
// pass per second. False when no timer runs.
inline bool fireNextTimer(GameEngine &engine, int &calls)
{
    using T = GameTimers::Timer;
    const bool clockFirst = ++calls % 3 == 0;
    for (T t : {clockFirst ? T::RoundClock : T::AnswerDelay, T::AnswerDelay, T::Pause, T::RoundClock}) {
        if (!engine.timers().isActive(t))
            continue;
        switch (t) {
        case T::RoundClock: engine.clockTicked(); break;
        case T::AnswerDelay: engine.answerDelayElapsed(); break;
        case T::Pause: engine.pauseElapsed(); break;
        }
        return true;
    }
    return false;
}
