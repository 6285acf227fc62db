#include "core/state/GameState.h"

#include <QSet>
#include <QStringList>

using namespace Qt::StringLiterals;

void GameState::setStartValues()
{
    *this = GameState();
    uMainMenu.PlayerName = u"Новый Игрок"_s;
    uMainMenu.SeatNames.fill(EmptySeat);
    uMainMenu.PlayerSeat = 0;
}

int GameState::occupiedSeats() const
{
    int n = 0;
    for (int seat = 1; seat <= SeatCount; ++seat)
        n += isOccupied(seat) ? 1 : 0;
    return n;
}

bool GameState::humanSeated() const
{
    const auto &m = uMainMenu;
    return m.PlayerSeat >= 1 && m.PlayerSeat <= SeatCount && m.SeatNames[m.PlayerSeat] == m.PlayerName;
}

QString brokenInvariant(const GameState &state, const QStringList *questionLines)
{
    const MainMenuModule &m = state.uMainMenu;
    const GameModule &g = state.uGame;

    if (m.RoundNo == 0)
        return {};  // no game yet

    // 1. The human's seat holds the player's name, or "0" once voted off.
    if (m.PlayerSeat < 1 || m.PlayerSeat > SeatCount)
        return u"1: PlayerSeat %1 is not a seat"_s.arg(m.PlayerSeat);
    const QString &humanName = m.SeatNames[m.PlayerSeat];
    if (humanName != m.PlayerName && humanName != EmptySeat)
        return u"1: seat %1 holds '%2', not the player or empty"_s.arg(m.PlayerSeat).arg(humanName);

    // 2. Occupied seats carry different names.
    QSet<QString> names;
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (!state.isOccupied(seat))
            continue;
        if (names.contains(m.SeatNames[seat]))
            return u"2: name '%1' sits twice"_s.arg(m.SeatNames[seat]);
        names.insert(m.SeatNames[seat]);
    }

    // 3. Round r is played by 9 - r seats (the vote empties one and moves to the next
    //    round in the same step); the duel by two.
    const int occupied = state.occupiedSeats();
    const int expected = m.RoundNo <= 7 ? 9 - m.RoundNo : 2;
    if (occupied != expected)
        return u"3: %1 seats occupied in round %2"_s.arg(occupied).arg(m.RoundNo);
    if (m.RoundNo == 8 && humanName != EmptySeat) {
        if (g.FinalistA.isEmpty() || g.FinalistB.isEmpty() || g.FinalistA == g.FinalistB)
            return u"3: finalists '%1' and '%2'"_s.arg(g.FinalistA, g.FinalistB);
        if (!names.contains(g.FinalistA) || !names.contains(g.FinalistB))
            return u"3: a finalist does not sit at the table"_s;
    }

    // 4. The question index points at marker lines followed by a whole block.
    if (m.QuestionStarts.size() != m.QuestionCount)
        return u"4: %1 starts for %2 questions"_s.arg(m.QuestionStarts.size()).arg(m.QuestionCount);
    for (int i = 0; i < m.QuestionStarts.size(); ++i) {
        const int s = m.QuestionStarts[i];
        if (i > 0 && s <= m.QuestionStarts[i - 1])
            return u"4: starts not increasing at %1"_s.arg(i);
        if (questionLines && (s < 0 || s + 4 >= questionLines->size() || questionLines->at(s) != u"?"))
            return u"4: start %1 is not a whole block"_s.arg(s);
    }

    // Ranges of the rest.
    if (m.ChainStep < 0 || m.ChainStep > 9)
        return u"ChainStep %1 out of 0..9"_s.arg(m.ChainStep);
    if (m.BankedSum < 0 || m.BankedSum % 500 != 0)
        return u"BankedSum %1 is not a multiple of 500"_s.arg(m.BankedSum);
    if (m.PrizeTotal < 0 || m.PrizeTotal % 500 != 0)
        return u"PrizeTotal %1 is not a multiple of 500"_s.arg(m.PrizeTotal);
    if (m.SecondsLeft < 0 || m.SecondsLeft > 150)
        return u"SecondsLeft %1 out of 0..150"_s.arg(m.SecondsLeft);
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (g.SeatSkill[seat] < 0 || g.SeatSkill[seat] > 7)
            return u"SeatSkill of seat %1 is %2"_s.arg(seat).arg(g.SeatSkill[seat]);
        if (g.SeatRoundScore[seat] < 0)
            return u"SeatRoundScore of seat %1 is negative"_s.arg(seat);
    }

    // 6. In the duel, DuelQuestionNo - 1 answers are judged and the side alternates.
    if (m.RoundNo == 8 && g.DuelQuestionNo >= 1) {
        if (g.DuelSide != (g.DuelQuestionNo % 2 == 1 ? 1 : 2))
            return u"6: side %1 before question %2"_s.arg(g.DuelSide).arg(g.DuelQuestionNo);
        if (g.DuelScoreA + g.DuelScoreB > g.DuelQuestionNo)
            return u"6: score %1:%2 after %3 questions"_s.arg(g.DuelScoreA).arg(g.DuelScoreB).arg(g.DuelQuestionNo);
    }
    return {};
}
