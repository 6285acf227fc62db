#pragma once

#include <vector>

class LineStore;
class RandomSource;

// The questions not yet put in the current cycle, kept so that a uniform pick among
// them costs the same whether one question is left or all of them are. It mirrors the
// store of questions already put (one decimal number per line, in the order put).
class UnaskedPool
{
public:
    // Rebuilds the pool for a base of `questionCount` questions from the store. The store is
    // emptied when the base now holds another number of questions than at the last rebuild
    // (its numbers may name other questions, or none), and when it does not fit the base
    // (more lines than questions, numbers out of range, repeats).
    void rebuild(int questionCount, LineStore &asked);

    // Draws a question not yet put, records it in the store and returns it. When every
    // question has been put the store is emptied and a new cycle starts.
    int pickAndRecord(RandomSource &random, LineStore &asked);

    int unasked() const { return m_unasked; }

private:
    std::vector<int> m_order;  // a permutation of all questions: the first m_unasked are unasked
    int m_unasked = 0;
    int m_questionCount = -1;  // the base's size at the last rebuild; -1 before the first
};
