// The final duel: five pairs of questions, then sudden death.
#include "core/engine/GameEngine.h"

#include "core/engine/RandomSource.h"

using namespace Qt::StringLiterals;

namespace {

// The winning side (1 or 2) once a complete pair decides the duel, else 0.
int duelWinner(int questionNo, int a, int b)
{
    if (questionNo == 6) {
        if (a - b == 3) return 1;
        if (b - a == 3) return 2;
    } else if (questionNo == 8) {
        // One pair is left: a lead of one can still be drawn level.
        if (a - b >= 2) return 1;
        if (b - a >= 2) return 2;
    } else if (questionNo >= 10) {
        if (a > b) return 1;
        if (b > a) return 2;
    }
    return 0;
}

} // namespace

void GameEngine::startDuel()
{
    G.DuelOver = false;
    m_view.setNameCaption(4, G.FinalistA);
    m_view.setNameVisible(4, true);
    m_view.setNameCaption(5, G.FinalistB);
    m_view.setNameVisible(5, true);
    for (int seat : {1, 2, 3, 6, 7, 8})
        m_view.setNameVisible(seat, false);
    M.TurnSeat = 0;
    G.DuelSide = 1;
    m_view.appendNarration(QString());
    m_view.appendNarration(u"Мы начнем финальный раунд с вас, %1, вы вдвоем ответите на 5 пар вопросов. Выиграет тот, кто ответит на большую часть из них."_s
                               .arg(G.FinalistA));
    m_view.appendNarration(u"Если после ответов у нас выйдет ничья, то будем играть до первого промаха."_s);
    m_view.setCaption(GameView::Caption::Label1, u"СЧЕТ"_s);
    G.DuelQuestionNo = 1;
    G.DuelScoreA = 0;
    G.DuelScoreB = 0;
    m_view.setCaption(GameView::Caption::Label2, u"0:0"_s);
    m_view.setVisible(GameView::Element::Label2, true);
    setButton1(false);

    G.CurrentQuestion = m_random.random(M.QuestionCount);
    putQuestion(G.CurrentQuestion, G.FinalistA);
    G.HumanFinalist = G.FinalistA == M.SeatNames[M.PlayerSeat] ? 1 : 2;
    offerAnswer();
}

void GameEngine::judgeDuelAnswer(int answer, int side, const QString &wrongLine)
{
    m_view.showVerdict(answer, G.CorrectAnswer);
    if (answer == G.CorrectAnswer) {
        m_view.appendNarration(u"Верно"_s);
        G.LastAnswerRight = true;
        ++G.duelScore(side);
        m_view.setCaption(GameView::Caption::Label2, u"%1:%2"_s.arg(G.DuelScoreA).arg(G.DuelScoreB));
    } else {
        m_view.appendNarration(wrongLine);
        G.LastAnswerRight = false;
    }
}

void GameEngine::duelHumanAnswer()
{
    setHumanMayAnswer(false);
    judgeDuelAnswer(m_view.selectedAnswer(), G.HumanFinalist, u"Не верно!"_s);
    m_view.setTimerInterval(GameView::Timer::Timer2, 1500);
    m_view.setTimerActive(GameView::Timer::Timer2, true);
}

Status GameEngine::duelAnswerDelayEnded()
{
    m_view.setTimerActive(GameView::Timer::Timer2, false);
    if (G.DuelOver)
        return Status::success();
    if (G.finalist(G.DuelSide) != M.SeatNames[M.PlayerSeat]) {
        narrateComputerAnswer(G.finalist(G.DuelSide));
        judgeDuelAnswer(G.ComputerAnswer, G.DuelSide, u"Не верно"_s);
    }

    if (G.DuelSide == 2 && !G.DuelOver) {
        if (const int winner = duelWinner(G.DuelQuestionNo, G.DuelScoreA, G.DuelScoreB)) {
            const int loser = 3 - winner;
            m_view.appendNarration(u"Ну, чтоже, сегодня в игре самым сильным звеном был %1. А вы, %2, становитесь самым слабым. И уходите отсюда ни с чем."_s
                                       .arg(G.finalist(winner), G.finalist(loser)));
            G.DuelOver = true;
            G.StrongSeat = winner;
            G.WeakSeat = loser;
        }
    }

    if (!G.DuelOver) {
        m_view.setTimerInterval(GameView::Timer::Timer3, 2000);
        m_view.setTimerActive(GameView::Timer::Timer3, true);
        ++G.DuelQuestionNo;
        G.DuelSide = G.DuelSide == 1 ? 2 : 1;
        return Status::success();
    }

    m_view.setTimerActive(GameView::Timer::Timer2, false);
    m_view.setVisible(GameView::Element::Answers, false);
    m_view.setCaption(GameView::Caption::Summa, QString::number(M.PrizeTotal));
    m_view.markAskedSeat(0);
    m_view.showGameOver();
    return writeWinner(G.finalist(G.StrongSeat), M.PrizeTotal);
}
