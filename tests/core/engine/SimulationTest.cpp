// Thousands of whole games, one after another in the same window as in one run of the
// program, with random computer play and a random human. After every event the shared
// state must keep its invariants; every game must end in a decided duel or the human's
// exit, leave exactly one readable winners record, and end in a bounded number of events.
//
// ZYB_SIM_GAMES sets the number of games (2000 by default).
#include "EngineHarness.h"
#include "GameDriver.h"

#include "core/engine/RandomSource.h"

#include <QElapsedTimer>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

constexpr int MaxEventsPerGame = 40000;

QStringList simulationNames()
{
    // More names than seats, the player's own names among them.
    return {u"Анна"_s, u"Борис"_s, u"Вера"_s, u"Глеб"_s, u"Дарья"_s, u"Егор"_s, u"Жанна"_s,
            u"Зоя"_s, u"Илья"_s, u"Кира"_s, u"Лев"_s, u"Игрок"_s, u"HiddenRover"_s};
}

} // namespace

class SimulationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyGameKeepsTheInvariantsAndEndsWithOneRecord();
};

void SimulationTest::everyGameKeepsTheInvariantsAndEndsWithOneRecord()
{
    bool ok = false;
    int games = qEnvironmentVariableIntValue("ZYB_SIM_GAMES", &ok);
    if (!ok || games <= 0)
        games = 2000;

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Fixture::writeNames(dir.path(), simulationNames());
    Fixture::writeQuestions(dir.path(), Fixture::questionLines(40));
    const QString best = dir.path() + u"/best.txt"_s;
    const QLocale locale(QLocale::Russian, QLocale::Russia);

    GameState state;
    state.setStartValues();
    FakeTableScreen view;
    TablePresenter presenter(view);
    TestTimers timers;
    SystemRandom random(20261207u);
    FixedClock clock;
    GameEngine engine(state, random, clock, QDir(dir.path()), locale, &timers);
    engine.addListener(&presenter);
    GameDriver driver(state, view, timers, engine, 77u);
    LineStore namesList;

    qint64 events = 0;
    int duels = 0, exits = 0, quickFinals = 0;
    QElapsedTimer elapsed;
    elapsed.start();

    for (int game = 0; game < games; ++game) {
        const bool quickFinal = game % 10 == 9;
        quickFinals += quickFinal ? 1 : 0;
        state.table.playerName = quickFinal ? u"HiddenRover"_s : u"Игрок"_s;
        engine.windowClosed();
        QFile::remove(best);
        const Status started = engine.newGame(namesList);
        QVERIFY2(started.ok(), qPrintable(started.message));

        bool running = true;  // the question base is in the question list until the game ends
        view.gameOver = 0;
        const auto check = [&]() -> QString {
            running = running && !driver.gameOver();
            QString broken = brokenInvariant(state, running ? &engine.questionLines() : nullptr);
            // What the table tells the player follows the game.
            if (view.voteOpen != state.vote.open)
                broken = u"the table's vote invitation and the vote disagree"_s;
            else if ((view.askedSeat != 0) != view.answersShown)
                broken = u"a seat is marked as asked without a question, or a question without one"_s;
            else if (view.gameOver != (driver.gameOver() ? 1 : 0))
                broken = u"the end of the game is offered %1 times"_s.arg(view.gameOver);
            return broken.isEmpty() ? QString() : u"game %1: %2"_s.arg(game).arg(broken);
        };
        const GameOutcome out = driver.play(MaxEventsPerGame, check);
        QVERIFY2(out.failure.isEmpty(), qPrintable(u"game %1: %2"_s.arg(game).arg(out.failure)));
        QVERIFY2(view.failures.isEmpty(), qPrintable(view.failures.join(u' ')));
        QVERIFY(out.duelDecided != out.humanOut);
        events += out.events;
        duels += out.duelDecided ? 1 : 0;
        exits += out.humanOut ? 1 : 0;

        // The window offers no way on.
        QVERIFY2(!timers.anyActive(), qPrintable(u"game %1: a timer runs"_s.arg(game)));
        const QString where = u"game %1, round %2, %3 events, narration: %4"_s.arg(game).arg(state.round.number)
                                  .arg(out.events).arg(view.narration.join(u" | "_s));
        QVERIFY2(!view.startShown, qPrintable(where));
        QVERIFY2(!view.bankOffered, qPrintable(where));
        QVERIFY(!view.answersEnabled);
        QVERIFY(!state.vote.open);

        // Exactly one well-formed record, for a player of this game.
        LineStore file;
        QVERIFY(file.load(best).ok());
        QCOMPARE(file.count(), 5);
        const auto records = WinnersFile::records(file.lines(), file.count(), locale);
        QCOMPARE(records.size(), 1);
        const WinnersFile::Record &r = records.first();
        QCOMPARE(r.dateValue, clock.when.date());
        QCOMPARE(r.amount, QString::number(r.amountValue));
        const qint64 prize = state.money.prizeTotal;
        if (out.duelDecided) {
            QCOMPARE(r.name, state.duel.finalist(state.duel.winnerSide));
            QCOMPARE(r.amountValue, prize);
        } else {
            QVERIFY(r.name != state.table.playerName);
            QCOMPARE(r.name, state.table.seatNames[state.round.pick]);
            QVERIFY(r.amountValue >= prize && r.amountValue <= prize + 99500);
            QCOMPARE((r.amountValue - prize) % 500, 0);
        }

        // Clicking about after the end changes nothing.
        const QStringList narration = view.narration;
        driver.clickEverything();
        QCOMPARE(view.narration, narration);
        QCOMPARE(TestSupport::readFile(best).count("\r\n"), 5);
    }

    const qint64 ms = elapsed.elapsed();
    qInfo("simulation: %d games (%d duels, %d exits of the human, %d quick finals), %lld events, %lld ms",
          games, duels, exits, quickFinals, events, ms);
    QVERIFY(duels > 0);
    QVERIFY(exits > 0);
}

QTEST_GUILESS_MAIN(SimulationTest)
#include "SimulationTest.moc"
