#pragma once

#include "core/data/LineStore.h"
#include "core/engine/GameView.h"

#include <QStringList>

#include <array>
#include <map>

// A game window made of plain values: it remembers what the logic last set and keeps
// the narration as a list of lines. Timers only record whether they run and their interval;
// the test fires them by calling the engine's handlers.
class FakeGameView : public GameView
{
public:
    struct SeatLabel
    {
        QString caption;
        bool visible = false;
    };

    std::array<SeatLabel, 9> names;
    std::array<SeatLabel, 9> votes;
    std::map<Caption, QString> captions;
    std::map<Element, bool> visible;
    std::array<Colour, 11> chain{};
    QStringList narration;
    QStringList answers;
    int selected = -1;
    bool answersEnabled = false;
    std::array<bool, 4> timerActive{};
    std::array<int, 4> timerInterval{0, 1000, 1000, 1000};
    LineStore listBox1;
    LineStore listBox2;
    int windowShown = 0;
    int askedSeat = 0;
    std::pair<int, int> verdict{-1, -1};
    bool voteOpen = false;
    int clock = -1;
    int gameOver = 0;

    void setNameCaption(int seat, const QString &text) override { names[seat].caption = text; }
    void setNameVisible(int seat, bool v) override { names[seat].visible = v; }
    void setVoteCaption(int seat, const QString &text) override { votes[seat].caption = text; }
    void setVoteVisible(int seat, bool v) override { votes[seat].visible = v; }
    void setCaption(Caption element, const QString &text) override { captions[element] = text; }
    void setVisible(Element element, bool v) override { visible[element] = v; }
    void setChainColour(int step, Colour colour) override { chain[step] = colour; }
    void clearNarration() override { narration.clear(); }
    void appendNarration(const QString &line) override { narration.append(line); }
    void clearAnswers() override { answers.clear(); }
    void appendAnswer(const QString &text) override { answers.append(text); }
    QString answerText(int index) const override { return answers.value(index); }
    int selectedAnswer() const override { return selected; }
    void selectNoAnswer() override { selected = -1; }
    void setAnswersEnabled(bool enabled) override { answersEnabled = enabled; }
    LineStore &store(Store which) override { return which == Store::ListBox1 ? listBox1 : listBox2; }
    void setTimerActive(Timer timer, bool active) override { timerActive[int(timer)] = active; }
    void setTimerInterval(Timer timer, int ms) override { timerInterval[int(timer)] = ms; }
    void showWindow() override { ++windowShown; }
    void markAskedSeat(int seat) override { askedSeat = seat; }
    void showVerdict(int chosen, int right) override { verdict = {chosen, right}; }
    void setVoteOpen(bool open) override { voteOpen = open; }
    void showClock(int seconds) override
    {
        clock = seconds;
        captions[Caption::Label2] = QString::number(seconds);
    }
    void showGameOver() override { ++gameOver; }

    bool isActive(Timer t) const { return timerActive[int(t)]; }
    int interval(Timer t) const { return timerInterval[int(t)]; }
    bool isVisible(Element e) const
    {
        const auto it = visible.find(e);
        return it != visible.end() && it->second;
    }
    QString caption(Caption c) const
    {
        const auto it = captions.find(c);
        return it == captions.end() ? QString() : it->second;
    }
    // The one red chain step, or 0 when all are white.
    int redStep() const
    {
        for (int step = 1; step <= 10; ++step) {
            if (chain[step] == Colour::Red)
                return step;
        }
        return 0;
    }
};
