#include "ui/sound/SoundPlayer.h"

#include "ui/sound/SoundSettings.h"

#include <QAudio>
#include <QAudioDevice>
#include <QFile>
#include <QtEndian>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// The slider's steps sound even: it sets the loudness, not the amplitude.
qreal linearVolume(int percent)
{
    return QAudio::convertVolume(percent / 100.0, QAudio::LogarithmicVolumeScale, QAudio::LinearVolumeScale);
}

// Qt Multimedia's PulseAudio backend reports a missing sound server on the terminal, as
// uncategorised warnings ("PulseAudioService: pa_context_connect() failed"), when the devices
// are first listed. A computer without sound is nothing to report: the game is silent there.
// The filter stands only while the devices are listed and passes every other message on.
class QuietSoundServer
{
public:
    QuietSoundServer() { s_previous = qInstallMessageHandler(&filter); }
    ~QuietSoundServer() { qInstallMessageHandler(s_previous.exchange(nullptr)); }
    QuietSoundServer(const QuietSoundServer &) = delete;
    QuietSoundServer &operator=(const QuietSoundServer &) = delete;

private:
    static void filter(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (message.startsWith(u"PulseAudioService:"))
            return;
        if (const QtMessageHandler previous = s_previous)
            previous(type, context, message);
        else  // another thread's message in the instant the filter is put in place
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
    static inline std::atomic<QtMessageHandler> s_previous = nullptr;
};

} // namespace

SoundPlayer::SoundPlayer(QObject *parent)
    : QObject(parent)
    , m_on(SoundSettings::isOn())
    , m_volume(SoundSettings::volume())
{
    m_stepTimer.setSingleShot(true);
    // The next sound follows without a gap: a coarse timer may be late by 5 %.
    m_stepTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_stepTimer, &QTimer::timeout, this, [this] {
        if (m_stepSounding)
            effectEnded(*m_stepSounding);
    });
}

int SoundPlayer::wavLength(const QByteArray &wav)
{
    // RIFF, then chunks of a four-letter name, a little-endian length and the data, padded
    // to an even length: "fmt " tells the bytes per second, "data" holds the samples.
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE")
        return -1;
    qint64 bytesPerSecond = 0;
    qsizetype at = 12;
    while (at + 8 <= wav.size()) {
        const QByteArray name = wav.mid(at, 4);
        const quint32 length = qFromLittleEndian<quint32>(wav.constData() + at + 4);
        const qsizetype body = at + 8;
        if (name == "fmt " && length >= 16 && body + 16 <= wav.size()) {
            if (qFromLittleEndian<quint16>(wav.constData() + body) != 1)  // not plain PCM
                return -1;
            bytesPerSecond = qFromLittleEndian<quint32>(wav.constData() + body + 8);
        } else if (name == "data") {
            if (bytesPerSecond <= 0)
                return -1;
            const qint64 bytes = std::min<qint64>(length, wav.size() - body);
            return int(bytes * 1000 / bytesPerSecond);
        }
        at = body + qsizetype(length) + (length & 1);
    }
    return -1;
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
    QAudioDevice output;
    {
        const QuietSoundServer quiet;
        if (!QMediaDevices::audioOutputs().isEmpty())
            output = QMediaDevices::defaultAudioOutput();
    }
    if (output.isNull())
        return false;
    for (int i = 0; i < CueCount; ++i) {
        const Cue cue = Cue(i);
        auto *effect = new QSoundEffect(output, this);
        effect->setSource(QUrl(source(cue)));
        effect->setVolume(linearVolume(m_volume));
        m_effects[size_t(i)] = effect;
        QFile file(source(cue).mid(3));
        m_lengths[size_t(i)] = file.open(QIODevice::ReadOnly) ? std::max(0, wavLength(file.readAll())) : 0;
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
        m_stepTimer.stop();
        QMetaObject::invokeMethod(this, [this] { m_stepOpen = false; }, Qt::QueuedConnection);
    }
    m_stepWaiting.append(cue);
    if (!m_stepSounding)
        startNextOfStep();
}

void SoundPlayer::startNextOfStep()
{
    m_stepSounding.reset();
    m_stepTimer.stop();
    while (!m_stepWaiting.isEmpty()) {
        const Cue cue = m_stepWaiting.takeFirst();
        if (startEffect(cue)) {
            m_stepSounding = cue;
            m_stepTimer.start(soundLength(cue));
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
        m_stepTimer.stop();
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
