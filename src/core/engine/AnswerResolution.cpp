// Judging answers in the rounds, the money chain and the bank.
#include "core/engine/GameEngine.h"

#include "core/engine/RandomSource.h"

using namespace Qt::StringLiterals;

int GameEngine::chainValue(int step)
{
    static constexpr int values[] = {0, 500, 1000, 2000, 3000, 5000, 10000, 15000, 20000, 30000, 50000};
    return step >= 0 && step <= 10 ? values[step] : 0;
}

void GameEngine::judge(int answer, int seat)
{
    m_playerMayAnswer = false;
    const bool right = answer == m_state.round.rightAnswer;
    m_state.round.lastAnswerRight = right;
    if (right) {
        ++m_state.money.chainStep;
        m_state.round.seatScore[seat] += 3;
        completeChain();
    } else {
        m_state.money.chainStep = 0;
    }
    GameListener::Verdict verdict;
    verdict.seat = seat;
    verdict.chosen = answer;
    verdict.right = m_state.round.rightAnswer;
    verdict.hostWord = right ? u"Верно"_s : u"Не верно!"_s;
    verdict.chainStep = m_state.money.chainStep;
    verdict.bank = m_state.money.bankedSum;
    tell(&GameListener::answerJudged, verdict);
}

void GameEngine::answerChosen(int seat, int answer)
{
    if (!m_playerMayAnswer || seat != answeringSeat() || (answer != 0 && answer != 1))
        return;
    if (m_state.inDuel()) {
        judgeDuelAnswer(answer, m_state.duel.side, u"Не верно!"_s);
    } else {
        judge(answer, seat);
    }
    m_timers->start(GameTimers::Timer::AnswerDelay, 1500);
}

void GameEngine::answerDelayElapsed()
{
    if (m_state.inDuel()) {
        duelAnswerDelayEnded();
        return;
    }

    if (!m_personAsked) {
        m_timers->stop(GameTimers::Timer::AnswerDelay);
        judge(m_state.round.computerAnswer, m_state.round.turnSeat);
        passTurn();
        m_timers->start(GameTimers::Timer::Pause, 2000);
        if (m_state.personPlays(m_state.round.turnSeat) && m_state.round.lastAnswerRight)
            offerBank(m_state.round.turnSeat);
        else
            computerBankDecision();
    } else {
        // A person's answer was judged as it came; the next player may bank: a person is
        // offered the bank, a computer takes it by chance, without a point.
        passTurn();
        m_timers->stop(GameTimers::Timer::AnswerDelay);
        const int r = m_random.random(50);
        if (m_state.personPlays(m_state.round.turnSeat)) {
            if (m_state.round.lastAnswerRight)
                offerBank(m_state.round.turnSeat);
        } else if (r < 20 && m_state.round.lastAnswerRight) {
            bank(m_state.round.turnSeat, false);
        }
        m_timers->start(GameTimers::Timer::Pause, 2000);
    }
}

void GameEngine::computerBankDecision()
{
    struct Readiness { int surelyBelow; int range; };
    // Level 0 always banks; the others bank for sure when the clock runs low.
    static constexpr Readiness table[] = {{0, 0}, {30, 50}, {25, 60}, {20, 65}, {15, 75}, {10, 80}, {7, 90}, {5, 100}};
    const int level = std::clamp(m_state.table.seatSkill[m_state.round.turnSeat], 0, 7);
    int r = 0;
    if (level != 0 && m_state.round.secondsLeft >= table[level].surelyBelow)
        r = m_random.random(table[level].range);
    if (r < 20 && m_state.round.lastAnswerRight)
        bank(m_state.round.turnSeat, true);
}

void GameEngine::bank(int seat, bool earnsPoint)
{
    const int added = chainValue(m_state.money.chainStep);
    m_state.money.bankedSum += added;
    if (added != 0 && earnsPoint)
        m_state.round.seatScore[seat] += 1;
    m_state.money.chainStep = 0;
    tell(&GameListener::banked, seat, m_state.money.bankedSum);
}

void GameEngine::bankPressed(int seat)
{
    if (m_bankOffered && seat == m_state.round.turnSeat && m_state.personPlays(seat))
        bank(m_state.round.turnSeat, true);
}

void GameEngine::completeChain()
{
    if (m_state.money.chainStep >= 10) {
        // A completed chain banks itself, silently and without a point.
        m_state.money.bankedSum += chainValue(10);
        m_state.money.chainStep = 0;
    }
}
