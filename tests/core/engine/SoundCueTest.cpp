// The game's sounds: the engine gives a cue for every moment the player should hear, in
// the order the moments happen, and giving them changes nothing in the game.
#include "EngineHarness.h"
#include "GameDriver.h"
#include "RecordingSounds.h"

using namespace Qt::StringLiterals;
using Cue = GameSounds::Cue;

namespace {

const QString GameOverMark = u"Won or Lost"_s;

// A window that works out, from what the game shows alone, which cues the player should
// have heard: a question on the table, a verdict on an answer, "БАНК!" in the narration,
// the clock's last ten seconds, the clock stopped at the round's end, the next round
// announced after a vote, the duel's score board, the end of the game. It also keeps a log
// of every line and every timer interval, to compare two plays of the same game.
class ListeningView : public FakeTableScreen
{
public:
    QStringList expected;
    QStringList log;

    void markAskedSeat(int seat) override
    {
        FakeTableScreen::markAskedSeat(seat);
        if (seat > 0)
            expected << RecordingSounds::name(Cue::QuestionPut);
    }
    void showVerdict(int chosen, int right) override
    {
        FakeTableScreen::showVerdict(chosen, right);
        expected << RecordingSounds::name(chosen == right ? Cue::RightAnswer : Cue::WrongAnswer);
    }
    void appendNarration(const QString &line) override
    {
        FakeTableScreen::appendNarration(line);
        log << line;
        if (line == u"БАНК!"_s)
            expected << RecordingSounds::name(Cue::Banked);
        else if (line == u"Начнем следующий раунд"_s)
            expected << RecordingSounds::name(Cue::VoteVerdict) << RecordingSounds::name(Cue::PlayerLeaves);
    }
    void showClock(int seconds) override
    {
        FakeTableScreen::showClock(seconds);
        if (seconds >= 1 && seconds <= 10)
            expected << RecordingSounds::name(Cue::ClockTick);
    }
    void setScoreboardTitle(const QString &title) override
    {
        FakeTableScreen::setScoreboardTitle(title);
        if (title == u"СЧЕТ"_s)
            expected << RecordingSounds::name(Cue::DuelStarts);
    }
    void showGameOver() override
    {
        FakeTableScreen::showGameOver();
        expected << GameOverMark;
    }
};

// The game's timers, heard by the window above: the round clock stopped while it ran is the
// round's end, and every interval is logged.
class ListeningTimers : public TestTimers
{
public:
    explicit ListeningTimers(ListeningView &view) : m_view(view) {}
    void start(Timer t, int ms) override
    {
        TestTimers::start(t, ms);
        m_view.log << u"timer %1: %2 ms"_s.arg(int(t)).arg(ms);
    }
    void stop(Timer t) override
    {
        if (t == Timer::RoundClock && isActive(t))
            m_view.expected << RecordingSounds::name(Cue::RoundOver);
        TestTimers::stop(t);
    }

private:
    ListeningView &m_view;
};

// The cues heard from `from` on, with the end of the game written as the view sees it.
QStringList heard(const RecordingSounds &sounds, qsizetype from)
{
    QStringList names = sounds.names(from);
    for (QString &name : names) {
        if (name == RecordingSounds::name(Cue::Won) || name == RecordingSounds::name(Cue::Lost))
            name = GameOverMark;
    }
    return names;
}

QStringList simulationNames()
{
    return {u"Анна"_s, u"Борис"_s, u"Вера"_s, u"Глеб"_s, u"Дарья"_s, u"Егор"_s, u"Жанна"_s, u"Зоя"_s, u"Илья"_s};
}

// Whole games with a random human, one after another in one engine, as in one run of the
// program; every tenth is a quick final.
struct Table
{
    QTemporaryDir dir;
    GameState state;
    ListeningView view;
    TablePresenter presenter{view};
    ListeningTimers timers{view};
    SoundCues cues;
    ScriptedRandom random{{}, 20261207u};
    FixedClock clock;
    GameEngine engine{state, random, clock, QDir(dir.path()), QLocale(QLocale::Russian, QLocale::Russia), &timers};
    GameDriver driver{state, view, timers, engine, 77u};
    LineStore namesList;

