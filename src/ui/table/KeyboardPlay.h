#pragma once

#include <QObject>

class GameEngine;
class Narrator;
class QWidget;
class SoundControl;
struct TableWidgets;

// Playing the game table without the mouse, or without seeing it: the table's keys, and
// what a screen reader and the host's voice are told beside the narration.
//
// The keys: 1 and 2 answer, and while the vote is open 1..8 vote against the player at that
// seat; Space and Enter press the control that has the focus; B banks while "БАНК!" is
// offered; M turns the sound off and on; R has the host repeat the question, T tell the
// time left, N who sits where.
class KeyboardPlay : public QObject
{
    Q_OBJECT

public:
    KeyboardPlay(QWidget &table, const TableWidgets &widgets, GameEngine &engine);

    // The host's voice, or none for a game without it. Not owned.
    void setNarrator(Narrator *narrator);
    // The player that the key M turns off and on, or none. Not owned.
    void setSounds(SoundControl *sounds);

    // Makes the table's shortcuts, once its elements exist.
    void installKeys();

    // What the table offers the player; the host's voice says how to take it while it is
    // offered.
    enum class Offer { Start, Bank, Vote };
    void setOffered(Offer offer, bool offered);

    // Words a screen reader says at once.
    void announce(const QString &words);
    // A line a screen reader says with the focused control; the control gets its own
    // description back when the focus leaves it.
    void describeFocus(const QString &line);

    // The key M: the sound off or on again, remembered for the next games.
    void toggleSound();
    // The sound key's text and name: whether the sound is on.
    void showSoundState(bool on);

private:
    static void restoreDescription(QWidget *widget);
    void pressFocused();
    void answerByKey(int index);
    void digitPressed(int digit);
    void repeatPressed();
    void timePressed();
    void seatsPressed();
    // The answer to R, T or N: said by the host's voice when it is on, and told to a
    // screen reader either way.
    void answerAside(const QString &text);

    QWidget &m_table;
    const TableWidgets &m_widgets;
    GameEngine &m_engine;
    Narrator *m_narrator = nullptr;
    SoundControl *m_sounds = nullptr;
};
