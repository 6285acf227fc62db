// Putting a question, the computer players' answers and the turn round the table.
#include "core/engine/GameEngine.h"

#include "core/data/LineStore.h"
#include "core/data/QuestionBase.h"
#include "core/engine/RandomSource.h"

using namespace Qt::StringLiterals;

bool GameEngine::answersRight(int level, int r)
{
    switch (level) {
    case 1: return r < 100;
    case 2: return r < 300;
    case 3: return r < 500 || r > 900;
    case 4: return r < 600 || r > 900;
    case 5: return r < 700 || r > 950;
    case 6: return r < 800 || r > 900;
    case 7: return r < 900 || r > 950;
    default: return false;
    }
}

void GameEngine::Timer3Timer()
{
    m_view.setTimerActive(GameView::Timer::Timer3, false);
    m_view.clearNarration();
    NextQuestion();
    setButton2(false);
}

void GameEngine::NextQuestion()
{
    G.CurrentQuestion = m_unasked.pickAndRecord(m_random, m_view.store(GameView::Store::ListBox2));
    m_view.clearNarration();
    const QString addressee = M.RoundNo == 8 ? G.finalist(G.DuelSide) : M.SeatNames[M.TurnSeat];
    putQuestion(G.CurrentQuestion, addressee);
    offerAnswer();
}

void GameEngine::putQuestion(int question, const QString &addressee)
{
    const QStringList &lines = m_view.store(GameView::Store::ListBox1).lines();
    const QuestionBase::Question q = QuestionBase::question(lines, M.QuestionStarts.at(question));
    m_view.appendNarration(addressee + u", "_s + q.text);
    m_view.clearAnswers();
    m_view.appendAnswer(q.first);
    m_view.appendAnswer(q.second);
    G.CorrectAnswer = q.right;
    // In the duel the finalists sit at seats 4 (A) and 5 (B).
    m_view.markAskedSeat(M.RoundNo == 8 ? 3 + G.DuelSide : M.TurnSeat);
    m_view.setVisible(GameView::Element::Answers, true);
    m_view.selectNoAnswer();
}

bool GameEngine::humanAnswers() const
{
    return M.RoundNo == 8 ? G.DuelSide == G.HumanFinalist : M.TurnSeat == M.PlayerSeat;
}

void GameEngine::offerAnswer()
{
    if (humanAnswers()) {
        setHumanMayAnswer(true);
    } else {
        setHumanMayAnswer(false);
        DrawComputerAnswer();
    }
}

int GameEngine::answeringSkill() const
{
    if (M.RoundNo != 8)
        return G.SeatSkill[M.TurnSeat];
    // In the duel no seat has the turn: the finalist is known by name.
    const QString &name = G.finalist(G.DuelSide);
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (m_state.isOccupied(seat) && M.SeatNames[seat] == name)
            return G.SeatSkill[seat];
    }
    return -1;
}

void GameEngine::DrawComputerAnswer()
{
    G.WrongAnswer = G.CorrectAnswer != 0 ? 0 : 1;
    const int level = answeringSkill();
    if (level == 0) {
        G.ComputerAnswer = G.WrongAnswer;
    } else if (level >= 1 && level <= 7) {
        const int r = m_random.random(1000);
        G.ComputerAnswer = answersRight(level, r) ? G.CorrectAnswer : G.WrongAnswer;
    }
    m_view.setTimerInterval(GameView::Timer::Timer2, 1500 + m_random.random(5000));
    m_view.setTimerActive(GameView::Timer::Timer2, true);
}

void GameEngine::PassTurn()
{
    // At most one lap: with a single occupied seat the turn comes back to it.
    for (int step = 0; step < SeatCount; ++step) {
        M.TurnSeat = M.TurnSeat % SeatCount + 1;
        if (m_state.isOccupied(M.TurnSeat))
            return;
    }
}
