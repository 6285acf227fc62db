// Judging answers in the rounds: the money chain, the bank and the round scores.
#include "EngineHarness.h"

using namespace Qt::StringLiterals;
using Fixture::seatName;

class AnswerAndBankTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aBankAddsTheChainsValueAtItsStep_data();
    void aBankAddsTheChainsValueAtItsStep();
    void tenRightAnswersCompleteTheChainSilently();
    void wrongAnswerAtStepNineLosesThirtyThousand();
    void computerBankAtStepThreeAddsTwoThousandAndAPoint();
    void bankRightAfterACompletedChainAddsNothing();
    void humanScoresFourteenForFourRightAnswersAndTwoBanks();
    void computerBankDecisionFollowsTheTable_data();
    void computerBankDecisionFollowsTheTable();
};

namespace {

// Seven computer seats 1..7 and the human at 8, every answer right, nobody banks; stops
// after `answers` answers have been judged.
void playRightAnswers(EngineHarness &h, int answers)
{
    h.beginRound(0, true);
    for (int i = 1; i <= answers; ++i) {
        h.playAnswer(true);
        if (i < answers)
            h.nextQuestion(true);
    }
}

} // namespace

void AnswerAndBankTest::aBankAddsTheChainsValueAtItsStep_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("value");
    // The rules' chain, written out: the engine's own table is what is checked.
    const int values[] = {500, 1000, 2000, 3000, 5000, 10000, 15000, 20000, 30000, 50000};
    for (int step = 1; step <= 10; ++step)
        QTest::addRow("step %d", step) << step << values[step - 1];
}

void AnswerAndBankTest::aBankAddsTheChainsValueAtItsStep()
{
    QFETCH(int, step);
    QFETCH(int, value);
    // Computer seats 1..7, the human at 8: `step` right answers in a row, then the seat that
    // gets the turn banks (at step 10 the completed chain has banked itself, and the bank
    // that follows adds nothing).
    EngineHarness h;
    QVERIFY(h.newGame(8).ok());
    h.beginRound(0, true);
    for (int i = 1; i < step; ++i) {
        h.playAnswer(true);
        h.nextQuestion(true);
    }
    h.playAnswer(true, 0);
    if (h.view.bankOffered)
        h.engine.bankPressed(h.engine.state().table.playerSeat);
    QCOMPARE(h.view.narration.last(), u"БАНК!"_s);
    QCOMPARE(h.state.money.bankedSum, value);
    QCOMPARE(h.view.bank, value);
}

void AnswerAndBankTest::tenRightAnswersCompleteTheChainSilently()
{
    EngineHarness h;
    QVERIFY(h.newGame(8).ok());
    h.beginRound(0, true);
    for (int i = 1; i <= 9; ++i) {
        h.playAnswer(true);
        QCOMPARE(h.state.money.chainStep, i);
        QCOMPARE(h.view.chainStep, i);
        QCOMPARE(h.state.money.bankedSum, 0);
        h.nextQuestion(true);
    }
    QCOMPARE(h.state.round.turnSeat, 2);
    h.playAnswer(true);
    QCOMPARE(h.state.money.chainStep, 0);
    QCOMPARE(h.view.chainStep, 0);
    QCOMPARE(h.state.money.bankedSum, 50000);
    QCOMPARE(h.view.bank, 50000);
    QCOMPARE(h.view.narration.last(), u"Верно"_s);
    QVERIFY(!h.view.narration.contains(u"БАНК!"_s));
    QCOMPARE(h.state.round.seatScore[2], 6);  // two right answers, no point for the chain's bank

    h.nextQuestion(true);
    h.playAnswer(true);
    QCOMPARE(h.state.money.chainStep, 1);
    QCOMPARE(h.view.chainStep, 1);
    QCOMPARE(h.state.money.bankedSum, 50000);
    QCOMPARE(h.random.pending(), 0);
}

void AnswerAndBankTest::wrongAnswerAtStepNineLosesThirtyThousand()
{
    EngineHarness h;
    QVERIFY(h.newGame(8).ok());
    playRightAnswers(h, 9);
    QCOMPARE(h.state.money.chainStep, 9);
    QCOMPARE(h.view.chainStep, 9);
    h.nextQuestion(false);
    h.playAnswer(false);
    QCOMPARE(h.view.narration.last(), u"Не верно!"_s);
    QCOMPARE(h.state.money.chainStep, 0);
    QCOMPARE(h.view.chainStep, 0);
    QCOMPARE(h.state.money.bankedSum, 0);
    QVERIFY(!h.state.round.lastAnswerRight);
}

void AnswerAndBankTest::computerBankAtStepThreeAddsTwoThousandAndAPoint()
{
    EngineHarness h;
    QVERIFY(h.newGame(8).ok());
    playRightAnswers(h, 2);
    h.nextQuestion(true);
    h.playAnswer(true, 0);  // seat 3 right; seat 4 draws 0 and banks
    QCOMPARE(h.view.narration.mid(h.view.narration.size() - 4),
             (QStringList{u"Верно"_s, QString(), seatName(4) + u":"_s, u"БАНК!"_s}));
    QCOMPARE(h.state.money.bankedSum, 2000);
    QCOMPARE(h.view.bank, 2000);
    QCOMPARE(h.state.money.chainStep, 0);
    QCOMPARE(h.view.chainStep, 0);
    QCOMPARE(h.state.round.seatScore[4], 1);
    QCOMPARE(h.state.round.seatScore[3], 3);

    // Seat 4 answers next, from a chain that starts again.
    h.nextQuestion(true);
    h.playAnswer(true);
    QCOMPARE(h.state.money.chainStep, 1);
    QCOMPARE(h.state.round.seatScore[4], 4);
}

