#include "core/engine/GameEngine.h"

#include "core/data/DataFiles.h"
#include "core/data/WinnersFile.h"
#include "core/engine/Clock.h"
#include "core/engine/RandomSource.h"

GameEngine::GameEngine(GameState &state, GameView &view, RandomSource &random, const Clock &clock, QDir dataDir,
                       QLocale locale)
    : m_state(state)
    , M(state.uMainMenu)
    , G(state.uGame)
    , m_view(view)
    , m_random(random)
    , m_clock(clock)
    , m_dataDir(std::move(dataDir))
    , m_locale(std::move(locale))
{
}

void GameEngine::FormClose()
{
    m_view.setTimerActive(GameView::Timer::Timer1, false);
    m_view.setTimerActive(GameView::Timer::Timer2, false);
    m_view.setTimerActive(GameView::Timer::Timer3, false);
    // A game left cannot be resumed and the next one loads the base afresh: its copy is
    // released now, while the player is back in the menu, rather than when "Играть" is
    // pressed again.
    m_view.store(GameView::Store::ListBox1).clear();
}

void GameEngine::setButton1(bool visible)
{
    m_button1Shown = visible;
    m_view.setVisible(GameView::Element::Button1, visible);
}

void GameEngine::setButton2(bool visible)
{
    m_button2Shown = visible;
    m_view.setVisible(GameView::Element::Button2, visible);
}

void GameEngine::setHumanMayAnswer(bool mayAnswer)
{
    m_humanMayAnswer = mayAnswer;
    m_view.setAnswersEnabled(mayAnswer);
}

Status GameEngine::writeWinner(const QString &name, qint64 amount)
{
    const QString path = DataFiles::path(m_dataDir, QString::fromLatin1(DataFiles::WinnersFile));
    return WinnersFile::appendRecord(m_view.store(GameView::Store::ListBox1), path, name, amount, m_clock.now(),
                                     m_locale);
}
