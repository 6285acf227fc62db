#include "ui/sound/SoundSettings.h"

#include <QSettings>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QSettings settings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, u"zybkotsepye"_s, u"zybkotsepye"_s);
}

const QString OnKey = u"sound/on"_s;
const QString VolumeKey = u"sound/volume"_s;

} // namespace

bool SoundSettings::isOn()
{
    return settings().value(OnKey, true).toBool();
}

void SoundSettings::storeOn(bool on)
{
    QSettings s = settings();
    s.setValue(OnKey, on);
}

int SoundSettings::volume()
{
    bool ok = false;
    const int percent = settings().value(VolumeKey, DefaultVolume).toInt(&ok);
    return ok ? std::clamp(percent, 0, 100) : DefaultVolume;
}

void SoundSettings::storeVolume(int percent)
{
    QSettings s = settings();
    s.setValue(VolumeKey, std::clamp(percent, 0, 100));
}
