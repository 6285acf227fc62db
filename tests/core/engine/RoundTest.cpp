// The round start, the round clock and the end of a round.
#include "EngineHarness.h"
#include "core/engine/SteadyTicks.h"

using namespace Qt::StringLiterals;
using Fixture::seatName;
using Timer = GameTimers::Timer;

namespace {

const QString VoteCall = u"Кто же играет не так как все. Кому пришло время покинуть игровую площадку. Сейчас мы узнаем, кто на ваш взгляд самое зыбкоцепье!"_s;

} // namespace

class RoundTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundStartsCleanAtTheLowestOccupiedSeat();
    void roundOfNSecondsLastsNPlusOneTicks_data();
    void roundOfNSecondsLastsNPlusOneTicks();
    void clockTicksKeepToTheirDeadlinesWhenLate();
    void roundEndStopsEveryTimerBeforeItsNarration_data();
    void roundEndStopsEveryTimerBeforeItsNarration();
    void strongestAndWeakestSeats_data();
    void strongestAndWeakestSeats();
    void summaryAndVerdictFollowTheBank_data();
    void summaryAndVerdictFollowTheBank();
    void roundSevenDoublesTheBankAndNamesTheFinalists();
};

void RoundTest::roundStartsCleanAtTheLowestOccupiedSeat()
{
    EngineHarness h;
    QVERIFY(h.newGame(5).ok());
    // What a previous round and vote might have left behind.
    h.state.table.seatNames[1] = u"0"_s;
    h.state.table.seatNames[2] = u"0"_s;
    h.state.money.chainStep = 4;
    h.view.markChainStep(4);
    h.state.money.bankedSum = 7000;
    h.state.money.prizeTotal = 12000;
    h.state.round.turnSeat = 6;
    h.state.round.seatScore[3] = 9;
    for (int seat = 1; seat <= 8; ++seat)
        h.view.setSeatVotesShown(seat, true);

    h.beginRound(3);
    QCOMPARE(h.state.round.turnSeat, 3);
    QCOMPARE(h.view.narration, (QStringList{u"У вас есть 150 секунд на этот раунд. Время пошло!"_s,
                                            seatName(3) + u", Вопрос 3"_s}));
    QCOMPARE(h.state.money.chainStep, 0);
    QCOMPARE(h.view.chainStep, 0);
    QCOMPARE(h.state.money.bankedSum, 0);
    QCOMPARE(h.view.bank, 0);
    QCOMPARE(h.view.prize, 12000);
    QVERIFY(!h.view.prizeShown);
    QCOMPARE(h.view.scoreboard, u"150"_s);
    QVERIFY(h.view.scoreboardShown);
    QVERIFY(!h.view.startShown);
    QVERIFY(h.timers.isActive(Timer::RoundClock));
    QCOMPARE(h.state.round.seatScore[3], 0);
    for (int seat = 1; seat <= 8; ++seat) {
        QCOMPARE(h.view.names[seat].visible, seat > 2);
        QVERIFY(!h.view.votes[seat].visible);
    }
    QVERIFY(h.asked().isEmpty());

    // "Начинаем" is gone for the rest of the round: a stray press does nothing.
    h.engine.startPressed();
    QCOMPARE(h.random.pending(), 0);
    QCOMPARE(h.view.narration.size(), 2);
}

void RoundTest::roundOfNSecondsLastsNPlusOneTicks_data()
{
    QTest::addColumn<int>("seconds");
    QTest::newRow("round 1") << 150;
    QTest::newRow("round 7's length") << 90;
    QTest::newRow("five seconds") << 5;
}

void RoundTest::roundOfNSecondsLastsNPlusOneTicks()
{
    QFETCH(int, seconds);
    EngineHarness h;
    QVERIFY(h.newGame(8).ok());
    h.state.round.secondsLeft = seconds;
    h.beginRound();
    QCOMPARE(h.view.scoreboard, QString::number(seconds));
    h.engine.clockTicked();
    QCOMPARE(h.view.scoreboard, QString::number(seconds - 1));
    for (int tick = 2; tick <= seconds; ++tick)
        h.engine.clockTicked();
    // "0" stays for a whole second while play goes on.
    QCOMPARE(h.view.scoreboard, u"0"_s);
    QVERIFY(h.timers.isActive(Timer::RoundClock));
    QVERIFY(!h.state.vote.open);
    h.push(0);
    h.engine.clockTicked();
    QVERIFY(!h.timers.isActive(Timer::RoundClock));
    QVERIFY(h.state.vote.open);
    QCOMPARE(h.view.scoreboard, u"0"_s);
    QCOMPARE(h.state.round.secondsLeft, 0);
}

