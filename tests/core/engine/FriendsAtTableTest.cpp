// Several people at one table: the player and friends, each playing their own seat, the
// others computers. Whole seeded games, the people acting through the engine's events as
// their screens would, checked against the rules.
#include "EngineHarness.h"

#include "core/engine/RandomSource.h"

#include <random>

using namespace Qt::StringLiterals;

namespace {

// The facts the checks need, as they come.
struct Table : GameListener
{
    GameState &state;
    int awaited = 0;         // the seat that may answer now, 0 when none
    int bankSeat = 0;        // the seat «БАНК!» is offered to
    bool voteOpen = false;
    bool startWaits = false;
    bool over = false;
    Ending ending;
    PerSeat<int> votesThisTime{};
    PerSeat<int> toldVote{};
    int banks = 0;
    int votesAwaited = 0;    // people's votes the table waited for
    QStringList faults;      // rules seen broken
    bool playerOutWhileGameWent = false;
    bool lastRight = false;

    explicit Table(GameState &s) : state(s) {}

    void tableSeated(const PerSeat<QString> &, int) override { startWaits = true; }
    void answerAwaited(int seat) override { awaited = seat; }
    void answerJudged(const Verdict &v) override
    {
        if (v.seat != awaited)
            faults << u"a verdict for seat %1 while seat %2 was asked"_s.arg(v.seat).arg(awaited);
        awaited = 0;
        lastRight = v.isRight();
    }
    void bankOffered(int seat) override
    {
        bankSeat = seat;
        if (seat != 0 && !lastRight)
            faults << u"«БАНК!» offered to seat %1 after a wrong answer"_s.arg(seat);
    }
    void banked(int seat, int) override
    {
        ++banks;
        if (state.personPlays(seat) && seat != bankSeat)
            faults << u"seat %1 banked without the offer"_s.arg(seat);
    }
    void voteOpened() override
    {
        voteOpen = true;
        for (int seat = 1; seat <= SeatCount; ++seat)
            votesAwaited += state.personPlays(seat) ? 1 : 0;
        votesThisTime.fill(0);
    }
    void voteClosed() override { voteOpen = false; }
    void seatVoted(int seat, int votedFor) override
    {
        ++votesThisTime[seat];
        toldVote[seat] = votedFor;
    }
    void votesCounted() override
    {
        for (int seat = 1; seat <= SeatCount; ++seat) {
            if (state.isOccupied(seat) && votesThisTime[seat] != 1)
                faults << u"seat %1 voted %2 times"_s.arg(seat).arg(votesThisTime[seat]);
        }
    }
    void votedOff(int seat) override
    {
        if (seat == state.table.playerSeat && state.anyPersonSeated())
            playerOutWhileGameWent = true;
    }
    void startAwaited(int) override { startWaits = true; }
    void gameOver(const Ending &e) override
    {
        over = true;
        ending = e;
        // With nobody left at the table a computer player is named, not a friend who left.
        if (!state.anyPersonSeated() && state.table.friendSeats.contains(e.winnerSeat))
            faults << u"seat %1 of a friend who left named the winner"_s.arg(e.winnerSeat);
    }
};

struct Outcome
{
    bool playerOutWhileGameWent = false;
    bool friendWon = false;
    bool awayAnswered = false;
};

// One whole game from `seed` with `friends`; friend `awayFriend` (an index, or -1) loses their
// connection at their first question and comes back a few questions later, or `leaves` then
// for good.
Outcome playGame(unsigned seed, const QStringList &friends, int awayFriend,
                 GameEngine::Player player = GameEngine::Player::Plays, bool leaves = false)
{
    Outcome outcome;
    QTemporaryDir dir;
    Fixture::writeNames(dir.path(), Fixture::defaultNames() << u"Илья"_s << u"Кира"_s);
    Fixture::writeQuestions(dir.path(), Fixture::questionLines(40));
    GameState state;
    state.setStartValues();
    state.table.playerName = u"Хозяин"_s;
    TestTimers timers;
    SystemRandom random(seed);
    FixedClock clock;
    GameEngine engine(state, random, clock, QDir(dir.path()), QLocale(QLocale::Russian, QLocale::Russia), &timers);
    Table table(state);
    engine.addListener(&table);
    LineStore namesList;
    std::mt19937 people(seed + 7);
    [&] {
        QVERIFY(engine.newGame(namesList, friends, player).ok());
        if (player == GameEngine::Player::RunsTheShow) {
            QCOMPARE(state.table.playerSeat, 0);
            QVERIFY(std::find(state.table.seatNames.begin(), state.table.seatNames.end(), state.table.playerName)
                    == state.table.seatNames.end());
        }

        // Everyone has a seat of their own, and every name at the table is told apart.
        const QList<int> &seats = state.table.friendSeats;
        QCOMPARE(seats.size(), friends.size());
        QSet<QString> names;
        for (int i = 0; i < seats.size(); ++i) {
            QVERIFY(seats[i] >= 1 && seats[i] <= SeatCount && seats[i] != state.table.playerSeat);
            QCOMPARE(state.table.seatNames[seats[i]], friends[i]);
        }
        for (int seat = 1; seat <= SeatCount; ++seat)
            names.insert(state.table.seatNames[seat]);
        QCOMPARE(names.size(), SeatCount);

        const int awaySeat = awayFriend >= 0 ? seats[awayFriend] : 0;
        int awayQuestions = -1;  // questions put since the friend went away
        int votesCast = 0;
        for (int step = 0; step < 200000 && !table.over; ++step) {
            QVERIFY2(table.faults.isEmpty(), qPrintable(table.faults.join(u"; "_s)));
            if (table.voteOpen) {
                // Each person at the table votes once, for somebody else; a second vote
                // changes nothing, and the votes are counted once all have voted.
                QList<int> voters;
                PerSeat<int> chosen{};
                for (int seat = 1; seat <= SeatCount; ++seat) {
                    if (state.personPlays(seat))
                        voters << seat;
                }
                QVERIFY(!voters.isEmpty());
                for (int voter : voters) {
                    int target = 0;
                    do
                        target = int(people() % SeatCount) + 1;
                    while (!state.isOccupied(target) || target == voter);
                    QVERIFY(table.voteOpen);
                    engine.seatVoted(voter, target);
                    chosen[voter] = target;
                    for (int other = 1; other <= SeatCount && table.voteOpen; ++other) {
                        if (other != target && other != voter && state.isOccupied(other))
                            engine.seatVoted(voter, other);
                    }
                }
                QVERIFY(!table.voteOpen);
                votesCast += int(voters.size());
                for (int voter : voters)
                    QCOMPARE(table.toldVote[voter], chosen[voter]);
                continue;
            }
            if (table.startWaits) {
                table.startWaits = false;
                engine.startPressed();
                continue;
            }
            if (table.bankSeat != 0) {
                // In the pause, only the seat offered «БАНК!» may take it.
                const int banks = table.banks;
                for (int other = 1; other <= SeatCount; ++other) {
                    if (other != table.bankSeat && state.personPlays(other))
                        engine.bankPressed(other);
                }
                QCOMPARE(table.banks, banks);
            }
            const int asked = table.awaited;
            if (asked != 0 && asked == awaySeat && awayQuestions < 0) {
                // The friend's phone sleeps at their first question: a computer answers for them.
                engine.seatAway(awaySeat, true);
                awayQuestions = 0;
                QVERIFY(timers.isActive(GameTimers::Timer::AnswerDelay));
                outcome.awayAnswered = true;
            } else if (asked != 0 && state.personPlays(asked)) {
                // Another person's answer, or a bank by someone it was not offered to, is
                // ignored; the one asked answers, three times in four right.
                for (int other = 1; other <= SeatCount; ++other) {
                    if (other != asked && state.personPlays(other)) {
                        engine.answerChosen(other, 0);
                        engine.bankPressed(other);
                    }
                }
                QCOMPARE(table.awaited, asked);
                if (table.bankSeat == asked && state.money.chainStep >= 3)
                    engine.bankPressed(asked);
                const int right = state.round.rightAnswer;
                engine.answerChosen(asked, people() % 4 != 0 ? right : 1 - right);
                QCOMPARE(table.awaited, 0);
                continue;
            }
            if (awayQuestions >= 0 && asked == 0 && timers.isActive(GameTimers::Timer::Pause) && ++awayQuestions == 4) {
                leaves ? engine.seatLeft(awaySeat) : engine.seatAway(awaySeat, false);
                // A friend who leaves no person at the table ends the game there and then.
                const bool personStays = state.isOccupied(state.table.playerSeat)
                    || std::any_of(seats.begin(), seats.end(), [&](int s) { return s != awaySeat && state.isOccupied(s); });
                QVERIFY(!leaves || table.over == !personStays);
                continue;
            }
            QVERIFY2(timers.fireNext(), "the game waits for nobody");
        }
        QVERIFY(table.over);
        QCOMPARE(votesCast, table.votesAwaited);
        QVERIFY(brokenInvariant(state).isEmpty());
        QVERIFY2(table.faults.isEmpty(), qPrintable(table.faults.join(u"; "_s)));

        // The winner is written to the winners file, whoever they are.
        LineStore best;
        QVERIFY(best.load(dir.filePath(u"best.txt"_s)).ok());
        const auto records = WinnersFile::records(best.lines(), best.count(), QLocale(QLocale::Russian, QLocale::Russia));
        QCOMPARE(records.size(), 1);
        QCOMPARE(records.first().name, table.ending.winner);
        QVERIFY(table.ending.winnerSeat >= 1 && table.ending.winnerSeat <= SeatCount);
        outcome.friendWon = state.table.friendSeats.contains(table.ending.winnerSeat)
                            && state.isOccupied(table.ending.winnerSeat);
        QCOMPARE(table.ending.playerWon, table.ending.winnerSeat == state.table.playerSeat);
        outcome.playerOutWhileGameWent = table.playerOutWhileGameWent;
    }();
    return outcome;
}

} // namespace

class FriendsAtTableTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wholeGamesWithThreeFriendsKeepTheRules()
    {
        const QStringList friends{u"Маша"_s, u"Петя"_s, u"Анна"_s};  // «Анна» is also in the names base
        int playerOut = 0, friendWins = 0, awayAnswered = 0;
        for (unsigned seed = 1; seed <= 40; ++seed) {
            // In every third game the first friend's phone sleeps at their first question, and
            // in every sixth the friend does not come back.
            const Outcome o = playGame(seed, friends, seed % 3 == 0 ? 0 : -1, GameEngine::Player::Plays, seed % 6 == 0);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(u"seed %1"_s.arg(seed)));
            playerOut += o.playerOutWhileGameWent;
            friendWins += o.friendWon;
            awayAnswered += o.awayAnswered;
        }
        // Over these seeds the player was voted off while friends played on, a friend won, and
        // a computer answered for a friend who was away.
        QVERIFY(playerOut > 0);
        QVERIFY(friendWins > 0);
        QVERIFY(awayAnswered > 0);
    }

    void aPlayerWhoOnlyRunsTheShowLeavesTheGameToTheFriends()
    {
        for (unsigned seed = 60; seed <= 70; ++seed) {
            playGame(seed, {u"Маша"_s, u"Петя"_s}, -1, GameEngine::Player::RunsTheShow);
            // A friend alone at the table who does not come back ends the game there.
            playGame(seed, {u"Маша"_s}, 0, GameEngine::Player::RunsTheShow, true);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(u"seed %1"_s.arg(seed)));
        }
    }

    void theHostsTableShowsWhoIsAway()
    {
        FakeTableScreen screen;
        TablePresenter presenter(screen);
        PerSeat<QString> names;
        names.fill(EmptySeat);
        names[2] = u"Маша"_s;
        names[6] = u"Петя"_s;
        presenter.tableSeated(names, 6);
        presenter.showPresence(2, false);
        QCOMPARE(screen.names[2].caption, u"Маша (нет связи)"_s);
        presenter.showPresence(3, false);  // nobody sits there
        QCOMPARE(screen.names[3].caption, QString());
        // In the duel the finalists take places 4 and 5: the mark goes with the friend.
        presenter.finalistsSeated(2, u"Маша"_s, 6, u"Петя"_s);
        QCOMPARE(screen.names[4].caption, u"Маша (нет связи)"_s);
        presenter.showPresence(2, true);
        QCOMPARE(screen.names[4].caption, u"Маша"_s);
    }
};

QTEST_GUILESS_MAIN(FriendsAtTableTest)
#include "FriendsAtTableTest.moc"
