#pragma once

// What the game sounds like: SoundCues names each moment of the game that has a sound, and
// whoever listens plays it (the game window's sound player) or records it (tests). A cue never
// changes the game: no draw, no timer, no text depends on it.
class GameSounds
{
public:
    enum class Cue {
        QuestionPut,   // a question is put, in a round or in the duel
        RightAnswer,   // an answer is judged right
        WrongAnswer,   // an answer is judged wrong: in a round, the chain breaks
        Banked,        // "БАНК!", by the player or a computer
        ClockTick,     // the round clock shows one of its last ten seconds, 10..1
        RoundOver,     // the round clock has run out
        VoteVerdict,   // the vote is counted and the verdict announced
        PlayerLeaves,  // the one voted off leaves the table
        DuelStarts,    // "Начинаем" for the final duel
        Won,           // the player wins the duel
        Lost,          // the game is over for the player: voted off, or the duel lost
    };
    static constexpr int CueCount = int(Cue::Lost) + 1;

    virtual ~GameSounds() = default;
    virtual void play(Cue cue) = 0;
};