    Table()
    {
        engine.addListener(&presenter);
        engine.addListener(&cues);
        state.setStartValues();
        Fixture::writeNames(dir.path(), simulationNames());
        Fixture::writeQuestions(dir.path(), Fixture::questionLines(40));
    }

    QString startGame(int game)
    {
        state.table.playerName = game % 10 == 9 ? u"HiddenRover"_s : u"Игрок"_s;
        engine.windowClosed();
        QFile::remove(dir.filePath(u"best.txt"_s));
        view.expected.clear();
        const Status started = engine.newGame(namesList);
        return started.ok() ? QString() : started.message;
    }

    QString winner() const
    {
        LineStore file;
        if (!file.load(dir.filePath(u"best.txt"_s)).ok() || file.count() < 2)
            return {};
        return file.at(1);
    }
};

} // namespace

class SoundCueTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wholeGamesGiveEveryMomentItsCueInOrder();
    void cuesChangeNothingInTheGame();
    void theClockTicksForItsLastTenSecondsOnly();
    void thePlayerVotedOffHearsTheVerdictTheLeavingAndTheLoss();
    void theDuelEndsWithTheWinOrTheLossOfThePlayer_data();
    void theDuelEndsWithTheWinOrTheLossOfThePlayer();
};

void SoundCueTest::wholeGamesGiveEveryMomentItsCueInOrder()
{
    Table t;
    RecordingSounds sounds;
    t.cues.setSounds(&sounds);
    int won = 0, lost = 0, rounds = 0;

    for (int game = 0; game < 300; ++game) {
        QCOMPARE(t.startGame(game), QString());
        sounds.cues.clear();
        // After every event the cues heard so far are the cues expected so far.
        qsizetype agreed = 0;
        const auto check = [&]() -> QString {
            const QStringList got = heard(sounds, agreed);
            const QStringList wanted = t.view.expected.mid(agreed);
            if (got == wanted) {
                agreed += got.size();
                return {};
            }
            return u"after cue %1: heard %2, expected %3"_s.arg(agreed).arg(got.join(u' '), wanted.join(u' '));
        };
        const GameOutcome out = t.driver.play(40000, check);
        QVERIFY2(out.failure.isEmpty(), qPrintable(u"game %1: %2"_s.arg(game).arg(out.failure)));

        // The end of the game is heard once, last: a win only for the winner of the record.
        QVERIFY(!sounds.cues.isEmpty());
        const bool playerWon = t.winner() == t.state.table.playerName;
        QCOMPARE(RecordingSounds::name(sounds.cues.last()), RecordingSounds::name(playerWon ? Cue::Won : Cue::Lost));
        QCOMPARE(sounds.count(Cue::Won) + sounds.count(Cue::Lost), 1);
        if (out.humanOut) {
            QCOMPARE(sounds.names(sounds.cues.size() - 3),
                     (QStringList{u"VoteVerdict"_s, u"PlayerLeaves"_s, u"Lost"_s}));
        }
        (playerWon ? won : lost) += 1;

        // Every round that ran out counted down ten seconds aloud, and only ten.
        int ticks = 0;
        for (Cue cue : std::as_const(sounds.cues)) {
            if (cue == Cue::ClockTick) {
                ++ticks;
            } else if (cue == Cue::RoundOver) {
                QCOMPARE(ticks, 10);
                ticks = 0;
                ++rounds;
            }
        }
        QCOMPARE(ticks, 0);
    }
    QVERIFY(won > 0);
    QVERIFY(lost > 0);
    QVERIFY(rounds > 300);
}

void SoundCueTest::cuesChangeNothingInTheGame()
{
    // The same games, heard and unheard: the same draws, lines, timers and winners.
    Table silent;
    Table heard;
    RecordingSounds sounds;
    heard.cues.setSounds(&sounds);
    for (int game = 0; game < 30; ++game) {
        QCOMPARE(silent.startGame(game), QString());
        QCOMPARE(heard.startGame(game), QString());
        QCOMPARE(silent.driver.play(40000).failure, QString());
        QCOMPARE(heard.driver.play(40000).failure, QString());
        QCOMPARE(heard.winner(), silent.winner());
    }
    QVERIFY(!sounds.cues.isEmpty());
    QCOMPARE(heard.random.drawn, silent.random.drawn);
    QCOMPARE(heard.view.log, silent.view.log);
}

