#pragma once

#include <functional>

// The moves a person at the table makes, as the friends' table passes them on to the game,
// and the one thing of the game's rules a page shows before it is told: the chain's values.
// The program makes it over its engine (EngineSeatMoves) and hands it to the table, so
// that the table's module calls the engine without carrying a copy of it.
class SeatMoves
{
public:
    virtual ~SeatMoves() = default;
    virtual void answerChosen(int seat, int answer) = 0;
    virtual void bankPressed(int seat) = 0;
    virtual void seatVoted(int seat, int votedFor) = 0;
    // Nobody is at `seat` (a computer plays it), or somebody is back.
    virtual void seatAway(int seat, bool away) = 0;
    // The person away from `seat` did not come back in time: a computer plays it for good.
    virtual void seatLeft(int seat) = 0;
    // The chain's value at step 0..10.
    virtual int chainValue(int step) const = 0;
};

// The moves as the game engine's own events. A template, so that this header needs none of
// the engine's: it is made where the engine is. The engine is looked up at each move, so
// that a window that makes its engine only when first shown need not make it before.
template <typename Engine>
class EngineSeatMoves : public SeatMoves
{
public:
    explicit EngineSeatMoves(Engine &engine) : m_engine([&engine]() -> Engine & { return engine; }) {}
    explicit EngineSeatMoves(std::function<Engine &()> engine) : m_engine(std::move(engine)) {}
    void answerChosen(int seat, int answer) override { m_engine().answerChosen(seat, answer); }
    void bankPressed(int seat) override { m_engine().bankPressed(seat); }
    void seatVoted(int seat, int votedFor) override { m_engine().seatVoted(seat, votedFor); }
    void seatAway(int seat, bool away) override { m_engine().seatAway(seat, away); }
    void seatLeft(int seat) override { m_engine().seatLeft(seat); }
    int chainValue(int step) const override { return Engine::chainValue(step); }

private:
    std::function<Engine &()> m_engine;
};
