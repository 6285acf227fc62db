// The vote after rounds 1 to 6, and the human's exit when voted off.
#include "core/engine/GameEngine.h"

#include "core/engine/RandomSource.h"

using namespace Qt::StringLiterals;

Status GameEngine::seatClicked(int seat)
{
    if (!m_state.vote.open || seat < 1 || seat > SeatCount || !m_state.isOccupied(seat))
        return Status::success();
    m_state.vote.counts.fill(0);
    m_state.vote.counts[seat] = 1;
    m_state.vote.votedSeat = seat;
    countVotes();
    if (!m_state.isOccupied(m_state.table.playerSeat))
        return humanExit();
    return Status::success();
}

void GameEngine::setVoteOpen(bool open)
{
    m_state.vote.open = open;
    m_view.setVoteOpen(open);
}

void GameEngine::countVotes()
{
    setVoteOpen(false);
    for (int seat = 1; seat <= SeatCount; ++seat) {
        m_view.showSeatVotes(seat, QString());
        m_view.setSeatVotesShown(seat, true);
    }

    // Every computer player votes for another occupied seat, at random.
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (seat == m_state.table.playerSeat || !m_state.isOccupied(seat)) {
            m_view.showSeatVotes(m_state.table.playerSeat, m_state.table.seatNames[m_state.vote.votedSeat]);
            continue;
        }
        int choice;
        do {
            choice = m_random.random(SeatCount) + 1;
        } while (!m_state.isOccupied(choice) || m_state.table.seatNames[choice] == m_state.table.seatNames[seat]);
        ++m_state.vote.counts[choice];
        m_view.showSeatVotes(seat, m_state.table.seatNames[choice]);
    }

    int most = 0;
    int holders = 0;
    int leader = 0;
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (m_state.vote.counts[seat] > most) {
            most = m_state.vote.counts[seat];
            holders = 1;
            leader = seat;
        } else if (m_state.vote.counts[seat] == most && most > 0) {
            ++holders;
        }
    }

    const QString strong = m_state.table.seatNames[m_state.round.strongestSeat];
    const QString weak = m_state.table.seatNames[m_state.round.weakestSeat];
    m_view.clearNarration();
    m_view.appendNarration(QString());
    m_state.round.pick = m_random.random(4);
    switch (m_state.round.pick) {
    case 0:
        m_view.appendNarration(u"Для общей обстановки сообщу, что по статистике Сильным звеном этого раунда стал игрок %1, а слабым %2"_s
                                   .arg(strong, weak));
        break;
    case 1:
        m_view.appendNarration(u"Ваше мнение может не совпадать с мнением статистики, но самый слабый игрок - это %1."_s.arg(weak));
        break;
    case 2:
        m_view.appendNarration(u"Узнайте, что по статистике сильным звеном раунда стал игрок %1, а слабым %2"_s.arg(strong, weak));
        break;
    default:
        m_view.appendNarration(u"В этом раунде лучше всех сыграл игрок %1, а хуже всех, да еще просто ужасно игрок %2"_s
                                   .arg(strong, weak));
        break;
    }
    m_view.appendNarration(QString());

    int eliminated = leader;
    if (holders == 1) {
        const QString name = m_state.table.seatNames[eliminated];
        m_state.round.pick = m_random.random(5);
        switch (m_state.round.pick) {
        case 0:
            m_view.appendNarration(u"Чтож, зыбкоцепье вы, %1 команда решила избавиться от вас, прощайте!"_s.arg(name));
            break;
        case 1:
            m_view.appendNarration(u"Команда решила избавиться от того, кто сделал совсем не много для команды. %1, вы самое зыбкоцепье раунда, прощайте!"_s
                                       .arg(name));
            break;
        case 2:
            m_view.appendNarration(u"Собравшиеся здесь игроки избавляются от вас, %1, прощайте!"_s.arg(name));
            break;
        case 3:
            m_view.appendNarration(u"Ну что же, команда сделала свой выбор - зыбкоцепье вы - %1, поэтому вам придется покинуть игровую площадку! Прощайте!"_s
                                       .arg(name));
            break;
        default:
            m_view.appendNarration(u"Как бы это было и жестоко но команда удаляет вон вас, %1, прощайте!"_s.arg(name));
            break;
        }
    } else {
        m_view.appendNarration(u"У нас ничья"_s);
        do {
            eliminated = m_random.random(SeatCount) + 1;
        } while (!m_state.isOccupied(eliminated));
        m_view.appendNarration(u"В таком случае компьютер случайным образом решает избавиться от вас, %1. Очень жаль, что в команде нет согласия!"_s
                                   .arg(m_state.table.seatNames[eliminated]));
    }
    m_state.table.seatNames[eliminated] = EmptySeat;
    cue(GameSounds::Cue::VoteVerdict);
    cue(GameSounds::Cue::PlayerLeaves);

    m_view.appendNarration(QString());
    ++m_state.round.number;
    m_view.appendNarration(u"Начнем следующий раунд"_s);
    setStartButtonShown(true);
    m_state.round.secondsLeft = 150 - 10 * (m_state.round.number - 1);

    if (eliminated != m_state.table.playerSeat && m_state.round.number == 7) {
        m_view.appendNarration(u"Уважаемые игроки, вас осталось только двое. Чтобы финальный приз был более стоящим, тот выигрыш, который вы сейчас получите, мы умножим на два."_s);
        m_view.appendNarration(u"Таким образом в этом раунде вы можете выиграть до 100.000 рублей!"_s);
    }
}

Status GameEngine::humanExit()
{
    m_view.appendNarration(u"Но вы ничего не увидите, вы уходите! (узнайте кто выиграл в зале почета)"_s);
    setStartButtonShown(false);
    m_view.showGameOver();
    cue(GameSounds::Cue::Lost);

    m_state.round.pick = 0;
    int lastComputer = 0;
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (!m_state.isOccupied(seat) || seat == m_state.table.playerSeat)
            continue;
        lastComputer = seat;
        if (m_random.random(3) == 1)
            m_state.round.pick = seat;
    }
    if (m_state.round.pick == 0)
        m_state.round.pick = lastComputer;

    const qint64 sum = qint64(m_state.money.prizeTotal) + 500 * qint64(m_random.random(200));
    return writeWinner(m_state.table.seatNames[m_state.round.pick], sum);
}
