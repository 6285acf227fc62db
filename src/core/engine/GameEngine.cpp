#include "core/engine/GameEngine.h"

#include "core/data/DataFiles.h"
#include "core/data/WinnersFile.h"
#include "core/engine/Clock.h"
#include "core/engine/EventLoopTimers.h"
#include "core/engine/RandomSource.h"

GameEngine::GameEngine(GameState &state, RandomSource &random, const Clock &clock, QDir dataDir, QLocale locale,
                       GameTimers *timers)
    : m_state(state)
    , m_random(random)
    , m_clock(clock)
    , m_dataDir(std::move(dataDir))
    , m_locale(std::move(locale))
    , m_ownTimers(timers ? nullptr : std::make_unique<EventLoopTimers>())
    , m_timers(timers ? timers : m_ownTimers.get())
{
    m_timers->elapsed = [this](GameTimers::Timer timer) { timerElapsed(timer); };
}

void GameEngine::timerElapsed(GameTimers::Timer timer)
{
    switch (timer) {
    case GameTimers::Timer::RoundClock: clockTicked(); break;
    case GameTimers::Timer::AnswerDelay: answerDelayElapsed(); break;
    case GameTimers::Timer::Pause: pauseElapsed(); break;
    }
}

void GameEngine::windowClosed()
{
    m_timers->stop(GameTimers::Timer::RoundClock);
    m_timers->stop(GameTimers::Timer::AnswerDelay);
    m_timers->stop(GameTimers::Timer::Pause);
    // A game left cannot be resumed and the next one loads the base afresh: its copy is
    // released now, while the player is back in the menu, rather than when "Играть" is
    // pressed again.
    m_questionBase.clear();
}

void GameEngine::seatAway(int seat, bool away)
{
    if (!m_state.table.friendSeats.contains(seat) || m_state.table.away[seat] == away)
        return;
    m_state.table.away[seat] = away;
    if (!away)
        return;
    // A computer takes over what was waiting for this person.
    if (m_playerMayAnswer && answeringSeat() == seat) {
        m_playerMayAnswer = false;
        m_personAsked = false;
        drawComputerAnswer();
    }
    if (m_state.vote.open)
        countVotesWhenAllVoted();
}

void GameEngine::seatLeft(int seat)
{
    if (!m_state.table.friendSeats.contains(seat) || m_state.table.left[seat])
        return;
    seatAway(seat, true);
    const bool personWasSeated = m_state.anyPersonSeated();
    m_state.table.left[seat] = true;
    if (m_over || !personWasSeated || m_state.anyPersonSeated())
        return;
    // Nobody plays any more: whatever was under way stops, and the game ends as it does
    // for a player voted off.
    m_timers->stop(GameTimers::Timer::RoundClock);
    m_timers->stop(GameTimers::Timer::AnswerDelay);
    m_timers->stop(GameTimers::Timer::Pause);
    m_playerMayAnswer = false;
    m_personAsked = false;
    if (m_bankOffered)
        offerBank(0);
    playerLeaves();
}

void GameEngine::awaitStart(int round)
{
    m_startOffered = true;
    tell(&GameListener::startAwaited, round);
}

void GameEngine::offerBank(int seat)
{
    m_bankOffered = seat != 0;
    tell(&GameListener::bankOffered, seat);
}

void GameEngine::endGame(int winnerSeat, const QString &winner, qint64 amount, bool playerWon)
{
    m_over = true;
    m_startOffered = false;
    tell(&GameListener::gameOver, GameListener::Ending{winner, amount, playerWon, winnerSeat});
    // The record goes through a buffer of its own, in the winners file's own encoding.
    LineStore buffer;
    const QString path = DataFiles::path(m_dataDir, QString::fromLatin1(DataFiles::WinnersFile));
    if (Status s = WinnersFile::appendRecord(buffer, path, winner, amount, m_clock.now(), m_locale); !s)
        tell(&GameListener::failed, s);
}
