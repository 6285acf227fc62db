#include "ui/speech/VoiceSettings.h"

#include "ui/look/PlayerSettings.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString OnKey = u"voice/on"_s;
const QString NameKey = u"voice/name"_s;
const QString RateKey = u"voice/rate"_s;

} // namespace

bool VoiceSettings::isOn()
{
    return playerSettings().value(OnKey, false).toBool();
}

void VoiceSettings::storeOn(bool on)
{
    QSettings s = playerSettings();
    s.setValue(OnKey, on);
}

QString VoiceSettings::voice()
{
    return playerSettings().value(NameKey).toString();
}

void VoiceSettings::storeVoice(const QString &name)
{
    QSettings s = playerSettings();
    s.setValue(NameKey, name);
}

int VoiceSettings::rate()
{
    bool ok = false;
    const int rate = playerSettings().value(RateKey, 0).toInt(&ok);
    return ok ? std::clamp(rate, -100, 100) : 0;
}

void VoiceSettings::storeRate(int rate)
{
    QSettings s = playerSettings();
    s.setValue(RateKey, std::clamp(rate, -100, 100));
}
