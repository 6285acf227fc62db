#include "ui/speech/Narrator.h"

#include "core/text/RussianPlural.h"
#include "ui/speech/SpeechEngine.h"
#include "ui/speech/VoiceSettings.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool endsSentence(const QString &text)
{
    return text.endsWith(u'.') || text.endsWith(u'?') || text.endsWith(u'!') || text.endsWith(u'…');
}

} // namespace

Narrator::Narrator(SpeechEngine &engine, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_on(VoiceSettings::isOn())
    , m_voice(VoiceSettings::voice())
    , m_rate(VoiceSettings::rate())
{
    m_engine.setVoice(m_voice);
    m_engine.setRate(m_rate / 100.0);
    connect(&m_engine, &SpeechEngine::finished, this, &Narrator::lineRead);
}

void Narrator::setOn(bool on)
{
    if (!on)
        cut();
    m_on = on;
    if (on)
        m_engine.prepare();
}

void Narrator::setVoice(const QString &name)
{
    m_voice = name;
    m_engine.setVoice(name);
}

void Narrator::setRate(int rate)
{
    m_rate = std::clamp(rate, -100, 100);
    m_engine.setRate(m_rate / 100.0);
}

QString Narrator::questionWithAnswers(QString question, const QStringList &answers)
{
    question = question.trimmed();
    if (!endsSentence(question))
        question += u'?';
    static const QString names[] = {u"Первый ответ"_s, u"Второй ответ"_s};
    for (qsizetype i = 0; i < std::min<qsizetype>(answers.size(), 2); ++i) {
        QString answer = answers[i].trimmed();
        if (!endsSentence(answer))
            answer += u'.';
        question += u" %1: %2"_s.arg(names[i], answer);
    }
    return question;
}

QString Narrator::secondsLeft(int seconds)
{
    return u"До конца раунда %1 %2"_s.arg(seconds).arg(RussianPlural::choose(seconds, u"секунда"_s, u"секунды"_s, u"секунд"_s));
}

QString Narrator::seats(const QList<std::pair<int, QString>> &seated)
{
    QStringList parts;
    for (const auto &[seat, name] : seated)
        parts << u"Место %1: %2."_s.arg(seat).arg(name);
    return parts.join(u' ');
}

void Narrator::openStep()
{
    if (m_stepOpen)
        return;
    m_stepOpen = true;
    QMetaObject::invokeMethod(this, &Narrator::endStep, Qt::QueuedConnection);
}

void Narrator::turnPage()
{
    openStep();
    m_stepCuts = true;
}

void Narrator::add(const QString &line)
{
    const QString text = line.trimmed();
    if (text.isEmpty())
        return;
    openStep();
    m_step << text;
}

void Narrator::tableSeated(const PerSeat<QString> &names, int playerSeat)
{
    m_names = names;
    m_playerSeat = playerSeat;
    turnPage();
}

void Narrator::hostSays(const QString &line) { add(line); }

void Narrator::roundStarted(int, int, int, const PerSeat<QString> &seated)
{
    m_names = seated;
    turnPage();
}

void Narrator::questionPut(const Question &question)
{
    turnPage();
    m_question = questionWithAnswers(question.name + u", "_s + question.text, {question.answers[0], question.answers[1]});
    add(m_question);
    m_answers[0] = question.answers[0];
    m_answers[1] = question.answers[1];
}

void Narrator::answerJudged(const Verdict &verdict)
{
    // The player knows their own answer; another's is said with their name.
    if (verdict.seat != m_playerSeat)
        add(m_names[verdict.seat] + u": "_s + m_answers[verdict.chosen & 1]);
    add(verdict.hostWord);
}

void Narrator::banked(int seat, int) { add(m_names[seat] + u": БАНК!"_s); }

void Narrator::roundEnded(int) { turnPage(); }

void Narrator::votesCounted() { turnPage(); }

void Narrator::hintShown(const QString &hint)
{
    openStep();
    if (!m_hints.contains(hint))
        m_hints << hint;
}

void Narrator::hintHidden(const QString &hint)
{
    m_hints.removeAll(hint);
}

void Narrator::endStep()
{
    m_stepOpen = false;
    QStringList lines = std::exchange(m_step, {});
    lines += std::exchange(m_hints, {});
    const bool cuts = std::exchange(m_stepCuts, false);
    if (!lines.isEmpty()) {
        m_lastWords = lines;
        Q_EMIT stepTold(lines.join(u' '));
    }
    if (!m_on)
        return;
    if (cuts)
        cut();
    m_queue += lines;
    if (!m_reading)
        readNext();
}

void Narrator::cut()
{
    m_queue.clear();
    if (m_reading) {
        m_reading = false;
        m_engine.stop();
    }
}

void Narrator::readNext()
{
    if (m_queue.isEmpty()) {
        m_reading = false;
        return;
    }
    m_reading = true;
    m_engine.say(m_queue.takeFirst());
}

void Narrator::lineRead()
{
    if (m_reading)
        readNext();
}

void Narrator::repeatQuestion()
{
    sayAside(m_question);
}

void Narrator::repeatLastWords()
{
    if (!m_on || m_lastWords.isEmpty())
        return;
    cut();
    m_queue = m_lastWords;
    readNext();
}

void Narrator::sayAside(const QString &text)
{
    if (!m_on || text.isEmpty())
        return;
    cut();
    m_queue << text;
    readNext();
}
