#pragma once

#include <random>

// random(n): a uniform whole number 0..n-1. One generator, seeded once from real
// entropy, serves the whole program; tests replace it with a scripted sequence.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual int random(int n) = 0;
};

class SystemRandom final : public RandomSource
{
public:
    SystemRandom() : m_engine(std::random_device{}()) {}
    explicit SystemRandom(unsigned seed) : m_engine(seed) {}
    int random(int n) override
    {
        if (n <= 1)
            return 0;
        return std::uniform_int_distribution<int>(0, n - 1)(m_engine);
    }

private:
    std::mt19937 m_engine;
};
