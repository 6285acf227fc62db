#pragma once

#include <QObject>
#include <QStringList>

// What reads a text aloud: the system's speech synthesis for the game, a recording fake for
// the tests. Every call returns at once; the speech goes on while the game does.
class SpeechEngine : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Gets the engine ready to speak, without waiting for it; done once, and only when the
    // host's voice is on, so that a game without it never starts the system's speech.
    virtual void prepare() {}
    // Starts reading `text`, cutting short what is being read.
    virtual void say(const QString &text) = 0;
    // Stops reading; nothing is said until the next say().
    virtual void stop() = 0;
    // The voices to choose from, Russian ones first; empty until known (voicesChanged()).
    virtual QStringList voices() const = 0;
    // The voice by its name in voices(); an empty or unknown name is the engine's own choice.
    virtual void setVoice(const QString &name) = 0;
    // -1 (slowest) .. 0 (normal) .. 1 (fastest).
    virtual void setRate(double rate) = 0;

Q_SIGNALS:
    // The text of the last say() has been read to its end; never after stop().
    void finished();
    void voicesChanged();
};
