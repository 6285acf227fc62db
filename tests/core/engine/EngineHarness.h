#pragma once

// A game engine shown on a recording table screen, with timers the test fires, a scripted
// random source and a fixed clock, its data files in a temporary folder. The helpers push the random values
// an event is going to draw, in the order the engine draws them, and then fire the event.
//
// Unless a test says otherwise every seat plays at skill level 1: a computer answers right
// on a draw of 0 and wrong on 900, and with the clock at 30 or more its bank decision is one
// draw of random(50), 0 banking and 49 not.

#include "FakeTableScreen.h"
#include "FixedClock.h"
#include "ScriptedRandom.h"
#include "TestSupport.h"
#include "TestTimers.h"

#include "core/data/LineStore.h"
#include "core/data/WinnersFile.h"
#include "core/engine/GameEngine.h"
#include "core/engine/SoundCues.h"
#include "core/state/GameState.h"
#include "screen/TablePresenter.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <array>

namespace Fixture {

using namespace Qt::StringLiterals;

// Lines of a file as the game writes them: Windows-1251, CR LF after every line.
inline QByteArray fileBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += TestSupport::cp1251(line) + "\r\n";
    return bytes;
}

// The eight names seat j gets in a scripted first game: seatName(j).
inline QStringList defaultNames()
{
    return {u"Анна"_s, u"Борис"_s, u"Вера"_s, u"Глеб"_s, u"Дарья"_s, u"Егор"_s, u"Жанна"_s, u"Зоя"_s};
}

inline QString seatName(int seat) { return defaultNames().at(seat - 1); }

// Question i reads "Вопрос i" with the answers "Ответ i.0" and "Ответ i.1"; the right one
// alternates, the first answer for even i.
inline QStringList questionLines(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << u"?"_s << u"Вопрос %1"_s.arg(i) << u"Ответ %1.0"_s.arg(i) << u"Ответ %1.1"_s.arg(i)
              << QString::number(i % 2);
    return lines;
}

inline void writeNames(const QString &dir, const QStringList &names)
{
    TestSupport::writeFile(dir + u"/names.txt"_s, fileBytes(names));
}

inline void writeQuestions(const QString &dir, const QStringList &lines)
{
    TestSupport::writeFile(dir + u"/Vopros.txt"_s, fileBytes(lines));
}

// The script value that makes the skill draw give `level`: the lowest v of the level, less 1.
inline int skillDraw(int level)
{
    static constexpr int lowest[] = {1, 2, 11, 21, 41, 61, 81, 96};
    return lowest[level] - 1;
}

inline constexpr int RightDraw = 0;    // right at every level from 1
inline constexpr int WrongDraw = 900;  // wrong at every level

} // namespace Fixture

class EngineHarness
{
public:
    QTemporaryDir dir;
    GameState state;
    FakeTableScreen view;
    TablePresenter presenter{view};
    SoundCues cues;
    TestTimers timers;
    ScriptedRandom random;
    FixedClock clock;
    QLocale locale{QLocale::Russian, QLocale::Russia};
    GameEngine engine;
    LineStore namesList;

    explicit EngineHarness(int questionCount = 30, const QStringList &names = Fixture::defaultNames(),
                           const QString &playerName = QStringLiteral("Игрок"))
        : engine(state, random, clock, QDir(dir.path()), locale, &timers)
    {
        engine.addListener(&presenter);
        engine.addListener(&cues);
        state.setStartValues();
        state.table.playerName = playerName;
        Fixture::writeNames(dir.path(), names);
        Fixture::writeQuestions(dir.path(), Fixture::questionLines(questionCount));
    }

    QString path(const QString &name) const { return dir.path() + u'/' + name; }

    // A first game of the run: the human at `humanSeat`, seat j at levels[j - 1] and named
    // Fixture::seatName(j) (names drawn in file order, so none is refused).
    Status newGame(int humanSeat, std::array<int, 8> levels = {1, 1, 1, 1, 1, 1, 1, 1})
    {
        push(humanSeat - 1);
        for (int level : levels)
            push(Fixture::skillDraw(level));
        for (int seat = 1; seat <= SeatCount; ++seat) {
            if (seat != humanSeat)
                push(seat - 1);
        }
        return engine.newGame(namesList);
    }

    void push(int value) { random.push({value}); }

    int firstOccupied() const
    {
        int seat = 1;
        while (seat < SeatCount && !state.isOccupied(seat))
            ++seat;
        return seat;
    }
    int nextOccupied(int seat) const
    {
        do
            seat = seat % SeatCount + 1;
        while (!state.isOccupied(seat));
        return seat;
    }
    bool isComputer(int seat) const { return seat != state.table.playerSeat; }

    // The draws of a computer at `seat` answering.
    void pushAnswer(int seat, bool right, int delay = 0)
    {
        if (state.table.seatSkill[seat] != 0)
            push(right ? Fixture::RightDraw : Fixture::WrongDraw);
        push(delay);
    }

    // "Начинаем" for a round: the first question is `question`; a computer opening the
    // round answers right or wrong as asked.
    void beginRound(int question = 0, bool computerRight = true)
    {
        push(question);
        if (isComputer(firstOccupied()))
            pushAnswer(firstOccupied(), computerRight);
        engine.startPressed();
    }

    // The answer delay ends. `bankDraw` is the bank decision of the seat that gets the turn
    // (level 1, clock at 30 or more), drawn unless a computer's right answer passes the turn
    // to the human, who is offered "БАНК!" instead.
    void answerDelayEnds(int bankDraw = 49)
    {
        const bool computerAnswered = state.round.turnSeat != state.table.playerSeat;
        const bool offerToHuman = computerAnswered && state.round.computerAnswer == state.round.rightAnswer
                                  && nextOccupied(state.round.turnSeat) == state.table.playerSeat;
        if (!offerToHuman)
            push(bankDraw);
        engine.answerDelayElapsed();
    }

    // The pause ends and the next question (the `pick`-th unasked one) is put.
    void nextQuestion(bool computerRight = true, int pick = 0)
    {
        push(pick);
        if (isComputer(state.round.turnSeat))
            pushAnswer(state.round.turnSeat, computerRight);
        engine.pauseElapsed();
    }

    // The player's moves.
    void choose(int answer) { engine.answerChosen(state.table.playerSeat, answer); }
    void vote(int seat) { engine.seatVoted(state.table.playerSeat, seat); }
    const QStringList &asked() const { return engine.askedQuestions(); }

    void humanAnswers(bool right)
    {
        engine.answerChosen(state.table.playerSeat, right ? state.round.rightAnswer : 1 - state.round.rightAnswer);
    }

    // Plays the current question to its end: the seat with the turn answers and the delay ends.
    void playAnswer(bool right, int bankDraw = 49)
    {
        if (state.round.turnSeat == state.table.playerSeat)
            humanAnswers(right);
        answerDelayEnds(bankDraw);
    }

    // Ticks the clock until the round ends.
    void runClockOut()
    {
        while (timers.isActive(GameTimers::Timer::RoundClock))
            engine.clockTicked();
    }

    QStringList readLines(const QString &name) const
    {
        LineStore store;
        if (!store.load(path(name)))
            return {};
        return store.lines();
    }
    QList<WinnersFile::Record> winners() const
    {
        const QStringList lines = readLines(QStringLiteral("best.txt"));
        return WinnersFile::records(lines, int(lines.size()), locale);
    }
};
