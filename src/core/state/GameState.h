#pragma once

#include <QList>
#include <QString>

#include <array>

// The shared state of the game: plain variables that the engine and the windows read
// and write, grouped by what they describe. Per-seat arrays are indexed by seat
// number 1..8 (element 0 is unused); a seat name of exactly "0" marks an empty seat.

inline constexpr int SeatCount = 8;
inline const QString EmptySeat = QStringLiteral("0");

template <typename T>
using PerSeat = std::array<T, SeatCount + 1>;

// Who sits at the table. The player's name is the one the settings window stores.
struct TableState
{
    QString playerName;
    PerSeat<QString> seatNames;
    int playerSeat = 0;          // 0 before the first game, then 1..8
    PerSeat<int> seatSkill{};    // each seat's skill level, 1..7 (0 for the player)
    // At a shared table, each friend's seat in the order they were given (0: not seated).
    QList<int> friendSeats;
    // Friends whose connection is lost: a computer plays their seat meanwhile, at its skill.
    PerSeat<bool> away{};
    // Friends who did not come back in time: a computer plays their seat to the end, and
    // they are no longer people at the table.
    PerSeat<bool> left{};
};

// The round being played.
struct RoundState
{
    int number = 0;              // 1..7 rounds, 8 the final duel
    int secondsLeft = 0;
    int turnSeat = 0;            // 1..8 in a round, 0 in the duel
    PerSeat<int> seatScore{};    // points this round: 3 a right answer, 1 a bank
    int strongestSeat = 0;
    int weakestSeat = 0;
    int question = 0;            // the question being put, 1..count
    int rightAnswer = 0;         // the right answer's place, 1 or 2
    int wrongAnswer = 0;         // the wrong answer's place, 1 or 2
    int computerAnswer = 0;      // the answer a computer player gives, 1 or 2
    bool lastAnswerRight = false;
    int pick = 0;                // the last draw among alternatives: the narration's wording,
                                 // or the seat named the winner when the player leaves
};

// The money: the chain climbed since the last bank, the round's bank and the prize.
struct MoneyState
{
    int bankedSum = 0;
    int prizeTotal = 0;
    int chainStep = 0;           // 0..9 between events
};

// Where each question of the loaded base starts.
struct QuestionIndex
{
    int count = 0;
    QList<int> starts;
};

// The vote after a round.
struct VoteState
{
    bool open = false;
    PerSeat<int> counts{};
    int votedSeat = 0;
};

// The final duel between the last two.
struct DuelState
{
    QString finalistA;
    QString finalistB;
    int scoreA = 0;
    int scoreB = 0;
    int side = 0;                // 1 or 2: whose question it is
    int questionNumber = 0;
    bool over = false;
    int playerSide = 0;          // the player's side, 1 or 2, or 0 when the player is not in it
    int winnerSide = 0;          // once the duel is over: the winner's side, 1 or 2

    const QString &finalist(int s) const { return s == 1 ? finalistA : finalistB; }
    int &score(int s) { return s == 1 ? scoreA : scoreB; }
};

// What the settings window last counted.
struct SettingsWindowState
{
    int questionCount = 0;
};

// What the winners window last loaded.
struct WinnersWindowState
{
    int lineCount = 0;
};

struct GameState
{
    TableState table;
    RoundState round;
    MoneyState money;
    QuestionIndex questions;
    VoteState vote;
    DuelState duel;
    SettingsWindowState settings;
    WinnersWindowState winners;

    // The start values given when the main menu is created.
    void setStartValues();

    bool isOccupied(int seat) const { return table.seatNames[seat] != EmptySeat; }
    // The final duel is played as the round after the seventh.
    static constexpr int DuelRound = 8;
    bool inDuel() const { return round.number == DuelRound; }
    int occupiedSeats() const;
    bool humanSeated() const;
    // Whether a person plays `seat`: the player, or a friend who has not left for good.
    bool isPersonSeat(int seat) const
    {
        return seat >= 1 && seat <= SeatCount && !table.left[seat]
               && (seat == table.playerSeat || table.friendSeats.contains(seat));
    }
    // Whether a person plays `seat` now: one who is not away.
    bool personPlays(int seat) const { return isPersonSeat(seat) && !table.away[seat] && isOccupied(seat); }
    // Whether a person, away or not, is still at the table.
    bool anyPersonSeated() const;
};

// The invariants that hold between the variables while a game runs. Returns a description
// of the first invariant the state breaks, or an empty string when all hold. `questionLines`
// is the loaded question base the index refers to (empty to skip that check).
QString brokenInvariant(const GameState &state, const QStringList *questionLines = nullptr);
