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
    m_timers->stop(GameTimers::Timer::Pause);
    nextQuestion();
    offerBank(0);
}

void GameEngine::nextQuestion()
{
    m_state.round.question = m_unasked.pickAndRecord(m_random, m_asked);
    putQuestion(m_state.round.question, answeringSeat(), false);
    offerAnswer();
}

int GameEngine::finalistSeat(int side) const
{
    const QString &name = m_state.duel.finalist(side);
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (m_state.isOccupied(seat) && m_state.table.seatNames[seat] == name)
            return seat;
    }
    return 0;
}

int GameEngine::answeringSeat() const
{
    // In the duel no seat has the turn: the finalist is known by name.
    return m_state.inDuel() ? finalistSeat(m_state.duel.side) : m_state.round.turnSeat;
}

void GameEngine::putQuestion(int question, int seat, bool opensRound)
{
    const QuestionBase::Question q = QuestionBase::question(m_questionBase.lines(), m_state.questions.starts.at(question));
    m_state.round.rightAnswer = q.right;
    const QString name = m_state.inDuel() ? m_state.duel.finalist(m_state.duel.side) : m_state.table.seatNames[seat];
    tell(&GameListener::questionPut, GameListener::Question{seat, name, q.text, {q.first, q.second}, opensRound, q.right});
}

bool GameEngine::personAnswers() const
{
    return m_state.personPlays(answeringSeat());
}

void GameEngine::offerAnswer()
{
    m_personAsked = personAnswers();
    m_playerMayAnswer = m_personAsked;
    tell(&GameListener::answerAwaited, answeringSeat());
    if (!m_personAsked)
        drawComputerAnswer();
}

int GameEngine::answeringSkill() const
{
    const int seat = answeringSeat();
    return seat != 0 ? m_state.table.seatSkill[seat] : -1;
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
    m_timers->start(GameTimers::Timer::AnswerDelay, 1500 + m_random.random(5000));
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