void RoundTest::clockTicksKeepToTheirDeadlinesWhenLate()
{
    // The event loop's round clock counts seconds from the round's start, not from the last
    // tick: a tick 700 ms late shows the true time and the next one comes on time; a stall of
    // several seconds counts every second it swallowed; a tick a millisecond early waits.
    SteadyTicks ticks;
    ticks.start(10'000, 1000);
    QCOMPARE(ticks.take(10'999), 0);
    QCOMPARE(ticks.untilNext(10'999), 1);
    QCOMPARE(ticks.take(11'000), 1);
    QCOMPARE(ticks.take(12'700), 1);
    QCOMPARE(ticks.untilNext(12'700), 300);
    QCOMPARE(ticks.take(17'400), 5);
    QCOMPARE(ticks.untilNext(17'400), 600);
    QCOMPARE(ticks.take(17'400), 0);
}

void RoundTest::roundEndStopsEveryTimerBeforeItsNarration_data()
{
    QTest::addColumn<int>("phase");
    QTest::newRow("a computer is thinking") << 0;
    QTest::newRow("the human is choosing") << 1;
    QTest::newRow("after the human's answer") << 2;
    QTest::newRow("pause with the bank offered to the human") << 3;
}

void RoundTest::roundEndStopsEveryTimerBeforeItsNarration()
{
    QFETCH(int, phase);
    EngineHarness h;
    QVERIFY(h.newGame(2).ok());
    h.beginRound();                       // seat 1 thinking
    if (phase >= 1) {
        h.answerDelayEnds();              // seat 1 right: the bank is offered
        if (phase == 3)
            QVERIFY(h.view.bankOffered);
        else
            h.nextQuestion();             // the human's question
    }
    if (phase == 2)
        h.humanAnswers(true);
    const int chain = h.state.money.chainStep;

    h.state.round.secondsLeft = 0;
    h.push(0);
    h.engine.clockTicked();
    for (Timer t : {Timer::RoundClock, Timer::AnswerDelay, Timer::Pause})
        QVERIFY(!h.timers.isActive(t));
    QCOMPARE(h.view.narration.size(), 3);
    QCOMPARE(h.view.narration.last(), VoteCall);
    QVERIFY(!h.view.bankOffered);
    QVERIFY(!h.view.answersShown);
    QVERIFY(!h.view.answersEnabled);

    // Nothing of the round reacts any more.
    h.choose(0);
    h.engine.bankPressed(h.engine.state().table.playerSeat);
    QCOMPARE(h.view.narration.size(), 3);
    QCOMPARE(h.state.money.chainStep, chain);
    QCOMPARE(h.random.pending(), 0);
}

void RoundTest::strongestAndWeakestSeats_data()
{
    QTest::addColumn<QList<int>>("scores");  // per seat 1..8; -1 marks an empty seat
    QTest::addColumn<int>("strong");
    QTest::addColumn<int>("weak");

    QTest::newRow("tie on the highest goes to the lower seat")
        << QList<int>{3, 6, 0, 7, 1, 7, 3, 3} << 4 << 3;
    QTest::newRow("tie on the lowest goes to the lower seat")
        << QList<int>{4, 6, 1, 9, 1, 4, 3, 1} << 4 << 3;
    QTest::newRow("all on the same positive score")
        << QList<int>{-1, 3, 3, -1, 3, 3, -1, 3} << 2 << 2;
    QTest::newRow("nobody scored, seat 1 taken") << QList<int>{0, 0, 0, 0, 0, 0, 0, 0} << 1 << 1;
    QTest::newRow("nobody scored, seats 1 and 2 empty")
        << QList<int>{-1, -1, 0, 0, 0, 0, 0, 0} << 3 << 3;
    QTest::newRow("an empty seat is never the weakest")
        << QList<int>{-1, 4, 3, 6, 4, 3, -1, 3} << 4 << 3;
    QTest::newRow("a scoreless seat is the weakest") << QList<int>{4, 4, 4, 4, 4, 4, 4, 0} << 1 << 8;
}

void RoundTest::strongestAndWeakestSeats()
{
    QFETCH(QList<int>, scores);
    QFETCH(int, strong);
    QFETCH(int, weak);
    EngineHarness h;
    int human = 1;
    while (scores[human - 1] < 0)
        ++human;
    QVERIFY(h.newGame(human).ok());
    for (int seat = 1; seat <= 8; ++seat) {
        if (scores[seat - 1] < 0)
            h.state.table.seatNames[seat] = u"0"_s;
    }
    h.beginRound();
    for (int seat = 1; seat <= 8; ++seat)
        h.state.round.seatScore[seat] = std::max(scores[seat - 1], 0);
    h.push(0);
    h.runClockOut();
    QCOMPARE(h.state.round.strongestSeat, strong);
    QCOMPARE(h.state.round.weakestSeat, weak);
}

void RoundTest::summaryAndVerdictFollowTheBank_data()
{
    QTest::addColumn<int>("banked");
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("verdict");

    const QString laughing = u"Вы смогли посмешить публику такой безобразной игрой!"_s;
    const QString weak = u"Как говориться, СЛАБЫМ ПРИЗА НЕ ВИДАТЬ! Вы опозорились в этом раунде!"_s;
    const QString small = u"Вы положили в банк смешную сумму. Это совсем не по-русски. Вы сдаете свои позиции. Хватит класть в банк по 500 рублей. Не будьте шутами!"_s;
    const QString good = u"Мы рады, что вы сыграли не как цыплята. Молодцы!"_s;

    QTest::newRow("nothing banked") << 0 << 1 << u"Время кончилось. Вы напряглись и выиграли 0"_s << laughing;
    QTest::newRow("999") << 999 << 2 << u"Секундомер на 0. В этом раунде вы положили в банк 999"_s << laughing;
    QTest::newRow("1000") << 1000 << 3 << u"Раунд завершен. Для вас он стоил 1000 рублей"_s << weak;
    QTest::newRow("3000 on a prize of 2000")
        << 3000 << 0
        << u"Раунд завершился. Вы смогли положить в банк 3000 рублей. Так что сумма выигрыша сейчас составляет 5000 рублей."_s
        << weak;
    QTest::newRow("4999") << 4999 << 4 << u"На этот раз вы смогли положить в банк 4999"_s << weak;
    QTest::newRow("5000") << 5000 << 4 << u"На этот раз вы смогли положить в банк 5000"_s << small;
    QTest::newRow("9999") << 9999 << 1 << u"Время кончилось. Вы напряглись и выиграли 9999"_s << small;
    QTest::newRow("10000") << 10000 << 2 << u"Секундомер на 0. В этом раунде вы положили в банк 10000"_s << good;
    QTest::newRow("two chains") << 100000 << 3 << u"Раунд завершен. Для вас он стоил 100000 рублей"_s << good;
}

void RoundTest::summaryAndVerdictFollowTheBank()
{
    QFETCH(int, banked);
    QFETCH(int, variant);
    QFETCH(QString, summary);
    QFETCH(QString, verdict);
    EngineHarness h;
    QVERIFY(h.newGame(8).ok());
    h.state.money.prizeTotal = 2000;
    h.beginRound();
    h.state.money.bankedSum = banked;
    h.push(variant);
    h.runClockOut();
    QCOMPARE(h.view.narration, (QStringList{summary, verdict, VoteCall}));
    QCOMPARE(h.state.money.prizeTotal, 2000 + banked);
    QCOMPARE(h.view.prize, 2000 + banked);
    QVERIFY(h.view.prizeShown);
    QVERIFY(h.state.vote.open);
    QVERIFY(!h.view.startShown);
    QCOMPARE(h.state.round.number, 1);
}

void RoundTest::roundSevenDoublesTheBankAndNamesTheFinalists()
{
    EngineHarness h;
    QVERIFY(h.newGame(6).ok());
    for (int seat : {1, 2, 4, 5, 7, 8})
        h.state.table.seatNames[seat] = u"0"_s;
    h.state.round.number = 7;
    h.state.round.secondsLeft = 90;
    h.state.money.prizeTotal = 10000;
    h.beginRound();
    QCOMPARE(h.state.round.turnSeat, 3);
    h.state.money.bankedSum = 50000;
    h.random.drawn.clear();
    h.runClockOut();

    QVERIFY(h.random.drawn.isEmpty());  // no summary variant after round 7
    QCOMPARE(h.state.money.prizeTotal, 110000);
    QCOMPARE(h.view.prize, 110000);
    QVERIFY(h.view.prizeShown);
    QCOMPARE(h.view.narration,
             (QStringList{u"Ну, что же. Финальный приз игры определен. Он составляет сегодня 110000 рублей."_s,
                          u"Сейчас вас ждет встреча в финале."_s,
                          u"Сейчас вы, Вера, и вы, Игрок встретитесь лицом к лицу. Победит сильнейший."_s}));
    QCOMPARE(h.state.duel.finalistA, seatName(3));
    QCOMPARE(h.state.duel.finalistB, u"Игрок"_s);
    QCOMPARE(h.state.round.number, 8);
    QVERIFY(!h.state.vote.open);
    QVERIFY(h.view.startShown);
    QCOMPARE(brokenInvariant(h.state, &h.engine.questionLines()), QString());

    // The vote stays shut.
    h.vote(3);
    QCOMPARE(h.state.occupiedSeats(), 2);
}

QTEST_GUILESS_MAIN(RoundTest)
#include "RoundTest.moc"
