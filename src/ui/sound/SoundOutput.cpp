#include "ui/sound/SoundOutput.h"

#include "ui/modules/ModuleLoader.h"
#include "ui/sound/SoundModuleInterface.h"
#include "ui/sound/SoundSettings.h"

#include <algorithm>

using namespace Qt::StringLiterals;

SoundOutput::SoundOutput(QString module, QObject *parent)
    : QObject(parent)
    , m_module(std::move(module))
    , m_on(SoundSettings::isOn())
    , m_volume(SoundSettings::volume())
{
}

bool SoundOutput::load()
{
    if (m_loaded)
        return m_player && m_player->load();
    m_loaded = true;
    auto *module = ModuleLoader::load<SoundModuleInterface>(m_module, u"zybkotsepye-sound"_s);
    if (!module)
        return false;
    m_player = module->createPlayer(m_on, m_volume, this);
    return m_player && m_player->load();
}

void SoundOutput::play(Cue cue)
{
    if (!m_on || m_volume == 0)
        return;
    if (!m_loaded)
        load();
    if (m_player)
        m_player->play(cue);
}

void SoundOutput::setOn(bool on)
{
    m_on = on;
    if (m_player)
        m_player->setOn(on);
}

void SoundOutput::setVolume(int percent)
{
    m_volume = std::clamp(percent, 0, 100);
    if (m_player)
        m_player->setVolume(m_volume);
}
