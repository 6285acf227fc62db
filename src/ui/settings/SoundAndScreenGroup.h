#pragma once

#include <QList>
#include <QWidget>

class Narrator;
class QCheckBox;
class QLabel;
class QComboBox;
class QSlider;
class SoundControl;

// The settings window's group «Звук и экран»: the size of the windows, the game's sounds
// and their volume, and the host's voice with its voice and its rate. A change is stored
// at once; the sound and the voice are also heard at once, the size from the next start.
// Of the window sizes, only those whose windows fit the screen can be chosen.
//
// The group is transparent: its frame is part of the window's picture, and the group
// sits inside it.
class SoundAndScreenGroup : public QWidget
{
    Q_OBJECT

public:
    explicit SoundAndScreenGroup(QWidget *parent);

    // The player that the sound controls act on at once, or none. Not owned.
    void setSounds(SoundControl *sounds) { m_sounds = sounds; }
    // The host's voice that the voice controls act on at once, or none. Not owned.
    void setNarrator(Narrator *narrator);

    // Shows the stored settings: the key M at the table may have changed the sound since
    // the window was last shown.
    void showStored();

    // The group's controls in the order the Tab key visits them.
    QList<QWidget *> tabOrder() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildScale(int top);
    // Only the sizes whose windows fit the screen can be chosen; the note says so.
    void offerFittingSizes();
    void buildSound(int top);
    void buildVoice(int top);
    void showStoredVoice();
    // The voice choice: the engine's own voice, then the engine's voices as far as known.
    void listVoices();

    QLabel *m_heading = nullptr;
    QComboBox *m_windowScale = nullptr;
    QLabel *m_windowScaleNote = nullptr;
    QCheckBox *m_soundOn = nullptr;
    QSlider *m_soundVolume = nullptr;
    QCheckBox *m_hostVoice = nullptr;
    QComboBox *m_hostVoiceName = nullptr;
    QSlider *m_hostVoiceRate = nullptr;

    SoundControl *m_sounds = nullptr;
    Narrator *m_narrator = nullptr;
};
