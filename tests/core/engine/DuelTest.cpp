// The final duel: its start, the alternating answers, the decision and the winners record.
#include "EngineHarness.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;
using Fixture::seatName;

namespace {

const QString Player = u"Игрок"_s;

// A game at the end of round 7 with the human at `humanSeat` and the computer player of
// `computerSeat` (at `level`) left; "Начинаем" then starts the duel.
void toDuel(EngineHarness &h, int humanSeat, int computerSeat, int level = 1, int prize = 125000)
{
    std::array<int, 8> levels{1, 1, 1, 1, 1, 1, 1, 1};
    levels[computerSeat - 1] = level;
    QVERIFY(h.newGame(humanSeat, levels).ok());
    for (int seat = 1; seat <= 8; ++seat) {
        if (seat != humanSeat && seat != computerSeat)
            h.state.table.seatNames[seat] = u"0"_s;
    }
    h.state.round.number = 7;
    h.state.round.secondsLeft = 90;
    h.state.money.prizeTotal = prize;
    h.beginRound();
    h.runClockOut();
    QCOMPARE(h.state.round.number, 8);
    QCOMPARE(h.random.pending(), 0);
}

struct Duel
{
    EngineHarness &h;
    int computerSeat;

    // Puts the next question (the first one with "Начинаем") and lets its side answer.
    void answer(bool right)
    {
        const bool first = h.view.startShown;
        h.push(0);
        // Who answers is known before the question is put: A first, then alternating.
        const int side = first ? 1 : h.state.duel.side;
        const QString &name = side == 1 ? h.state.duel.finalistA : h.state.duel.finalistB;
        const bool human = name == h.state.table.playerName;
        if (!human)
            h.pushAnswer(computerSeat, right);
        if (first)
            h.engine.startPressed();
        else
            h.engine.pauseElapsed();
        if (human)
            h.humanAnswers(right);
        h.engine.answerDelayElapsed();
    }
};

} // namespace

class DuelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void duelStartKeepsRoundSevenLinesAndShowsTheScore();
    void duelIsDecidedAfterCompletePairsOnly_data();
    void duelIsDecidedAfterCompletePairsOnly();
    void computerFinalistAnswersWithTheSkillOfItsSeat();
    void unwritableWinnersFileIsReportedAndTheGameStaysEnded();
};

void DuelTest::duelStartKeepsRoundSevenLinesAndShowsTheScore()
{
    EngineHarness h;
    toDuel(h, 6, 3);
    const QStringList roundSeven = h.view.narration;
    h.state.round.seatScore[3] = 9;
    h.push(5);
    h.pushAnswer(3, true);
    h.engine.startPressed();

    QCOMPARE(h.state.duel.finalistA, seatName(3));
    QCOMPARE(h.state.duel.finalistB, Player);
    QCOMPARE(h.state.duel.playerSide, 2);
    const QStringList opening{QString(),
                              u"Мы начнем финальный раунд с вас, Вера, вы вдвоем ответите на 5 пар вопросов. Выиграет тот, кто ответит на большую часть из них."_s,
                              u"Если после ответов у нас выйдет ничья, то будем играть до первого промаха."_s,
                              u"Вера, Вопрос 5"_s};
    QCOMPARE(h.view.narration, roundSeven + opening);
    QCOMPARE(h.view.scoreboardTitle, u"СЧЕТ"_s);
    QCOMPARE(h.view.scoreboard, u"0:0"_s);
    QVERIFY(h.view.scoreboardShown);
    QVERIFY(!h.view.startShown);
    QCOMPARE(h.view.names[4].caption, seatName(3));
    QCOMPARE(h.view.names[5].caption, Player);
    for (int seat = 1; seat <= 8; ++seat)
        QCOMPARE(h.view.names[seat].visible, seat == 4 || seat == 5);
    QCOMPARE(h.state.round.seatScore[3], 0);
    QCOMPARE(h.state.round.turnSeat, 0);
    QCOMPARE(h.state.duel.side, 1);
    QCOMPARE(h.state.duel.questionNumber, 1);
    QVERIFY(!h.view.answersEnabled);
    QVERIFY(h.asked().isEmpty());  // the duel's first question is not recorded
    QVERIFY(!h.timers.isActive(GameTimers::Timer::RoundClock));

    h.engine.answerDelayElapsed();
    QCOMPARE(h.view.narration.mid(h.view.narration.size() - 6),
             (QStringList{QString(), u"Вера:"_s, u"Ответ 5.1"_s, QString(), QString(), u"Верно"_s}));
    QCOMPARE(h.view.scoreboard, u"1:0"_s);
    QCOMPARE(h.timers.interval(GameTimers::Timer::Pause), 2000);

    h.push(0);
    h.engine.pauseElapsed();
    QCOMPARE(h.view.narration, QStringList{u"Игрок, Вопрос 0"_s});
    QVERIFY(h.view.answersEnabled);
    QCOMPARE(h.state.duel.side, 2);
    QCOMPARE(h.state.duel.questionNumber, 2);
    h.humanAnswers(false);
    QCOMPARE(h.view.narration.last(), u"Не верно!"_s);
    QCOMPARE(h.timers.interval(GameTimers::Timer::AnswerDelay), 1500);
    QCOMPARE(brokenInvariant(h.state, &h.engine.questionLines()), QString());
}

