#pragma once

#include "core/engine/GameListener.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <utility>

class SpeechEngine;

// The host's voice: listens to the game and reads aloud what is said at the table (the
// host's words, a player's answer, a bank) through a speech engine.
//
// What is said in one step of the game (until the event loop runs again) is read as one
// piece, each line in turn, when the step is over. A question is read with its two answers:
// "Анна, столица Франции? Первый ответ: Париж. Второй ответ: Лион." A step that puts a
// question, starts or ends a round or counts the votes starts a new reading: what the old
// one had left is dropped. Other steps wait their turn. Reading never holds up the game: the
// engine speaks while the game goes on, and the narrator only hears when a line is done.
class Narrator : public QObject, public GameListener
{
    Q_OBJECT

public:
    // The voice, its name and its rate come from the player's settings. Not owned.
    explicit Narrator(SpeechEngine &engine, QObject *parent = nullptr);

    SpeechEngine &engine() { return m_engine; }

    // Off: nothing is read, and what was being read stops.
    void setOn(bool on);
    bool isOn() const { return m_on; }
    void setVoice(const QString &name);
    QString voice() const { return m_voice; }
    // -100 .. 100, as the settings window's slider shows it.
    void setRate(int rate);
    int rate() const { return m_rate; }

    // What is said at the table.
    void tableSeated(const PerSeat<QString> &names, int playerSeat) override;
    void hostSays(const QString &line) override;
    void roundStarted(int round, int seconds, int prize, const PerSeat<QString> &seated) override;
    void questionPut(const Question &question) override;
    void answerJudged(const Verdict &verdict) override;
    void banked(int seat, int bank) override;
    void roundEnded(int round) override;
    void votesCounted() override;
    // What the player may do now, as the table shows it beside the host's words ("B —
    // положить в банк"): read after the host's words of the step. A hint taken back in the
    // same step is not read.
    void hintShown(const QString &hint);
    void hintHidden(const QString &hint);

    // The keys at the table: the question again, the host's last words again, and an answer
    // to the player's question (the time left, the seats) said at once.
    void repeatQuestion();
    void repeatLastWords();
    void sayAside(const QString &text);

    // The question put last with its answers, as read; empty before the first.
    QString question() const { return m_question; }
    // The host's last words, as read.
    QStringList lastWords() const { return m_lastWords; }
    // What waits to be read after the line being read.
    QStringList waiting() const { return m_queue; }

    static QString questionWithAnswers(QString question, const QStringList &answers);
    // "До конца раунда 21 секунда".
    static QString secondsLeft(int seconds);
    // "Место 1: Анна. Место 3: Борис." for the seats given as (seat, name).
    static QString seats(const QList<std::pair<int, QString>> &seated);

Q_SIGNALS:
    // A step's words as they are read (or would be, with the voice off): for a screen reader.
    void stepTold(const QString &words);

private:
    void openStep();
    // A new reading starts with this step.
    void turnPage();
    void add(const QString &line);
    void endStep();
    void cut();
    void readNext();
    void lineRead();

    SpeechEngine &m_engine;
    bool m_on;
    QString m_voice;
    int m_rate;

    // The step being told.
    bool m_stepOpen = false;
    bool m_stepCuts = false;
    QStringList m_step;
    QStringList m_hints;
    PerSeat<QString> m_names;
    int m_playerSeat = 0;

    QString m_question;
    QString m_answers[2];
    QStringList m_lastWords;
    QStringList m_queue;
    bool m_reading = false;
};
