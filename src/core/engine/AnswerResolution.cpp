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
    m_view.showVerdict(answer, G.CorrectAnswer);
    if (answer == G.CorrectAnswer) {
        m_view.appendNarration(u"Верно"_s);
        G.LastAnswerRight = true;
        ++M.ChainStep;
        ShowChain();
        G.SeatRoundScore[seat] += 3;
    } else {
        m_view.appendNarration(u"Не верно!"_s);
        G.LastAnswerRight = false;
        M.ChainStep = 0;
        ShowChain();
    }
}

void GameEngine::narrateComputerAnswer(const QString &name)
{
    m_view.appendNarration(QString());
    m_view.appendNarration(name + u":"_s);
    m_view.appendNarration(m_view.answerText(G.ComputerAnswer));
    m_view.appendNarration(QString());
    m_view.appendNarration(QString());
}

void GameEngine::RadioGroup1Click()
{
    const int answer = m_view.selectedAnswer();
    if (!m_humanMayAnswer || answer < 0)
        return;
    if (M.RoundNo == 8) {
        duelHumanAnswer();
        return;
    }
    setHumanMayAnswer(false);
    if (M.TurnSeat == M.PlayerSeat) {
        judge(answer, M.PlayerSeat);
        m_view.setTimerInterval(GameView::Timer::Timer2, 1500);
        m_view.setTimerActive(GameView::Timer::Timer2, true);
    }
}

Status GameEngine::Timer2Timer()
{
    if (M.RoundNo == 8)
        return duelAnswerDelayEnded();

    if (M.TurnSeat != M.PlayerSeat) {
        m_view.setTimerActive(GameView::Timer::Timer2, false);
        narrateComputerAnswer(M.SeatNames[M.TurnSeat]);
        judge(G.ComputerAnswer, M.TurnSeat);
        PassTurn();
        m_view.setTimerInterval(GameView::Timer::Timer3, 2000);
        m_view.setTimerActive(GameView::Timer::Timer3, true);
        if (M.TurnSeat == M.PlayerSeat && G.LastAnswerRight)
            setButton2(true);
        else
            computerBankDecision();
    } else {
        // The human's answer was judged on the click; the next player may bank.
        PassTurn();
        m_view.setTimerActive(GameView::Timer::Timer2, false);
        const int r = m_random.random(50);
        if (r < 20 && G.LastAnswerRight)
            bank(M.TurnSeat, false);
        m_view.setTimerInterval(GameView::Timer::Timer3, 2000);
        m_view.setTimerActive(GameView::Timer::Timer3, true);
    }
    return Status::success();
}

void GameEngine::computerBankDecision()
{
    struct Readiness { int surelyBelow; int range; };
    // Level 0 always banks; the others bank for sure when the clock runs low.
    static constexpr Readiness table[] = {{0, 0}, {30, 50}, {25, 60}, {20, 65}, {15, 75}, {10, 80}, {7, 90}, {5, 100}};
    const int level = std::clamp(G.SeatSkill[M.TurnSeat], 0, 7);
    int r = 0;
    if (level != 0 && M.SecondsLeft >= table[level].surelyBelow)
        r = m_random.random(table[level].range);
    if (r < 20 && G.LastAnswerRight)
        bank(M.TurnSeat, true);
}

void GameEngine::bank(int seat, bool earnsPoint)
{
    m_view.appendNarration(QString());
    m_view.appendNarration(M.SeatNames[seat] + u":"_s);
    m_view.appendNarration(u"БАНК!"_s);
    const int added = chainValue(M.ChainStep);
    M.BankedSum += added;
    if (added != 0 && earnsPoint)
        G.SeatRoundScore[seat] += 1;
    M.ChainStep = 0;
    m_view.setCaption(GameView::Caption::Bank, QString::number(M.BankedSum));
    ShowChain();
}

void GameEngine::Button2Click()
{
    if (m_button2Shown)
        bank(M.TurnSeat, true);
}

void GameEngine::ShowChain()
{
    if (M.ChainStep >= 10) {
        // A completed chain banks itself, silently and without a point.
        M.BankedSum += chainValue(10);
        m_view.setCaption(GameView::Caption::Bank, QString::number(M.BankedSum));
        M.ChainStep = 0;
    }
    for (int step = 1; step <= 10; ++step)
        m_view.setChainColour(step, step == M.ChainStep ? GameView::Colour::Red : GameView::Colour::White);
}
