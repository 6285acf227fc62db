// The vote after rounds 1 to 6, and the player's exit when voted off.
#include "core/engine/GameEngine.h"

#include "core/engine/RandomSource.h"

using namespace Qt::StringLiterals;

void GameEngine::seatVoted(int seat, int votedFor)
{
    if (!m_state.vote.open || !m_state.personPlays(seat) || m_votes[seat] != 0 || votedFor < 1 || votedFor > SeatCount
        || !m_state.isOccupied(votedFor))
        return;
    m_votes[seat] = votedFor;
    if (seat == m_state.table.playerSeat)
        m_state.vote.votedSeat = votedFor;
    countVotesWhenAllVoted();
}

void GameEngine::countVotesWhenAllVoted()
{
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (m_state.personPlays(seat) && m_votes[seat] == 0)
            return;
    }
    countVotes();
    if (!m_state.anyPersonSeated())
        playerLeaves();
}

void GameEngine::setVoteOpen(bool open)
{
    m_state.vote.open = open;
    if (open)
        m_votes.fill(0);
    tell(open ? &GameListener::voteOpened : &GameListener::voteClosed);
}

void GameEngine::countVotes()
{
    setVoteOpen(false);

    // Every computer player votes for another occupied seat, at random; so does a computer
    // playing for a person who is away. The people's votes are told where the count meets
    // the first seat without a computer's vote.
    m_state.vote.counts.fill(0);
    bool peopleVotesTold = false;
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (m_votes[seat] != 0 || !m_state.isOccupied(seat)) {
            if (!peopleVotesTold) {
                for (int person = 1; person <= SeatCount; ++person) {
                    if (m_votes[person] != 0) {
                        ++m_state.vote.counts[m_votes[person]];
                        tell(&GameListener::seatVoted, person, m_votes[person]);
                    }
                }
            }
            peopleVotesTold = true;
            continue;
        }
        int choice;
        do {
            choice = m_random.random(SeatCount) + 1;
        } while (!m_state.isOccupied(choice) || m_state.table.seatNames[choice] == m_state.table.seatNames[seat]);
        ++m_state.vote.counts[choice];
        tell(&GameListener::seatVoted, seat, choice);
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
    tell(&GameListener::votesCounted);
    pause();
    m_state.round.pick = m_random.random(4);
    switch (m_state.round.pick) {
    case 0:
        say(u"Для общей обстановки сообщу, что по статистике Сильным звеном этого раунда стал игрок %1, а слабым %2"_s
                                   .arg(strong, weak));
        break;
    case 1:
        say(u"Ваше мнение может не совпадать с мнением статистики, но самый слабый игрок - это %1."_s.arg(weak));
        break;
    case 2:
        say(u"Узнайте, что по статистике сильным звеном раунда стал игрок %1, а слабым %2"_s.arg(strong, weak));
        break;
    default:
        say(u"В этом раунде лучше всех сыграл игрок %1, а хуже всех, да еще просто ужасно игрок %2"_s
                                   .arg(strong, weak));
        break;
    }
    pause();

    int eliminated = leader;
    if (holders == 1) {
        const QString name = m_state.table.seatNames[eliminated];
        m_state.round.pick = m_random.random(5);
        switch (m_state.round.pick) {
        case 0:
            say(u"Чтож, зыбкоцепье вы, %1 команда решила избавиться от вас, прощайте!"_s.arg(name));
            break;
        case 1:
            say(u"Команда решила избавиться от того, кто сделал совсем не много для команды. %1, вы самое зыбкоцепье раунда, прощайте!"_s
                                       .arg(name));
            break;
        case 2:
            say(u"Собравшиеся здесь игроки избавляются от вас, %1, прощайте!"_s.arg(name));
            break;
        case 3:
            say(u"Ну что же, команда сделала свой выбор - зыбкоцепье вы - %1, поэтому вам придется покинуть игровую площадку! Прощайте!"_s
                                       .arg(name));
            break;
        default:
            say(u"Как бы это было и жестоко но команда удаляет вон вас, %1, прощайте!"_s.arg(name));
            break;
        }
    } else {
        say(u"У нас ничья"_s);
        do {
            eliminated = m_random.random(SeatCount) + 1;
        } while (!m_state.isOccupied(eliminated));
        say(u"В таком случае компьютер случайным образом решает избавиться от вас, %1. Очень жаль, что в команде нет согласия!"_s
                                   .arg(m_state.table.seatNames[eliminated]));
    }
    m_state.table.seatNames[eliminated] = EmptySeat;
    tell(&GameListener::votedOff, eliminated);

    pause();
    ++m_state.round.number;
    say(u"Начнем следующий раунд"_s);
    awaitStart(m_state.round.number);
    m_state.round.secondsLeft = 150 - 10 * (m_state.round.number - 1);

    if (m_state.anyPersonSeated() && m_state.round.number == 7) {
        say(u"Уважаемые игроки, вас осталось только двое. Чтобы финальный приз был более стоящим, тот выигрыш, который вы сейчас получите, мы умножим на два."_s);
        say(u"Таким образом в этом раунде вы можете выиграть до 100.000 рублей!"_s);
    }
}

void GameEngine::playerLeaves()
{
    say(u"Но вы ничего не увидите, вы уходите! (узнайте кто выиграл в зале почета)"_s);

    // The winner named is a computer player: a seat a friend left to the computer carries
    // that friend's name, and is named only when no other seat is left.
    bool onlyFriendsLeft = true;
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (m_state.isOccupied(seat) && !m_state.table.friendSeats.contains(seat) && seat != m_state.table.playerSeat)
            onlyFriendsLeft = false;
    }
    m_state.round.pick = 0;
    int lastComputer = 0;
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (!m_state.isOccupied(seat) || m_state.isPersonSeat(seat)
            || (!onlyFriendsLeft && m_state.table.friendSeats.contains(seat)))
            continue;
        lastComputer = seat;
        if (m_random.random(3) == 1)
            m_state.round.pick = seat;
    }
    if (m_state.round.pick == 0)
        m_state.round.pick = lastComputer;

    const qint64 sum = qint64(m_state.money.prizeTotal) + 500 * qint64(m_random.random(200));
    endGame(m_state.round.pick, m_state.table.seatNames[m_state.round.pick], sum, false);
}
