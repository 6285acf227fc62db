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
    m_view.showVerdict(answer, m_state.round.rightAnswer);
    if (answer == m_state.round.rightAnswer) {
        m_view.appendNarration(u"Верно"_s);
        m_state.round.lastAnswerRight = true;
        ++m_state.money.chainStep;
        showChain();
        m_state.round.seatScore[seat] += 3;
        cue(GameSounds::Cue::RightAnswer);
    } else {
        m_view.appendNarration(u"Не верно!"_s);
        m_state.round.lastAnswerRight = false;
        m_state.money.chainStep = 0;
        showChain();
        cue(GameSounds::Cue::WrongAnswer);
    }
}

void GameEngine::narrateComputerAnswer(const QString &name)
{
    m_view.appendNarration(QString());
    m_view.appendNarration(name + u":"_s);
    m_view.appendNarration(m_view.answerText(m_state.round.computerAnswer));
    m_view.appendNarration(QString());
    m_view.appendNarration(QString());
}

void GameEngine::answerChosen()
{
    const int answer = m_view.selectedAnswer();
    if (!m_humanMayAnswer || answer < 0)
        return;
    if (m_state.round.number == 8) {
        duelHumanAnswer();
        return;
    }
    setHumanMayAnswer(false);
    if (m_state.round.turnSeat == m_state.table.playerSeat) {
        judge(answer, m_state.table.playerSeat);
        m_view.setTimerInterval(GameView::Timer::AnswerDelay, 1500);
        m_view.setTimerActive(GameView::Timer::AnswerDelay, true);
    }
}

Status GameEngine::answerDelayElapsed()
{
    if (m_state.round.number == 8)
        return duelAnswerDelayEnded();

    if (m_state.round.turnSeat != m_state.table.playerSeat) {
        m_view.setTimerActive(GameView::Timer::AnswerDelay, false);
        narrateComputerAnswer(m_state.table.seatNames[m_state.round.turnSeat]);
        judge(m_state.round.computerAnswer, m_state.round.turnSeat);
        passTurn();
        m_view.setTimerInterval(GameView::Timer::Pause, 2000);
        m_view.setTimerActive(GameView::Timer::Pause, true);
        if (m_state.round.turnSeat == m_state.table.playerSeat && m_state.round.lastAnswerRight)
            setBankOffered(true);
        else
            computerBankDecision();
    } else {
        // The human's answer was judged on the click; the next player may bank.
        passTurn();
        m_view.setTimerActive(GameView::Timer::AnswerDelay, false);
        const int r = m_random.random(50);
        if (r < 20 && m_state.round.lastAnswerRight)
            bank(m_state.round.turnSeat, false);
        m_view.setTimerInterval(GameView::Timer::Pause, 2000);
        m_view.setTimerActive(GameView::Timer::Pause, true);
    }
    return Status::success();
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
    m_view.appendNarration(QString());
    m_view.appendNarration(m_state.table.seatNames[seat] + u":"_s);
    m_view.appendNarration(u"БАНК!"_s);
    const int added = chainValue(m_state.money.chainStep);
    m_state.money.bankedSum += added;
    if (added != 0 && earnsPoint)
        m_state.round.seatScore[seat] += 1;
    m_state.money.chainStep = 0;
    m_view.showBank(m_state.money.bankedSum);
    showChain();
    cue(GameSounds::Cue::Banked);
}

void GameEngine::bankPressed()
{
    if (m_bankOffered)
        bank(m_state.round.turnSeat, true);
}

void GameEngine::showChain()
{
    if (m_state.money.chainStep >= 10) {
        // A completed chain banks itself, silently and without a point.
        m_state.money.bankedSum += chainValue(10);
        m_view.showBank(m_state.money.bankedSum);
        m_state.money.chainStep = 0;
    }
    m_view.markChainStep(m_state.money.chainStep);
}
