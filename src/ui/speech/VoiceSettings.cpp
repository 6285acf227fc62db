#include "ui/speech/VoiceSettings.h"

#include <QSettings>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QSettings settings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, u"zybkotsepye"_s, u"zybkotsepye"_s);
}

const QString OnKey = u"voice/on"_s;
const QString NameKey = u"voice/name"_s;
const QString RateKey = u"voice/rate"_s;

} // namespace

bool VoiceSettings::isOn()
{
    return settings().value(OnKey, false).toBool();
}

void VoiceSettings::storeOn(bool on)
{
    QSettings s = settings();
    s.setValue(OnKey, on);
}

QString VoiceSettings::voice()
{
    return settings().value(NameKey).toString();
}

void VoiceSettings::storeVoice(const QString &name)
{
    QSettings s = settings();
    s.setValue(NameKey, name);
}

int VoiceSettings::rate()
{
    bool ok = false;
    const int rate = settings().value(RateKey, 0).toInt(&ok);
    return ok ? std::clamp(rate, -100, 100) : 0;
}

void VoiceSettings::storeRate(int rate)
{
    QSettings s = settings();
    s.setValue(RateKey, std::clamp(rate, -100, 100));
}
