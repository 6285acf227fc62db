#pragma once

#include <QList>
#include <QString>

#include <array>

// The shared state of the game: plain variables that the engine and the windows read
// and write, grouped by the module that owns them. Per-seat arrays are indexed by seat
// number 1..8 (element 0 is unused); a seat name of exactly "0" marks an empty seat.

inline constexpr int SeatCount = 8;
inline const QString EmptySeat = QStringLiteral("0");

template <typename T>
using PerSeat = std::array<T, SeatCount + 1>;

// Owned by the main menu: the players, the round, the money and the question index.
struct MainMenuModule
{
    QString PlayerName;
    PerSeat<QString> SeatNames;
    int PlayerSeat = 0;          // 0 before the first game, then 1..8
    int RoundNo = 0;             // 1..7 rounds, 8 the final duel
    int SecondsLeft = 0;
    int TurnSeat = 0;            // 1..8 in a round, 0 in the duel
    int BankedSum = 0;
    int PrizeTotal = 0;
    int ChainStep = 0;           // 0..9 between events
    int QuestionCount = 0;
    QList<int> QuestionStarts;
};

// Owned by the game window: the engine's working state.
struct GameModule
{
    PerSeat<int> SeatSkill{};
    PerSeat<int> SeatRoundScore{};
    int StrongSeat = 0;
    int WeakSeat = 0;
    int CurrentQuestion = 0;
    int CorrectAnswer = 0;
    int WrongAnswer = 0;
    int ComputerAnswer = 0;
    bool LastAnswerRight = false;
    bool VoteOpen = false;
    PerSeat<int> VoteCount{};
    int VotedSeat = 0;
    int PhrasePick = 0;
    QString FinalistA;
    QString FinalistB;
    int DuelScoreA = 0;
    int DuelScoreB = 0;
    int DuelSide = 0;
    int DuelQuestionNo = 0;
    bool DuelOver = false;
    int HumanFinalist = 0;

    const QString &finalist(int side) const { return side == 1 ? FinalistA : FinalistB; }
    int &duelScore(int side) { return side == 1 ? DuelScoreA : DuelScoreB; }
};

// Owned by the settings window.
struct PrefModule
{
    int PrefQuestionCount = 0;
};

// Owned by the winners window.
struct BestModule
{
    int BestLineCount = 0;
};

struct GameState
{
    MainMenuModule uMainMenu;
    GameModule uGame;
    PrefModule uPref;
    BestModule uBest;

    // The start values given when the main menu is created.
    void setStartValues();

    bool isOccupied(int seat) const { return uMainMenu.SeatNames[seat] != EmptySeat; }
    int occupiedSeats() const;
    bool humanSeated() const;
};

// The invariants that hold between the variables while a game runs. Returns a description
// of the first invariant the state breaks, or an empty string when all hold. `questionLines`
// is the loaded question base the index refers to (empty to skip that check).
QString brokenInvariant(const GameState &state, const QStringList *questionLines = nullptr);
