#include "ui/speech/QtSpeechEngine.h"

#include <QDeadlineTimer>
#include <QLocale>
#include <QTextToSpeech>
#include <QThread>
#include <QVoice>

#include <algorithm>

// The side of the engine that lives on the speech thread and alone touches QTextToSpeech.
// Every request ends with handled(), so that the game's thread can tell a thread that has
// stopped answering.
class SpeechWorker : public QObject
{
    Q_OBJECT

public:
    explicit SpeechWorker(const QString &engineName)
        : m_engineName(engineName)
    {
    }

    void open()
    {
        const QStringList engines = QTextToSpeech::availableEngines();
        if (engines.isEmpty() || (!m_engineName.isEmpty() && !engines.contains(m_engineName))) {
            Q_EMIT opened(false, {});
            Q_EMIT handled();
            return;
        }
        m_speech = m_engineName.isEmpty() ? new QTextToSpeech(this) : new QTextToSpeech(m_engineName, this);
        if (m_speech->state() == QTextToSpeech::Error) {
            delete m_speech;
            m_speech = nullptr;
            Q_EMIT opened(false, {});
            Q_EMIT handled();
            return;
        }
        // The game speaks Russian: a Russian voice when there is one, the engine's own
        // language otherwise.
        const QList<QLocale> locales = m_speech->availableLocales();
        const auto russian = std::find_if(locales.cbegin(), locales.cend(), [](const QLocale &locale) {
            return locale.language() == QLocale::Russian && locale.territory() == QLocale::Russia;
        });
        const auto anyRussian = std::find_if(locales.cbegin(), locales.cend(),
                                             [](const QLocale &locale) { return locale.language() == QLocale::Russian; });
        if (russian != locales.cend())
            m_speech->setLocale(*russian);
        else if (anyRussian != locales.cend())
            m_speech->setLocale(*anyRussian);
        m_ownVoice = m_speech->voice();
        m_voices = m_speech->availableVoices();
        QStringList names;
        for (const QVoice &voice : std::as_const(m_voices)) {
            if (!names.contains(voice.name()))
                names << voice.name();
        }
        connect(m_speech, &QTextToSpeech::stateChanged, this, &SpeechWorker::stateChanged);
        Q_EMIT opened(true, names);
        Q_EMIT handled();
    }

    void say(const QString &text, quint64 utterance)
    {
        if (m_speech) {
            m_utterance = utterance;
            m_started = false;
            m_speech->say(text);
        }
        Q_EMIT handled();
    }

    void stop()
    {
        if (m_speech) {
            m_utterance = 0;
            m_started = false;
            m_speech->stop();
        }
        Q_EMIT handled();
    }

    void setVoice(const QString &name)
    {
        if (m_speech) {
            const auto voice = std::find_if(m_voices.cbegin(), m_voices.cend(),
                                            [&name](const QVoice &v) { return v.name() == name; });
            m_speech->setVoice(voice != m_voices.cend() ? *voice : m_ownVoice);
        }
        Q_EMIT handled();
    }

    void setRate(double rate)
    {
        if (m_speech)
            m_speech->setRate(rate);
        Q_EMIT handled();
    }

    // The last request: the system's speech is closed on its own thread, which then ends.
    void close()
    {
        delete m_speech;
        m_speech = nullptr;
        QThread::currentThread()->quit();
    }

Q_SIGNALS:
    void opened(bool speaks, const QStringList &voices);
    void finished(quint64 utterance);
    void failed();
    void handled();

private:
    void stateChanged(QTextToSpeech::State state)
    {
        // A reading has ended when the engine is ready again after it began. The "ready"
        // that follows a reading cut short comes before the next one begins.
        switch (state) {
        case QTextToSpeech::Speaking:
            m_started = m_utterance != 0;
            break;
        case QTextToSpeech::Ready:
            if (m_started) {
                m_started = false;
                Q_EMIT finished(m_utterance);
            }
            break;
        case QTextToSpeech::Error:
            m_started = false;
            Q_EMIT failed();
            break;
        case QTextToSpeech::Paused:
            break;
        }
    }

