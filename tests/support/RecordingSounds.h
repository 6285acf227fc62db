#pragma once

#include "core/engine/GameSounds.h"

#include <QList>
#include <QStringList>

// Listens to the game like a player's ears: every cue, in the order the engine gave them.
class RecordingSounds : public GameSounds
{
public:
    QList<Cue> cues;

    void play(Cue cue) override { cues.append(cue); }

    static QString name(Cue cue)
    {
        static const char *const names[CueCount] = {"QuestionPut", "RightAnswer", "WrongAnswer", "Banked",
                                                    "ClockTick",   "RoundOver",   "VoteVerdict", "PlayerLeaves",
                                                    "DuelStarts",  "Won",         "Lost"};
        return QString::fromLatin1(names[int(cue)]);
    }

    // The cues by name, from `from` on: failures then show which moment went wrong.
    QStringList names(qsizetype from = 0) const
    {
        QStringList out;
        for (qsizetype i = from; i < cues.size(); ++i)
            out << name(cues[i]);
        return out;
    }

    qsizetype count(Cue cue) const { return cues.count(cue); }
};
