#include "core/state/GameState.h"

#include <QSet>
#include <QStringList>

using namespace Qt::StringLiterals;

void GameState::setStartValues()
{
    *this = GameState();
    table.playerName = u"Новый Игрок"_s;
    table.seatNames.fill(EmptySeat);
    table.playerSeat = 0;
}

int GameState::occupiedSeats() const
{
    int n = 0;
    for (int seat = 1; seat <= SeatCount; ++seat)
        n += isOccupied(seat) ? 1 : 0;
    return n;
}

bool GameState::anyPersonSeated() const
{
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (isPersonSeat(seat) && isOccupied(seat))
            return true;
    }
    return false;
}

bool GameState::humanSeated() const
{
    return table.playerSeat >= 1 && table.playerSeat <= SeatCount && table.seatNames[table.playerSeat] == table.playerName;
}

QString brokenInvariant(const GameState &state, const QStringList *questionLines)
{

    if (state.round.number == 0)
        return {};  // no game yet

    // 1. The human's seat holds the player's name, or "0" once voted off; at a friends'
    // table the player who only runs the show has no seat (0).
    const bool runsTheShow = state.table.playerSeat == 0 && !state.table.friendSeats.isEmpty();
    if (!runsTheShow && (state.table.playerSeat < 1 || state.table.playerSeat > SeatCount))
        return u"1: playerSeat %1 is not a seat"_s.arg(state.table.playerSeat);
    const QString &humanName = runsTheShow ? EmptySeat : state.table.seatNames[state.table.playerSeat];
    if (humanName != state.table.playerName && humanName != EmptySeat)
        return u"1: seat %1 holds '%2', not the player or empty"_s.arg(state.table.playerSeat).arg(humanName);

    // 2. Occupied seats carry different names.
    QSet<QString> names;
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (!state.isOccupied(seat))
            continue;
        if (names.contains(state.table.seatNames[seat]))
            return u"2: name '%1' sits twice"_s.arg(state.table.seatNames[seat]);
        names.insert(state.table.seatNames[seat]);
    }

    // 3. Round r is played by 9 - r seats (the vote empties one and moves to the next
    //    round in the same step); the duel by two.
    const int occupied = state.occupiedSeats();
    const int expected = state.round.number <= 7 ? 9 - state.round.number : 2;
    if (occupied != expected)
        return u"3: %1 seats occupied in round %2"_s.arg(occupied).arg(state.round.number);
    if (state.round.number == 8 && humanName != EmptySeat) {
        if (state.duel.finalistA.isEmpty() || state.duel.finalistB.isEmpty() || state.duel.finalistA == state.duel.finalistB)
            return u"3: finalists '%1' and '%2'"_s.arg(state.duel.finalistA, state.duel.finalistB);
        if (!names.contains(state.duel.finalistA) || !names.contains(state.duel.finalistB))
            return u"3: a finalist does not sit at the table"_s;
    }

    // 4. The question index points at marker lines followed by a whole block.
    if (state.questions.starts.size() != state.questions.count)
        return u"4: %1 starts for %2 questions"_s.arg(state.questions.starts.size()).arg(state.questions.count);
    for (int i = 0; i < state.questions.starts.size(); ++i) {
        const int s = state.questions.starts[i];
        if (i > 0 && s <= state.questions.starts[i - 1])
            return u"4: starts not increasing at %1"_s.arg(i);
        if (questionLines && (s < 0 || s + 4 >= questionLines->size() || questionLines->at(s) != u"?"))
            return u"4: start %1 is not a whole block"_s.arg(s);
    }

    // Ranges of the rest.
    if (state.money.chainStep < 0 || state.money.chainStep > 9)
        return u"chainStep %1 out of 0..9"_s.arg(state.money.chainStep);
    if (state.money.bankedSum < 0 || state.money.bankedSum % 500 != 0)
        return u"bankedSum %1 is not a multiple of 500"_s.arg(state.money.bankedSum);
    if (state.money.prizeTotal < 0 || state.money.prizeTotal % 500 != 0)
        return u"prizeTotal %1 is not a multiple of 500"_s.arg(state.money.prizeTotal);
    if (state.round.secondsLeft < 0 || state.round.secondsLeft > 150)
        return u"secondsLeft %1 out of 0..150"_s.arg(state.round.secondsLeft);
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (state.table.seatSkill[seat] < 0 || state.table.seatSkill[seat] > 7)
            return u"seatSkill of seat %1 is %2"_s.arg(seat).arg(state.table.seatSkill[seat]);
        if (state.round.seatScore[seat] < 0)
            return u"seatScore of seat %1 is negative"_s.arg(seat);
    }

    // 6. In the duel, DuelQuestionNo - 1 answers are judged and the side alternates.
    if (state.round.number == 8 && state.duel.questionNumber >= 1) {
        if (state.duel.side != (state.duel.questionNumber % 2 == 1 ? 1 : 2))
            return u"6: side %1 before question %2"_s.arg(state.duel.side).arg(state.duel.questionNumber);
        if (state.duel.scoreA + state.duel.scoreB > state.duel.questionNumber)
            return u"6: score %1:%2 after %3 questions"_s.arg(state.duel.scoreA).arg(state.duel.scoreB).arg(state.duel.questionNumber);
    }
    return {};
}
