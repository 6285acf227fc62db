// Putting questions, the computer players' answers, the pacing and the store of questions
// already put.
#include "EngineHarness.h"

using namespace Qt::StringLiterals;
using Fixture::seatName;
using Timer = GameTimers::Timer;

class QuestionTurnTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void computerAnswerFollowsTheTableAtItsBoundaries_data();
    void computerAnswerFollowsTheTableAtItsBoundaries();
    void rightAnswersPerThousandDrawsMatchEachLevel();
    void computerThinksFifteenHundredToSixtyFourNinetyNineMilliseconds_data();
    void computerThinksFifteenHundredToSixtyFourNinetyNineMilliseconds();
    void humanAnswerWaitsExactlyFifteenHundredAndEveryPauseTwoThousand();
    void computersRightAnswerIsNarratedLineByLine();
    void humanAnswersOnlyOnceAndOnlyOnTheirTurn();
    void turnSkipsEmptySeatsAndWraps();
    void questionsComeInCyclesOfTheWholeBase();
    void theTableMarksWhoIsAskedAndHowTheAnswerWasJudged();
    void storeOfQuestionsPutSurvivesANewGame();
    void storeIsEmptiedWhenTheBaseChangesSize_data();
    void storeIsEmptiedWhenTheBaseChangesSize();
};

void QuestionTurnTest::computerAnswerFollowsTheTableAtItsBoundaries_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("r");
    QTest::addColumn<bool>("right");
    const struct { int level, r; bool right; } rows[] = {
        {1, 99, true},   {1, 100, false}, {2, 299, true},  {2, 300, false},
        {3, 499, true},  {3, 500, false}, {3, 900, false}, {3, 901, true},
        {4, 599, true},  {4, 600, false}, {4, 900, false}, {4, 901, true},
        {5, 699, true},  {5, 700, false}, {5, 950, false}, {5, 951, true},
        {6, 799, true},  {6, 800, false}, {6, 900, false}, {6, 901, true},
        {7, 899, true},  {7, 900, false}, {7, 950, false}, {7, 951, true}, {7, 999, true},
    };
    for (const auto &row : rows)
        QTest::addRow("level %d, r=%d", row.level, row.r) << row.level << row.r << row.right;
    QTest::addRow("level 0 draws nothing and is wrong") << 0 << -1 << false;
}

void QuestionTurnTest::computerAnswerFollowsTheTableAtItsBoundaries()
{
    QFETCH(int, level);
    QFETCH(int, r);
    QFETCH(bool, right);
    // Questions 0 and 1 have different right answers: both ways round are covered.
    for (int question : {0, 1}) {
        EngineHarness h;
        QVERIFY(h.newGame(8, {level, 1, 1, 1, 1, 1, 1, 1}).ok());
        h.random.drawn.clear();
        h.push(question);
        if (r >= 0)
            h.push(r);
        h.push(0);
        h.engine.startPressed();
        QCOMPARE(h.random.pending(), 0);
        QCOMPARE(h.random.drawn, (r >= 0 ? QList<int>{30, 1000, 5000} : QList<int>{30, 5000}));
        QCOMPARE(h.state.round.rightAnswer, question % 2);
        QCOMPARE(h.state.round.wrongAnswer, 1 - question % 2);
        QCOMPARE(h.state.round.computerAnswer == h.state.round.rightAnswer, right);

        h.answerDelayEnds();
        QCOMPARE(h.view.narration.last(), right ? u"Верно"_s : u"Не верно!"_s);
        QCOMPARE(h.state.round.seatScore[1], right ? 3 : 0);
        QCOMPARE(h.state.money.chainStep, right ? 1 : 0);
    }
}

void QuestionTurnTest::rightAnswersPerThousandDrawsMatchEachLevel()
{
    const int expected[] = {0, 100, 300, 599, 699, 749, 899, 949};
    for (int level = 0; level <= 7; ++level) {
        int right = 0;
        for (int r = 0; r < 1000; ++r)
            right += GameEngine::answersRight(level, r) ? 1 : 0;
        QCOMPARE(right, expected[level]);
    }
}

void QuestionTurnTest::computerThinksFifteenHundredToSixtyFourNinetyNineMilliseconds_data()
{
    QTest::addColumn<int>("draw");
    QTest::addColumn<int>("interval");
    QTest::newRow("shortest") << 0 << 1500;
    QTest::newRow("middle") << 2500 << 4000;
    QTest::newRow("longest") << 4999 << 6499;
}

void QuestionTurnTest::computerThinksFifteenHundredToSixtyFourNinetyNineMilliseconds()
{
    QFETCH(int, draw);
    QFETCH(int, interval);
    EngineHarness h;
    QVERIFY(h.newGame(8).ok());
    h.push(0);
    h.push(Fixture::RightDraw);
    h.push(draw);
    h.engine.startPressed();
    QVERIFY(h.timers.isActive(Timer::AnswerDelay));
    QCOMPARE(h.timers.interval(Timer::AnswerDelay), interval);
    QVERIFY(!h.view.answersEnabled);

    // The same for a question put by the pause's end.
    h.answerDelayEnds();
    h.push(0);
    h.push(Fixture::RightDraw);
    h.push(draw);
    h.engine.pauseElapsed();
    QVERIFY(h.timers.isActive(Timer::AnswerDelay));
    QVERIFY(!h.timers.isActive(Timer::Pause));
    QCOMPARE(h.timers.interval(Timer::AnswerDelay), interval);
}

