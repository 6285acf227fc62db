// The vote after rounds 1 to 6, and the human's exit when voted off.
#include "core/engine/GameEngine.h"

#include "core/engine/RandomSource.h"

using namespace Qt::StringLiterals;

Status GameEngine::NameClick(int seat)
{
    if (!G.VoteOpen || seat < 1 || seat > SeatCount || !m_state.isOccupied(seat))
        return Status::success();
    G.VoteCount.fill(0);
    G.VoteCount[seat] = 1;
    G.VotedSeat = seat;
    EliminationVote();
    if (!m_state.isOccupied(M.PlayerSeat))
        return humanExit();
    return Status::success();
}

void GameEngine::setVoteOpen(bool open)
{
    G.VoteOpen = open;
    m_view.setVoteOpen(open);
}

void GameEngine::EliminationVote()
{
    setVoteOpen(false);
    for (int seat = 1; seat <= SeatCount; ++seat) {
        m_view.setVoteCaption(seat, QString());
        m_view.setVoteVisible(seat, true);
    }

    // Every computer player votes for another occupied seat, at random.
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (seat == M.PlayerSeat || !m_state.isOccupied(seat)) {
            m_view.setVoteCaption(M.PlayerSeat, M.SeatNames[G.VotedSeat]);
            continue;
        }
        int choice;
        do {
            choice = m_random.random(SeatCount) + 1;
        } while (!m_state.isOccupied(choice) || M.SeatNames[choice] == M.SeatNames[seat]);
        ++G.VoteCount[choice];
        m_view.setVoteCaption(seat, M.SeatNames[choice]);
    }

    int most = 0;
    int holders = 0;
    int leader = 0;
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (G.VoteCount[seat] > most) {
            most = G.VoteCount[seat];
            holders = 1;
            leader = seat;
        } else if (G.VoteCount[seat] == most && most > 0) {
            ++holders;
        }
    }

    const QString strong = M.SeatNames[G.StrongSeat];
    const QString weak = M.SeatNames[G.WeakSeat];
    m_view.clearNarration();
    m_view.appendNarration(QString());
    G.PhrasePick = m_random.random(4);
    switch (G.PhrasePick) {
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
        const QString name = M.SeatNames[eliminated];
        G.PhrasePick = m_random.random(5);
        switch (G.PhrasePick) {
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
                                   .arg(M.SeatNames[eliminated]));
    }
    M.SeatNames[eliminated] = EmptySeat;

    m_view.appendNarration(QString());
    ++M.RoundNo;
    m_view.appendNarration(u"Начнем следующий раунд"_s);
    setButton1(true);
    M.SecondsLeft = 150 - 10 * (M.RoundNo - 1);

    if (eliminated != M.PlayerSeat && M.RoundNo == 7) {
        m_view.appendNarration(u"Уважаемые игроки, вас осталось только двое. Чтобы финальный приз был более стоящим, тот выигрыш, который вы сейчас получите, мы умножим на два."_s);
        m_view.appendNarration(u"Таким образом в этом раунде вы можете выиграть до 100.000 рублей!"_s);
    }
}

Status GameEngine::humanExit()
{
    m_view.appendNarration(u"Но вы ничего не увидите, вы уходите! (узнайте кто выиграл в зале почета)"_s);
    setButton1(false);
    m_view.showGameOver();

    G.PhrasePick = 0;
    int lastComputer = 0;
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (!m_state.isOccupied(seat) || seat == M.PlayerSeat)
            continue;
        lastComputer = seat;
        if (m_random.random(3) == 1)
            G.PhrasePick = seat;
    }
    if (G.PhrasePick == 0)
        G.PhrasePick = lastComputer;

    const qint64 sum = qint64(M.PrizeTotal) + 500 * qint64(m_random.random(200));
    return writeWinner(M.SeatNames[G.PhrasePick], sum);
}
