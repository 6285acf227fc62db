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
    m_view.showSeatName(4, m_state.duel.finalistA);
    m_view.setSeatNameShown(4, true);
    m_view.showSeatName(5, m_state.duel.finalistB);
    m_view.setSeatNameShown(5, true);
    for (int seat : {1, 2, 3, 6, 7, 8})
        m_view.setSeatNameShown(seat, false);
    m_state.round.turnSeat = 0;
    m_state.duel.side = 1;
    m_view.appendNarration(QString());
    m_view.appendNarration(u"Мы начнем финальный раунд с вас, %1, вы вдвоем ответите на 5 пар вопросов. Выиграет тот, кто ответит на большую часть из них."_s
                               .arg(m_state.duel.finalistA));
    m_view.appendNarration(u"Если после ответов у нас выйдет ничья, то будем играть до первого промаха."_s);
    cue(GameSounds::Cue::DuelStarts);
    m_view.setScoreboardTitle(u"СЧЕТ"_s);
    m_state.duel.questionNumber = 1;
    m_state.duel.scoreA = 0;
    m_state.duel.scoreB = 0;
    m_view.showDuelScore(0, 0);
    m_view.setScoreboardShown(true);
    setStartButtonShown(false);

    m_state.round.question = m_random.random(m_state.questions.count);
    putQuestion(m_state.round.question, m_state.duel.finalistA);
    m_state.duel.playerSide = m_state.duel.finalistA == m_state.table.seatNames[m_state.table.playerSeat] ? 1 : 2;
    offerAnswer();
}

void GameEngine::judgeDuelAnswer(int answer, int side, const QString &wrongLine)
{
    m_view.showVerdict(answer, m_state.round.rightAnswer);
    if (answer == m_state.round.rightAnswer) {
        m_view.appendNarration(u"Верно"_s);
        m_state.round.lastAnswerRight = true;
        ++m_state.duel.score(side);
        m_view.showDuelScore(m_state.duel.scoreA, m_state.duel.scoreB);
        cue(GameSounds::Cue::RightAnswer);
    } else {
        m_view.appendNarration(wrongLine);
        m_state.round.lastAnswerRight = false;
        cue(GameSounds::Cue::WrongAnswer);
    }
}

void GameEngine::duelHumanAnswer()
{
    setHumanMayAnswer(false);
    judgeDuelAnswer(m_view.selectedAnswer(), m_state.duel.playerSide, u"Не верно!"_s);
    m_view.setTimerInterval(GameView::Timer::AnswerDelay, 1500);
    m_view.setTimerActive(GameView::Timer::AnswerDelay, true);
}

Status GameEngine::duelAnswerDelayEnded()
{
    m_view.setTimerActive(GameView::Timer::AnswerDelay, false);
    if (m_state.duel.over)
        return Status::success();
    if (m_state.duel.finalist(m_state.duel.side) != m_state.table.seatNames[m_state.table.playerSeat]) {
        narrateComputerAnswer(m_state.duel.finalist(m_state.duel.side));
        judgeDuelAnswer(m_state.round.computerAnswer, m_state.duel.side, u"Не верно"_s);
    }

    if (m_state.duel.side == 2 && !m_state.duel.over) {
        if (const int winner = duelWinner(m_state.duel.questionNumber, m_state.duel.scoreA, m_state.duel.scoreB)) {
            const int loser = 3 - winner;
            m_view.appendNarration(u"Ну, чтоже, сегодня в игре самым сильным звеном был %1. А вы, %2, становитесь самым слабым. И уходите отсюда ни с чем."_s
                                       .arg(m_state.duel.finalist(winner), m_state.duel.finalist(loser)));
            m_state.duel.over = true;
            m_state.round.strongestSeat = winner;
            m_state.round.weakestSeat = loser;
        }
    }

    if (!m_state.duel.over) {
        m_view.setTimerInterval(GameView::Timer::Pause, 2000);
        m_view.setTimerActive(GameView::Timer::Pause, true);
        ++m_state.duel.questionNumber;
        m_state.duel.side = m_state.duel.side == 1 ? 2 : 1;
        return Status::success();
    }

    m_view.setTimerActive(GameView::Timer::AnswerDelay, false);
    m_view.setAnswersShown(false);
    m_view.showPrize(m_state.money.prizeTotal);
    m_view.markAskedSeat(0);
    m_view.showGameOver();
    // The deciding pair left the winning side in strongestSeat.
    cue(m_state.round.strongestSeat == m_state.duel.playerSide ? GameSounds::Cue::Won : GameSounds::Cue::Lost);
    return writeWinner(m_state.duel.finalist(m_state.round.strongestSeat), m_state.money.prizeTotal);
}
