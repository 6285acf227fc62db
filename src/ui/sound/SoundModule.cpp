// The sound module's one object: the program loads this module when it first needs sound.
#include "ui/sound/SoundModuleInterface.h"
#include "ui/sound/SoundPlayer.h"

class SoundModule : public QObject, public SoundModuleInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZYB_SOUND_MODULE_IID)
    Q_INTERFACES(SoundModuleInterface)

public:
    SoundControl *createPlayer(bool on, int volume, QObject *parent) override
    {
        auto *player = new SoundPlayer(parent);
        player->setOn(on);
        player->setVolume(volume);
        return player;
    }
};

#include "SoundModule.moc"
