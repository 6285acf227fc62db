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

void GameEngine::pauseElapsed()
{
    m_view.setTimerActive(GameView::Timer::Pause, false);
    m_view.clearNarration();
    nextQuestion();
    setBankOffered(false);
}

void GameEngine::nextQuestion()
{
    m_state.round.question = m_unasked.pickAndRecord(m_random, m_view.askedList());
    m_view.clearNarration();
    const QString addressee = m_state.round.number == 8 ? m_state.duel.finalist(m_state.duel.side) : m_state.table.seatNames[m_state.round.turnSeat];
    putQuestion(m_state.round.question, addressee);
    offerAnswer();
}

void GameEngine::putQuestion(int question, const QString &addressee)
{
    const QStringList &lines = m_view.questionList().lines();
    const QuestionBase::Question q = QuestionBase::question(lines, m_state.questions.starts.at(question));
    m_view.appendNarration(addressee + u", "_s + q.text);
    m_view.clearAnswers();
    m_view.appendAnswer(q.first);
    m_view.appendAnswer(q.second);
    m_state.round.rightAnswer = q.right;
    // In the duel the finalists sit at seats 4 (A) and 5 (B).
    m_view.markAskedSeat(m_state.round.number == 8 ? 3 + m_state.duel.side : m_state.round.turnSeat);
    m_view.setAnswersShown(true);
    m_view.selectNoAnswer();
    cue(GameSounds::Cue::QuestionPut);
}

bool GameEngine::humanAnswers() const
{
    return m_state.round.number == 8 ? m_state.duel.side == m_state.duel.playerSide : m_state.round.turnSeat == m_state.table.playerSeat;
}

void GameEngine::offerAnswer()
{
    if (humanAnswers()) {
        setHumanMayAnswer(true);
    } else {
        setHumanMayAnswer(false);
        drawComputerAnswer();
    }
}

int GameEngine::answeringSkill() const
{
    if (m_state.round.number != 8)
        return m_state.table.seatSkill[m_state.round.turnSeat];
    // In the duel no seat has the turn: the finalist is known by name.
    const QString &name = m_state.duel.finalist(m_state.duel.side);
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (m_state.isOccupied(seat) && m_state.table.seatNames[seat] == name)
            return m_state.table.seatSkill[seat];
    }
    return -1;
}

void GameEngine::drawComputerAnswer()
{
    m_state.round.wrongAnswer = m_state.round.rightAnswer != 0 ? 0 : 1;
    const int level = answeringSkill();
    if (level == 0) {
        m_state.round.computerAnswer = m_state.round.wrongAnswer;
    } else if (level >= 1 && level <= 7) {
        const int r = m_random.random(1000);
        m_state.round.computerAnswer = answersRight(level, r) ? m_state.round.rightAnswer : m_state.round.wrongAnswer;
    }
    m_view.setTimerInterval(GameView::Timer::AnswerDelay, 1500 + m_random.random(5000));
    m_view.setTimerActive(GameView::Timer::AnswerDelay, true);
}

void GameEngine::passTurn()
{
    // At most one lap: with a single occupied seat the turn comes back to it.
    for (int step = 0; step < SeatCount; ++step) {
        m_state.round.turnSeat = m_state.round.turnSeat % SeatCount + 1;
        if (m_state.isOccupied(m_state.round.turnSeat))
            return;
    }
}
