#pragma once

#include "ui/speech/SpeechEngine.h"

// A speech engine that writes down what it is asked to read. A reading lasts until the test
// ends it with finishReading(), as the real engine's report would.
class RecordingSpeech : public SpeechEngine
{
public:
    QStringList said;
    int stops = 0;
    int prepared = 0;
    QString voice;
    double rate = 0;
    QStringList knownVoices;
    bool reading = false;

    void prepare() override { ++prepared; }
    void say(const QString &text) override
    {
        said << text;
        reading = true;
    }
    void stop() override
    {
        ++stops;
        reading = false;
    }
    QStringList voices() const override { return knownVoices; }
    void setVoice(const QString &name) override { voice = name; }
    void setRate(double r) override { rate = r; }

    // The line being read has been read to its end.
    void finishReading()
    {
        if (!reading)
            return;
        reading = false;
        Q_EMIT finished();
    }
    // Reads whatever waits, to the end.
    void finishAll()
    {
        for (int i = 0; i < 100 && reading; ++i)
            finishReading();
    }
};
