#pragma once

#include "core/data/Status.h"
#include "screen/TableScreen.h"

#include <QStringList>

#include <array>

// A table screen made of plain values: it remembers what it was last told to show and
// keeps the narration as a list of lines.
class FakeTableScreen : public TableScreen
{
public:
    struct SeatLabel
    {
        QString caption;
        bool visible = false;
    };

    std::array<SeatLabel, 9> names;
    std::array<SeatLabel, 9> votes;
    int bank = -1;
    int chainStep = 0;           // the lit step, 0 for none
    int prize = -1;
    bool prizeShown = false;
    QString scoreboardTitle;
    bool scoreboardShown = false;
    QString scoreboard;          // the clock's seconds or the duel's score
    int clock = -1;
    QString startText;
    bool startShown = false;
    bool bankOffered = false;
    QStringList narration;
    bool answersShown = false;
    QStringList answers;
    int selected = -1;
    bool answersEnabled = false;
    int askedSeat = 0;
    std::pair<int, int> verdict{-1, -1};
    bool voteOpen = false;
    int gameOver = 0;
    QStringList failures;

    void showSeatName(int seat, const QString &name) override { names[seat].caption = name; }
    void setSeatNameShown(int seat, bool v) override { names[seat].visible = v; }
    void showSeatVotes(int seat, const QString &text) override { votes[seat].caption = text; }
    void setSeatVotesShown(int seat, bool v) override { votes[seat].visible = v; }
    void showBank(int sum) override { bank = sum; }
    void markChainStep(int step) override { chainStep = step; }
    void showPrize(int total) override { prize = total; }
    void setPrizeShown(bool shown) override { prizeShown = shown; }
    void setScoreboardTitle(const QString &title) override { scoreboardTitle = title; }
    void setScoreboardShown(bool shown) override { scoreboardShown = shown; }
    void showClock(int seconds) override
    {
        clock = seconds;
        scoreboard = QString::number(seconds);
    }
    void showDuelScore(int first, int second) override { scoreboard = QStringLiteral("%1:%2").arg(first).arg(second); }
    void setStartButtonText(const QString &text) override { startText = text; }
    void setStartButtonShown(bool shown) override { startShown = shown; }
    void offerBank(bool offered) override { bankOffered = offered; }
    void clearNarration() override { narration.clear(); }
    void appendNarration(const QString &line) override { narration.append(line); }
    void setAnswersShown(bool shown) override { answersShown = shown; }
    void clearAnswers() override { answers.clear(); }
    void appendAnswer(const QString &text) override { answers.append(text); }
    void selectNoAnswer() override { selected = -1; }
    void setAnswersEnabled(bool enabled) override { answersEnabled = enabled; }
    void markAskedSeat(int seat) override { askedSeat = seat; }
    void showVerdict(int chosen, int right) override { verdict = {chosen, right}; }
    void setVoteOpen(bool open) override { voteOpen = open; }
    void showGameOver() override { ++gameOver; }
    void reportFailure(const Status &status) override { failures << status.message; }
};
