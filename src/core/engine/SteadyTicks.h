#pragma once

#include <QtGlobal>

// A clock that ticks every period from its start, on a steady clock: it counts the ticks that
// are due by a moment, however late that moment comes, and says when the next one is due. A
// tick the event loop delivers late therefore never shifts the ones after it, and a stall of
// several periods counts all the ticks it swallowed.
class SteadyTicks
{
public:
    void start(qint64 nowMs, int periodMs)
    {
        m_startMs = nowMs;
        m_periodMs = qMax(1, periodMs);
        m_counted = 0;
    }

    // The ticks due by `nowMs` that were not counted yet; they count from now on.
    int take(qint64 nowMs)
    {
        const qint64 due = qMax<qint64>(0, nowMs - m_startMs) / m_periodMs;
        const qint64 fresh = qMax<qint64>(0, due - m_counted);
        m_counted += fresh;
        return int(fresh);
    }

    // Milliseconds from `nowMs` until the next tick is due (at least 1).
    int untilNext(qint64 nowMs) const
    {
        return int(qMax<qint64>(1, m_startMs + (m_counted + 1) * m_periodMs - nowMs));
    }

private:
    qint64 m_startMs = 0;
    int m_periodMs = 1000;
    qint64 m_counted = 0;
};