void SoundCueTest::theClockTicksForItsLastTenSecondsOnly()
{
    EngineHarness h;
    RecordingSounds sounds;
    h.cues.setSounds(&sounds);
    QVERIFY(h.newGame(8));
    h.state.round.secondsLeft = 12;
    h.beginRound();
    QCOMPARE(sounds.names(), QStringList{u"QuestionPut"_s});

    QStringList perSecond;
    for (int shown = 11; shown >= 0; --shown) {
        const qsizetype before = sounds.cues.size();
        h.engine.clockTicked();
        QCOMPARE(h.view.clock, shown);
        perSecond << u"%1: %2"_s.arg(shown).arg(sounds.names(before).join(u' '));
    }
    QCOMPARE(perSecond, (QStringList{u"11: "_s, u"10: ClockTick"_s, u"9: ClockTick"_s, u"8: ClockTick"_s,
                                     u"7: ClockTick"_s, u"6: ClockTick"_s, u"5: ClockTick"_s, u"4: ClockTick"_s,
                                     u"3: ClockTick"_s, u"2: ClockTick"_s, u"1: ClockTick"_s, u"0: "_s}));

    // The next tick ends the round: its end, and no tick.
    const qsizetype before = sounds.cues.size();
    h.push(0);
    h.engine.clockTicked();
    QVERIFY(h.state.vote.open);
    QCOMPARE(sounds.names(before), QStringList{u"RoundOver"_s});
}

void SoundCueTest::thePlayerVotedOffHearsTheVerdictTheLeavingAndTheLoss()
{
    EngineHarness h;
    RecordingSounds sounds;
    h.cues.setSounds(&sounds);
    QVERIFY(h.newGame(4));
    for (int seat : {1, 3, 5, 6, 8})
        h.state.table.seatNames[seat] = u"0"_s;
    h.state.round.number = 6;
    h.state.round.secondsLeft = 100;
    h.beginRound();
    h.push(0);
    h.runClockOut();
    QVERIFY(h.state.vote.open);

    // Everybody votes for the human at seat 4.
    const qsizetype before = sounds.cues.size();
    for (int draw : {3, 3, 0, 1, 0, 0, 5})
        h.push(draw);
    h.vote(4);
    QVERIFY(!h.state.humanSeated());
    QCOMPARE(sounds.names(before), (QStringList{u"VoteVerdict"_s, u"PlayerLeaves"_s, u"Lost"_s}));
}

void SoundCueTest::theDuelEndsWithTheWinOrTheLossOfThePlayer_data()
{
    QTest::addColumn<bool>("playerRight");
    QTest::addColumn<QStringList>("lastCues");
    QTest::newRow("player right three times") << true << QStringList{u"WrongAnswer"_s, u"Won"_s};
    QTest::newRow("player wrong three times") << false << QStringList{u"RightAnswer"_s, u"Lost"_s};
}

void SoundCueTest::theDuelEndsWithTheWinOrTheLossOfThePlayer()
{
    QFETCH(bool, playerRight);
    QFETCH(QStringList, lastCues);

    // The quick final: the player is finalist A and answers first.
    EngineHarness h(30, Fixture::defaultNames(), u"HiddenRover"_s);
    RecordingSounds sounds;
    h.cues.setSounds(&sounds);
    QVERIFY(h.newGame(4));
    QVERIFY(sounds.cues.isEmpty());
    const int opponentSeat = 5;

    for (int question = 1; question <= 6; ++question) {
        const bool playerAsks = question % 2 == 1;
        h.push(0);
        if (!playerAsks)
            h.pushAnswer(opponentSeat, !playerRight);
        if (question == 1)
            h.engine.startPressed();
        else
            h.engine.pauseElapsed();
        if (playerAsks)
            h.humanAnswers(playerRight);
        h.engine.answerDelayElapsed();
    }
    QVERIFY(h.state.duel.over);
    QCOMPARE(sounds.names().mid(0, 3), (QStringList{u"DuelStarts"_s, u"QuestionPut"_s,
                                                    playerRight ? u"RightAnswer"_s : u"WrongAnswer"_s}));
    QCOMPARE(sounds.names(sounds.cues.size() - 2), lastCues);
    QCOMPARE(sounds.count(Cue::QuestionPut), 6);
}

QTEST_GUILESS_MAIN(SoundCueTest)
#include "SoundCueTest.moc"
