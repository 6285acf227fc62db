// "Играть": seats the players, draws skills and names and loads the question base.
#include "core/engine/GameEngine.h"

#include "core/data/DataFiles.h"
#include "core/data/LineStore.h"
#include "core/data/NamesBase.h"
#include "core/data/QuestionBase.h"
#include "core/engine/RandomSource.h"

using namespace Qt::StringLiterals;

namespace {

const QString QuickFinalName = u"HiddenRover"_s;

} // namespace

int GameEngine::skillLevel(int v)
{
    if (v <= 1) return 0;
    if (v <= 10) return 1;
    if (v <= 20) return 2;
    if (v <= 40) return 3;
    if (v <= 60) return 4;
    if (v <= 80) return 5;
    if (v <= 95) return 6;
    return 7;
}

Status GameEngine::newGame(LineStore &namesList, const QStringList &friendNames, Player player)
{
    // Both files are read and checked before anything changes, so that a game that
    // cannot be played leaves the menu and the last game exactly as they were.
    const QString namesName = QString::fromLatin1(DataFiles::NamesBase);
    LineStore names;
    if (Status s = names.load(DataFiles::path(m_dataDir, namesName), namesName); !s)
        return s;
    const QStringList drawable = NamesBase::drawable(names.lines());
    const int distinct = NamesBase::distinctSeatable(drawable, m_state.table.playerName);
    if (distinct < NamesBase::NeededForDraw) {
        return Status::failure(
            u"В базе имён %1 слишком мало имён"_s.arg(namesName),
            u"Для игры нужно не меньше %1 разных имён, не считая имени игрока, а в файле %2 их %3. "
            u"Добавьте имена в окне «Настройка...»."_s.arg(NamesBase::NeededForDraw).arg(namesName).arg(distinct));
    }

    const QString questionsName = QString::fromLatin1(DataFiles::QuestionBase);
    LineStore questions;
    if (Status s = questions.load(DataFiles::path(m_dataDir, questionsName), questionsName); !s)
        return s;
    QuestionBase::Index index = QuestionBase::index(questions.lines());
    if (index.starts.isEmpty()) {
        return Status::failure(
            u"В базе вопросов %1 нет ни одного вопроса"_s.arg(questionsName),
            u"В файле %1 нет ни одного вопроса, который можно задать (блок из пяти строк: «?», вопрос, "
            u"два ответа и номер верного ответа 0 или 1). Добавьте вопросы в окне «Настройка...»."_s.arg(questionsName));
    }

    m_state.table.playerSeat = m_random.random(SeatCount) + 1;
    m_state.table.seatNames[m_state.table.playerSeat] = m_state.table.playerName;
    for (int seat = 1; seat <= SeatCount; ++seat)
        m_state.table.seatSkill[seat] = skillLevel(m_random.random(100) + 1);
    m_state.round.seatScore.fill(0);

    namesList.setLines(drawable);
    const int n = namesList.count();
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (seat == m_state.table.playerSeat)
            continue;
        QString candidate;
        for (;;) {
            candidate = namesList.at(m_random.random(n));
            if (seat == 1) {
                if (candidate != m_state.table.playerName)
                    break;
            } else if (std::find(m_state.table.seatNames.begin() + 1, m_state.table.seatNames.end(), candidate) == m_state.table.seatNames.end()) {
                break;
            }
        }
        m_state.table.seatNames[seat] = candidate;
    }

    const bool quickFinal = m_state.table.playerName == QuickFinalName;
    if (quickFinal) {
        // The opponent is the name drawn for seat 5; when the human was seated there, the
        // name drawn for seat 4 moves to seat 5.
        if (m_state.table.playerSeat == 5)
            m_state.table.seatNames[5] = m_state.table.seatNames[4];
        m_state.table.seatNames[4] = m_state.table.playerName;
        m_state.table.playerSeat = 4;
        for (int seat : {1, 2, 3, 6, 7, 8})
            m_state.table.seatNames[seat] = EmptySeat;
        m_state.duel.finalistA = m_state.table.playerName;
        m_state.duel.finalistB = m_state.table.seatNames[5];
    }

    m_state.table.away.fill(false);
    m_state.table.left.fill(false);
    m_state.table.friendSeats.clear();
    if (!quickFinal) {
        if (player == Player::RunsTheShow) {
            giveComputerName(m_state.table.playerSeat, namesList);
            m_state.table.playerSeat = 0;
        }
        seatFriends(friendNames, namesList);
    }

    m_state.money.chainStep = 0;
    m_state.money.bankedSum = 0;
    m_state.money.prizeTotal = 0;
    m_state.vote.open = false;
    m_over = false;
    m_playerMayAnswer = false;
    m_bankOffered = false;
    m_startOffered = true;
    tell(&GameListener::tableSeated, m_state.table.seatNames, m_state.table.playerSeat);

    say(u"Добро пожаловать на программу ЗЫБКОЦЕПЬЕ"_s);
    say(u"Каждый из восьми участников, которые находятся здесь сегодня, не знают друг друга, но чтобы выиграть большой приз, они должны стать командой"_s);
    say(u"Однако, все знают, что приз получит только один из них"_s);
    say(u"Ведь раунд за раундом, мы будем терять игроков, тех, кого команда назовет ЗЫБКОЦЕПЬЕМ"_s);
    say(u"В каждом раунде выигрышной суммой станут те деньги, которые вы успеете положить в банк, отвечая на вопросы"_s);
    say(u"Можно получить сразу 50,000 рублей, ответив правильно на 10 вопросов, но если ваш ответ оказывается не правильным, вы разрываете цепь верных ответов"_s);
    say(u"На первый раунд у вас 150 секунд или же 2 минуты 30 секунд. Мы начнем с игрока, кто стоит левее всех на игровом поле"_s);
    // In the quick final seat 1 is empty; the human answers first there.
    say(u"Это вы, "_s + (quickFinal ? m_state.table.playerName : m_state.table.seatNames[1]));

    m_state.round.number = 1;
    if (!quickFinal) {
        m_state.round.secondsLeft = 150;
        tell(&GameListener::clockShows, 150);
        m_state.round.turnSeat = 1;
    } else {
        m_state.round.number = GameState::DuelRound;
    }

    m_questionBase = std::move(questions);
    m_state.questions.count = int(index.starts.size());
    m_state.questions.starts = std::move(index.starts);
    m_unasked.rebuild(m_state.questions.count, m_asked);
    return Status::success();
}

