// The sound module's entry point: the program loads this module when it first needs sound.
#include "ui/sound/SoundOutput.h"
#include "ui/sound/SoundPlayer.h"

extern "C" Q_DECL_EXPORT SoundControl *zybCreateSoundPlayer(bool on, int volume, QObject *parent)
{
    auto *player = new SoundPlayer(parent);
    player->setOn(on);
    player->setVolume(volume);
    return player;
}

static_assert(sizeof(SoundOutput::EntryPoint) == sizeof("zybCreateSoundPlayer"));
