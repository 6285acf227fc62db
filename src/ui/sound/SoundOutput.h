#pragma once

#include "ui/sound/SoundControl.h"

#include <QObject>
#include <QString>

// The game's sound as the windows hold it. The sound player itself lives in a module of its
// own beside the program (SoundModuleInterface; it brings Qt Multimedia and the sound server's libraries, which
// would slow the program's start and weigh on its memory when the menu is all there is),
// loaded by load() or by the first cue. Without the module, or without an audio output, the
// game is silent; the switch and the volume are kept all the same.
class SoundOutput : public QObject, public SoundControl
{
public:
    // `module` is the sound module's path without its suffix; by default the one beside
    // the program.
    explicit SoundOutput(QString module = QString(), QObject *parent = nullptr);

    void play(Cue cue) override;
    void setOn(bool on) override;
    bool isOn() const override { return m_on; }
    void setVolume(int percent) override;
    int volume() const override { return m_volume; }
    bool load() override;

    // The module's player, once the module is found and loaded.
    SoundControl *player() const { return m_player; }

private:
    QString m_module;
    bool m_loaded = false;
    bool m_on;
    int m_volume;
    SoundControl *m_player = nullptr;
};