void GameEngine::seatFriends(const QStringList &friendNames, const LineStore &namesList)
{
    const auto nameTaken = [this](const QString &name, int except) {
        for (int seat = 1; seat <= SeatCount; ++seat) {
            if (seat != except && m_state.table.seatNames[seat] == name)
                return true;
        }
        return false;
    };
    // Each friend takes a computer's seat, drawn among those left; a name already at the
    // table by a person is not seated twice.
    for (const QString &name : friendNames) {
        QList<int> free;
        for (int seat = 1; seat <= SeatCount; ++seat) {
            if (m_state.isOccupied(seat) && !m_state.isPersonSeat(seat))
                free << seat;
        }
        bool personHasName = false;
        for (int seat = 1; seat <= SeatCount; ++seat)
            personHasName = personHasName || (m_state.isPersonSeat(seat) && m_state.table.seatNames[seat] == name);
        if (free.isEmpty() || personHasName || name.isEmpty() || name == EmptySeat) {
            m_state.table.friendSeats << 0;
            continue;
        }
        const int seat = free.at(m_random.random(int(free.size())));
        m_state.table.seatNames[seat] = name;
        m_state.table.friendSeats << seat;
    }
    // Names tell the finalists apart: a computer who shares a friend's name takes another.
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (m_state.isOccupied(seat) && !m_state.isPersonSeat(seat) && nameTaken(m_state.table.seatNames[seat], seat))
            giveComputerName(seat, namesList);
    }
}

void GameEngine::giveComputerName(int seat, const LineStore &namesList)
{
    // The first name of the list nobody at the table has, nor the player.
    for (const QString &candidate : namesList.lines().mid(0, namesList.count())) {
        if (candidate == m_state.table.playerName)
            continue;
        if (std::find(m_state.table.seatNames.begin() + 1, m_state.table.seatNames.end(), candidate)
            == m_state.table.seatNames.end()) {
            m_state.table.seatNames[seat] = candidate;
            return;
        }
    }
}
