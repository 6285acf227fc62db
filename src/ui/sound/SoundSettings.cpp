#include "ui/sound/SoundSettings.h"

#include "ui/look/PlayerSettings.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString OnKey = u"sound/on"_s;
const QString VolumeKey = u"sound/volume"_s;

} // namespace

bool SoundSettings::isOn()
{
    return playerSettings().value(OnKey, true).toBool();
}

void SoundSettings::storeOn(bool on)
{
    QSettings s = playerSettings();
    s.setValue(OnKey, on);
}

int SoundSettings::volume()
{
    bool ok = false;
    const int percent = playerSettings().value(VolumeKey, DefaultVolume).toInt(&ok);
    return ok ? std::clamp(percent, 0, 100) : DefaultVolume;
}

void SoundSettings::storeVolume(int percent)
{
    QSettings s = playerSettings();
    s.setValue(VolumeKey, std::clamp(percent, 0, 100));
}
