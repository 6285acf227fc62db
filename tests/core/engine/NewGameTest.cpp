// "Играть": seats, skills, the name draw, the quick final and the set-ups that cannot start.
#include "EngineHarness.h"

using namespace Qt::StringLiterals;
using Fixture::seatName;

namespace {

const QString Player = u"Игрок"_s;

// What a failed "Играть" must leave exactly as it was.
struct Snapshot
{
    PerSeat<QString> seatNames;
    PerSeat<int> skills;
    int playerSeat, roundNo, secondsLeft, questionCount, prize;
    QStringList narration, questions, asked;

    explicit Snapshot(const EngineHarness &h)
        : seatNames(h.state.table.seatNames), skills(h.state.table.seatSkill), playerSeat(h.state.table.playerSeat), roundNo(h.state.round.number),
          secondsLeft(h.state.round.secondsLeft), questionCount(h.state.questions.count), prize(h.state.money.prizeTotal),
          narration(h.view.narration), questions(h.engine.questionLines()), asked(h.asked())
    {
    }
    bool operator==(const Snapshot &) const = default;
};

} // namespace

class NewGameTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void skillFollowsTheTableAtItsBoundaries_data();
    void skillFollowsTheTableAtItsBoundaries();
    void firstGameSeatsSevenNamesWithoutRefusals();
    void firstGameRefusesANameAlreadyDrawn();
    void laterGameRefusesNamesStillSeatedAtThatSeatOrAbove();
    void seatOneIsComparedWithThePlayersNameOnly();
    void introductionAndWindowAreReset();
    void quickFinalSeatsTheHumanAtFourAgainstSeatFive_data();
    void quickFinalSeatsTheHumanAtFourAgainstSeatFive();
    void quickFinalNameMustMatchExactly_data();
    void quickFinalNameMustMatchExactly();
    void unplayableFilesChangeNothingAndKeepTheWindowClosed_data();
    void unplayableFilesChangeNothingAndKeepTheWindowClosed();
    void newGameAfterAFinishedDuelStartsClean();
};

void NewGameTest::skillFollowsTheTableAtItsBoundaries_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("level");
    const int rows[][2] = {{1, 0},  {2, 1},  {10, 1}, {11, 2}, {20, 2}, {21, 3}, {40, 3}, {41, 4},
                           {60, 4}, {61, 5}, {80, 5}, {81, 6}, {95, 6}, {96, 7}, {100, 7}};
    for (const auto &row : rows)
        QTest::addRow("v=%d", row[0]) << row[0] << row[1];
}

void NewGameTest::skillFollowsTheTableAtItsBoundaries()
{
    QFETCH(int, v);
    QFETCH(int, level);
    EngineHarness h;
    // The human sits at seat 2; seat 6 draws v, the others their lowest value of level 4.
    h.push(1);
    for (int seat = 1; seat <= 8; ++seat)
        h.push(seat == 6 ? v - 1 : Fixture::skillDraw(4));
    for (int seat : {1, 3, 4, 5, 6, 7, 8})
        h.push(seat - 1);
    QVERIFY(h.engine.newGame(h.namesList).ok());
    QCOMPARE(h.state.table.seatSkill[6], level);
    QCOMPARE(h.state.table.seatSkill[5], 4);
    QCOMPARE(h.state.table.seatSkill[2], 4);  // the human's seat draws too
    QCOMPARE(h.random.drawn.mid(1, 8), QList<int>(8, 100));
}

void NewGameTest::firstGameSeatsSevenNamesWithoutRefusals()
{
    EngineHarness h;
    QVERIFY(h.newGame(5).ok());
    QCOMPARE(h.random.pending(), 0);
    QCOMPARE(h.random.drawn.size(), 1 + 8 + 7);  // seat, skills, one name per computer seat
    QCOMPARE(h.random.drawn.first(), 8);
    QCOMPARE(h.random.drawn.last(), 8);          // names are drawn over the whole list
    for (int seat = 1; seat <= 8; ++seat) {
        const QString expected = seat == 5 ? Player : seatName(seat);
        QCOMPARE(h.state.table.seatNames[seat], expected);
        QCOMPARE(h.view.names[seat].caption, expected);
        QVERIFY(h.view.names[seat].visible);
    }
    QCOMPARE(h.state.table.playerSeat, 5);
    QCOMPARE(h.state.round.number, 1);
    QCOMPARE(h.state.round.secondsLeft, 150);
    QCOMPARE(h.state.round.turnSeat, 1);
    QCOMPARE(brokenInvariant(h.state, &h.engine.questionLines()), QString());
}

