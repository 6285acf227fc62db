#pragma once

#include "core/engine/RandomSource.h"

#include <QList>
#include <QtGlobal>

// Answers random(n) from a script of values; when the script runs out it falls back to a
// seeded generator. Every draw is logged with its n, so a test can check what was drawn.
class ScriptedRandom : public RandomSource
{
public:
    explicit ScriptedRandom(QList<int> script = {}, unsigned seed = 1) : m_script(std::move(script)), m_fallback(seed) {}

    void push(std::initializer_list<int> values) { m_script.append(QList<int>(values)); }
    void clear() { m_script.clear(); }
    int pending() const { return int(m_script.size()); }

    int random(int n) override
    {
        drawn.append(n);
        if (!m_script.isEmpty()) {
            const int v = m_script.takeFirst();
            Q_ASSERT_X(v >= 0 && (v < n || n == 0), "ScriptedRandom", "scripted value out of range");
            return v;
        }
        return m_fallback.random(n);
    }

    QList<int> drawn;  // the n of every draw, in order

private:
    QList<int> m_script;
    SystemRandom m_fallback;
};
