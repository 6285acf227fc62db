#pragma once

#include "ui/sound/SoundControl.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <array>
#include <optional>

class QSoundEffect;

// Plays the game's cues with the sounds built into the sound module.
//
// The effects are made once, by load() or by the first cue, and only when the system has
// an audio output: without one the game stays silent, at no cost and with no message.
// Every effect is decoded ahead, so that a cue sounds at once.
//
// Cues given in one step of the game (the vote's verdict, the leaving and the loss; a right
// answer and the next player's bank) play one after another, each when the one before it
// has ended by the length of its sound; the game's next step drops whatever its previous
// one has left to play. The clock's ticks keep time: each plays as it comes.
class SoundPlayer : public QObject, public SoundControl
{
    Q_OBJECT

public:
    explicit SoundPlayer(QObject *parent = nullptr);

    void play(Cue cue) override;

    // Whether the game is heard; turning it off also silences what is playing.
    void setOn(bool on) override;
    bool isOn() const override { return m_on; }
    // 0..100, as the settings window's slider shows it.
    void setVolume(int percent) override;
    int volume() const override { return m_volume; }

    // Makes the effects and starts decoding them; done once. False when there is no audio
    // output to play them on.
    bool load() override;

    // The resource that holds the sound of a cue.
    static QString source(Cue cue);
    // How long a PCM WAV file plays, in milliseconds; -1 when `wav` is not one.
    static int wavLength(const QByteArray &wav);

protected:
    // Starts the sound of `cue`; false when it cannot sound (no audio output, a sound that
    // could not be decoded). Tests replace these three.
    virtual bool startEffect(Cue cue);
    virtual void stopEffects();
    virtual int soundLength(Cue cue) const { return m_lengths[size_t(cue)]; }
    // The sound of `cue` has ended; the next one of its step may start.
    void effectEnded(Cue cue);

private:
    void startNextOfStep();

    std::array<QSoundEffect *, CueCount> m_effects{};
    std::array<int, CueCount> m_lengths{};
    bool m_loaded = false;
    bool m_on;
    int m_volume;
    // Cues given before the game's step returns to the event loop belong to one step.
    bool m_stepOpen = false;
    QList<Cue> m_stepWaiting;
    std::optional<Cue> m_stepSounding;
    // Runs while a cue of the step sounds, for as long as its sound. An effect's own report
    // of its end comes late, by the output's latency, or for a short sound too early.
    QTimer m_stepTimer;
};