void QuestionTurnTest::humanAnswerWaitsExactlyFifteenHundredAndEveryPauseTwoThousand()
{
    EngineHarness h;
    QVERIFY(h.newGame(1).ok());
    h.beginRound();
    QVERIFY(h.view.answersEnabled);
    QVERIFY(!h.timers.isActive(Timer::AnswerDelay));
    QVERIFY(h.timers.isActive(Timer::RoundClock));

    h.humanAnswers(true);
    QVERIFY(h.timers.isActive(Timer::AnswerDelay));
    QCOMPARE(h.timers.interval(Timer::AnswerDelay), 1500);
    QVERIFY(!h.timers.isActive(Timer::Pause));

    h.answerDelayEnds();
    QVERIFY(!h.timers.isActive(Timer::AnswerDelay));
    QVERIFY(h.timers.isActive(Timer::Pause));
    QCOMPARE(h.timers.interval(Timer::Pause), 2000);
    QCOMPARE(h.state.round.turnSeat, 2);

    h.nextQuestion(false);  // seat 2 thinks, then is wrong
    QVERIFY(!h.timers.isActive(Timer::Pause));
    QVERIFY(h.timers.isActive(Timer::AnswerDelay));
    h.answerDelayEnds();
    QVERIFY(!h.timers.isActive(Timer::AnswerDelay));
    QVERIFY(h.timers.isActive(Timer::Pause));
    QCOMPARE(h.timers.interval(Timer::Pause), 2000);
    QVERIFY(h.timers.isActive(Timer::RoundClock));
    QCOMPARE(h.random.pending(), 0);
}

void QuestionTurnTest::computersRightAnswerIsNarratedLineByLine()
{
    EngineHarness h;
    QVERIFY(h.newGame(4).ok());
    h.beginRound(7);
    QCOMPARE(h.view.narration, (QStringList{u"У вас есть 150 секунд на этот раунд. Время пошло!"_s,
                                            seatName(1) + u", Вопрос 7"_s}));
    QCOMPARE(h.view.answers, (QStringList{u"Ответ 7.0"_s, u"Ответ 7.1"_s}));
    QCOMPARE(h.view.selected, -1);
    QVERIFY(h.view.answersShown);

    h.answerDelayEnds();
    QCOMPARE(h.view.narration, (QStringList{u"У вас есть 150 секунд на этот раунд. Время пошло!"_s,
                                            seatName(1) + u", Вопрос 7"_s, QString(), seatName(1) + u":"_s,
                                            u"Ответ 7.1"_s, QString(), QString(), u"Верно"_s}));

    // A question put after the pause is one line with nothing before it.
    h.nextQuestion(false);
    const int q = h.state.round.question;
    QCOMPARE(h.view.narration, QStringList{seatName(2) + u", Вопрос %1"_s.arg(q)});
    h.answerDelayEnds();
    QCOMPARE(h.view.narration, (QStringList{seatName(2) + u", Вопрос %1"_s.arg(q), QString(), seatName(2) + u":"_s,
                                            u"Ответ %1.%2"_s.arg(q).arg(1 - q % 2), QString(), QString(),
                                            u"Не верно!"_s}));
}

void QuestionTurnTest::humanAnswersOnlyOnceAndOnlyOnTheirTurn()
{
    EngineHarness h;
    QVERIFY(h.newGame(2).ok());
    h.beginRound();
    // Seat 1 is thinking: a click now changes nothing.
    h.choose(0);
    QCOMPARE(h.view.narration.size(), 2);
    QCOMPARE(h.timers.interval(Timer::AnswerDelay), 1500);  // the computer's draw of 0
    h.answerDelayEnds();
    h.nextQuestion();
    QVERIFY(h.view.answersEnabled);
    QCOMPARE(h.view.selected, -1);

    h.humanAnswers(true);
    QVERIFY(!h.view.answersEnabled);
    QCOMPARE(h.state.round.seatScore[2], 3);
    h.humanAnswers(true);  // a second click on the same question
    QCOMPARE(h.state.round.seatScore[2], 3);
    QCOMPARE(h.state.money.chainStep, 2);
    QCOMPARE(h.view.narration.count(u"Верно"_s), 1);
}

void QuestionTurnTest::turnSkipsEmptySeatsAndWraps()
{
    EngineHarness h;
    QVERIFY(h.newGame(2).ok());
    for (int seat : {1, 3, 4, 5, 7, 8})
        h.state.table.seatNames[seat] = u"0"_s;
    h.beginRound();
    QList<int> turns{h.state.round.turnSeat};
    for (int i = 0; i < 4; ++i) {
        h.playAnswer(false);
        h.nextQuestion(false);
        turns.append(h.state.round.turnSeat);
    }
    QCOMPARE(turns, (QList<int>{2, 6, 2, 6, 2}));
    QCOMPARE(h.random.pending(), 0);
}

