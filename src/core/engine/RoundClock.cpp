// "Начинаем", the round clock and the end of a round.
#include "core/engine/GameEngine.h"

#include "core/engine/RandomSource.h"

using namespace Qt::StringLiterals;

void GameEngine::startPressed()
{
    if (!m_startOffered)
        return;
    m_startOffered = false;
    m_state.round.seatScore.fill(0);
    if (!m_state.inDuel())
        startRound();
    else
        startDuel();
}

void GameEngine::startRound()
{
    m_state.money.chainStep = 0;
    m_state.vote.open = false;
    m_state.round.turnSeat = 1;
    m_state.money.bankedSum = 0;
    tell(&GameListener::roundStarted, m_state.round.number, m_state.round.secondsLeft, m_state.money.prizeTotal,
         m_state.table.seatNames);

    m_state.round.question = m_random.random(m_state.questions.count);

    say(u"У вас есть %1 секунд на этот раунд. Время пошло!"_s.arg(m_state.round.secondsLeft));
    m_timers->start(GameTimers::Timer::RoundClock, 1000);

    for (int step = 0; step < SeatCount && !m_state.isOccupied(m_state.round.turnSeat); ++step)
        ++m_state.round.turnSeat;

    // The first question comes from the whole base and is not recorded as put.
    putQuestion(m_state.round.question, m_state.round.turnSeat, true);
    offerAnswer();
}

void GameEngine::clockTicked()
{
    if (m_state.round.secondsLeft > 0) {
        --m_state.round.secondsLeft;
        tell(&GameListener::clockShows, m_state.round.secondsLeft);
        return;
    }
    endRound();
}

void GameEngine::findStrongAndWeak()
{
    // Ties go to the lower seat. When nobody scored, both are the lowest occupied seat
    // (never an empty one).
    int strong = 1;
    while (strong < SeatCount && !m_state.isOccupied(strong))
        ++strong;
    int best = 0;
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (m_state.round.seatScore[seat] > best) {
            strong = seat;
            best = m_state.round.seatScore[seat];
        }
    }
    m_state.round.strongestSeat = strong;

    int weak = strong;
    int lowest = m_state.round.seatScore[strong];
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (m_state.isOccupied(seat) && m_state.round.seatScore[seat] < lowest) {
            weak = seat;
            lowest = m_state.round.seatScore[seat];
        }
    }
    m_state.round.weakestSeat = weak;
}

void GameEngine::endRound()
{
    m_timers->stop(GameTimers::Timer::RoundClock);
    m_timers->stop(GameTimers::Timer::AnswerDelay);
    m_timers->stop(GameTimers::Timer::Pause);
    m_bankOffered = false;
    m_playerMayAnswer = false;
    findStrongAndWeak();
    tell(&GameListener::roundEnded, m_state.round.number);

    const QString banked = QString::number(m_state.money.bankedSum);
    if (m_state.round.number < 7) {
        m_state.money.prizeTotal += m_state.money.bankedSum;
        tell(&GameListener::prizeChanged, m_state.money.prizeTotal);

        m_state.round.pick = m_random.random(5);
        switch (m_state.round.pick) {
        case 0:
            say(u"Раунд завершился. Вы смогли положить в банк %1 рублей. Так что сумма выигрыша сейчас составляет %2 рублей."_s
                    .arg(banked, QString::number(m_state.money.prizeTotal)));
            break;
        case 1: say(u"Время кончилось. Вы напряглись и выиграли "_s + banked); break;
        case 2: say(u"Секундомер на 0. В этом раунде вы положили в банк "_s + banked); break;
        case 3: say(u"Раунд завершен. Для вас он стоил %1 рублей"_s.arg(banked)); break;
        default: say(u"На этот раз вы смогли положить в банк "_s + banked); break;
        }

        if (m_state.money.bankedSum < 1000)
            say(u"Вы смогли посмешить публику такой безобразной игрой!"_s);
        else if (m_state.money.bankedSum < 5000)
            say(u"Как говориться, СЛАБЫМ ПРИЗА НЕ ВИДАТЬ! Вы опозорились в этом раунде!"_s);
        else if (m_state.money.bankedSum < 10000)
            say(u"Вы положили в банк смешную сумму. Это совсем не по-русски. Вы сдаете свои позиции. Хватит класть в банк по 500 рублей. Не будьте шутами!"_s);
        else
            say(u"Мы рады, что вы сыграли не как цыплята. Молодцы!"_s);

        say(u"Кто же играет не так как все. Кому пришло время покинуть игровую площадку. Сейчас мы узнаем, кто на ваш взгляд самое зыбкоцепье!"_s);
        setVoteOpen(true);
        // Nobody to wait for when every person at the table is away.
        countVotesWhenAllVoted();
        return;
    }

    // Round 7: the bank counts double and the two players left meet in the final.
    m_state.money.prizeTotal += 2 * m_state.money.bankedSum;
    tell(&GameListener::prizeChanged, m_state.money.prizeTotal);
    say(u"Ну, что же. Финальный приз игры определен. Он составляет сегодня %1 рублей."_s.arg(m_state.money.prizeTotal));
    say(u"Сейчас вас ждет встреча в финале."_s);
    m_state.duel.finalistA.clear();
    m_state.duel.finalistB.clear();
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (!m_state.isOccupied(seat))
            continue;
        if (m_state.duel.finalistA.isEmpty())
            m_state.duel.finalistA = m_state.table.seatNames[seat];
        else if (m_state.duel.finalistB.isEmpty())
            m_state.duel.finalistB = m_state.table.seatNames[seat];
    }
    say(u"Сейчас вы, %1, и вы, %2 встретитесь лицом к лицу. Победит сильнейший."_s
            .arg(m_state.duel.finalistA, m_state.duel.finalistB));
    m_state.round.number = GameState::DuelRound;
    awaitStart(GameState::DuelRound);
}
