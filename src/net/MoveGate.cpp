#include "net/MoveGate.h"

#include "net/SeatMoves.h"
#include "net/TableRoster.h"

using namespace Qt::StringLiterals;

namespace {

using Type = Protocol::Request::Type;

QString typeName(Type type)
{
    switch (type) {
    case Type::Join: return u"join"_s;
    case Type::Resume: return u"resume"_s;
    case Type::Answer: return u"answer"_s;
    case Type::Bank: return u"bank"_s;
    case Type::Vote: return u"vote"_s;
    }
    return {};
}

} // namespace

MoveGate::MoveGate(const TableRoster &roster, SeatMoves &moves) : m_roster(roster), m_moves(moves) {}

// Moves refused as too late are not counted as bad messages: a slow phone sends them in
// good faith.
void MoveGate::move(FriendConnection *connection, const Protocol::Request &request)
{
    const QString what = typeName(request.type);
    const TableRoster::Friend *f = m_roster.friendOf(connection);
    if (!f)
        return connection->refuse(what, u"Сначала займите место за столом"_s);
    const auto late = [&](const QString &reason) { connection->send(Protocol::refused(what, reason).text); };
    if (m_roster.phase() == TableRoster::Phase::Lobby)
        return late(u"Игра ещё не началась"_s);
    if (m_roster.phase() != TableRoster::Phase::Playing || !f->seat)
        return late(u"Игра окончена"_s);
    const int seat = f->seat;
    if (!m_seated[size_t(seat)])
        return late(u"Вы уже не играете в этой игре"_s);

    switch (request.type) {
    case Type::Answer:
        if (request.question != m_questionId || m_questionSeat == 0)
            return late(u"Время ответа вышло"_s);
        if (m_questionSeat != seat)
            return late(u"Сейчас отвечает другой игрок"_s);
        m_moves.answerChosen(seat, request.answer);
        break;
    case Type::Bank:
        if (m_bankSeat != seat)
            return late(u"«БАНК!» сейчас не ваш"_s);
        m_moves.bankPressed(seat);
        break;
    case Type::Vote:
        if (!m_voteOpen)
            return late(u"Голосование закрыто"_s);
        if (m_hasVoted[size_t(seat)])
            return late(u"Вы уже проголосовали"_s);
        if (!m_seated[size_t(request.seat)])
            return late(u"Этого игрока нет за столом"_s);
        // The game tells the votes once everybody has voted.
        m_hasVoted[size_t(seat)] = true;
        m_moves.seatVoted(seat, request.seat);
        break;
    default:
        break;
    }
}

// The game's facts

void MoveGate::tableSeated(const PerSeat<QString> &names, int)
{
    for (int seat = 1; seat <= SeatCount; ++seat)
        m_seated[size_t(seat)] = names[size_t(seat)] != EmptySeat;
    m_questionSeat = m_bankSeat = 0;
    m_voteOpen = false;
}

void MoveGate::roundStarted(int, int, int, const PerSeat<QString> &seated)
{
    for (int seat = 1; seat <= SeatCount; ++seat)
        m_seated[size_t(seat)] = seated[size_t(seat)] != EmptySeat;
    m_questionSeat = m_bankSeat = 0;
}

void MoveGate::questionPut(const Question &question)
{
    ++m_questionId;
    m_questionSeat = question.seat;
}

void MoveGate::answerJudged(const Verdict &)
{
    m_questionSeat = 0;
}

void MoveGate::bankOffered(int seat)
{
    m_bankSeat = seat;
}

void MoveGate::roundEnded(int)
{
    m_questionSeat = m_bankSeat = 0;
}

void MoveGate::voteOpened()
{
    m_voteOpen = true;
    m_hasVoted.fill(false);
}

void MoveGate::voteClosed()
{
    m_voteOpen = false;
}

void MoveGate::seatVoted(int seat, int)
{
    if (seat >= 1 && seat <= SeatCount)
        m_hasVoted[size_t(seat)] = true;
}

void MoveGate::votedOff(int seat)
{
    if (seat >= 1 && seat <= SeatCount)
        m_seated[size_t(seat)] = false;
}

void MoveGate::finalistsSeated(int, const QString &, int, const QString &)
{
    m_questionSeat = m_bankSeat = 0;
}
