#pragma once

#include "ui/sound/SoundControl.h"

#include <QtPlugin>

class QObject;

// What the sound module (zybkotsepye-sound) offers the program: its player.
class SoundModuleInterface
{
public:
    virtual ~SoundModuleInterface() = default;
    // A player, on and at the volume given, owned by `parent`.
    virtual SoundControl *createPlayer(bool on, int volume, QObject *parent) = 0;
};

#define ZYB_SOUND_MODULE_IID "io.github.zybkotsepye.SoundModule/1"
Q_DECLARE_INTERFACE(SoundModuleInterface, ZYB_SOUND_MODULE_IID)
