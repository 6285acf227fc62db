// The vote after rounds 1 to 6, and the human's exit when voted off.
#include "EngineHarness.h"

using namespace Qt::StringLiterals;
using Fixture::seatName;

namespace {

const QString Player = u"Игрок"_s;
const QString NextRound = u"Начнем следующий раунд"_s;
const QString HumanOut = u"Но вы ничего не увидите, вы уходите! (узнайте кто выиграл в зале почета)"_s;
const QString Doubling1 = u"Уважаемые игроки, вас осталось только двое. Чтобы финальный приз был более стоящим, тот выигрыш, который вы сейчас получите, мы умножим на два."_s;
const QString Doubling2 = u"Таким образом в этом раунде вы можете выиграть до 100.000 рублей!"_s;

// Brings a game to the vote after round `round`: the human at `humanSeat`, the seats of
// `empty` voted off before, every seat scoring what `scores` gives it (0 when absent).
void toVote(EngineHarness &h, int round, int humanSeat, const QList<int> &empty, const QList<int> &scores = {})
{
    QVERIFY(h.newGame(humanSeat).ok());
    for (int seat : empty)
        h.state.table.seatNames[seat] = u"0"_s;
    h.state.round.number = round;
    h.state.round.secondsLeft = 150 - 10 * (round - 1);
    h.beginRound();
    for (int seat = 1; seat <= 8; ++seat)
        h.state.round.seatScore[seat] = scores.value(seat - 1);
    h.push(0);
    h.runClockOut();
    QVERIFY(h.state.vote.open);
    QCOMPARE(h.random.pending(), 0);
    h.random.drawn.clear();
}

// A computer's vote for `seat`, as the draw random(8) gives it.
int voteFor(int seat) { return seat - 1; }

} // namespace

class VoteTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void normalVoteIsNarratedLineByLine();
    void clicksOutsideTheVoteChangeNothing();
    void tieCanEliminateASeatThatHadNoVote();
    void tieCanEliminateTheHuman();
    void sixthVoteAnnouncesTheDoubledBank();
    void voteAfterRoundKLeadsToRoundKPlusOne_data();
    void voteAfterRoundKLeadsToRoundKPlusOne();
    void humanVotedOffLeavesARecordForASeatedComputer_data();
    void humanVotedOffLeavesARecordForASeatedComputer();
};

void VoteTest::normalVoteIsNarratedLineByLine()
{
    EngineHarness h;
    toVote(h, 1, 8, {}, {3, 0, 3, 3, 6, 3, 3, 3});
    QCOMPARE(h.state.round.strongestSeat, 5);
    QCOMPARE(h.state.round.weakestSeat, 2);

    // Seat 3 draws itself first and draws again; seat 7 votes for the human.
    for (int v : {voteFor(3), voteFor(3), voteFor(3), voteFor(1), voteFor(3), voteFor(3), voteFor(1), voteFor(8)})
        h.push(v);
    h.push(0);  // statistics variant
    h.push(2);  // farewell variant
    h.vote(3);
    QCOMPARE(h.random.pending(), 0);
    QCOMPARE(h.random.drawn, (QList<int>{8, 8, 8, 8, 8, 8, 8, 8, 4, 5}));

    QCOMPARE(h.view.narration,
             (QStringList{QString(),
                          u"Для общей обстановки сообщу, что по статистике Сильным звеном этого раунда стал игрок Дарья, а слабым Борис"_s,
                          QString(), u"Собравшиеся здесь игроки избавляются от вас, Вера, прощайте!"_s, QString(), NextRound}));
    QCOMPARE(h.state.vote.counts[3], 5);
    QCOMPARE(h.state.vote.counts[1], 2);
    QCOMPARE(h.state.vote.counts[8], 1);
    QCOMPARE(h.state.vote.votedSeat, 3);
    QCOMPARE(h.state.table.seatNames[3], u"0"_s);
    const QStringList votes{u"Вера"_s, u"Вера"_s, u"Анна"_s, u"Вера"_s, u"Вера"_s, u"Анна"_s, Player, u"Вера"_s};
    for (int seat = 1; seat <= 8; ++seat) {
        QCOMPARE(h.view.votes[seat].caption, votes.at(seat - 1));
        QVERIFY(h.view.votes[seat].visible);
    }
    QVERIFY(h.view.names[3].visible);  // until the next round starts
    QCOMPARE(h.state.round.number, 2);
    QCOMPARE(h.state.round.secondsLeft, 140);
    QVERIFY(!h.state.vote.open);
    QVERIFY(h.view.startShown);
    QCOMPARE(brokenInvariant(h.state, &h.engine.questionLines()), QString());

    h.beginRound();
    QVERIFY(!h.view.names[3].visible);
    QCOMPARE(h.view.scoreboard, u"140"_s);
}

