#pragma once

#include "ui/speech/SpeechEngine.h"

class QThread;
class SpeechWorker;

// The host's voice through Qt TextToSpeech: on Debian, speech-dispatcher with espeak-ng.
//
// The system's speech lives on a thread of its own. Opening it may have to start the speech
// server, which takes a second or more, and a server that cannot reach an audio output stops
// answering altogether: each call into it would then block for good. So the game's thread
// only posts requests to that thread and never waits for an answer; when the thread has left
// too many of them unanswered, the engine goes silent for the rest of the run.
//
// Without an engine (no plugin, no speech server) the game is silent: no message, no delay.
class QtSpeechEngine : public SpeechEngine
{
    Q_OBJECT

public:
    // `engineName` names a QTextToSpeech plugin ("speechd"); empty for the system's default.
    explicit QtSpeechEngine(const QString &engineName = {}, QObject *parent = nullptr);
    ~QtSpeechEngine() override;

    void prepare() override;
    void say(const QString &text) override;
    void stop() override;
    QStringList voices() const override { return m_voices; }
    void setVoice(const QString &name) override;
    void setRate(double rate) override;

    enum class Status {
        Closed,   // prepare() not called yet
        Opening,  // the speech thread is opening the system's speech
        Open,     // it speaks
        Silent,   // no engine, or it failed or stopped answering: nothing is said
    };
    Status status() const { return m_status; }

    // Requests the speech thread may leave unanswered before the engine is taken for hung.
    static constexpr int UnansweredLimit = 64;

Q_SIGNALS:
    void statusChanged(QtSpeechEngine::Status status);

private:
    template <typename Request> void post(Request &&request);
    void setStatus(Status status);

    QString m_engineName;
    QThread *m_thread = nullptr;
    SpeechWorker *m_worker = nullptr;
    Status m_status = Status::Closed;
    QStringList m_voices;
    QString m_voice;
    double m_rate = 0;
    // Each say() is numbered, so that the end of a reading since cut short is not taken for
    // the end of the one that replaced it.
    quint64 m_utterance = 0;
    int m_unanswered = 0;
};