void QuestionTurnTest::questionsComeInCyclesOfTheWholeBase()
{
    EngineHarness h(3);
    QVERIFY(h.newGame(8).ok());
    h.beginRound(1);
    QVERIFY(h.asked().isEmpty());  // the round's first question is not recorded

    QList<int> put;
    for (int i = 0; i < 9; ++i) {
        h.playAnswer(false);
        h.nextQuestion(false, (i * 7) % (3 - i % 3));
        put.append(h.state.round.question);
        QCOMPARE(h.asked().size(), i % 3 + 1);
    }
    for (int cycle = 0; cycle < 3; ++cycle) {
        QList<int> one = put.mid(cycle * 3, 3);
        std::sort(one.begin(), one.end());
        QCOMPARE(one, (QList<int>{0, 1, 2}));
    }
    QCOMPARE(h.asked(), (QStringList{QString::number(put[6]), QString::number(put[7]),
                                                   QString::number(put[8])}));
    QCOMPARE(h.random.pending(), 0);
}

void QuestionTurnTest::storeOfQuestionsPutSurvivesANewGame()
{
    EngineHarness h(3);
    QVERIFY(h.newGame(8).ok());
    h.beginRound();
    h.playAnswer(false);
    h.nextQuestion(false, 0);
    h.playAnswer(false);
    h.nextQuestion(false, 0);
    const QStringList asked = h.asked();
    QCOMPARE(asked.size(), 2);
    h.engine.windowClosed();

    // Seat 2 still holds Борис from the last game, so it takes Зоя; the others move up one name.
    h.random.clear();
    h.push(7);
    for (int i = 0; i < 8; ++i)
        h.push(Fixture::skillDraw(1));
    for (int pick : {0, 7, 1, 2, 3, 4, 5})
        h.push(pick);
    QVERIFY(h.engine.newGame(h.namesList).ok());
    QCOMPARE(h.asked(), asked);

    h.beginRound();
    h.playAnswer(false);
    h.random.drawn.clear();
    h.nextQuestion(false, 0);
    QCOMPARE(h.random.drawn.first(), 1);  // one question left in the cycle
    QVERIFY(!asked.contains(QString::number(h.state.round.question)));
    QCOMPARE(h.asked().size(), 3);
}

void QuestionTurnTest::storeIsEmptiedWhenTheBaseChangesSize_data()
{
    QTest::addColumn<int>("newCount");
    QTest::newRow("base grew") << 5;
    QTest::newRow("base shrank") << 2;
}

void QuestionTurnTest::storeIsEmptiedWhenTheBaseChangesSize()
{
    QFETCH(int, newCount);
    EngineHarness h(3);
    QVERIFY(h.newGame(8).ok());
    h.beginRound();
    h.playAnswer(false);
    h.nextQuestion(false, 0);  // question 0 is put
    QCOMPARE(h.asked(), QStringList{u"0"_s});
    h.engine.windowClosed();

    Fixture::writeQuestions(h.dir.path(), Fixture::questionLines(newCount));
    h.random.clear();
    QVERIFY(h.engine.newGame(h.namesList).ok());  // draws from the fallback
    QCOMPARE(h.state.questions.count, newCount);
    QVERIFY(h.asked().isEmpty());
}

QTEST_GUILESS_MAIN(QuestionTurnTest)
void QuestionTurnTest::theTableMarksWhoIsAskedAndHowTheAnswerWasJudged()
{
    EngineHarness h;
    QVERIFY(h.newGame(2).ok());
    QCOMPARE(h.view.askedSeat, 0);
    QCOMPARE(h.view.clock, 150);

    // Seat 1 is asked question 0 (first answer right) and answers wrong.
    h.beginRound(0, false);
    QCOMPARE(h.view.askedSeat, 1);
    h.answerDelayEnds();
    QCOMPARE(h.view.verdict, (std::pair{1, 0}));
    QCOMPARE(h.view.askedSeat, 1);  // until the next question is put

    // The player at seat 2 is asked question 1 (second answer right) and answers right.
    h.nextQuestion(true, 0);
    QCOMPARE(h.view.askedSeat, 2);
    h.choose(h.state.round.rightAnswer);
    QCOMPARE(h.view.verdict, (std::pair{h.state.round.rightAnswer, h.state.round.rightAnswer}));

    // The clock counts on the table; when it runs out nobody is asked and the vote opens.
    h.state.round.secondsLeft = 1;
    h.engine.clockTicked();
    QCOMPARE(h.view.clock, 0);
    h.engine.clockTicked();
    QCOMPARE(h.view.askedSeat, 0);
    QVERIFY(h.view.voteOpen);
    QVERIFY(h.state.vote.open);
    QCOMPARE(h.view.gameOver, 0);
}

#include "QuestionTurnTest.moc"
