#pragma once

#include "core/engine/GameListener.h"
#include "core/engine/GameSounds.h"

// Which moments of the game have a sound: listens to the game and plays each moment's cue.
class SoundCues final : public GameListener
{
public:
    // Not owned; none keeps the game silent.
    void setSounds(GameSounds *sounds) { m_sounds = sounds; }

    void questionPut(const Question &) override { cue(GameSounds::Cue::QuestionPut); }
    void answerJudged(const Verdict &verdict) override
    {
        cue(verdict.isRight() ? GameSounds::Cue::RightAnswer : GameSounds::Cue::WrongAnswer);
    }
    void banked(int, int) override { cue(GameSounds::Cue::Banked); }
    // The last ten seconds are counted aloud; zero is left to the round's end.
    void clockShows(int seconds) override
    {
        if (seconds >= 1 && seconds <= 10)
            cue(GameSounds::Cue::ClockTick);
    }
    void roundEnded(int) override { cue(GameSounds::Cue::RoundOver); }
    void votedOff(int) override
    {
        cue(GameSounds::Cue::VoteVerdict);
        cue(GameSounds::Cue::PlayerLeaves);
    }
    void duelStarted() override { cue(GameSounds::Cue::DuelStarts); }
    void gameOver(const Ending &ending) override { cue(ending.playerWon ? GameSounds::Cue::Won : GameSounds::Cue::Lost); }

private:
    void cue(GameSounds::Cue cue)
    {
        if (m_sounds)
            m_sounds->play(cue);
    }

    GameSounds *m_sounds = nullptr;
};