void NewGameTest::firstGameRefusesANameAlreadyDrawn()
{
    EngineHarness h;
    h.push(7);  // human at seat 8
    for (int i = 0; i < 8; ++i)
        h.push(Fixture::skillDraw(1));
    // Seat 1 takes Вера; seat 2 draws Вера again, is refused and takes Анна; the rest in order.
    for (int pick : {2, 2, 0, 1, 3, 4, 5, 6})
        h.push(pick);
    QVERIFY(h.engine.newGame(h.namesList).ok());
    QCOMPARE(h.random.pending(), 0);
    const QStringList expected{u"Вера"_s, u"Анна"_s, u"Борис"_s, u"Глеб"_s, u"Дарья"_s, u"Егор"_s, u"Жанна"_s, Player};
    for (int seat = 1; seat <= 8; ++seat)
        QCOMPARE(h.state.table.seatNames[seat], expected.at(seat - 1));
}

void NewGameTest::laterGameRefusesNamesStillSeatedAtThatSeatOrAbove()
{
    EngineHarness h;
    QVERIFY(h.newGame(8).ok());  // seats 1..7 hold Анна..Жанна
    h.random.drawn.clear();

    h.push(0);  // the human now at seat 1
    for (int i = 0; i < 8; ++i)
        h.push(Fixture::skillDraw(1));
    // Seat 2: Вера still sits at seat 3 and Борис at seat 2 itself: both refused; Зоя taken.
    // Seat 3: Анна sat at seat 1 last game, which now holds the player: taken.
    // Seats 4 and 5: Борис and Вера, no longer seated. Seat 6 refuses Жанна (still at seat 7)
    // and takes Глеб; seats 7 and 8 take Дарья and Егор, whose old seats are below them now.
    for (int pick : {2, 1, 7, 0, 1, 2, 6, 3, 4, 5})
        h.push(pick);
    QVERIFY(h.engine.newGame(h.namesList).ok());
    QCOMPARE(h.random.pending(), 0);
    const QStringList expected{Player, u"Зоя"_s, u"Анна"_s, u"Борис"_s, u"Вера"_s, u"Глеб"_s, u"Дарья"_s, u"Егор"_s};
    for (int seat = 1; seat <= 8; ++seat)
        QCOMPARE(h.state.table.seatNames[seat], expected.at(seat - 1));
}

void NewGameTest::seatOneIsComparedWithThePlayersNameOnly()
{
    QStringList names = Fixture::defaultNames();
    names.append(Player);  // index 8
    EngineHarness h(30, names);
    QVERIFY(h.newGame(8).ok());

    h.push(7);  // the human stays at seat 8
    for (int i = 0; i < 8; ++i)
        h.push(Fixture::skillDraw(1));
    // Seat 1: the player's name is refused; Борис, still seated at seat 2, is taken.
    // Seat 2: Борис now sits at seat 1 and is refused; Анна is taken. Seat 3 takes Зоя and
    // seats 4..7 take Вера, Глеб, Дарья and Егор, each gone from the seat above it by then.
    for (int pick : {8, 1, 1, 0, 7, 2, 3, 4, 5})
        h.push(pick);
    QVERIFY(h.engine.newGame(h.namesList).ok());
    QCOMPARE(h.state.table.seatNames[1], u"Борис"_s);
    QCOMPARE(h.state.table.seatNames[2], u"Анна"_s);
    QCOMPARE(h.state.table.seatNames[3], u"Зоя"_s);
    QCOMPARE(h.random.pending(), 0);
    QCOMPARE(brokenInvariant(h.state), QString());
}

