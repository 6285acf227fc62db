// Whole seeded games at the friends' table: the host at the program, three friends on
// loopback WebSockets, computers at the other seats. The friends play from what their pages
// are told; the test drives the game's timers and checks the game against the rules as the
// pages saw it: each vote counted as cast, the bank taken only by the seat offered it, the
// duel between its finalists, one winners record, and the winner told it won.
#include "TableClient.h"
#include "TestTimers.h"
#include "FixedClock.h"
#include "TestSupport.h"

#include "core/data/LineStore.h"
#include "core/data/WinnersFile.h"
#include "core/engine/GameEngine.h"
#include "core/engine/RandomSource.h"
#include "net/FriendsTable.h"

#include <QJsonArray>
#include <QTemporaryDir>

#include <random>

using namespace Qt::StringLiterals;

namespace {

// A friend's page that plays at random: answers when it is its turn, takes the bank now and
// then, votes for somebody else.
struct FriendPage : TableClient
{
    int seat = 0;
    int offersSeen = 0;
    int banksSent = 0;
    PerSeat<int> votesSent{};  // for whom, per vote (indexed by the vote's number, 1..7)
    int votes = 0;
    std::mt19937 rng;

    FriendPage(quint16 port, unsigned seed) : TableClient(port), rng(seed)
    {
        onMessage = [this](const QJsonObject &m) { react(m); };
    }

    void react(const QJsonObject &m)
    {
        const QString type = m[u"type"_s].toString();
        if (type == u"seated") {
            seat = m[u"you"_s].toInt();
        } else if (type == u"yourTurn") {
            send({{u"type"_s, u"answer"_s}, {u"answer"_s, int(rng() % 2)}, {u"question"_s, m[u"id"_s]}});
        } else if (type == u"bankOffer" && m[u"seat"_s].toInt() == seat) {
            ++offersSeen;
            if (rng() % 3 == 0) {
                ++banksSent;
                send({{u"type"_s, u"bank"_s}});
            }
        } else if (type == u"voteOpen") {
            ++votes;
            QList<int> others;
            for (const QJsonValue &c : m[u"candidates"_s].toArray()) {
                if (c.toInt() != seat)
                    others << c.toInt();
            }
            if (others.size() == m[u"candidates"_s].toArray().size())
                return;  // voted off: watches
            const int choice = others.at(int(rng() % others.size()));
            votesSent[size_t(votes)] = choice;
            send({{u"type"_s, u"vote"_s}, {u"seat"_s, choice}});
        }
    }
};

// The facts as the host's screen hears them.
struct Facts : GameListener
{
    GameState &state;
    explicit Facts(GameState &s) : state(s) {}
    int awaited = 0;
    int bankSeat = 0;
    bool bankDecided = false;
    bool voteOpen = false;
    bool hostVoted = false;
    bool startWaits = false;
    bool over = false;
    Ending ending;
    PerSeat<int> offersTo{};
    PerSeat<int> banks{};
    QStringList faults;
    int questions = 0;
    int votes = 0;
    PerSeat<int> votesThisTime{};  // who each seat voted for
    int seatA = 0, seatB = 0;

    void tableSeated(const PerSeat<QString> &, int) override { startWaits = true; }
    void startAwaited(int) override { startWaits = true; }
    void questionPut(const Question &q) override
    {
        ++questions;
        if (seatA && q.seat != seatA && q.seat != seatB)
            faults << u"duel question to seat %1"_s.arg(q.seat);
    }
    void answerAwaited(int seat) override { awaited = seat; }
    void answerJudged(const Verdict &) override { awaited = 0; }
    void bankOffered(int seat) override
    {
        bankSeat = seat;
        bankDecided = false;
        ++offersTo[size_t(seat)];
    }
    void banked(int seat, int) override
    {
        if (state.personPlays(seat)) {
            ++banks[size_t(seat)];
            if (seat != bankSeat)
                faults << u"seat %1 banked without the offer"_s.arg(seat);
        }
    }
    void voteOpened() override
    {
        voteOpen = true;
        hostVoted = false;
        ++votes;
        votesThisTime.fill(0);
    }
    void voteClosed() override { voteOpen = false; }
    void seatVoted(int seat, int votedFor) override { votesThisTime[size_t(seat)] = votedFor; }
    void votedOff(int seat) override
    {
        PerSeat<int> counts{};
        for (int s = 1; s <= SeatCount; ++s)
            ++counts[size_t(votesThisTime[size_t(s)])];
        int most = 0, holders = 0, leader = 0;
        for (int s = 1; s <= SeatCount; ++s) {
            if (counts[size_t(s)] > most) {
                most = counts[size_t(s)];
                holders = 1;
                leader = s;
            } else if (counts[size_t(s)] == most && most > 0) {
                ++holders;
            }
        }
        if (holders == 1 && seat != leader)
            faults << u"seat %1 voted off, seat %2 had the most votes"_s.arg(seat).arg(leader);
    }
    void finalistsSeated(int a, const QString &, int b, const QString &) override
    {
        seatA = a;
        seatB = b;
    }
    void gameOver(const Ending &e) override
    {
        over = true;
        ending = e;
    }
};

} // namespace

