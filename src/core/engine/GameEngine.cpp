#include "core/engine/GameEngine.h"

#include "core/data/DataFiles.h"
#include "core/data/WinnersFile.h"
#include "core/engine/Clock.h"
#include "core/engine/RandomSource.h"

GameEngine::GameEngine(GameState &state, GameView &view, RandomSource &random, const Clock &clock, QDir dataDir,
                       QLocale locale)
    : m_state(state)
    , m_view(view)
    , m_random(random)
    , m_clock(clock)
    , m_dataDir(std::move(dataDir))
    , m_locale(std::move(locale))
{
}

void GameEngine::windowClosed()
{
    m_view.setTimerActive(GameView::Timer::RoundClock, false);
    m_view.setTimerActive(GameView::Timer::AnswerDelay, false);
    m_view.setTimerActive(GameView::Timer::Pause, false);
    // A game left cannot be resumed and the next one loads the base afresh: its copy is
    // released now, while the player is back in the menu, rather than when "Играть" is
    // pressed again.
    m_view.questionList().clear();
}

void GameEngine::setStartButtonShown(bool visible)
{
    m_startShown = visible;
    m_view.setStartButtonShown(visible);
}

void GameEngine::setBankOffered(bool visible)
{
    m_bankOffered = visible;
    m_view.offerBank(visible);
}

void GameEngine::setHumanMayAnswer(bool mayAnswer)
{
    m_humanMayAnswer = mayAnswer;
    m_view.setAnswersEnabled(mayAnswer);
}

Status GameEngine::writeWinner(const QString &name, qint64 amount)
{
    const QString path = DataFiles::path(m_dataDir, QString::fromLatin1(DataFiles::WinnersFile));
    return WinnersFile::appendRecord(m_view.questionList(), path, name, amount, m_clock.now(),
                                     m_locale);
}