void NewGameTest::introductionAndWindowAreReset()
{
    EngineHarness h;
    QVERIFY(h.newGame(3).ok());
    const QStringList &n = h.view.narration;
    QCOMPARE(n.size(), 8);
    QCOMPARE(n.first(), u"Добро пожаловать на программу ЗЫБКОЦЕПЬЕ"_s);
    QCOMPARE(n.at(6), u"На первый раунд у вас 150 секунд или же 2 минуты 30 секунд. Мы начнем с игрока, кто стоит левее всех на игровом поле"_s);
    QCOMPARE(n.last(), u"Это вы, "_s + seatName(1));  // seat 1 is a computer player
    QCOMPARE(h.view.scoreboardTitle, u"Время:"_s);
    QCOMPARE(h.view.scoreboard, u"150"_s);
    QCOMPARE(h.view.startText, u"Начинаем"_s);
    QCOMPARE(h.view.bank, 0);
    QCOMPARE(h.view.prize, 0);
    QVERIFY(h.view.startShown);
    QVERIFY(!h.view.bankOffered);
    QVERIFY(!h.view.scoreboardShown);
    QVERIFY(!h.view.answersShown);
    QVERIFY(!h.view.prizeShown);
    QCOMPARE(h.view.chainStep, 0);
    for (int seat = 1; seat <= 8; ++seat)
        QVERIFY(!h.view.votes[seat].visible);
    QCOMPARE(h.state.questions.count, 30);
    QCOMPARE(h.engine.questionLines(), Fixture::questionLines(30));
}

void NewGameTest::quickFinalSeatsTheHumanAtFourAgainstSeatFive_data()
{
    QTest::addColumn<int>("humanSeat");
    QTest::addColumn<QString>("opponent");
    QTest::newRow("human drawn at seat 2") << 2 << seatName(5);
    QTest::newRow("human drawn at seat 4") << 4 << seatName(5);
    QTest::newRow("human drawn at seat 5: seat 4's name is the opponent") << 5 << seatName(4);
    QTest::newRow("human drawn at seat 8") << 8 << seatName(5);
}

void NewGameTest::quickFinalSeatsTheHumanAtFourAgainstSeatFive()
{
    QFETCH(int, humanSeat);
    QFETCH(QString, opponent);
    const QString rover = u"HiddenRover"_s;
    EngineHarness h(30, Fixture::defaultNames(), rover);
    QVERIFY(h.newGame(humanSeat, {7, 6, 5, 4, 3, 2, 1, 0}).ok());

    QCOMPARE(h.state.table.playerSeat, 4);
    for (int seat = 1; seat <= 8; ++seat) {
        const QString expected = seat == 4 ? rover : seat == 5 ? opponent : u"0"_s;
        QCOMPARE(h.state.table.seatNames[seat], expected);
        QCOMPARE(h.view.names[seat].visible, seat == 4 || seat == 5);
        QVERIFY(!h.view.votes[seat].visible);
    }
    QCOMPARE(h.view.names[4].caption, rover);
    QCOMPARE(h.view.names[5].caption, opponent);
    QCOMPARE(h.state.duel.finalistA, rover);
    QCOMPARE(h.state.duel.finalistB, opponent);
    QCOMPARE(h.state.round.number, 8);
    QCOMPARE(h.view.narration.last(), u"Это вы, HiddenRover"_s);
    QVERIFY(h.view.startShown);
    QCOMPARE(brokenInvariant(h.state, &h.engine.questionLines()), QString());
}

void NewGameTest::quickFinalNameMustMatchExactly_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("roundNo");
    QTest::newRow("exact") << u"HiddenRover"_s << 8;
    QTest::newRow("lower case") << u"hiddenrover"_s << 1;
    QTest::newRow("trailing blank") << u"HiddenRover "_s << 1;
}

void NewGameTest::quickFinalNameMustMatchExactly()
{
    QFETCH(QString, name);
    QFETCH(int, roundNo);
    EngineHarness h(30, Fixture::defaultNames(), name);
    QVERIFY(h.newGame(1).ok());
    QCOMPARE(h.state.round.number, roundNo);
    QCOMPARE(h.state.occupiedSeats(), roundNo == 8 ? 2 : 8);
}