void DuelTest::duelIsDecidedAfterCompletePairsOnly_data()
{
    QTest::addColumn<bool>("humanIsA");
    QTest::addColumn<QString>("answers");  // R or W per question, A first
    QTest::addColumn<QString>("score");
    QTest::addColumn<int>("winner");

    const struct { const char *name; const char *answers; const char *score; int winner; } rows[] = {
        {"3:0 after three pairs", "RWRWRW", "3:0", 1},
        {"0:3 after three pairs", "WRWRWR", "0:3", 2},
        {"a lead of one after four pairs goes on to the fifth", "RRRRRWWWRW", "4:2", 1},
        {"3:2 after four pairs, drawn level in the fifth", "RRRRRWWWWRRW", "4:3", 1},
        {"a lead of two after three pairs waits", "RWRWRRWW", "3:1", 1},
        {"level after four pairs, decided after five", "RRRWWRWWRW", "3:2", 1},
        {"4:4 then sudden death to 4:5", "RRRRRRRRWWWR", "4:5", 2},
        {"sudden death goes on while both are right", "WWWWWWWWWWRRRRWR", "2:3", 2},
    };
    for (const auto &row : rows) {
        for (bool humanIsA : {true, false}) {
            QTest::addRow("%s, human %s", row.name, humanIsA ? "A" : "B")
                << humanIsA << QString::fromLatin1(row.answers) << QString::fromLatin1(row.score) << row.winner;
        }
    }
}

void DuelTest::duelIsDecidedAfterCompletePairsOnly()
{
    QFETCH(bool, humanIsA);
    QFETCH(QString, answers);
    QFETCH(QString, score);
    QFETCH(int, winner);

    EngineHarness h;
    const int humanSeat = humanIsA ? 2 : 7;
    const int computerSeat = humanIsA ? 7 : 2;
    toDuel(h, humanSeat, computerSeat);
    const QStringList earlier{u"!"_s, u"Победитель"_s, u"500"_s, u"01.02.2025"_s, u"10:11:12"_s};
    TestSupport::writeFile(h.path(u"best.txt"_s), Fixture::fileBytes(earlier));

    Duel duel{h, computerSeat};
    for (int i = 0; i < answers.size(); ++i) {
        const bool human = (i % 2 == 0) == humanIsA;
        duel.answer(answers.at(i) == u'R');
        const bool right = answers.at(i) == u'R';
        // Wrong answers read differently for the human and for the computer player.
        const QString verdict = h.view.narration.at(h.view.narration.size() - (i + 1 == answers.size() ? 2 : 1));
        QCOMPARE(verdict, right ? u"Верно"_s : human ? u"Не верно!"_s : u"Не верно"_s);
        if (i + 1 < answers.size()) {
            QVERIFY2(!h.state.duel.over, qPrintable(u"decided after question %1"_s.arg(i + 1)));
            QVERIFY(h.timers.isActive(GameTimers::Timer::Pause));
        }
    }
    QVERIFY(h.state.duel.over);
    QCOMPARE(h.random.pending(), 0);
    QCOMPARE(h.view.scoreboard, score);
    QCOMPARE(h.state.duel.winnerSide, winner);
    const QString winnerName = h.state.duel.finalist(winner);
    const QString loserName = h.state.duel.finalist(3 - winner);
    QCOMPARE(h.view.narration.last(),
             u"Ну, чтоже, сегодня в игре самым сильным звеном был %1. А вы, %2, становитесь самым слабым. И уходите отсюда ни с чем."_s
                 .arg(winnerName, loserName));
    QCOMPARE(h.view.prize, 125000);
    QVERIFY(!h.view.answersShown);
    QVERIFY(!h.view.answersEnabled);
    QVERIFY(!h.view.startShown);
    for (GameTimers::Timer t : {GameTimers::Timer::RoundClock, GameTimers::Timer::AnswerDelay, GameTimers::Timer::Pause})
        QVERIFY(!h.timers.isActive(t));

    const QStringList lines = h.readLines(u"best.txt"_s);
    QCOMPARE(lines.size(), earlier.size() + 5);
    QCOMPARE(lines.mid(0, 5), earlier);
    QCOMPARE(lines.mid(5), (QStringList{u"!"_s, winnerName, u"125000"_s,
                                        WinnersFile::formatDate(h.clock.when.date(), h.locale),
                                        WinnersFile::formatTime(h.clock.when.time(), h.locale)}));

    // Nothing goes on from here.
    const QStringList narration = h.view.narration;
    h.engine.startPressed();
    h.engine.answerDelayElapsed();
    h.vote(humanSeat);
    h.choose(0);
    QCOMPARE(h.view.narration, narration);
    QCOMPARE(h.readLines(u"best.txt"_s).size(), lines.size());
    QCOMPARE(h.random.pending(), 0);
}

