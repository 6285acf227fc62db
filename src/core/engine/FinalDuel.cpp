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
    m_state.duel.over = false;
    m_state.round.turnSeat = 0;
    m_state.duel.side = 1;
    tell(&GameListener::finalistsSeated, finalistSeat(1), m_state.duel.finalistA, finalistSeat(2), m_state.duel.finalistB);
    pause();
    say(u"Мы начнем финальный раунд с вас, %1, вы вдвоем ответите на 5 пар вопросов. Выиграет тот, кто ответит на большую часть из них."_s
            .arg(m_state.duel.finalistA));
    say(u"Если после ответов у нас выйдет ничья, то будем играть до первого промаха."_s);
    m_state.duel.questionNumber = 1;
    m_state.duel.scoreA = 0;
    m_state.duel.scoreB = 0;
    tell(&GameListener::duelStarted);
    tell(&GameListener::duelScoreChanged, 0, 0);

    m_state.round.question = m_random.random(m_state.questions.count);
    m_state.duel.playerSide = finalistSeat(1) == m_state.table.playerSeat ? 1
                              : finalistSeat(2) == m_state.table.playerSeat ? 2 : 0;
    putQuestion(m_state.round.question, finalistSeat(1), true);
    offerAnswer();
}

void GameEngine::judgeDuelAnswer(int answer, int side, const QString &wrongLine)
{
    m_playerMayAnswer = false;
    const bool right = answer == m_state.round.rightAnswer;
    m_state.round.lastAnswerRight = right;
    if (right)
        ++m_state.duel.score(side);
    GameListener::Verdict verdict;
    verdict.seat = finalistSeat(side);
    verdict.chosen = answer;
    verdict.right = m_state.round.rightAnswer;
    verdict.hostWord = right ? u"Верно"_s : wrongLine;
    verdict.duel = true;
    verdict.scoreA = m_state.duel.scoreA;
    verdict.scoreB = m_state.duel.scoreB;
    tell(&GameListener::answerJudged, verdict);
}

void GameEngine::duelAnswerDelayEnded()
{
    m_timers->stop(GameTimers::Timer::AnswerDelay);
    if (m_state.duel.over)
        return;
    if (!m_personAsked)
        judgeDuelAnswer(m_state.round.computerAnswer, m_state.duel.side, u"Не верно"_s);

    int winner = 0;
    if (m_state.duel.side == 2)
        winner = duelWinner(m_state.duel.questionNumber, m_state.duel.scoreA, m_state.duel.scoreB);
    if (!winner) {
        m_timers->start(GameTimers::Timer::Pause, 2000);
        ++m_state.duel.questionNumber;
        m_state.duel.side = m_state.duel.side == 1 ? 2 : 1;
        return;
    }

    const int loser = 3 - winner;
    say(u"Ну, чтоже, сегодня в игре самым сильным звеном был %1. А вы, %2, становитесь самым слабым. И уходите отсюда ни с чем."_s
            .arg(m_state.duel.finalist(winner), m_state.duel.finalist(loser)));
    m_state.duel.over = true;
    m_state.duel.winnerSide = winner;
    endGame(finalistSeat(winner), m_state.duel.finalist(winner), m_state.money.prizeTotal,
            winner == m_state.duel.playerSide);
}