void NewGameTest::unplayableFilesChangeNothingAndKeepTheWindowClosed_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("lines");  // empty: the file is removed
    QTest::addColumn<QString>("message");

    QStringList seven = Fixture::defaultNames().mid(0, 7);
    QTest::newRow("seven different names") << u"names.txt"_s << (seven + seven) << u"names.txt"_s;
    QTest::newRow("eight names, one of them the player's")
        << u"names.txt"_s << (seven + QStringList{Player}) << u"names.txt"_s;
    QTest::newRow("names that cannot sit") << u"names.txt"_s << (seven + QStringList{u"0"_s, u"!"_s})
                                           << u"names.txt"_s;
    QTest::newRow("no names file") << u"names.txt"_s << QStringList{} << u"Не удаётся открыть файл names.txt"_s;
    QTest::newRow("no playable question")
        << u"Vopros.txt"_s << QStringList{u"?"_s, u"Q"_s, u"A"_s, u"B"_s, u"2"_s, u"?"_s, u"Q2"_s} << u"Vopros.txt"_s;
    QTest::newRow("no question file") << u"Vopros.txt"_s << QStringList{} << u"Не удаётся открыть файл Vopros.txt"_s;
}

void NewGameTest::unplayableFilesChangeNothingAndKeepTheWindowClosed()
{
    QFETCH(QString, file);
    QFETCH(QStringList, lines);
    QFETCH(QString, message);

    EngineHarness h;
    QVERIFY(h.newGame(6).ok());
    h.beginRound(2);
    const Snapshot before(h);
    h.random.drawn.clear();

    if (lines.isEmpty())
        QVERIFY(QFile::remove(h.path(file)));
    else
        TestSupport::writeFile(h.path(file), Fixture::fileBytes(lines));
    const Status s = h.engine.newGame(h.namesList);
    QVERIFY(!s.ok());
    QVERIFY2(s.message.contains(message), qPrintable(s.message));
    QVERIFY(!s.detail.isEmpty());
    if (file == u"names.txt"_s && !lines.isEmpty())
        QVERIFY2(s.detail.contains(u"8"_s), qPrintable(s.detail));
    QVERIFY(Snapshot(h) == before);
    QVERIFY(h.random.drawn.isEmpty());
}

void NewGameTest::newGameAfterAFinishedDuelStartsClean()
{
    EngineHarness h(30, Fixture::defaultNames(), u"HiddenRover"_s);
    QVERIFY(h.newGame(1, {1, 1, 1, 1, 1, 1, 1, 1}).ok());
    // The human (A) is right three times, the computer (B) wrong three times: 3:0.
    h.push(0);
    h.engine.startPressed();
    for (int pair = 1; pair <= 3; ++pair) {
        if (pair > 1) {
            h.push(0);
            h.engine.pauseElapsed();
        }
        h.humanAnswers(true);
        h.engine.answerDelayElapsed();
        h.push(0);
        h.pushAnswer(5, false);
        h.engine.pauseElapsed();
        h.engine.answerDelayElapsed();
    }
    QVERIFY(h.state.duel.over);
    QCOMPARE(h.view.scoreboardTitle, u"СЧЕТ"_s);
    h.engine.windowClosed();

    h.state.table.playerName = Player;
    h.push(1);  // the human at seat 2
    for (int i = 0; i < 8; ++i)
        h.push(Fixture::skillDraw(1));
    // Дарья still sits at seat 5 from the duel and is refused there; Зоя takes it.
    for (int pick : {0, 2, 3, 4, 7, 5, 6, 4})
        h.push(pick);
    QVERIFY(h.engine.newGame(h.namesList).ok());
    QCOMPARE(h.random.pending(), 0);
    QCOMPARE(h.state.table.seatNames[5], u"Зоя"_s);
    QCOMPARE(h.state.table.seatNames[8], u"Дарья"_s);
    QCOMPARE(h.view.scoreboardTitle, u"Время:"_s);
    QCOMPARE(h.view.chainStep, 0);
    QCOMPARE(h.engine.questionLines(), Fixture::questionLines(30));
    QCOMPARE(h.state.round.number, 1);
    QCOMPARE(h.state.occupiedSeats(), 8);
    for (int seat = 1; seat <= 8; ++seat)
        QVERIFY(h.view.names[seat].visible);
    h.beginRound(4);
    QCOMPARE(h.view.narration.last(), seatName(1) + u", Вопрос 4"_s);
    QCOMPARE(brokenInvariant(h.state, &h.engine.questionLines()), QString());
}

QTEST_GUILESS_MAIN(NewGameTest)
#include "NewGameTest.moc"