void VoteTest::clicksOutsideTheVoteChangeNothing()
{
    EngineHarness h;
    QVERIFY(h.newGame(4).ok());
    h.vote(2);  // before "Начинаем"
    h.beginRound();
    h.vote(2);  // during the round
    QCOMPARE(h.state.occupiedSeats(), 8);
    QVERIFY(h.view.narration.size() == 2);

    h.push(0);
    h.runClockOut();
    h.random.clear();
    h.vote(4);  // the human votes for himself; the rest from the fallback
    QCOMPARE(h.state.occupiedSeats(), 7);
    const QStringList after = h.view.narration;
    const int draws = int(h.random.drawn.size());
    h.vote(1);  // a second click after the vote
    QCOMPARE(h.view.narration, after);
    QCOMPARE(h.random.drawn.size(), draws);
    QCOMPARE(h.state.occupiedSeats(), 7);
}

void VoteTest::tieCanEliminateASeatThatHadNoVote()
{
    EngineHarness h;
    toVote(h, 5, 1, {2, 5, 7, 8});  // seats 1 (human), 3, 4 and 6 are left
    // The human votes for 3, seat 3 for 1, seat 4 for 3, seat 6 for 1: two votes each for 1 and 3.
    for (int v : {voteFor(1), voteFor(3), voteFor(1)})
        h.push(v);
    h.push(1);                      // statistics variant
    for (int v : {voteFor(2), voteFor(8), voteFor(4)})
        h.push(v);                  // the tie's draw: seats 2 and 8 are empty, seat 4 had no vote
    h.vote(3);
    QCOMPARE(h.random.pending(), 0);

    QCOMPARE(h.view.narration,
             (QStringList{QString(), u"Ваше мнение может не совпадать с мнением статистики, но самый слабый игрок - это Игрок."_s,
                          QString(), u"У нас ничья"_s,
                          u"В таком случае компьютер случайным образом решает избавиться от вас, Глеб. Очень жаль, что в команде нет согласия!"_s,
                          QString(), NextRound}));
    QCOMPARE(h.state.vote.counts[4], 0);
    QCOMPARE(h.state.table.seatNames[4], u"0"_s);
    QCOMPARE(h.state.round.number, 6);
    QCOMPARE(h.state.round.secondsLeft, 100);
    QCOMPARE(brokenInvariant(h.state), QString());
}

void VoteTest::tieCanEliminateTheHuman()
{
    EngineHarness h;
    toVote(h, 6, 2, {1, 3, 4, 6, 8});  // the human at 2 with seats 5 and 7
    h.state.money.prizeTotal = 8000;
    h.push(voteFor(2));             // seat 5 votes for the human
    h.push(voteFor(5));             // seat 7 for seat 5
    h.push(3);                      // statistics variant
    h.push(voteFor(2));             // the tie's draw
    h.push(0);                      // seat 5 does not become the pick
    h.push(0);                      // nor seat 7
    h.push(17);                     // the winning sum
    h.vote(7);
    QCOMPARE(h.random.pending(), 0);

    QCOMPARE(h.view.narration.mid(3),
             (QStringList{u"У нас ничья"_s,
                          u"В таком случае компьютер случайным образом решает избавиться от вас, Игрок. Очень жаль, что в команде нет согласия!"_s,
                          QString(), NextRound, HumanOut}));
    QCOMPARE(h.state.table.seatNames[2], u"0"_s);
    QCOMPARE(h.state.table.playerSeat, 2);
    QCOMPARE(h.state.round.number, 7);
    QVERIFY(!h.view.startShown);
    const auto records = h.winners();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0].name, seatName(7));
    QCOMPARE(records[0].amount, u"16500"_s);
}

void VoteTest::sixthVoteAnnouncesTheDoubledBank()
{
    EngineHarness h;
    toVote(h, 6, 3, {1, 2, 4, 6, 8});  // the human at 3 with seats 5 and 7
    h.push(voteFor(7));
    h.push(voteFor(5));
    h.push(2);
    h.push(4);
    h.vote(5);  // seat 5: two votes
    QCOMPARE(h.view.narration.mid(3),
             (QStringList{u"Как бы это было и жестоко но команда удаляет вон вас, Дарья, прощайте!"_s, QString(),
                          NextRound, Doubling1, Doubling2}));
    QCOMPARE(h.state.round.number, 7);
    QCOMPARE(h.state.round.secondsLeft, 90);
    QCOMPARE(h.state.occupiedSeats(), 2);
    QVERIFY(!QFile::exists(h.path(u"best.txt"_s)));
}

void VoteTest::voteAfterRoundKLeadsToRoundKPlusOne_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<unsigned>("seed");
    for (int k = 1; k <= 6; ++k) {
        for (unsigned seed : {1u, 2u, 3u})
            QTest::addRow("round %d, seed %u", k, seed) << k << seed;
    }
}