    QString m_engineName;
    QTextToSpeech *m_speech = nullptr;
    QList<QVoice> m_voices;
    // The voice the engine chose itself, for a name that is empty or no longer there.
    QVoice m_ownVoice;
    quint64 m_utterance = 0;
    bool m_started = false;
};

QtSpeechEngine::QtSpeechEngine(const QString &engineName, QObject *parent)
    : SpeechEngine(parent)
    , m_engineName(engineName)
{
}

QtSpeechEngine::~QtSpeechEngine()
{
    if (!m_thread)
        return;
    QMetaObject::invokeMethod(m_worker, &SpeechWorker::close, Qt::QueuedConnection);
    if (m_thread->wait(QDeadlineTimer(500))) {
        delete m_worker;
        delete m_thread;
        return;
    }
    // The thread is caught in a speech server that does not answer: destroying it now
    // would end the program. It is left to end with the program; its signals no longer
    // reach this object.
    m_worker->disconnect(this);
}

void QtSpeechEngine::setStatus(Status status)
{
    if (m_status == status)
        return;
    m_status = status;
    Q_EMIT statusChanged(status);
}

template <typename Request>
void QtSpeechEngine::post(Request &&request)
{
    if (!m_worker || m_status == Status::Silent)
        return;
    if (m_unanswered >= UnansweredLimit) {
        setStatus(Status::Silent);
        return;
    }
    ++m_unanswered;
    QMetaObject::invokeMethod(m_worker, std::forward<Request>(request), Qt::QueuedConnection);
}

void QtSpeechEngine::prepare()
{
    if (m_thread)
        return;
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("speech"));
    m_worker = new SpeechWorker(m_engineName);
    m_worker->moveToThread(m_thread);
    connect(m_worker, &SpeechWorker::handled, this, [this] { m_unanswered = std::max(0, m_unanswered - 1); });
    connect(m_worker, &SpeechWorker::opened, this, [this](bool speaks, const QStringList &voices) {
        if (m_status != Status::Opening)
            return;
        setStatus(speaks ? Status::Open : Status::Silent);
        if (!voices.isEmpty()) {
            m_voices = voices;
            Q_EMIT voicesChanged();
        }
    });
    connect(m_worker, &SpeechWorker::finished, this, [this](quint64 utterance) {
        if (utterance == m_utterance && m_status == Status::Open)
            Q_EMIT finished();
    });
    connect(m_worker, &SpeechWorker::failed, this, [this] { setStatus(Status::Silent); });
    m_thread->start();
    setStatus(Status::Opening);
    post([worker = m_worker] { worker->open(); });
    // What was chosen before the engine was opened applies from its first reading.
    if (!m_voice.isEmpty())
        post([worker = m_worker, voice = m_voice] { worker->setVoice(voice); });
    if (m_rate != 0)
        post([worker = m_worker, rate = m_rate] { worker->setRate(rate); });
}

void QtSpeechEngine::say(const QString &text)
{
    if (m_status == Status::Closed)
        prepare();
    const quint64 utterance = ++m_utterance;
    post([worker = m_worker, text, utterance] { worker->say(text, utterance); });
}

void QtSpeechEngine::stop()
{
    ++m_utterance;
    post([worker = m_worker] { worker->stop(); });
}

void QtSpeechEngine::setVoice(const QString &name)
{
    m_voice = name;
    post([worker = m_worker, name] { worker->setVoice(name); });
}

void QtSpeechEngine::setRate(double rate)
{
    m_rate = std::clamp(rate, -1.0, 1.0);
    post([worker = m_worker, rate = m_rate] { worker->setRate(rate); });
}

#include "QtSpeechEngine.moc"
