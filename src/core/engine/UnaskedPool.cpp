#include "core/engine/UnaskedPool.h"

#include "core/data/LineStore.h"
#include "core/engine/RandomSource.h"

void UnaskedPool::rebuild(int questionCount, LineStore &asked)
{
    std::vector<char> put(size_t(std::max(questionCount, 0)), 0);
    bool fits = (m_questionCount < 0 || m_questionCount == questionCount) && asked.count() <= questionCount;
    m_questionCount = questionCount;
    for (int i = 0; fits && i < asked.count(); ++i) {
        bool ok = false;
        const int q = asked.at(i).toInt(&ok);
        fits = ok && q >= 0 && q < questionCount && !put[size_t(q)];
        if (fits)
            put[size_t(q)] = 1;
    }
    if (!fits) {
        asked.clear();
        std::fill(put.begin(), put.end(), 0);
    }
    m_order.clear();
    m_order.reserve(put.size());
    for (int q = 0; q < questionCount; ++q) {
        if (!put[size_t(q)])
            m_order.push_back(q);
    }
    m_unasked = int(m_order.size());
    for (int q = 0; q < questionCount; ++q) {
        if (put[size_t(q)])
            m_order.push_back(q);
    }
}

int UnaskedPool::pickAndRecord(RandomSource &random, LineStore &asked)
{
    if (m_unasked == 0) {
        asked.clear();
        m_unasked = int(m_order.size());
    }
    const int i = random.random(m_unasked);
    const int question = m_order[size_t(i)];
    std::swap(m_order[size_t(i)], m_order[size_t(m_unasked - 1)]);
    --m_unasked;
    asked.append(QString::number(question));
    return question;
}
