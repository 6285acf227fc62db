#pragma once

#include "core/engine/GameSounds.h"

// What the windows do with the game's sound: hear its cues, turn it off and on ("Звук",
// the key M), and set how loud it is, 0..100.
class SoundControl : public GameSounds
{
public:
    virtual void setOn(bool on) = 0;
    virtual bool isOn() const = 0;
    virtual void setVolume(int percent) = 0;
    virtual int volume() const = 0;
    // Gets the sounds ready to play; done once. False when the game stays silent.
    virtual bool load() = 0;
};