void DuelTest::computerFinalistAnswersWithTheSkillOfItsSeat()
{
    for (int level : {0, 7}) {
        EngineHarness h;
        toDuel(h, 8, 5, level);
        h.random.drawn.clear();
        h.push(0);
        if (level != 0)
            h.push(Fixture::RightDraw);
        h.push(0);
        h.engine.startPressed();
        QCOMPARE(h.random.drawn, (level == 0 ? QList<int>{30, 5000} : QList<int>{30, 1000, 5000}));
        QCOMPARE(h.state.round.computerAnswer == h.state.round.rightAnswer, level != 0);
    }

    // In the quick final with the human drawn at seat 5 the opponent sits at seat 5 under
    // seat 4's name, and answers with seat 5's skill.
    EngineHarness h(30, Fixture::defaultNames(), u"HiddenRover"_s);
    QVERIFY(h.newGame(5, {7, 7, 7, 7, 0, 7, 7, 7}).ok());
    h.random.drawn.clear();
    Duel duel{h, 5};
    duel.answer(true);                          // the human, A
    h.push(0);
    h.push(0);                                  // level 0 draws only the delay
    h.engine.pauseElapsed();
    QCOMPARE(h.random.drawn, (QList<int>{30, 30, 5000}));
    h.engine.answerDelayElapsed();
    QCOMPARE(h.view.narration.at(2), seatName(4) + u":"_s);
    QCOMPARE(h.view.narration.last(), u"Не верно"_s);
    QCOMPARE(h.view.scoreboard, u"1:0"_s);
}

void DuelTest::unwritableWinnersFileIsReportedAndTheGameStaysEnded()
{
    EngineHarness h;
    toDuel(h, 2, 7);
    QVERIFY(QDir(h.dir.path()).mkdir(u"best.txt"_s));  // a folder where the file should be
    Duel duel{h, 7};
    for (int i = 0; i < 5; ++i)
        duel.answer(i % 2 == 0);
    h.push(0);
    h.pushAnswer(7, false);
    h.engine.pauseElapsed();
    h.engine.answerDelayElapsed();
    QCOMPARE(h.view.failures.size(), 1);
    QVERIFY2(h.view.failures.at(0).contains(u"best.txt"_s), qPrintable(h.view.failures.at(0)));
    QVERIFY(h.state.duel.over);
    QCOMPARE(h.view.scoreboard, u"3:0"_s);
    QCOMPARE(h.view.prize, 125000);
    QVERIFY(h.view.narration.last().startsWith(u"Ну, чтоже, сегодня в игре самым сильным звеном был Игрок."_s));
    QVERIFY(!h.view.answersShown);
    QVERIFY(!h.timers.isActive(GameTimers::Timer::AnswerDelay));
    QVERIFY(!h.timers.isActive(GameTimers::Timer::Pause));
    QVERIFY(QFileInfo(h.path(u"best.txt"_s)).isDir());
}

QTEST_GUILESS_MAIN(DuelTest)
#include "DuelTest.moc"
