// Prints one line per benchmark: "NAME: measured X UNIT, target Y UNIT ok|FAIL".
#include "FixedClock.h"
#include "GameDriver.h"

#include "core/data/LineStore.h"
#include "core/engine/GameEngine.h"
#include "core/engine/RandomSource.h"
#include "core/engine/UnaskedPool.h"
#include "core/state/GameState.h"
#include "screen/TablePresenter.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <vector>

using namespace Qt::StringLiterals;
using Clocked = std::chrono::steady_clock;

namespace {

double micros(Clocked::time_point from, Clocked::time_point to)
{
    return std::chrono::duration<double, std::micro>(to - from).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

bool report(const char *name, double measured, const char *unit, double target)
{
    const bool ok = target <= 0 || measured <= target;
    if (target > 0)
        std::printf("%s: measured %.2f %s, target %.0f %s %s\n", name, measured, unit, target, unit, ok ? "ok" : "FAIL");
    else
        std::printf("%s: measured %.2f %s\n", name, measured, unit);
    std::fflush(stdout);
    return ok;
}

// (a) With 100,000 questions and all but one already put, the pick of the last one.
bool unaskedPick()
{
    constexpr int Questions = 100000;
    std::vector<int> order(Questions);
    std::iota(order.begin(), order.end(), 0);
    SystemRandom shuffle(7u);
    for (int i = Questions - 1; i > 0; --i)
        std::swap(order[size_t(i)], order[size_t(shuffle.random(i + 1))]);

    std::vector<double> samples;
    for (int sample = 0; sample < 200; ++sample) {
        // The store as a long game leaves it: 99,999 numbers in the order put, a different
        // question left out each time, with room to grow as a list that has been growing.
        QStringList lines;
        lines.reserve(Questions + 1);
        const int left = order[size_t(sample)];
        for (int q : order) {
            if (q != left)
                lines.append(QString::number(q));
        }
        LineStore asked;
        asked.setLines(std::move(lines));
        UnaskedPool pool;
        pool.rebuild(Questions, asked);
        SystemRandom random{unsigned(sample)};

        const auto from = Clocked::now();
        const int picked = pool.pickAndRecord(random, asked);
        const auto to = Clocked::now();
        if (picked != left || asked.count() != Questions) {
            std::printf("unasked-pick: picked %d instead of %d\n", picked, left);
            return false;
        }
        samples.push_back(micros(from, to));
    }
    return report("unasked-pick", median(samples), "us", 5);
}

struct Table
{
    QTemporaryDir dir;
    GameState state;
    FakeTableScreen view;
    TablePresenter presenter{view};
    TestTimers timers;
    SystemRandom random{20261207u};
    FixedClock clock;
    GameEngine engine{state, random, clock, QDir(dir.path()), QLocale(QLocale::Russian, QLocale::Russia), &timers};
    GameDriver driver{state, view, timers, engine, 99u};
    LineStore namesList;

    Table()
    {
        engine.addListener(&presenter);
        LineStore names;
        names.setLines({u"Анна"_s, u"Борис"_s, u"Вера"_s, u"Глеб"_s, u"Дарья"_s, u"Егор"_s, u"Жанна"_s,
                        u"Зоя"_s, u"Илья"_s, u"Кира"_s, u"Лев"_s, u"Мира"_s});
        (void)names.save(dir.path() + u"/names.txt"_s);
        LineStore questions;
        for (int i = 0; i < 500; ++i) {
            questions.append(u"?"_s);
            questions.append(u"Вопрос номер %1: какой ответ верный?"_s.arg(i));
            questions.append(u"Первый ответ %1"_s.arg(i));
            questions.append(u"Второй ответ %1"_s.arg(i));
            questions.append(QString::number(i % 2));
        }
        (void)questions.save(dir.path() + u"/Vopros.txt"_s);
        state.setStartValues();
        state.table.playerName = u"Игрок"_s;
        driver.strayRate = 0;
    }

    bool newGame()
    {
        engine.windowClosed();
        QFile::remove(dir.path() + u"/best.txt"_s);
        return engine.newGame(namesList).ok();
    }
};

// (b) A whole game, from "Играть" to the winners record, with a random human.
bool completeGame()
{
    Table t;
    std::vector<double> all, duels;
    long events = 0;
    constexpr int Games = 400;
    for (int game = 0; game < Games; ++game) {
        const auto from = Clocked::now();
        if (!t.newGame())
            return false;
        const GameOutcome out = t.driver.play(100000);
        const auto to = Clocked::now();
        if (!out.failure.isEmpty()) {
            std::printf("complete-game: %s\n", qPrintable(out.failure));
            return false;
        }
        events += out.events;
        all.push_back(micros(from, to) / 1000);
        if (out.duelDecided)
            duels.push_back(micros(from, to) / 1000);
    }
    std::printf("complete-game: %d games, %ld events, %zu reached the duel (median %.3f ms)\n", Games, events,
                duels.size(), median(duels));
    return report("complete-game", median(all), "ms", 2);
}

// (c) One round with eight seats played by the machine (the human's seat answers at once).
bool computerRound()
{
    Table t;
    t.driver.instantHuman = true;
    std::vector<double> samples;
    long events = 0;
    for (int round = 0; round < 400; ++round) {
        if (!t.newGame())
            return false;
        const auto from = Clocked::now();
        t.engine.startPressed();
        const GameOutcome out = t.driver.play(100000, {}, [&t] { return t.state.vote.open; });
        const auto to = Clocked::now();
        if (!out.failure.isEmpty() || !t.state.vote.open) {
            std::printf("computer-round: the round did not reach the vote\n");
            return false;
        }
        events += out.events;
        samples.push_back(micros(from, to));
    }
    std::printf("computer-round: 400 rounds, %ld events\n", events);
    return report("computer-round", median(samples), "us", 0);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    bool ok = unaskedPick();
    ok = completeGame() && ok;
    ok = computerRound() && ok;
    return ok ? 0 : 1;
}
