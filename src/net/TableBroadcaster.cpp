#include "net/TableBroadcaster.h"

#include "net/MoveGate.h"
#include "net/SeatMoves.h"
#include "net/TableRoster.h"

#include <algorithm>

namespace {

using Kind = Protocol::Message::Kind;

// The kinds of message that draw the table as it stands, in the order a page that takes
// its seat gets them.
constexpr Kind Drawing[] = {Kind::Round,    Kind::Prize,  Kind::Clock,  Kind::Duel,      Kind::DuelScore, Kind::StartAwaited,
                            Kind::Question, Kind::Judged, Kind::Banked, Kind::BankOffer, Kind::VoteOpen};

bool draws(Kind kind)
{
    return std::find(std::begin(Drawing), std::end(Drawing), kind) != std::end(Drawing);
}

} // namespace

TableBroadcaster::TableBroadcaster(const TableRoster &roster, const MoveGate &gate, const SeatMoves &moves)
    : m_roster(roster), m_gate(gate), m_moves(moves)
{
    m_names.fill(EmptySeat);
}

void TableBroadcaster::tell(const Protocol::Message &message)
{
    if (draws(message.kind))
        m_kept.insert(message.kind, message.text);
    const TableRoster::Phase phase = m_roster.phase();
    if (phase != TableRoster::Phase::Playing && phase != TableRoster::Phase::Over)
        return;
    for (const TableRoster::Friend &f : m_roster.friends()) {
        if (f.seat && f.connection)
            f.connection->send(message.text);
    }
}

void TableBroadcaster::forget(std::initializer_list<Kind> kinds)
{
    for (Kind kind : kinds)
        m_kept.remove(kind);
}

void TableBroadcaster::seatTaken(FriendConnection *connection, int seat)
{
    QList<int> humans;
    if (m_hostSeat)
        humans.append(m_hostSeat);
    for (const TableRoster::Friend &f : m_roster.friends()) {
        if (f.seat)
            humans.append(f.seat);
    }
    QList<int> chain;
    for (int step = 1; step <= 10; ++step)
        chain.append(m_moves.chainValue(step));
    connection->send(Protocol::seated(seat, m_names, humans, chain).text);
    for (Kind kind : Drawing) {
        const auto kept = m_kept.constFind(kind);
        if (kept != m_kept.cend())
            connection->send(*kept);
    }
    for (const QString &vote : std::as_const(m_votes))
        connection->send(vote);
    if (m_awaitedSeat == seat)
        connection->send(Protocol::yourTurn(m_gate.questionId()).text);
}

void TableBroadcaster::sendPresence()
{
    const QString message = Protocol::presence(m_roster.connectedSeats()).text;
    for (const TableRoster::Friend &f : m_roster.friends()) {
        if (f.seat && f.connection)
            f.connection->send(message);
    }
}

// The game's facts

void TableBroadcaster::tableSeated(const PerSeat<QString> &names, int playerSeat)
{
    m_names = names;
    m_hostSeat = playerSeat;
    m_kept.clear();
    m_votes.clear();
    m_awaitedSeat = 0;
    m_duel = false;
}

void TableBroadcaster::hostSays(const QString &line)
{
    tell(Protocol::host(line));
}

void TableBroadcaster::roundStarted(int round, int seconds, int prize, const PerSeat<QString> &seated)
{
    QList<int> seats;
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (seated[size_t(seat)] != EmptySeat)
            seats.append(seat);
    }
    forget({Kind::StartAwaited, Kind::Question, Kind::Judged, Kind::Banked, Kind::BankOffer, Kind::VoteOpen, Kind::Clock});
    m_votes.clear();
    m_awaitedSeat = 0;
    tell(Protocol::round(round, seconds, prize, seats));
}

void TableBroadcaster::clockShows(int seconds)
{
    tell(Protocol::clock(seconds));
}

void TableBroadcaster::questionPut(const Question &question)
{
    m_awaitedSeat = 0;
    forget({Kind::Judged});
    tell(Protocol::question(m_gate.questionId(), question, m_duel));
}

// Every seat asked is told, computers' too; only a friend at the table hears it is their turn
// (while a friend is away the computer answers for them).
void TableBroadcaster::answerAwaited(int seat)
{
    m_awaitedSeat = 0;
    if (m_roster.phase() != TableRoster::Phase::Playing)
        return;
    for (const TableRoster::Friend &f : m_roster.friends()) {
        if (f.seat == seat && f.connection) {
            m_awaitedSeat = seat;
            f.connection->send(Protocol::yourTurn(m_gate.questionId()).text);
        }
    }
}

void TableBroadcaster::answerJudged(const Verdict &verdict)
{
    m_awaitedSeat = 0;
    tell(Protocol::judged(verdict));
}

void TableBroadcaster::bankOffered(int seat)
{
    tell(Protocol::bankOffer(seat));
}

void TableBroadcaster::banked(int seat, int bank)
{
    tell(Protocol::banked(seat, bank));
}

void TableBroadcaster::roundEnded(int round)
{
    m_awaitedSeat = 0;
    forget({Kind::Question, Kind::Judged, Kind::BankOffer, Kind::Clock});
    tell(Protocol::roundEnded(round));
}

void TableBroadcaster::prizeChanged(int prize)
{
    tell(Protocol::prize(prize));
}

void TableBroadcaster::voteOpened()
{
    m_votes.clear();
    QList<int> candidates;
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (m_gate.isSeated(seat))
            candidates.append(seat);
    }
    tell(Protocol::voteOpen(candidates));
}

void TableBroadcaster::voteClosed()
{
    forget({Kind::VoteOpen});
    m_votes.clear();
    tell(Protocol::voteClosed());
}

void TableBroadcaster::seatVoted(int seat, int votedFor)
{
    const Protocol::Message message = Protocol::voted(seat, votedFor);
    tell(message);
    if (m_gate.isVoteOpen())
        m_votes.append(message.text);
}

void TableBroadcaster::votedOff(int seat)
{
    if (seat < 1 || seat > SeatCount)
        return;
    tell(Protocol::votedOff(seat, m_names[size_t(seat)]));
}

void TableBroadcaster::startAwaited(int round)
{
    tell(Protocol::startAwaited(round));
}

void TableBroadcaster::finalistsSeated(int seatA, const QString &nameA, int seatB, const QString &nameB)
{
    m_duel = true;
    forget({Kind::Question, Kind::Judged, Kind::Banked, Kind::BankOffer, Kind::VoteOpen, Kind::Clock, Kind::Round});
    m_awaitedSeat = 0;
    tell(Protocol::duel(seatA, nameA, seatB, nameB));
}

void TableBroadcaster::duelScoreChanged(int scoreA, int scoreB)
{
    tell(Protocol::duelScore(scoreA, scoreB));
}

// Each seated friend hears whether they won.
void TableBroadcaster::gameOver(const Ending &ending)
{
    for (const TableRoster::Friend &f : m_roster.friends()) {
        if (f.seat && f.connection)
            f.connection->send(Protocol::over(ending, ending.winnerSeat != 0 && ending.winnerSeat == f.seat).text);
    }
}
