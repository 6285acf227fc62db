#pragma once

#include <cstdint>
#include <random>

// random(n): a uniform whole number 0..n-1. One generator serves the whole program; tests
// replace it with a scripted sequence.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual int random(int n) = 0;
};

// The program's draws: the Mersenne Twister from a seed (by default from real entropy), its
// numbers brought to 0..n-1 by multiplying and keeping the high half, drawing again in the
// rare case that would favour some values. The folding is written out here rather than
// left to a standard library's distribution, whose results each library chooses for itself:
// so a seed plays the same game with any compiler, and the game tests play from a seed is
// the one `--seed` plays.
class SystemRandom final : public RandomSource
{
public:
    SystemRandom() : m_engine(std::random_device{}()) {}
    explicit SystemRandom(unsigned seed) : m_engine(seed) {}
    int random(int n) override
    {
        if (n <= 1)
            return 0;
        const auto range = std::uint32_t(n);
        std::uint64_t product = draw() * range;
        if (std::uint32_t(product) < range) {
            const std::uint32_t biased = std::uint32_t(-range) % range;
            while (std::uint32_t(product) < biased)
                product = draw() * range;
        }
        return int(product >> 32);
    }

private:
    std::uint64_t draw() { return std::uint32_t(m_engine()); }

    std::mt19937 m_engine;
};