void VoteTest::voteAfterRoundKLeadsToRoundKPlusOne()
{
    QFETCH(int, k);
    QFETCH(unsigned, seed);
    EngineHarness h;
    QList<int> empty;
    for (int seat = 8; seat > 8 - (k - 1); --seat)
        empty.append(seat);  // the human sits at seat 1
    toVote(h, k, 1, empty);
    h.random = ScriptedRandom({}, seed);
    // The human votes for the last seat still occupied; the computers vote at random.
    h.vote(9 - k);

    QCOMPARE(h.state.round.number, k + 1);
    QCOMPARE(h.state.round.secondsLeft, 150 - 10 * k);
    QCOMPARE(h.state.occupiedSeats(), 8 - k);
    QCOMPARE(brokenInvariant(h.state), QString());
    const QStringList &n = h.view.narration;
    if (h.state.humanSeated()) {
        QVERIFY(h.view.startShown);
        QCOMPARE(n.last(), k == 6 ? Doubling2 : NextRound);
        QVERIFY(!QFile::exists(h.path(u"best.txt"_s)));
    } else {
        QVERIFY(!h.view.startShown);
        QCOMPARE(n.last(), HumanOut);
        QVERIFY(!n.contains(Doubling1));
        QCOMPARE(h.winners().size(), 1);
    }
}

void VoteTest::humanVotedOffLeavesARecordForASeatedComputer_data()
{
    QTest::addColumn<int>("drawSeat2");
    QTest::addColumn<int>("drawSeat7");
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<int>("pick");

    QTest::newRow("both draw 1: the later seat") << 1 << 1 << 0 << true << 7;
    QTest::newRow("only seat 2 draws 1") << 1 << 2 << 199 << true << 2;
    QTest::newRow("nobody draws 1: the highest seat") << 0 << 2 << 41 << true << 7;
    QTest::newRow("no winners file yet") << 2 << 1 << 3 << false << 7;
}

void VoteTest::humanVotedOffLeavesARecordForASeatedComputer()
{
    QFETCH(int, drawSeat2);
    QFETCH(int, drawSeat7);
    QFETCH(int, k);
    QFETCH(bool, fileExists);
    QFETCH(int, pick);

    EngineHarness h;
    toVote(h, 6, 4, {1, 3, 5, 6, 8});  // the human at 4 with seats 2 and 7
    h.state.money.prizeTotal = 8000;
    const QStringList earlier{u"!"_s, u"Победитель"_s, u"125000"_s, u"01.02.2025"_s, u"10:11:12"_s};
    if (fileExists)
        TestSupport::writeFile(h.path(u"best.txt"_s), Fixture::fileBytes(earlier));

    // The human votes for himself and so do both computer players.
    h.push(voteFor(4));
    h.push(voteFor(4));
    h.push(0);
    h.push(1);
    h.push(drawSeat2);
    h.push(drawSeat7);
    h.push(k);
    h.vote(4);
    QCOMPARE(h.random.pending(), 0);
    QCOMPARE(h.random.drawn, (QList<int>{8, 8, 4, 5, 3, 3, 200}));

    QCOMPARE(h.view.narration.last(), HumanOut);
    QVERIFY(!h.view.narration.contains(Doubling1));
    QCOMPARE(h.state.round.pick, pick);
    QCOMPARE(h.state.money.prizeTotal, 8000);

    const QStringList lines = h.readLines(u"best.txt"_s);
    const QStringList record{u"!"_s, seatName(pick), QString::number(8000 + 500 * k),
                             WinnersFile::formatDate(h.clock.when.date(), h.locale),
                             WinnersFile::formatTime(h.clock.when.time(), h.locale)};
    QCOMPARE(lines, fileExists ? earlier + record : record);
    QCOMPARE(h.winners().size(), fileExists ? 2 : 1);
    QCOMPARE(h.winners().last().dateValue, h.clock.when.date());

    // The game is over: nothing reacts any more.
    for (GameTimers::Timer t : {GameTimers::Timer::RoundClock, GameTimers::Timer::AnswerDelay, GameTimers::Timer::Pause})
        QVERIFY(!h.timers.isActive(t));
    QVERIFY(!h.view.startShown);
    QVERIFY(!h.view.bankOffered);
    QVERIFY(!h.view.answersEnabled);
    h.engine.startPressed();
    h.vote(2);
    QCOMPARE(h.view.narration.last(), HumanOut);
    QCOMPARE(h.random.pending(), 0);
    QCOMPARE(h.readLines(u"best.txt"_s).size(), lines.size());
}

QTEST_GUILESS_MAIN(VoteTest)
#include "VoteTest.moc"