class FriendsGameTest : public QObject
{
    Q_OBJECT

private:
    // Plays a whole game with `friends` at the table.
    void playAtTable(unsigned seed, const QStringList &friends)
    {
        QTemporaryDir dir;
        TestSupport::writeFile(dir.path() + u"/names.txt"_s, TestSupport::eightNames());
        TestSupport::writeFile(dir.path() + u"/Vopros.txt"_s, TestSupport::questionBase(60));
        GameState state;
        state.setStartValues();
        state.table.playerName = u"Хозяин"_s;
        TestTimers timers;
        SystemRandom random(seed);
        FixedClock clock;
        GameEngine engine(state, random, clock, QDir(dir.path()), QLocale(QLocale::Russian, QLocale::Russia), &timers);
        Facts facts(state);
        EngineSeatMoves<GameEngine> moves(engine);
        FriendsTable::Limits limits;
        limits.closeAfterOverMs = 200;
        FriendsTable table(moves, limits);
        engine.addListener(&facts);
        engine.addListener(&table);
        table.setHostName(state.table.playerName);
        QVERIFY(table.open(0));

        std::vector<std::unique_ptr<FriendPage>> pages;
        for (const QString &name : friends) {
            pages.push_back(std::make_unique<FriendPage>(table.port(), seed + unsigned(pages.size())));
            QVERIFY(pages.back()->connected());
            QVERIFY(!pages.back()->join(table.code(), name).startsWith(u'!'));
        }
        LineStore namesList;
        QVERIFY(engine.newGame(namesList, table.friendNames()).ok());
        table.seatFriends(state.table.friendSeats);
        for (auto &page : pages)
            QVERIFY(QTest::qWaitFor([&] { return page->seat != 0; }, 5000));
        const auto pageAt = [&](int seat) -> FriendPage * {
            for (auto &page : pages) {
                if (page->seat == seat)
                    return page.get();
            }
            return nullptr;
        };

        std::mt19937 host(seed);
        const int hostSeat = state.table.playerSeat;
        for (int events = 0; !facts.over; ++events) {
            QVERIFY2(events < 20000, "the game does not end");
            QVERIFY2(facts.faults.isEmpty(), qPrintable(facts.faults.join(u"; "_s)));
            if (facts.startWaits) {
                facts.startWaits = false;
                engine.startPressed();
            } else if (facts.awaited == hostSeat && state.personPlays(hostSeat)) {
                engine.answerChosen(hostSeat, int(host() % 2));
            } else if (FriendPage *page = pageAt(facts.awaited); page && state.personPlays(page->seat)) {
                QVERIFY2(QTest::qWaitFor([&] { return facts.awaited == 0; }, 5000), "a friend's answer did not come");
            } else if (facts.bankSeat == hostSeat && !facts.bankDecided) {
                facts.bankDecided = true;
                if (host() % 3 == 0)
                    engine.bankPressed(hostSeat);
            } else if (FriendPage *page = pageAt(facts.bankSeat); page && !facts.bankDecided) {
                facts.bankDecided = true;
                const int seat = page->seat;
                QVERIFY(QTest::qWaitFor([&] { return page->offersSeen == facts.offersTo[size_t(seat)]; }, 5000));
                QVERIFY2(QTest::qWaitFor([&] { return facts.banks[size_t(seat)] == page->banksSent; }, 5000),
                         "a friend's bank was lost");
            } else if (facts.voteOpen) {
                if (state.personPlays(hostSeat) && !facts.hostVoted) {
                    facts.hostVoted = true;
                    int choice;
                    do
                        choice = int(host() % SeatCount) + 1;
                    while (!state.isOccupied(choice) || choice == hostSeat);
                    engine.seatVoted(hostSeat, choice);
                }
                QVERIFY2(QTest::qWaitFor([&] { return !facts.voteOpen; }, 5000), "the friends' votes did not come");
                for (auto &page : pages) {
                    if (const int sent = page->votesSent[size_t(facts.votes)])
                        QCOMPARE(facts.votesThisTime[size_t(page->seat)], sent);
                }
            } else {
                QVERIFY2(timers.fireNext(), "stuck: no timer runs and nobody may act");
            }
        }
        QVERIFY2(facts.faults.isEmpty(), qPrintable(facts.faults.join(u"; "_s)));

        // Every page saw the game to its end, the winner's page told it won.
        for (auto &page : pages) {
            const QJsonObject over = page->next(u"over"_s);
            QVERIFY2(page->all(u"closed"_s).isEmpty() || page->received.indexOf(over) < page->received.indexOf(page->all(u"closed"_s).first()),
                     "a friend's page was closed during the game");
            QCOMPARE(over[u"winner"_s].toString(), facts.ending.winner);
            QCOMPARE(over[u"you"_s].toBool(), page->seat == facts.ending.winnerSeat);
            QCOMPARE(page->all(u"question"_s).size(), facts.questions);
        }
        LineStore best;
        QVERIFY(best.load(dir.path() + u"/best.txt"_s));
        const QList<WinnersFile::Record> records =
            WinnersFile::records(best.lines(), int(best.count()), QLocale(QLocale::Russian, QLocale::Russia));
        QCOMPARE(records.size(), 1);
        QCOMPARE(records.first().name, facts.ending.winner);
        QCOMPARE(records.first().amountValue, facts.ending.amount);

        int friendBanks = 0;
        for (auto &page : pages)
            friendBanks += page->banksSent;
        qInfo("votes %d, duel %d-%d, winner seat %d, friends' banks %d", facts.votes, facts.seatA, facts.seatB,
              facts.ending.winnerSeat, friendBanks);
        // A few seconds later the table is closed.
        QVERIFY(QTest::qWaitFor([&] { return !table.isOpen(); }, 10000));
    }

private Q_SLOTS:
    void wholeGamesWithThreeFriends_data()
    {
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed : {11u, 2026u, 90210u})
            QTest::addRow("seed %u", seed) << seed;
    }

    void wholeGamesWithThreeFriends()
    {
        QFETCH(unsigned, seed);
        playAtTable(seed, {u"Аня"_s, u"Витя"_s, u"Захар"_s});
    }
};

QTEST_GUILESS_MAIN(FriendsGameTest)
#include "FriendsGameTest.moc"
