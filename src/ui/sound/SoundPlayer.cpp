#include "ui/sound/SoundPlayer.h"

#include "ui/sound/SoundSettings.h"

#include <QAudio>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The slider's steps sound even: it sets the loudness, not the amplitude.
qreal linearVolume(int percent)
{
    return QAudio::convertVolume(percent / 100.0, QAudio::LogarithmicVolumeScale, QAudio::LinearVolumeScale);
}

} // namespace

SoundPlayer::SoundPlayer(QObject *parent)
    : QObject(parent)
    , m_on(SoundSettings::isOn())
    , m_volume(SoundSettings::volume())
{
}

QString SoundPlayer::source(Cue cue)
{
    static const char *const files[CueCount] = {"question",  "right_answer", "chain_break",   "bank",
                                                "tick",      "round_end",    "verdict",       "player_leaves",
                                                "duel_start", "win",         "loss"};
    return u"qrc:/sounds/%1.wav"_s.arg(QLatin1StringView(files[int(cue)]));
}

bool SoundPlayer::load()
{
    if (m_loaded)
        return m_effects[0] != nullptr;
    m_loaded = true;
    // With no output (a server, a session without sound) no effect is made: playing one
    // would only report the missing device on every cue.
    if (QMediaDevices::audioOutputs().isEmpty())
        return false;
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    for (int i = 0; i < CueCount; ++i) {
        const Cue cue = Cue(i);
        auto *effect = new QSoundEffect(output, this);
        effect->setSource(QUrl(source(cue)));
        effect->setVolume(linearVolume(m_volume));
        connect(effect, &QSoundEffect::playingChanged, this, [this, effect, cue] {
            if (!effect->isPlaying())
                effectEnded(cue);
        });
        m_effects[size_t(i)] = effect;
    }
    return true;
}

void SoundPlayer::play(Cue cue)
{
    if (!m_on || m_volume == 0)
        return;
    if (cue == Cue::ClockTick) {
        startEffect(cue);
        return;
    }
    if (!m_stepOpen) {
        // A new step of the game: what the last one left unplayed is out of date.
        m_stepOpen = true;
        m_stepWaiting.clear();
        m_stepSounding.reset();
        QMetaObject::invokeMethod(this, [this] { m_stepOpen = false; }, Qt::QueuedConnection);
    }
    m_stepWaiting.append(cue);
    if (!m_stepSounding)
        startNextOfStep();
}

void SoundPlayer::startNextOfStep()
{
    m_stepSounding.reset();
    while (!m_stepWaiting.isEmpty()) {
        const Cue cue = m_stepWaiting.takeFirst();
        if (startEffect(cue)) {
            m_stepSounding = cue;
            return;
        }
    }
}

void SoundPlayer::effectEnded(Cue cue)
{
    if (m_stepSounding == cue)
        startNextOfStep();
}

bool SoundPlayer::startEffect(Cue cue)
{
    if (!m_loaded)
        load();
    QSoundEffect *effect = m_effects[size_t(cue)];
    if (!effect || effect->status() == QSoundEffect::Error)
        return false;
    effect->play();
    return true;
}

void SoundPlayer::stopEffects()
{
    for (QSoundEffect *effect : m_effects) {
        if (effect)
            effect->stop();
    }
}

void SoundPlayer::setOn(bool on)
{
    m_on = on;
    if (!on) {
        m_stepWaiting.clear();
        m_stepSounding.reset();
        stopEffects();
    }
}

void SoundPlayer::setVolume(int percent)
{
    m_volume = std::clamp(percent, 0, 100);
    for (QSoundEffect *effect : m_effects) {
        if (effect)
            effect->setVolume(linearVolume(m_volume));
    }
}