void AnswerAndBankTest::bankRightAfterACompletedChainAddsNothing()
{
    EngineHarness h;
    QVERIFY(h.newGame(8).ok());
    playRightAnswers(h, 9);
    h.nextQuestion(true);
    h.playAnswer(true, 0);  // the tenth right answer; seat 3 then banks at step 0
    QCOMPARE(h.view.narration.last(), u"БАНК!"_s);
    QCOMPARE(h.state.money.bankedSum, 50000);
    QCOMPARE(h.state.round.seatScore[3], 3);  // its one right answer, no point for the bank
}

void AnswerAndBankTest::humanScoresFourteenForFourRightAnswersAndTwoBanks()
{
    EngineHarness h;
    QVERIFY(h.newGame(1).ok());
    for (int seat = 3; seat <= 8; ++seat)
        h.state.table.seatNames[seat] = u"0"_s;  // the human at seat 1 against seat 2 alone

    h.beginRound();
    h.humanAnswers(true);             // step 1
    h.answerDelayEnds(49);
    h.nextQuestion(true);
    h.answerDelayEnds();              // seat 2 right, step 2: the human is offered the bank
    QVERIFY(h.view.bankOffered);
    h.engine.bankPressed(h.engine.state().table.playerSeat);          // +1000, a point
    QCOMPARE(h.state.money.bankedSum, 1000);
    h.engine.bankPressed(h.engine.state().table.playerSeat);          // again in the same pause: narrated, adds nothing
    QCOMPARE(h.view.narration.count(u"БАНК!"_s), 2);
    QCOMPARE(h.state.money.bankedSum, 1000);
    QCOMPARE(h.state.round.seatScore[1], 4);

    h.nextQuestion();
    QVERIFY(!h.view.bankOffered);
    h.engine.bankPressed(h.engine.state().table.playerSeat);          // hidden: nothing
    QCOMPARE(h.state.round.seatScore[1], 4);
    h.humanAnswers(true);             // step 1
    h.answerDelayEnds(0);             // seat 2 banks 500 after the human's answer, without a point
    QCOMPARE(h.state.money.bankedSum, 1500);
    QCOMPARE(h.state.round.seatScore[2], 3);

    h.nextQuestion(true);
    h.answerDelayEnds();              // seat 2 right, step 1; the human lets it ride
    h.nextQuestion();
    h.humanAnswers(true);             // step 2
    h.answerDelayEnds(49);
    h.nextQuestion(false);
    h.answerDelayEnds();              // seat 2 wrong: no bank offered to the human
    QVERIFY(!h.view.bankOffered);
    h.nextQuestion();
    h.humanAnswers(true);             // step 1
    h.answerDelayEnds(49);
    h.nextQuestion(true);
    h.answerDelayEnds();              // step 2
    h.engine.bankPressed(h.engine.state().table.playerSeat);          // +1000, a point

    QCOMPARE(h.state.round.seatScore[1], 14);
    QCOMPARE(h.state.round.seatScore[2], 9);
    QCOMPARE(h.state.money.bankedSum, 2500);
    QCOMPARE(h.random.pending(), 0);
    h.push(0);                        // the round's summary line
    h.runClockOut();
    QCOMPARE(h.state.round.strongestSeat, 1);
    QCOMPARE(h.state.round.weakestSeat, 2);
}

void AnswerAndBankTest::computerBankDecisionFollowsTheTable_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("range");  // 0: nothing is drawn
    QTest::addColumn<int>("r");
    QTest::addColumn<bool>("lastRight");
    QTest::addColumn<bool>("banks");

    QTest::newRow("level 0 always banks") << 0 << 150 << 0 << 0 << true << true;
    const int table[][3] = {{1, 30, 50}, {2, 25, 60}, {3, 20, 65}, {4, 15, 75}, {5, 10, 80}, {6, 7, 90}, {7, 5, 100}};
    for (const auto &row : table) {
        const int level = row[0], below = row[1], range = row[2];
        QTest::addRow("level %d, %d s left, r=19", level, below) << level << below << range << 19 << true << true;
        QTest::addRow("level %d, %d s left, r=20", level, below) << level << below << range << 20 << true << false;
        QTest::addRow("level %d, %d s left: sure", level, below - 1) << level << below - 1 << 0 << 0 << true << true;
    }
    QTest::newRow("level 7 with 40 s left, r=99") << 7 << 40 << 100 << 99 << true << false;
    QTest::newRow("after a wrong answer: r=0 but no bank") << 4 << 150 << 75 << 0 << false << false;
    QTest::newRow("after a wrong answer, clock low: no bank") << 4 << 3 << 0 << 0 << false << false;
}

void AnswerAndBankTest::computerBankDecisionFollowsTheTable()
{
    QFETCH(int, level);
    QFETCH(int, seconds);
    QFETCH(int, range);
    QFETCH(int, r);
    QFETCH(bool, lastRight);
    QFETCH(bool, banks);

    EngineHarness h;
    QVERIFY(h.newGame(8, {1, level, 1, 1, 1, 1, 1, 1}).ok());
    h.beginRound(0, lastRight);
    h.state.round.secondsLeft = seconds;
    h.random.drawn.clear();
    if (range > 0)
        h.push(r);
    h.engine.answerDelayElapsed();
    QCOMPARE(h.random.drawn, range > 0 ? QList<int>{range} : QList<int>{});
    QCOMPARE(h.view.narration.last() == u"БАНК!"_s, banks);
    QCOMPARE(h.state.money.bankedSum, banks ? 500 : 0);
    QCOMPARE(h.state.round.seatScore[2], banks ? 1 : 0);
}

QTEST_GUILESS_MAIN(AnswerAndBankTest)
#include "AnswerAndBankTest.moc"
